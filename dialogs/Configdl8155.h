// The 8155 dialog: whether the one 8155 is connected and at which base port.
// OK writes the live members.
#pragma once

#include "dialogs/ConfigDialog.h"

class C8155ConfigDlg : public CConfigDialog {
    Q_OBJECT
public:
    enum { IDC_CONNECT = 1041, IDC_ADDRESS = 1054 };

    explicit C8155ConfigDlg(QWidget* pParent = nullptr);

protected:
    void OnInitDialog() override;
    void OnOK() override;

private:
    void OnConnect();

    QCheckBox* m_pConnect;
    CConfigEdit* m_pAddress;
};
