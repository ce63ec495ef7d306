/* RNNoise's public functions with their native signatures, for builds that take RNNoise from
 * its WebAssembly build (rnnoise_wasm_shim.c); a system RNNoise brings its own header. */
#ifndef OSTRIVAN_RNNOISE_H
#define OSTRIVAN_RNNOISE_H

#ifdef __cplusplus
extern "C" {
#endif

typedef struct DenoiseState DenoiseState;
typedef struct RNNModel RNNModel;

/* NULL selects the built-in model. Returns NULL on failure. */
DenoiseState *rnnoise_create(RNNModel *model);
void rnnoise_destroy(DenoiseState *st);
/* Denoises one frame of 480 samples (in may equal out); returns the voice probability. */
float rnnoise_process_frame(DenoiseState *st, float *out, const float *in);

#ifdef __cplusplus
}
#endif

#endif
