#include "core/footer.h"
#include "core/gradient.h"

#include <gtest/gtest.h>

#include <map>

namespace {

void ExpectContiguous(const std::vector<core::GradientBand>& bands, int height) {
    ASSERT_EQ(bands.size(), 256u);
    EXPECT_EQ(bands.front().top, 0);
    EXPECT_EQ(bands.front().blue, 255);
    EXPECT_EQ(bands.back().blue, 0);
    EXPECT_EQ(bands.back().bottom, height);
    for (size_t i = 1; i < bands.size(); ++i) {
        EXPECT_EQ(bands[i].top, bands[i - 1].bottom) << "band " << i;
        EXPECT_EQ(bands[i].blue, bands[i - 1].blue - 1);
    }
}

std::map<int, int> HeightCounts(const std::vector<core::GradientBand>& bands) {
    std::map<int, int> counts;
    for (const auto& band : bands)
        ++counts[band.bottom - band.top];
    return counts;
}

} // namespace

TEST(Gradient, ClientHeight768GivesBandsOfThree) {
    const auto bands = core::GradientBands(768);
    ExpectContiguous(bands, 768);
    EXPECT_EQ(HeightCounts(bands), (std::map<int, int>{{3, 256}}));
}

TEST(Gradient, ClientHeight1000MixesFoursAndThreesRoundingHalvesToEven) {
    const auto bands = core::GradientBands(1000);
    ExpectContiguous(bands, 1000);
    EXPECT_EQ(HeightCounts(bands), (std::map<int, int>{{3, 24}, {4, 232}}));
    // Edges fall on multiples of 3.90625: 62.5 rounds down to 62, 187.5 up to 188 (halves to even).
    EXPECT_EQ(bands[16].top, 62);
    EXPECT_EQ(bands[48].top, 188);
}

TEST(Footer, RightLabelKeeps32PixelsFromTheRightEdge) {
    const struct {
        int footer, label, left;
    } cases[] = {{1024, 200, 792}, {1920, 200, 1688}, {640, 300, 308}, {100, 200, -132}};
    for (const auto& c : cases) {
        EXPECT_EQ(core::FooterRightLabelLeft(c.footer, c.label), c.left);
        EXPECT_EQ(c.footer - (c.left + c.label), 32);
    }
}
