#pragma once
#include <vector>

namespace core {

struct GradientBand {
    int top;
    int bottom;         // exclusive
    unsigned char blue; // the band's colour is RGB(0, 0, blue)
};

// The backdrop's 256 bands from pure blue at the top to black at the bottom. Band edges are the
// running sum of height/256 rounded half to even, so neighbours neither overlap nor leave a gap.
std::vector<GradientBand> GradientBands(int clientHeight);

} // namespace core
