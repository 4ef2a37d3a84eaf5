#include "app/Brixcfrm.h"

namespace {
constexpr double kHeightFraction = 0.45;
}

CTorvanFrm::CTorvanFrm(QWidget* parent) : CMDIChildWnd(parent) {
    // The program window cannot be minimised.
    setWindowFlags(windowFlags() & ~Qt::WindowMinimizeButtonHint);
}

QRect CTorvanFrm::PlacementFor(const QSize& clientSize) {
    const int width = clientSize.width() * 2 / 3;
    const int height = static_cast<int>(clientSize.height() * kHeightFraction);
    return QRect(0, 0, width, height);
}

void CTorvanFrm::PreCreateWindow(const QSize& clientSize) { setGeometry(PlacementFor(clientSize)); }
