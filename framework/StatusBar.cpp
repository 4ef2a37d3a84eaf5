#include "framework/StatusBar.h"

#include <QLabel>
#include <QTimer>

namespace {
constexpr const char* kIndicatorTexts[] = {"CAP", "NUM", "SCRL"};
constexpr int kIndicatorCount = 3;
}  // namespace

CStatusBar::CStatusBar(QWidget* parent) : QStatusBar(parent) {
    setSizeGripEnabled(true);
    for (int i = 0; i < kPaneCount; ++i) {
        auto* pPane = new QLabel(this);
        pPane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        pPane->setTextFormat(Qt::PlainText);
        m_panes[i] = pPane;
    }
    QLabel* pMessage = m_panes[kMessagePane];
    pMessage->setFrameStyle(QFrame::NoFrame);
    pMessage->setText(QString::fromLatin1(kIdleText));
    addWidget(pMessage, 1);
    for (int i = 1; i < kFirstIndicator; ++i) {
        // A count never shows cut: the pane grows with its text.
        m_panes[i]->setMinimumWidth(kCountPaneWidth);
        addPermanentWidget(m_panes[i]);
    }
    for (int i = 0; i < kIndicatorCount; ++i) {
        QLabel* pPane = m_panes[kFirstIndicator + i];
        // Room for the text whether or not it shows.
        pPane->setText(QString::fromLatin1(kIndicatorTexts[i]));
        pPane->setMinimumWidth(pPane->sizeHint().width());
        addPermanentWidget(pPane);
    }
    UpdateIndicators();
    auto* pTimer = new QTimer(this);
    connect(pTimer, &QTimer::timeout, this, &CStatusBar::UpdateIndicators);
    pTimer->start(kIndicatorIntervalMs);
}

void CStatusBar::SetLockKeyReader(LockKeyReader reader) {
    m_readLockKeys = std::move(reader);
    UpdateIndicators();
}

void CStatusBar::UpdateIndicators() {
    const std::optional<LockKeyState> state = m_readLockKeys ? m_readLockKeys() : std::nullopt;
    const bool bOn[kIndicatorCount] = {state && state->bCaps, state && state->bNum, state && state->bScroll};
    for (int i = 0; i < kIndicatorCount; ++i) {
        QLabel* pPane = m_panes[kFirstIndicator + i];
        // Where the state is known an indicator shows its text while its
        // key is on and nothing while it is off; where it is not, all three
        // stay greyed.
        const QString text = !state || bOn[i] ? QString::fromLatin1(kIndicatorTexts[i]) : QString();
        if (pPane->text() != text) pPane->setText(text);
        pPane->setEnabled(state.has_value());
    }
}

void CStatusBar::SetPaneText(int nIndex, const QString& text, bool bUpdate) {
    if (nIndex < 0 || nIndex >= kPaneCount) return;
    QLabel* pPane = m_panes[nIndex];
    pPane->setText(text);
    if (bUpdate) pPane->repaint();
}

QString CStatusBar::GetPaneText(int nIndex) const {
    if (nIndex < 0 || nIndex >= kPaneCount) return QString();
    return m_panes[nIndex]->text();
}

bool CStatusBar::IsPaneEnabled(int nIndex) const {
    return nIndex >= 0 && nIndex < kPaneCount && m_panes[nIndex]->isEnabled();
}
