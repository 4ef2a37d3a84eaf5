#include "app/SplashDlg.h"

#include <QPainter>
#include <QWidget>

namespace {
constexpr const char* kPictureResource = ":/bitmaps/118";

// The owner-drawn button that covers the whole box and shows the picture;
// without a picture among the resources it stays blank.
class SplashPicture : public QWidget {
public:
    explicit SplashPicture(QWidget* parent) : QWidget(parent), m_picture(QString::fromLatin1(kPictureResource)) {}

protected:
    void paintEvent(QPaintEvent*) override {
        if (m_picture.isNull()) return;
        QPainter painter(this);
        painter.drawPixmap(QRect(0, 0, CSplashDlg::kPictureWidth, CSplashDlg::kPictureHeight), m_picture);
    }

private:
    QPixmap m_picture;
};
}  // namespace

CSplashDlg::CSplashDlg(QWidget* parent) : QDialog(parent, Qt::SplashScreen) {
    setFixedSize(kPictureWidth, kPictureHeight);
    auto* pPicture = new SplashPicture(this);
    pPicture->setObjectName(QString::number(IDC_PICTURE));
    pPicture->setGeometry(rect());
    m_timer.setInterval(kShowMs);
    connect(&m_timer, &QTimer::timeout, this, [this] { OnTimer(kTimerId); });
}

void CSplashDlg::showEvent(QShowEvent* pEvent) {
    OnInitDialog();
    QDialog::showEvent(pEvent);
}

bool CSplashDlg::OnInitDialog() {
    m_timer.start();
    return true;
}

void CSplashDlg::OnTimer(int nIDEvent) {
    if (nIDEvent != kTimerId) return;
    m_timer.stop();
    done(1);
}
