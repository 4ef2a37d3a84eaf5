#include "watch/IOWatchFrm.h"

namespace {
constexpr double kTopFraction = 0.675;
constexpr double kHeightFraction = 0.225;
}  // namespace

QRect CIOWatchFrm::PlacementFor(const QSize& clientSize) {
    const int w = clientSize.width();
    const int h = clientSize.height();
    return QRect(0, static_cast<int>(h * kTopFraction), w, static_cast<int>(h * kHeightFraction));
}
