#include "watch/GetIOWatchDlg.h"

#include <QListWidget>
#include <QVBoxLayout>
#include <cstdio>

#include "dialogs/DialogButtons.h"
#include "periph/InterruptRoutes.h"
#include "watch/IOWatchKinds.h"

CGetIOWatchDlg::CGetIOWatchDlg(QWidget* parent) : QDialog(parent), m_pList(new QListWidget(this)) {
    setWindowTitle(QStringLiteral("Add IO Watch."));
    m_pList->setObjectName(QStringLiteral("choices"));
    auto* pLayout = new QVBoxLayout(this);
    pLayout->addWidget(m_pList);
    pLayout->addWidget(CreateDialogButtons(this));
}

int CGetIOWatchDlg::DoModal() {
    OnInitDialog();
    return exec();
}

void CGetIOWatchDlg::OnInitDialog() { FillList(); }

void CGetIOWatchDlg::AddChoice(const char* name, u32 kind, u32 index) {
    if (m_nChoiceCount >= kMaxChoices) return;
    std::snprintf(m_szChoiceName[m_nChoiceCount], kNameSize, "%s", name);
    m_nChoiceKind[m_nChoiceCount] = kind;
    m_nChoiceIndex[m_nChoiceCount] = index;
    m_pList->addItem(QString::fromLatin1(m_szChoiceName[m_nChoiceCount]));
    ++m_nChoiceCount;
}

void CGetIOWatchDlg::FillList() {
    m_nChoiceCount = 0;
    m_pList->clear();
    if (g_Sim.m_b8279Connected) AddChoice("8279", IOWatchKind::k8279, 0);
    if (g_Sim.m_b8155Connected) AddChoice("8155", IOWatchKind::k8155, 0);
    if (g_Sim.m_bLcdConnected) {
        char name[kNameSize];
        for (int line = 1; line <= CSimulator::kLcdLines; ++line) {
            std::snprintf(name, sizeof name, "LCD Line #%d", line);
            AddChoice(name, IOWatchKind::LcdLine(line), 0);
        }
    }
    const struct {
        u16 kind;
        u8 count;
    } chips[] = {{IOWatchKind::k8255, g_Sim.m_n8255Count},
                 {IOWatchKind::k8251, g_Sim.m_n8251Count},
                 {IOWatchKind::k8253, g_Sim.m_n8253Count}};
    for (const auto& chip : chips) {
        for (int k = 0; k < PresentChips(chip.count); ++k) {
            char name[kNameSize];
            std::snprintf(name, sizeof name, "%d # %d", int(chip.kind), k + 1);
            AddChoice(name, chip.kind, u32(k));
        }
    }
}

void CGetIOWatchDlg::accept() {
    if (m_nChoiceCount == 0) return reject();
    const int row = m_pList->currentRow();
    const int chosen = row >= 0 && row < m_nChoiceCount && m_pList->item(row)->isSelected() ? row : 0;
    m_nKind = m_nChoiceKind[chosen];
    m_nIndex = m_nChoiceIndex[chosen];
    m_bValid = 1;
    QDialog::accept();
}
