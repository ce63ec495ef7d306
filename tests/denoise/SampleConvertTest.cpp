#include "sample_convert.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

TEST(SampleConvert, RoundsHalfwayCasesToEven)
{
    EXPECT_EQ(ov_float_to_sample(2.5f), 2);
    EXPECT_EQ(ov_float_to_sample(3.5f), 4);
    EXPECT_EQ(ov_float_to_sample(0.5f), 0);
    EXPECT_EQ(ov_float_to_sample(-0.5f), 0);
    EXPECT_EQ(ov_float_to_sample(-2.5f), -2);
    // Not halfway: plain nearest, never truncation.
    EXPECT_EQ(ov_float_to_sample(2.4999f), 2);
    EXPECT_EQ(ov_float_to_sample(2.5001f), 3);
    EXPECT_EQ(ov_float_to_sample(-7.6f), -8);
}

TEST(SampleConvert, ClampsToTheSampleRange)
{
    EXPECT_EQ(ov_float_to_sample(32767.0f), 32767);
    EXPECT_EQ(ov_float_to_sample(32767.4f), 32767);
    EXPECT_EQ(ov_float_to_sample(32767.5f), 32767); // would round to 32768 without the clamp
    EXPECT_EQ(ov_float_to_sample(40000.0f), 32767);
    EXPECT_EQ(ov_float_to_sample(-32768.0f), -32768);
    EXPECT_EQ(ov_float_to_sample(-32768.6f), -32768);
    EXPECT_EQ(ov_float_to_sample(std::numeric_limits<float>::infinity()), 32767);
    EXPECT_EQ(ov_float_to_sample(-std::numeric_limits<float>::infinity()), -32768);
    EXPECT_EQ(ov_float_to_sample(-32767.5f), -32768);
}

TEST(SampleConvert, NanBecomesSilence)
{
    EXPECT_EQ(ov_float_to_sample(std::nanf("")), 0);
}
