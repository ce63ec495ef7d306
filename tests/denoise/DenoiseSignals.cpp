#include "DenoiseSignals.h"

#include "support/TestSupport.h"

#include <QStringList>

#include <cmath>
#include <cstring>
#include <limits>

namespace denoisetest {

Samples testSignal(std::size_t count, uint32_t seed)
{
    Samples samples(count);
    uint32_t state = seed;
    for (std::size_t i = 0; i < count; ++i) {
        state = state * 1664525u + 1013904223u;
        const double noise = (static_cast<double>(state >> 16) / 65536.0 - 0.5) * 2000.0;
        const double tone = 3000.0 * std::sin(2.0 * M_PI * 220.0 * static_cast<double>(i) / 48000.0);
        samples[i] = static_cast<int16_t>(std::lround(tone + noise));
    }
    return samples;
}

QByteArray toBytes(const Samples &samples)
{
    return QByteArray(reinterpret_cast<const char *>(samples.data()),
                      static_cast<qsizetype>(samples.size() * sizeof(int16_t)));
}

Samples fromBytes(const QByteArray &bytes)
{
    Samples samples(static_cast<std::size_t>(bytes.size()) / sizeof(int16_t));
    if (!samples.empty())
        std::memcpy(samples.data(), bytes.constData(), samples.size() * sizeof(int16_t));
    return samples;
}

bool writeSamples(const QString &path, const Samples &samples)
{
    return testsupport::writeAll(path, toBytes(samples));
}

Samples readSamples(const QString &path) { return fromBytes(testsupport::readAll(path)); }

double levelDb(const Samples &samples, std::size_t begin, std::size_t end)
{
    end = std::min(end, samples.size());
    double sum = 0.0;
    for (std::size_t i = begin; i < end; ++i)
        sum += static_cast<double>(samples[i]) * samples[i];
    const double mean = end > begin ? sum / static_cast<double>(end - begin) : 0.0;
    return 10.0 * std::log10(mean + 1e-12);
}

int peakLag(const Samples &in, const Samples &out, int maxLag)
{
    int best = 0;
    double bestSum = -std::numeric_limits<double>::infinity();
    const auto inSize = static_cast<long>(in.size());
    const auto outSize = static_cast<long>(out.size());
    for (int lag = -maxLag; lag <= maxLag; ++lag) {
        double sum = 0.0;
        for (long k = std::max(0L, -static_cast<long>(lag)); k < inSize && k + lag < outSize; ++k)
            sum += static_cast<double>(in[static_cast<std::size_t>(k)]) * out[static_cast<std::size_t>(k + lag)];
        if (sum > bestSum) {
            bestSum = sum;
            best = lag;
        }
    }
    return best;
}

Samples ffmpegSamples(const QStringList &inputArguments, const QString &scratchDir)
{
    const QString path = scratchDir + "/ffmpeg-samples.raw";
    if (!testsupport::ffmpeg(inputArguments + QStringList{"-ac", "1", "-ar", "48000", "-f", "s16le", path}))
        return {};
    return readSamples(path);
}

} // namespace denoisetest
