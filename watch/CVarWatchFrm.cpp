#include "watch/CVarWatchFrm.h"

QRect CCVarWatchFrm::PlacementFor(const QSize& clientSize) {
    const int w = clientSize.width();
    const int h = clientSize.height();
    return QRect(0, 2 * h / 3 - 3 * h / 20, w / 3, h / 3 - h / 10 + 3 * h / 20);
}
