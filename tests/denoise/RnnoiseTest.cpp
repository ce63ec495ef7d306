#include "DenoiseSignals.h"

#include <rnnoise.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>

using namespace denoisetest;

namespace {

constexpr std::size_t kFrame = 480;
using Frame = std::array<float, kFrame>;

struct StateDeleter {
    void operator()(DenoiseState *st) const { rnnoise_destroy(st); }
};
using State = std::unique_ptr<DenoiseState, StateDeleter>;

State createState() { return State(rnnoise_create(nullptr)); }

Frame frameAt(const Samples &signal, std::size_t index)
{
    Frame frame{};
    std::transform(signal.begin() + static_cast<long>(index * kFrame),
                   signal.begin() + static_cast<long>((index + 1) * kFrame), frame.begin(),
                   [](int16_t s) { return static_cast<float>(s); });
    return frame;
}

} // namespace

TEST(Rnnoise, ProcessesFramesWithTheBuiltInModel)
{
    const State st = createState();
    ASSERT_NE(st, nullptr);
    const Samples signal = testSignal(kFrame * 300);
    double outputEnergy = 0.0;
    for (std::size_t i = 0; i < 300; ++i) {
        const Frame in = frameAt(signal, i);
        Frame out{};
        const float vad = rnnoise_process_frame(st.get(), out.data(), in.data());
        ASSERT_GE(vad, 0.0f) << "frame " << i;
        ASSERT_LE(vad, 1.0f) << "frame " << i;
        for (const float x : out) {
            ASSERT_TRUE(std::isfinite(x));
            ASSERT_LT(std::fabs(x), 1.0e5f);
            outputEnergy += static_cast<double>(x) * x;
        }
    }
    EXPECT_GT(outputEnergy, 0.0);
}

TEST(Rnnoise, StatesAreIndependentAndInPlaceMatchesSeparateBuffers)
{
    // Interleaving two states over different signals must give what each gives alone.
    const Samples a = testSignal(kFrame * 60, 11);
    const Samples b = testSignal(kFrame * 60, 97);
    std::vector<Frame> aloneA;
    {
        const State st = createState();
        ASSERT_NE(st, nullptr);
        for (std::size_t i = 0; i < 60; ++i) {
            Frame frame = frameAt(a, i);
            rnnoise_process_frame(st.get(), frame.data(), frame.data()); // in place
            aloneA.push_back(frame);
        }
    }
    const State first = createState();
    const State second = createState();
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    for (std::size_t i = 0; i < 60; ++i) {
        const Frame inA = frameAt(a, i);
        const Frame inB = frameAt(b, i);
        Frame outA{};
        Frame outB{};
        rnnoise_process_frame(second.get(), outB.data(), inB.data());
        rnnoise_process_frame(first.get(), outA.data(), inA.data());
        ASSERT_EQ(outA, aloneA[i]) << "frame " << i;
    }
}

#ifdef OSTRIVAN_RNNOISE_FROM_WASM
TEST(Rnnoise, OnlyTheBuiltInModelIsAvailable)
{
    // The translated module holds its own model; a native model cannot be passed into it.
    alignas(16) std::array<unsigned char, 64> notAModel{};
    EXPECT_EQ(rnnoise_create(reinterpret_cast<RNNModel *>(notAModel.data())), nullptr);
    rnnoise_destroy(nullptr); // harmless
}
#endif
