// The 8253 Timers dialog: for each counter of the five 8253 chips, its
// prescaler (CPU clock states per counter clock) and the CPU input its
// output feeds. It edits working copies and writes all fifteen counters'
// slots back on OK.
#pragma once

#include "dialogs/ConfigDialog.h"

class CChipRadioGroup;
class QButtonGroup;

class C8253TimerDlg : public CConfigDialog {
    Q_OBJECT
public:
    enum {
        IDC_CHIP1 = 1092,   // to 1096
        IDC_TIMER1 = 1097,  // to 1099
        IDC_PRESCALER = 1074,
        IDC_IRQ_NONE = 1101,  // the route row, to 1105
    };
    static constexpr int kCounters = 3;
    static constexpr int kSlots = kMaxChips * kCounters;

    explicit C8253TimerDlg(QWidget* pParent = nullptr);

    int m_nTimer = 0;  // the slot shown, 0 to 14

protected:
    void OnInitDialog() override;
    void OnOK() override;

private:
    void ShowTimer(int nSlot);
    // Keeps the shown counter's edits in the working copies; false when its
    // prescaler is refused.
    bool SaveTimer();
    void OnChip(int nChip);
    void OnTimerNo(int nCounter);

    CChipRadioGroup* m_pChips;
    QButtonGroup* m_pTimers;
    CConfigEdit* m_pPrescaler;
    CRouteRow* m_pRoute;
};
