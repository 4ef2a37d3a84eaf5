// The LCD dialog: whether the character LCD is connected, its base port and
// its logical and physical characters per line. OK writes the live members.
#pragma once

#include "dialogs/ConfigDialog.h"

class CLcdConfigDlg : public CConfigDialog {
    Q_OBJECT
public:
    enum { IDC_CONNECT = 1005, IDC_ADDRESS = 1006, IDC_LOGICAL = 1025, IDC_PHYSICAL = 1026 };

    // The widest line the LCD shows; when the logical and physical widths
    // differ, a shown line joins two logical lines, so each is at most half.
    static constexpr int kMaxPhysical = CSimulator::kLcdTextChars;
    static constexpr int kMaxJoinedLogical = CSimulator::kLcdTextChars / 2;

    explicit CLcdConfigDlg(QWidget* pParent = nullptr);

protected:
    void OnInitDialog() override;
    void OnOK() override;

private:
    void OnConnect();
    void EnableFields(bool bEnable);

    QCheckBox* m_pConnect;
    CConfigEdit* m_pAddress;
    CConfigEdit* m_pLogical;
    CConfigEdit* m_pPhysical;
};
