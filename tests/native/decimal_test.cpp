// Decimal formatting and parsing against the C library, which they stand in for in the setup.
#include "core/decimal.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>

namespace {

std::string Printf(double value, int decimals) {
    char text[400];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

} // namespace

TEST(Decimal, FormatsAsPrintfDoes) {
    const double edges[] = {0,      -0.0,  0.125,  0.375,         2.5,
                            0.005,  0.015, 9.995,  -0.001,        1e-300,
                            4e-324, 1e22,  1e300,  123456789.125, 9007199254740993.0,
                            465.76, 7.456, 75.881, -0.009,        0.045,
                            1.0 / 3};
    for (const double v : edges)
        for (int decimals = 0; decimals <= 3; ++decimals)
            EXPECT_EQ(core::FormatFixed(v, decimals), Printf(v, decimals)) << v << " " << decimals;

    std::mt19937_64 random(7);
    for (int i = 0; i < 20000; ++i) {
        // Sizes of disks in gigabytes, and values that sit exactly on a tie.
        const double v = i % 2 ? std::ldexp(double(random() % 100000000), -int(random() % 30))
                               : double(random() % 4000000000000) / (1024.0 * 1024 * 1024);
        const int decimals = int(random() % 4);
        ASSERT_EQ(core::FormatFixed(v, decimals), Printf(v, decimals)) << v << " " << decimals;
    }
}

TEST(Decimal, ParsesAsStrtodDoes) {
    const char* texts[] = {"0",
                           "75.9",
                           "75.9 GB",
                           "-0.01",
                           "+2.5",
                           "280",
                           "2.80e2",
                           "1E-5",
                           "0.0001",
                           "00120",
                           ".5",
                           "5.",
                           "1e",
                           "1e+",
                           "abc",
                           "",
                           "-",
                           "9007199254740993",
                           "0.1234567890123456789",
                           "1e23",
                           "123e-30",
                           "4.9e-324",
                           "1e400"};
    for (const char* text : texts)
        EXPECT_EQ(core::ParseDecimal(text), std::strtod(text, nullptr)) << text;

    std::mt19937_64 random(11);
    for (int i = 0; i < 20000; ++i) {
        std::string text = std::to_string(random() % 1000000000000000);
        text.insert(random() % (text.size() + 1), ".");
        if (i % 3 == 0) text += "e" + std::to_string(int(random() % 60) - 30);
        ASSERT_EQ(core::ParseDecimal(text), std::strtod(text.c_str(), nullptr)) << text;
    }
}
