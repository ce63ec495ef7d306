#include "sample_convert.h"

#include <math.h>

int16_t ov_float_to_sample(float value)
{
    if (isnan(value))
        return 0;
    if (value >= 32767.0f)
        return 32767;
    if (value <= -32768.0f)
        return -32768;
    /* lrintf rounds in the current mode, which is round-to-nearest-even unless changed. */
    return (int16_t)lrintf(value);
}
