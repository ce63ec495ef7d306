/* RNNoise's native API on top of its WebAssembly build translated to C by wasm2c
 * (module name "rnnoise"). Each state owns its own module instance, so states never share
 * linear memory. Frames are copied in and out of linear memory on every call, and only
 * offsets into it are kept, because growing the memory moves it. A trap (out-of-bounds access,
 * unreachable) becomes an error return: NULL from create, a negative value from process. */
#include "rnnoise_wasm_state.h"
#include "wasm-rt-impl.h"

#include <pthread.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

enum {
    FRAME_SIZE = 480,
    FRAME_BYTES = FRAME_SIZE * sizeof(float),
    PAGE_BYTES = OV_RNNOISE_PAGE_BYTES,
    MAX_PAGES = OV_RNNOISE_MAX_PAGES
};

/* The runtime keeps its trap target in one global jmp_buf, so calls into any instance are
 * serialised. */
static pthread_mutex_t g_lock = PTHREAD_MUTEX_INITIALIZER;
static int g_runtime_ready;

u32 Z_aZ_a(struct Z_a_instance_t *env, u32 requested)
{
    wasm_rt_memory_t *memory = env->memory;
    const uint64_t pages = ((uint64_t)requested + PAGE_BYTES - 1) / PAGE_BYTES;
    if (pages > MAX_PAGES || pages > memory->max_pages)
        return 0;
    if (pages <= memory->pages)
        return 1;
    return wasm_rt_grow_memory(memory, (u32)(pages - memory->pages)) != (u32)-1;
}

void Z_aZ_b(struct Z_a_instance_t *env, u32 dest, u32 src, u32 n)
{
    wasm_rt_memory_t *memory = env->memory;
    if ((uint64_t)dest + n > memory->size || (uint64_t)src + n > memory->size)
        wasm_rt_trap(WASM_RT_TRAP_OOB);
    memmove(memory->data + dest, memory->data + src, n);
}

static int in_bounds(const DenoiseState *st, u32 offset, u32 bytes)
{
    return offset != 0 && (uint64_t)offset + bytes <= st->module.w2c_c.size;
}

/* Instantiates the module and allocates the state and the frame inside it; 0 on a trap. */
static int start_instance(DenoiseState *st)
{
    if (wasm_rt_impl_try() != 0)
        return 0;
    Z_rnnoise_instantiate(&st->module, &st->env);
    st->env.memory = &st->module.w2c_c;
    Z_rnnoiseZ_d(&st->module); /* static constructors */
    st->state = Z_rnnoiseZ_f(&st->module, 0);
    st->frame = Z_rnnoiseZ_g(&st->module, FRAME_BYTES);
    return 1;
}

DenoiseState *rnnoise_create(RNNModel *model)
{
    /* Only the built-in model exists inside the module; a native model cannot be handed to it. */
    if (model != NULL)
        return NULL;
    DenoiseState *st = calloc(1, sizeof *st);
    if (st == NULL)
        return NULL;
    pthread_mutex_lock(&g_lock);
    if (!g_runtime_ready) {
        wasm_rt_init();
        Z_rnnoise_init_module();
        g_runtime_ready = 1;
    }
    st->env.memory = &st->module.w2c_c;
    const int started = start_instance(st);
    const int usable = started && in_bounds(st, st->state, 1) && in_bounds(st, st->frame, FRAME_BYTES);
    if (!usable && st->module.w2c_c.data != NULL)
        Z_rnnoise_free(&st->module);
    pthread_mutex_unlock(&g_lock);
    if (!usable) {
        free(st);
        return NULL;
    }
    return st;
}

static int run_frame(DenoiseState *st, float *vad)
{
    if (wasm_rt_impl_try() != 0)
        return 0;
    *vad = Z_rnnoiseZ_j(&st->module, st->state, st->frame, st->frame);
    return 1;
}

float rnnoise_process_frame(DenoiseState *st, float *out, const float *in)
{
    if (st == NULL || st->broken)
        return -1.0f;
    pthread_mutex_lock(&g_lock);
    float vad = -1.0f;
    /* The frame's offset stays valid across memory growth; its address does not. */
    memcpy(st->module.w2c_c.data + st->frame, in, FRAME_BYTES);
    if (run_frame(st, &vad))
        memcpy(out, st->module.w2c_c.data + st->frame, FRAME_BYTES);
    else
        st->broken = 1;
    pthread_mutex_unlock(&g_lock);
    return st->broken ? -1.0f : vad;
}

static void stop_instance(DenoiseState *st)
{
    if (wasm_rt_impl_try() != 0)
        return;
    Z_rnnoiseZ_i(&st->module, st->frame);
    Z_rnnoiseZ_h(&st->module, st->state);
}

void rnnoise_destroy(DenoiseState *st)
{
    if (st == NULL)
        return;
    pthread_mutex_lock(&g_lock);
    /* The whole linear memory goes with the instance; freeing inside it only matters when
     * the module is still sound. */
    if (!st->broken)
        stop_instance(st);
    Z_rnnoise_free(&st->module);
    pthread_mutex_unlock(&g_lock);
    free(st);
}
