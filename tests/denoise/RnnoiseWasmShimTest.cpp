#include "DenoiseSignals.h"

#include "rnnoise_wasm_state.h"
#include "wasm-rt-impl.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <vector>

using namespace denoisetest;

namespace {

constexpr std::size_t kFrame = 480;
using Frame = std::array<float, kFrame>;

struct StateDeleter {
    void operator()(DenoiseState *st) const { rnnoise_destroy(st); }
};
using State = std::unique_ptr<DenoiseState, StateDeleter>;

std::vector<Frame> frames(std::size_t count)
{
    const Samples signal = testSignal(count * kFrame, 5);
    std::vector<Frame> result(count);
    for (std::size_t i = 0; i < signal.size(); ++i)
        result[i / kFrame][i % kFrame] = signal[i];
    return result;
}

std::vector<Frame> denoiseAll(DenoiseState *st, const std::vector<Frame> &input)
{
    std::vector<Frame> output;
    for (const Frame &in : input) {
        Frame out{};
        EXPECT_GE(rnnoise_process_frame(st, out.data(), in.data()), 0.0f);
        output.push_back(out);
    }
    return output;
}

// Calls the big-copy import the way the module does, returning the trap it raised (0 for none).
int copyInMemory(Z_a_instance_t *env, u32 dest, u32 src, u32 n)
{
    const int trap = wasm_rt_impl_try();
    if (trap != 0)
        return trap;
    Z_aZ_b(env, dest, src, n);
    return 0;
}

} // namespace

TEST(RnnoiseWasmShim, TrapBecomesAnErrorReturnAndTheStateStaysUnusable)
{
    State st(rnnoise_create(nullptr));
    ASSERT_NE(st, nullptr);
    const std::vector<Frame> input = frames(2);
    Frame out{};
    ASSERT_GE(rnnoise_process_frame(st.get(), out.data(), input[0].data()), 0.0f);

    // Point the RNNoise state past the end of linear memory: the module's next access traps.
    const u32 goodState = st->state;
    st->state = st->module.w2c_c.size - 4;
    out.fill(7.0f);
    EXPECT_LT(rnnoise_process_frame(st.get(), out.data(), input[1].data()), 0.0f);
    EXPECT_TRUE(std::all_of(out.begin(), out.end(), [](float x) { return x == 7.0f; }))
        << "a trapped frame must leave the output alone";
    st->state = goodState;
    EXPECT_LT(rnnoise_process_frame(st.get(), out.data(), input[1].data()), 0.0f);
    // Other states are unaffected.
    State other(rnnoise_create(nullptr));
    ASSERT_NE(other, nullptr);
    EXPECT_GE(rnnoise_process_frame(other.get(), out.data(), input[0].data()), 0.0f);
}

TEST(RnnoiseWasmShim, MemoryGrowsUpToTheCapAndFramesSurviveTheMove)
{
    const std::vector<Frame> input = frames(40);
    State reference(rnnoise_create(nullptr));
    ASSERT_NE(reference, nullptr);
    const std::vector<Frame> expected = denoiseAll(reference.get(), input);

    State st(rnnoise_create(nullptr));
    ASSERT_NE(st, nullptr);
    wasm_rt_memory_t &memory = st->module.w2c_c;
    const u32 pagesBefore = memory.pages;
    ASSERT_LT(pagesBefore, u32(OV_RNNOISE_MAX_PAGES));

    // Past the cap: refused, nothing changes.
    EXPECT_EQ(Z_aZ_a(&st->env, u32(OV_RNNOISE_MAX_PAGES) * OV_RNNOISE_PAGE_BYTES + 1), 0u);
    EXPECT_EQ(memory.pages, pagesBefore);
    // Already large enough: nothing to do.
    EXPECT_EQ(Z_aZ_a(&st->env, 1000), 1u);
    EXPECT_EQ(memory.pages, pagesBefore);

    const std::vector<Frame> firstHalf(input.begin(), input.begin() + 20);
    const std::vector<Frame> secondHalf(input.begin() + 20, input.end());
    std::vector<Frame> output = denoiseAll(st.get(), firstHalf);
    // Grow to the cap exactly, between frames, as RNNoise's allocator would.
    EXPECT_EQ(Z_aZ_a(&st->env, u32(OV_RNNOISE_MAX_PAGES) * OV_RNNOISE_PAGE_BYTES), 1u);
    EXPECT_EQ(memory.pages, u32(OV_RNNOISE_MAX_PAGES));
    EXPECT_EQ(memory.size, u32(OV_RNNOISE_MAX_PAGES) * OV_RNNOISE_PAGE_BYTES);
    const std::vector<Frame> rest = denoiseAll(st.get(), secondHalf);
    output.insert(output.end(), rest.begin(), rest.end());
    EXPECT_EQ(output, expected);
}

TEST(RnnoiseWasmShim, BigCopyStaysInsideLinearMemory)
{
    State st(rnnoise_create(nullptr));
    ASSERT_NE(st, nullptr);
    wasm_rt_memory_t &memory = st->module.w2c_c;
    const u32 size = memory.size;

    // Overlapping copies behave like memmove.
    const u32 base = size - 4096;
    for (u32 i = 0; i < 1024; ++i)
        memory.data[base + i] = static_cast<uint8_t>(i);
    EXPECT_EQ(copyInMemory(&st->env, base + 1, base, 1023), 0);
    EXPECT_EQ(memory.data[base + 1], 0);
    EXPECT_EQ(memory.data[base + 1023], static_cast<uint8_t>(1022));
    EXPECT_EQ(copyInMemory(&st->env, size - 16, size - 32, 16), 0); // ends exactly at the end

    EXPECT_EQ(copyInMemory(&st->env, size - 16, 0, 17), WASM_RT_TRAP_OOB);
    EXPECT_EQ(copyInMemory(&st->env, 0, size - 16, 17), WASM_RT_TRAP_OOB);
    EXPECT_EQ(copyInMemory(&st->env, 0xfffffff0u, 0, 0x20), WASM_RT_TRAP_OOB); // no 32-bit wrap-around
}
