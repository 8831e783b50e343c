#include "gradient.h"

#include <cmath>

namespace core {

std::vector<GradientBand> GradientBands(int clientHeight) {
    std::vector<GradientBand> bands;
    bands.reserve(256);
    const double step = clientHeight / 256.0;
    double y = 0;
    for (int i = 255; i >= 0; --i) {
        // nearbyint rounds halves to the even neighbour under the default rounding mode.
        bands.push_back({static_cast<int>(std::nearbyint(y)), static_cast<int>(std::nearbyint(y + step)),
                         static_cast<unsigned char>(i)});
        y += step;
    }
    return bands;
}

} // namespace core
