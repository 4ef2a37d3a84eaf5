#include "timing/TimeWndFrm.h"

#include <QMdiArea>
#include <QStyle>
#include <algorithm>

#include "timing/NewTime85View.h"

const char* const CTimeWndFrm::kTitle =
    "Timing Diagram Window (Shows the timing diagram for last executed instruction)";

namespace {
// A new child window's default: three quarters of the client area, placed
// one title bar further down and right than the window before it, back at
// the corner when it would no longer fit.
constexpr int kDefaultShareNum = 3;
constexpr int kDefaultShareDen = 4;
}  // namespace

CTimeWndFrm::CTimeWndFrm(QWidget* parent) : CMDIChildWnd(parent) {
    // The title stands alone, without the document's name.
    setWindowTitle(QString::fromLatin1(kTitle));
}

void CTimeWndFrm::PreCreateWindow(const QSize& clientSize) {
    QSize size(clientSize.width() * kDefaultShareNum / kDefaultShareDen,
               clientSize.height() * kDefaultShareNum / kDefaultShareDen);
    // Taller where the client area allows: the rows that tell the cycles
    // apart (WR, CS, S0, S1) are the last, above the time axis.
    if (const auto* pView = qobject_cast<const CNewTime85View*>(widget())) {
        const QMargins frame = contentsMargins();
        const int whole = pView->HeightShowingDiagram() + frame.top() + frame.bottom();
        size.setHeight(std::max(size.height(), std::min(whole, clientSize.height())));
    }
    const int step = std::max(1, style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this));
    const int room = std::min(clientSize.width() - size.width(), clientSize.height() - size.height());
    const int positions = std::max(1, room / step + 1);
    const int others = mdiArea() != nullptr ? int(mdiArea()->subWindowList().size()) - 1 : 0;
    const int offset = step * (std::max(0, others) % positions);
    setGeometry(QRect(QPoint(offset, offset), size));
}
