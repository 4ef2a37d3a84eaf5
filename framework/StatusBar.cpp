#include "framework/StatusBar.h"

#include <QLabel>

namespace {
// The lock-key indicators show their texts greyed: Qt offers no way to read
// the state of the lock keys.
constexpr const char* kIndicatorTexts[] = {"CAP", "NUM", "SCRL"};
constexpr int kFirstIndicator = 3;
}  // namespace

CStatusBar::CStatusBar(QWidget* parent) : QStatusBar(parent) {
    setSizeGripEnabled(true);
    for (int i = 0; i < kPaneCount; ++i) {
        auto* pPane = new QLabel(this);
        pPane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        pPane->setTextFormat(Qt::PlainText);
        m_panes[static_cast<std::size_t>(i)] = pPane;
    }
    m_panes[0]->setFrameStyle(QFrame::NoFrame);
    m_panes[0]->setText(QStringLiteral("Ready"));
    addWidget(m_panes[0], 1);
    for (int i = 1; i < kFirstIndicator; ++i) {
        m_panes[static_cast<std::size_t>(i)]->setFixedWidth(kCountPaneWidth);
        addPermanentWidget(m_panes[static_cast<std::size_t>(i)]);
    }
    for (int i = kFirstIndicator; i < kPaneCount; ++i) {
        QLabel* pPane = m_panes[static_cast<std::size_t>(i)];
        pPane->setText(QString::fromLatin1(kIndicatorTexts[i - kFirstIndicator]));
        pPane->setEnabled(false);
        addPermanentWidget(pPane);
    }
}

void CStatusBar::SetPaneText(int nIndex, const QString& text, bool bUpdate) {
    if (nIndex < 0 || nIndex >= kPaneCount) return;
    QLabel* pPane = m_panes[static_cast<std::size_t>(nIndex)];
    pPane->setText(text);
    if (bUpdate) pPane->repaint();
}

QString CStatusBar::GetPaneText(int nIndex) const {
    if (nIndex < 0 || nIndex >= kPaneCount) return QString();
    return m_panes[static_cast<std::size_t>(nIndex)]->text();
}
