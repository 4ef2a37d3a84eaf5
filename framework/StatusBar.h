// The main window's status bar: six panes. Pane 0 stretches and shows
// prompts, "Ready" and the run texts; panes 1 and 2 are 100 pixels wide for
// the program window's cycle and line counts; panes 3 to 5 are the lock-key
// indicators.
#pragma once

#include <QStatusBar>
#include <QString>
#include <array>

class QLabel;

class CStatusBar : public QStatusBar {
    Q_OBJECT
public:
    static constexpr int kPaneCount = 6;
    static constexpr int kCountPaneWidth = 100;

    explicit CStatusBar(QWidget* parent = nullptr);

    // bUpdate repaints the pane at once, so texts set inside a long loop
    // show without waiting for the event loop.
    void SetPaneText(int nIndex, const QString& text, bool bUpdate = true);
    QString GetPaneText(int nIndex) const;

private:
    std::array<QLabel*, kPaneCount> m_panes{};
};
