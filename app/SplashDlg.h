// The timed splash box: a picture that closes itself after three seconds.
// The application does not show it; it is kept for a start-up picture.
#pragma once

#include <QDialog>
#include <QPixmap>
#include <QTimer>

class CSplashDlg : public QDialog {
    Q_OBJECT
public:
    enum { IDC_PICTURE = 1140, IDB_SPLASH = 118 };
    static constexpr int kTimerId = 1;
    static constexpr int kShowMs = 3000;
    static constexpr int kPictureWidth = 260;
    static constexpr int kPictureHeight = 230;

    explicit CSplashDlg(QWidget* parent = nullptr);

    // Starts the timer that ends the box.
    bool OnInitDialog();
    // The timer's tick: stops it and ends the box with result 1.
    void OnTimer(int nIDEvent);

    QTimer m_timer;

protected:
    void showEvent(QShowEvent* pEvent) override;
};
