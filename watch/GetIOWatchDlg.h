// "Add IO Watch.": the configured peripherals to choose a new I/O watch
// from, the 8279, the 8155 and the four LCD lines first, then the 8255,
// 8251 and 8253 chips in order. OK with nothing chosen takes the first.
#pragma once

#include <QDialog>

#include "sim/Simulator.h"

class QListWidget;

class CGetIOWatchDlg : public QDialog {
    Q_OBJECT
public:
    enum { IDC_CHOICES = 1152 };
    // The 8279, the 8155, four LCD lines and five chips of each kind.
    static constexpr int kMaxChoices = 1 + 1 + CSimulator::kLcdLines + 3 * kMaxChips;
    static constexpr int kNameSize = 15;

    explicit CGetIOWatchDlg(QWidget* parent = nullptr);
    int DoModal();

    char m_szChoiceName[kMaxChoices][kNameSize] = {};
    u32 m_nChoiceKind[kMaxChoices] = {};
    u32 m_nChoiceIndex[kMaxChoices] = {};
    int m_nChoiceCount = 0;
    u32 m_nKind = 0;
    u32 m_nIndex = 0;
    int m_bValid = 0;

    QListWidget* ChoiceList() const { return m_pList; }

public slots:
    void accept() override;

private:
    void OnInitDialog();
    void FillList();
    void AddChoice(const char* name, u32 kind, u32 index);

    QListWidget* m_pList;
};
