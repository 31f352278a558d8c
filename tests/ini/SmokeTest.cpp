#include <gtest/gtest.h>
TEST(Smoke, Japanese) { EXPECT_EQ(sizeof("出力"), 5u); }
