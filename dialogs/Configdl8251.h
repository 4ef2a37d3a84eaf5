// The 8251 dialog: up to five serial chips, connected as a prefix, each with
// its base port and the CPU input that its TxRDY line feeds. It edits the
// working copies in g_Sim and writes all five chips back on OK.
#pragma once

#include "dialogs/ConfigDialog.h"

class CChipRadioGroup;

class C8251ConfigDlg : public CConfigDialog {
    Q_OBJECT
public:
    enum {
        IDC_CHIP1 = 1000,  // to 1004
        IDC_CONNECT = 1042,
        IDC_ADDRESS = 1043,
        IDC_IRQ_NONE = 1012,  // the route row, to 1016
    };

    explicit C8251ConfigDlg(QWidget* pParent = nullptr);

    int m_nChip = 0;  // the chip shown, 0 to 4

protected:
    void OnInitDialog() override;
    void OnOK() override;

private:
    void ShowChip(int nChip);
    // Keeps the shown chip's edits in the working copies; false when its
    // address is refused.
    bool SaveChip();
    // Keeps the shown chip's address and route in the working copies;
    // false, after the refusal, when the address holds no digit.
    bool KeepShownChip();
    void EnableControls(bool bEnable);
    void OnChip(int nChip);
    void OnConnect();

    CChipRadioGroup* m_pChips;
    CConnectBox* m_pConnect;
    CConfigEdit* m_pAddress;
    CRouteRow* m_pRoute;
};
