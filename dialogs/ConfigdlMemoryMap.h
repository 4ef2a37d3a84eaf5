// The memory-map dialog: up to four EPROM and four RAM banks, each connected
// as part of a prefix with a start and an end address. Both types are
// edited in working copies in g_Sim and written back together on OK.
#pragma once

#include "dialogs/ConfigDialog.h"

class CMemoryMapDlg : public CConfigDialog {
    Q_OBJECT
public:
    enum {
        IDC_EPROM = 1032,
        IDC_RAM = 1033,
        IDC_CONNECT1 = 1028,  // to 1031
        IDC_START1 = 1036,    // to 1039
        IDC_END1 = 1040,      // to 1043
    };

    explicit CMemoryMapDlg(QWidget* pParent = nullptr);

    int m_nType = IDC_EPROM;  // the memory type shown

protected:
    void OnInitDialog() override;
    void OnOK() override;

private:
    struct Banks {
        u16* pStart;
        u16* pEnd;
        u8* pCount;
    };
    static Banks WorkBanks(int nType);
    void ShowType(int nType);
    void UpdateBanks(int nCount);
    // Checks and keeps the shown type's connected banks; false, keeping
    // nothing, when one of them is refused.
    bool SaveBanks(int nType);
    void OnType(int nType);
    void OnConnectBank(int nBank);

    QRadioButton* m_pEprom;
    QRadioButton* m_pRam;
    CConnectBox* m_pConnect[kMaxMemBanks];
    CConfigEdit* m_pStart[kMaxMemBanks];
    CConfigEdit* m_pEnd[kMaxMemBanks];
};
