#include "watch/MRegFrm.h"

namespace {
constexpr double kHeightFraction = 0.45;
}

QRect CMRegFrm::PlacementFor(const QSize& clientSize) {
    const int w = clientSize.width();
    const int h = clientSize.height();
    return QRect(w * 2 / 3, 0, w / 3, static_cast<int>(h * kHeightFraction));
}
