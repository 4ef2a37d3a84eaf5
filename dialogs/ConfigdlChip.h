// The chip-address dialog shared by the 8253 timers and the 8255 parallel
// ports: up to five chips connected as a prefix, each at a base port. The
// chip count is edited in a working copy; OK stores it with the addresses
// of the connected chips.
#pragma once

#include "dialogs/ConfigDialog.h"

// Which chips the dialog edits; the menu command sets it before the dialog
// opens.
enum ChipDlgKind : int { kChipDlg8253 = 0, kChipDlg8255 = 1 };
extern int g_nChipDlgKind;

class CChipConfigDlg : public CConfigDialog {
    Q_OBJECT
public:
    enum { IDC_CONNECT1 = 1055, IDC_ADDRESS1 = 1031 };  // to 1059 and 1035

    explicit CChipConfigDlg(QWidget* pParent = nullptr);

protected:
    void OnInitDialog() override;
    void OnOK() override;

private:
    void UpdateChips();
    void OnConnect(int nChip);
    u8& WorkCount() const;

    CConnectBox* m_pConnect[kMaxChips];
    CConfigEdit* m_pAddress[kMaxChips];
};
