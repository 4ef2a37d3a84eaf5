#include "watch/MemWatchFrm.h"

namespace {
constexpr double kTopFraction = 0.45;
constexpr double kHeightFraction = 0.225;
}  // namespace

QRect CMemWatchFrm::PlacementFor(const QSize& clientSize) {
    const int w = clientSize.width();
    const int h = clientSize.height();
    return QRect(0, static_cast<int>(h * kTopFraction), w, static_cast<int>(h * kHeightFraction));
}
