// The state a command-state handler gives one command: enabled, checked and,
// for items whose text follows the machine's configuration, a live text.
// One object is filled per command on every refresh and then applied to the
// command's one QAction, so menus, toolbar and keys always agree.
#pragma once

#include <QString>

class CCmdUI {
public:
    explicit CCmdUI(int nID) : m_nID(nID) {}

    void Enable(bool bOn = true) { m_bEnabled = bOn; }
    // 0 = no check mark, 1 = checked.
    void SetCheck(int nCheck = 1) { m_nCheck = nCheck != 0 ? 1 : 0; }
    void SetText(const QString& text) {
        m_strText = text;
        m_bTextSet = true;
    }

    int m_nID;
    bool m_bEnabled = true;
    int m_nCheck = -1;  // -1: the handler left the check mark alone
    QString m_strText;
    bool m_bTextSet = false;
};
