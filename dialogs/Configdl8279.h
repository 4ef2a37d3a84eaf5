// The 8279 dialog: whether the keyboard and display controller is connected,
// its base port, the CPU input its interrupt line feeds, and the segment-code
// table that tells the I/O watch which characters a display byte shows.
// OK writes the live members; Delete clears a table entry at once.
#pragma once

#include "dialogs/ConfigDialog.h"

class QListWidget;

class C8279ConfigDlg : public CConfigDialog {
    Q_OBJECT
public:
    enum {
        IDC_CONNECT = 1060,
        IDC_ADDRESS = 1008,
        IDC_CODE = 1009,
        IDC_CHAR = 1010,
        IDC_TABLE = 1016,
        IDC_ADD = 1017,
        IDC_DELETE = 1018,
        IDC_IRQ_NONE = 1019,  // the route row, to 1023
    };

    explicit C8279ConfigDlg(QWidget* pParent = nullptr);

protected:
    void OnInitDialog() override;
    void OnOK() override;

private:
    void OnAddEntry();
    void OnDeleteEntry();
    void OnSelChangeTable();
    void OnConnect();
    void EnableControls(bool bEnable);
    // Inserts a line where the list's case-blind sort order puts it.
    void AddString(const QString& line);
    void DeleteString(int row);

    QCheckBox* m_pConnect;
    CConfigEdit* m_pAddress;
    CConfigEdit* m_pCode;
    CConfigEdit* m_pChar;
    QListWidget* m_pTable;
    QPushButton* m_pAdd;
    QPushButton* m_pDelete;
    CRouteRow* m_pRoute;
};
