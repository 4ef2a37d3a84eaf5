#include "dialogs/ConfigdlMemoryMap.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/MessageBox.h"

namespace {
constexpr int kAddressDigits = 4;
constexpr const char* kRangeFormat = "Bank#%d : Invalid Address Range\n";
constexpr const char* kRangeCaption = "Error !";

// The live map and the dialog's working copy of it, member by member.
struct MapMember {
    u16 (CSimulator::*pLive)[8];
    u16 (CSimulator::*pWork)[8];
};
constexpr MapMember kMapArrays[] = {
    {&CSimulator::m_EpromStart, &CSimulator::m_WorkEpromStart},
    {&CSimulator::m_EpromEnd, &CSimulator::m_WorkEpromEnd},
    {&CSimulator::m_RamStart, &CSimulator::m_WorkRamStart},
    {&CSimulator::m_RamEnd, &CSimulator::m_WorkRamEnd},
};

enum class Copy { ToWork, ToLive };
template <class T> void Transfer(T* pLive, T* pWork, std::size_t count, Copy direction) {
    if (direction == Copy::ToWork) std::copy_n(pLive, count, pWork);
    else std::copy_n(pWork, count, pLive);
}

void CopyMap(Copy direction) {
    for (const MapMember& member : kMapArrays)
        Transfer(g_Sim.*member.pLive, g_Sim.*member.pWork, kMaxMemBanks, direction);
    Transfer(&g_Sim.m_nEpromBanks, &g_Sim.m_nWorkEpromBanks, 1, direction);
    Transfer(&g_Sim.m_nRamBanks, &g_Sim.m_nWorkRamBanks, 1, direction);
}
}  // namespace

CMemoryMapDlg::CMemoryMapDlg(QWidget* pParent) : CConfigDialog("Memory Map", pParent) {
    QGroupBox* pTypeBox = GroupBox("Select Memory Type");
    m_pEprom = AddRadio(IDC_EPROM, "&EPROM");
    m_pRam = AddRadio(IDC_RAM, "&RAM");
    auto* pTypeLayout = new QHBoxLayout(pTypeBox);
    pTypeLayout->addWidget(m_pEprom);
    pTypeLayout->addWidget(m_pRam);

    QGroupBox* pBanksBox = GroupBox("Connected Memory Banks");
    auto* pGrid = new QGridLayout(pBanksBox);
    pGrid->addWidget(new QLabel(QStringLiteral("Status"), pBanksBox), 0, 1);
    pGrid->addWidget(new QLabel(QStringLiteral("Start Address\n[HEX]"), pBanksBox), 0, 2);
    pGrid->addWidget(new QLabel(QStringLiteral("End Address\n[HEX]"), pBanksBox), 0, 3);
    for (int i = 0; i < kMaxMemBanks; ++i) {
        m_pConnect[i] = AddConnectBox(IDC_CONNECT1 + i, "Connect");
        m_pStart[i] = AddEdit(IDC_START1 + i, true, kAddressDigits);
        m_pEnd[i] = AddEdit(IDC_END1 + i, true, kAddressDigits);
        pGrid->addWidget(new QLabel(QStringLiteral("Bank #%1").arg(i + 1), pBanksBox), i + 1, 0);
        pGrid->addWidget(m_pConnect[i], i + 1, 1);
        pGrid->addWidget(m_pStart[i], i + 1, 2);
        pGrid->addWidget(m_pEnd[i], i + 1, 3);
        connect(m_pConnect[i], &QCheckBox::clicked, this, [this, i] { OnConnectBank(i + 1); });
    }

    auto* pLayout = new QVBoxLayout(this);
    pLayout->addWidget(pTypeBox);
    pLayout->addWidget(pBanksBox);
    pLayout->addLayout(AddOkCancel("OK", "Cancel"));

    connect(m_pEprom, &QRadioButton::clicked, this, [this] { OnType(IDC_EPROM); });
    connect(m_pRam, &QRadioButton::clicked, this, [this] { OnType(IDC_RAM); });
}

CMemoryMapDlg::Banks CMemoryMapDlg::WorkBanks(int nType) {
    if (nType == IDC_RAM) return {g_Sim.m_WorkRamStart, g_Sim.m_WorkRamEnd, &g_Sim.m_nWorkRamBanks};
    return {g_Sim.m_WorkEpromStart, g_Sim.m_WorkEpromEnd, &g_Sim.m_nWorkEpromBanks};
}

void CMemoryMapDlg::OnInitDialog() {
    CopyMap(Copy::ToWork);
    ShowType(IDC_EPROM);
}

void CMemoryMapDlg::ShowType(int nType) {
    m_nType = nType;
    (nType == IDC_RAM ? m_pRam : m_pEprom)->setChecked(true);
    const Banks banks = WorkBanks(nType);
    for (int i = 0; i < kMaxMemBanks; ++i) {
        m_pStart[i]->SetWindowText(QString::number(banks.pStart[i], 16));
        m_pEnd[i]->SetWindowText(QString::number(banks.pEnd[i], 16));
    }
    UpdateBanks(*banks.pCount);
}

void CMemoryMapDlg::UpdateBanks(int nCount) {
    for (int i = 0; i < kMaxMemBanks; ++i) {
        const int state = PrefixBoxState(i, nCount);
        m_pConnect[i]->SetCheck(state);
        m_pStart[i]->setEnabled(state == kConnectTicked);
        m_pEnd[i]->setEnabled(state == kConnectTicked);
    }
    if (nCount > 0) m_pStart[nCount - 1]->setFocus(Qt::TabFocusReason);
}

bool CMemoryMapDlg::SaveBanks(int nType) {
    if (!g_Sim.ValidateHexInput(this, IDC_START1, 4)) return false;
    u16 start[kMaxMemBanks] = {};
    u16 end[kMaxMemBanks] = {};
    for (int i = 0; i < kMaxMemBanks; ++i) {
        if (m_pConnect[i]->GetCheck() != kConnectTicked) continue;
        const std::optional<u32> first = ReadHex(m_pStart[i]);
        const std::optional<u32> last = ReadHex(m_pEnd[i]);
        if (!first || !last) {
            RefuseNotCorrect(first ? m_pEnd[i] : m_pStart[i]);
            return false;
        }
        start[i] = u16(*first);
        end[i] = u16(*last);
        if (end[i] < start[i]) {
            Refuse(m_pEnd[i], QString::asprintf(kRangeFormat, i + 1), QString::fromLatin1(kRangeCaption),
                   MB_ICONEXCLAMATION);
            return false;
        }
    }
    // Banks that are not connected keep what their entries held.
    const Banks banks = WorkBanks(nType);
    for (int i = 0; i < kMaxMemBanks; ++i) {
        if (m_pConnect[i]->GetCheck() != kConnectTicked) continue;
        banks.pStart[i] = start[i];
        banks.pEnd[i] = end[i];
    }
    return true;
}

void CMemoryMapDlg::OnType(int nType) {
    // A refused switch leaves the clicked radio selected over the shown
    // type's fields; the next switch or OK checks them again.
    if (SaveBanks(m_nType)) ShowType(nType);
}

void CMemoryMapDlg::OnConnectBank(int nBank) {
    u8& count = *WorkBanks(m_nType).pCount;
    const int newCount = PrefixCountAfterClick(m_pConnect[nBank - 1]->GetCheck(), nBank - 1, count);
    if (newCount == count) return;
    count = u8(newCount);
    UpdateBanks(count);
}

void CMemoryMapDlg::OnOK() {
    if (!SaveBanks(m_nType)) return;
    CopyMap(Copy::ToLive);
    EndDialogOK();
}
