#include "watch/IOWatchFrm.h"

namespace {
constexpr double kTopFraction = 0.675;
constexpr double kHeightFraction = 0.225;
}  // namespace

QRect CIOWatchFrm::PlacementFor(const QSize& clientSize) {
    return FullWidthBand(clientSize, kTopFraction, kHeightFraction);
}
