#include "watch/ChpMemWatchFrm.h"

#include <QStyle>

QRect CChpMemWatchFrm::PlacementFor(const QSize& clientSize) const {
    const int w = clientSize.width();
    const int h = clientSize.height();
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    const int frame = style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, this);
    return QRect(2 * w / 25, 2 * h / 3 - h / 20, w, h / 3 - scrollBar - scrollBar - frame);
}
