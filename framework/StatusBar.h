// The main window's status bar: six panes. Pane 0 stretches and shows
// prompts, "Ready" and the run texts; panes 1 and 2 are at least 100 pixels
// wide, and wider when their text needs it, for the program window's cycle
// and line counts; panes 3 to 5 are the lock-key indicators.
#pragma once

#include <QStatusBar>
#include <QString>
#include <array>
#include <functional>
#include <optional>

#include "platform/LockKeys.h"

class QLabel;

class CStatusBar : public QStatusBar {
    Q_OBJECT
public:
    static constexpr int kPaneCount = 6;
    static constexpr int kMessagePane = 0;
    // What the message pane shows while nothing else is to be said.
    static constexpr const char* kIdleText = "Ready";
    static constexpr int kCountPaneWidth = 100;
    static constexpr int kFirstIndicator = 3;
    // How often the lock keys are read: they may change in another window.
    static constexpr int kIndicatorIntervalMs = 200;

    using LockKeyReader = std::function<std::optional<LockKeyState>()>;

    explicit CStatusBar(QWidget* parent = nullptr);

    // bUpdate repaints the pane at once, so texts set inside a long loop
    // show without waiting for the event loop.
    void SetPaneText(int nIndex, const QString& text, bool bUpdate = true);
    QString GetPaneText(int nIndex) const;
    // Whether a pane's text shows in the normal colour, not greyed.
    bool IsPaneEnabled(int nIndex) const;

    // Tests give the lock keys' state instead of the platform's reader.
    void SetLockKeyReader(LockKeyReader reader);
    // Shows the lock keys as they stand now.
    void UpdateIndicators();

private:
    std::array<QLabel*, kPaneCount> m_panes{};
    LockKeyReader m_readLockKeys = ReadLockKeys;
};
