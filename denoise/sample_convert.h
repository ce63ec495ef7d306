#ifndef OSTRIVAN_SAMPLE_CONVERT_H
#define OSTRIVAN_SAMPLE_CONVERT_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* A denoised value (on the 16-bit scale, unscaled) as a sample: clamped to -32768..32767 and
 * rounded to nearest with ties to even. NaN becomes 0. */
int16_t ov_float_to_sample(float value);

#ifdef __cplusplus
}
#endif

#endif
