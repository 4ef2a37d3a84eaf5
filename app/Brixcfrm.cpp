#include "app/Brixcfrm.h"

#include <QCloseEvent>

#include "app/Brixcvw.h"

namespace {
constexpr double kHeightFraction = 0.45;
}

CTorvanFrm::CTorvanFrm(QWidget* parent) : QMdiSubWindow(parent) {
    // The program window cannot be minimised.
    setWindowFlags(windowFlags() & ~Qt::WindowMinimizeButtonHint);
}

QRect CTorvanFrm::PlacementFor(const QSize& clientSize) {
    const int width = clientSize.width() * 2 / 3;
    const int height = static_cast<int>(clientSize.height() * kHeightFraction);
    return QRect(0, 0, width, height);
}

void CTorvanFrm::PreCreateWindow(const QSize& clientSize) { setGeometry(PlacementFor(clientSize)); }

void CTorvanFrm::closeEvent(QCloseEvent* event) {
    QMdiSubWindow::closeEvent(event);
    if (!event->isAccepted()) return;
    if (auto* pView = qobject_cast<CTorvanView*>(widget())) pView->OnDestroy();
}
