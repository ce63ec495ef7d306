/* The shim's state, shared with its tests only; users see the opaque DenoiseState of rnnoise.h. */
#ifndef OSTRIVAN_RNNOISE_WASM_STATE_H
#define OSTRIVAN_RNNOISE_WASM_STATE_H

#include "rnnoise.h"
#include "rnnoise_wasm.h"

#ifdef __cplusplus
extern "C" {
#endif

enum {
    OV_RNNOISE_PAGE_BYTES = 65536,
    /* The module starts with 16 MiB and RNNoise needs well under 1 MiB more; refuse more. */
    OV_RNNOISE_MAX_PAGES = 512
};

/* The module's imports ("a"."a" = emscripten_resize_heap, "a"."b" = emscripten_memcpy_big)
 * need the instance's memory. */
struct Z_a_instance_t {
    wasm_rt_memory_t *memory;
};

struct DenoiseState {
    Z_rnnoise_instance_t module;
    struct Z_a_instance_t env;
    u32 state;  /* the RNNoise state, an offset into linear memory */
    u32 frame;  /* 480 floats of scratch for the frame, likewise */
    int broken; /* set after a trap: the module's memory may be inconsistent */
};

#ifdef __cplusplus
}
#endif

#endif
