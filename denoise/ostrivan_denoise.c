/* ostrivan-denoise INPUT OUTPUT
 * Streams a headerless mono 16-bit native-endian sample file through RNNoise, 480 samples at a
 * time, into an output exactly as long as the input and aligned with it. */
#include "rnnoise.h"
#include "sample_convert.h"

#include <errno.h>
#include <stdint.h>
#include <stdio.h>
#include <string.h>
#include <sys/stat.h>

enum { FRAME_SIZE = 480 };

static const char *const kWriteFailure = "RNNoise could not write the full audio output.\n";

/* Opening the output truncates it, so an output that is the input file itself would destroy the
 * input and "succeed" with an empty result. */
static int is_same_regular_file(FILE *in, const char *path)
{
    struct stat in_stat;
    struct stat out_stat;
    return fstat(fileno(in), &in_stat) == 0 && S_ISREG(in_stat.st_mode) && stat(path, &out_stat) == 0 &&
           in_stat.st_dev == out_stat.st_dev && in_stat.st_ino == out_stat.st_ino;
}

int main(int argc, char **argv)
{
    if (argc != 3)
        return 2;

    FILE *in = fopen(argv[1], "rb");
    if (in == NULL) {
        perror("Cannot read audio");
        return 1;
    }
    if (is_same_regular_file(in, argv[2])) {
        errno = EINVAL;
        perror("Cannot write audio");
        fclose(in);
        return 1;
    }
    FILE *out = fopen(argv[2], "wb");
    if (out == NULL) {
        perror("Cannot write audio");
        fclose(in);
        return 1;
    }
    DenoiseState *state = rnnoise_create(NULL);
    if (state == NULL) {
        fclose(out);
        fclose(in);
        return 1;
    }

    int16_t samples[FRAME_SIZE];
    float frame[FRAME_SIZE];
    size_t pending = 0; /* samples owed to the output from the previous frame */
    int failed = 0;
    for (;;) {
        const size_t n = fread(samples, sizeof samples[0], FRAME_SIZE, in);
        if (n == 0 && pending == 0)
            break;
        /* A short final frame is padded with silence that never reaches the output. */
        memset(frame, 0, sizeof frame);
        for (size_t i = 0; i < n; ++i)
            frame[i] = (float)samples[i];
        /* RNNoise's output lags its input by one frame: this output belongs to the previous
         * frame read. A negative result means the library failed on this frame. */
        if (rnnoise_process_frame(state, frame, frame) < 0.0f) {
            failed = 1;
            break;
        }
        for (size_t i = 0; i < pending; ++i)
            samples[i] = ov_float_to_sample(frame[i]);
        const int short_write = fwrite(samples, sizeof samples[0], pending, out) != pending;
        if (short_write)
            failed = 1;
        if (n == 0 || short_write)
            break;
        pending = n;
    }

    if (ferror(in))
        failed = 1;
    if (fclose(out) != 0)
        failed = 1;
    fclose(in);
    rnnoise_destroy(state);

    if (failed) {
        fputs(kWriteFailure, stderr);
        return 1;
    }
    return 0;
}
