// The GATE inputs of the three counters of one 8253. OK stores the chosen
// chip's gates, then lets every counter of every configured 8253 react by
// its mode, a rising edge measured against the levels when the dialog
// opened.
#pragma once

#include <QDialog>
#include <array>

#include "sim/Simulator.h"

class CChipRadioGroup;
class QCheckBox;

class C8253InpDlg : public QDialog {
    Q_OBJECT
public:
    enum { IDC_GATE0 = 1159, IDC_CHIP1 = 1162 };
    static constexpr int kCounters = 3;
    static constexpr int kSlots = kCounters * kMaxChips;

    explicit C8253InpDlg(QWidget* parent = nullptr);
    // Rejected at once, after the message, when no 8253 is connected.
    int DoModal();

    int m_nChip = -1;
    int m_bGate0 = 0, m_bGate1 = 0, m_bGate2 = 0;
    u8 m_oldGate[kSlots] = {};

    CChipRadioGroup* ChipRadios() const { return m_pChips; }
    QCheckBox* GateBox(int counter) const { return m_gateBoxes[std::size_t(counter)]; }

    void LoadChipGates();
    void UpdateGateLabels();
    void ApplyGates();

public slots:
    void accept() override;

private:
    bool OnInitDialog();
    void OnGate();
    void UpdateData(bool bSaveAndValidate);
    int& Gate(int counter);
    int SlotCount() const;

    CChipRadioGroup* m_pChips;
    std::array<QCheckBox*, kCounters> m_gateBoxes{};
};
