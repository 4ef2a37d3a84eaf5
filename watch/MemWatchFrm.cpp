#include "watch/MemWatchFrm.h"

namespace {
constexpr double kTopFraction = 0.45;
constexpr double kHeightFraction = 0.225;
}  // namespace

QRect CMemWatchFrm::PlacementFor(const QSize& clientSize) {
    return FullWidthBand(clientSize, kTopFraction, kHeightFraction);
}
