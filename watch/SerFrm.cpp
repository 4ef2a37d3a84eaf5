#include "watch/SerFrm.h"

QRect CSerFrm::PlacementFor(const QSize& clientSize) {
    const int w = clientSize.width();
    const int h = clientSize.height();
    return QRect(2 * w / 3, 0, w / 3, h - h / 10);
}
