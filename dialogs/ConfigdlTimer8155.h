// The 8155 Timer dialog: the prescaler of the 8155's timer (CPU clock states
// per timer clock) and the CPU input its output feeds. OK writes them to
// timer slot 15.
#pragma once

#include "dialogs/ConfigDialog.h"

class C8155TimerDlg : public CConfigDialog {
    Q_OBJECT
public:
    enum { IDC_PRESCALER = 1064, IDC_IRQ_NONE = 1019 };  // the route row to 1023
    static constexpr int kSlot = kTimerSlots - 1;

    explicit C8155TimerDlg(QWidget* pParent = nullptr);

protected:
    void OnInitDialog() override;
    void OnOK() override;

private:
    CConfigEdit* m_pPrescaler;
    CRouteRow* m_pRoute;
};
