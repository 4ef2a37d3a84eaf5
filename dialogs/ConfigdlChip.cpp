#include "dialogs/ConfigdlChip.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

int g_nChipDlgKind = kChipDlg8255;

namespace {
constexpr const char* kChipLabels[kMaxChips] = {"Chip #1", "Chip #2", "Chip #3", "Chip #4", "Chip #5"};

struct ChipKind {
    const char* caption;
    u8 CSimulator::*pWorkCount;
    u8 CSimulator::*pCount;
    u8 (CSimulator::*pAddress)[kMaxChips];
};
const ChipKind kKinds[] = {
    {"8253 Configuration", &CSimulator::m_nWork8253Count, &CSimulator::m_n8253Count, &CSimulator::m_8253Address},
    {"8255 Configuration", &CSimulator::m_nWork8255Count, &CSimulator::m_n8255Count, &CSimulator::m_8255Address},
};
const ChipKind& Kind() { return kKinds[g_nChipDlgKind == kChipDlg8253 ? kChipDlg8253 : kChipDlg8255]; }
}  // namespace

CChipConfigDlg::CChipConfigDlg(QWidget* pParent) : CConfigDialog("8255 Configuration", pParent) {
    QGroupBox* pInfo = GroupBox("Peripheral Information");
    auto* pGrid = new QGridLayout(pInfo);
    pGrid->addWidget(new QLabel(QStringLiteral("Status"), pInfo), 0, 1);
    pGrid->addWidget(new QLabel(QStringLiteral("Address [HEX]"), pInfo), 0, 2);
    for (int i = 0; i < kMaxChips; ++i) {
        m_pConnect[i] = AddConnectBox(IDC_CONNECT1 + i, "Connect");
        m_pAddress[i] = AddPortEdit(IDC_ADDRESS1 + i);
        pGrid->addWidget(new QLabel(QString::fromLatin1(kChipLabels[i]), pInfo), i + 1, 0);
        pGrid->addWidget(m_pConnect[i], i + 1, 1);
        pGrid->addWidget(m_pAddress[i], i + 1, 2);
        connect(m_pConnect[i], &QCheckBox::clicked, this, [this, i] { OnConnect(i); });
    }
    auto* pLayout = new QVBoxLayout(this);
    pLayout->addWidget(pInfo);
    pLayout->addLayout(AddOkCancel("&Ok", "Cancel"));
}

u8& CChipConfigDlg::WorkCount() const { return g_Sim.*Kind().pWorkCount; }

void CChipConfigDlg::OnInitDialog() {
    const ChipKind& kind = Kind();
    WorkCount() = g_Sim.*kind.pCount;
    setWindowTitle(QString::fromLatin1(kind.caption));
    for (int i = 0; i < kMaxChips; ++i) m_pAddress[i]->SetWindowText(QString::number((g_Sim.*kind.pAddress)[i], 16));
    UpdateChips();
}

void CChipConfigDlg::UpdateChips() {
    const int count = WorkCount();
    for (int i = 0; i < kMaxChips; ++i) {
        const int state = PrefixBoxState(i, count);
        m_pConnect[i]->SetCheck(state);
        m_pAddress[i]->setEnabled(state == kConnectTicked);
    }
    if (count > 0) m_pAddress[count - 1]->setFocus(Qt::TabFocusReason);
}

void CChipConfigDlg::OnConnect(int nChip) {
    const int count = PrefixCountAfterClick(m_pConnect[nChip]->GetCheck(), nChip, WorkCount());
    if (count == WorkCount()) return;
    WorkCount() = u8(count);
    UpdateChips();
}

void CChipConfigDlg::OnOK() {
    UpdateData();
    if (!g_Sim.ValidateHexInput(this, IDC_ADDRESS1, 1)) return;
    // Every connected chip's address is read before anything is stored.
    const int count = WorkCount();
    u8 addresses[kMaxChips];
    for (int i = 0; i < count; ++i) {
        const std::optional<u32> address = ReadHex(m_pAddress[i]);
        if (!address) {
            RefuseNotCorrect(m_pAddress[i]);
            return;
        }
        addresses[i] = u8(*address);
    }
    const ChipKind& kind = Kind();
    g_Sim.*kind.pCount = u8(count);
    // Chips beyond the count keep their old addresses.
    for (int i = 0; i < count; ++i) (g_Sim.*kind.pAddress)[i] = addresses[i];
    g_Sim.OnConfigChanged();
    EndDialogOK();
}
