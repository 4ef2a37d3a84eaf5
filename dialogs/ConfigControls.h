// The controls that every configuration dialog is built from: the edit field
// with its typed-length limit and upper-case typing, the three-state Connect
// box of the multi-chip devices and the memory banks, and the row of five
// interrupt-route radios.
#pragma once

#include <QCheckBox>
#include <QLineEdit>
#include <QList>

#include "sim/Simulator.h"

class QButtonGroup;
class QRadioButton;

// An edit field as the dialogs' templates have it. A typed-length limit
// bounds what the user types or pastes, never the text the dialog sets;
// upper case applies to typed keys only, so a value the dialog shows in
// lower case stays so until the user changes it.
class CConfigEdit : public QLineEdit {
    Q_OBJECT
public:
    CConfigEdit(QWidget* pParent, bool bUpperCase);

    void LimitText(int nChars);
    // The dialog's own text, kept whole whatever the typed limit.
    void SetWindowText(const QString& text);
    bool IsSettingText() const { return m_bSettingText; }
    int TypedLimit() const { return m_nTypedLimit; }
    int AcceptedLength() const { return m_nAcceptedLength; }

    // The longest text the dialog's data exchange takes from this field
    // (0: any); a longer one draws the exchange's warning.
    int m_nExchangeLimit = 0;

protected:
    void keyPressEvent(QKeyEvent* pEvent) override;

private:
    bool m_bUpperCase;
    bool m_bSettingText = false;
    int m_nTypedLimit = 0;
    int m_nAcceptedLength = 0;
};

// States of a three-state Connect box.
enum ConnectState : int { kConnectClear = 0, kConnectTicked = 1, kConnectGreyed = 2 };

// A Connect box of a chip or bank that is connected as part of a prefix
// 1..count. A click does not change the box by itself: the dialog reacts
// to the click and sets the state of every box anew.
class CConnectBox : public QCheckBox {
    Q_OBJECT
public:
    CConnectBox(const QString& text, QWidget* pParent);
    int GetCheck() const;
    void SetCheck(int nState);

protected:
    void nextCheckState() override {}
};

// The state of the box of chip (or bank) index while count are connected:
// ticked for the connected ones, clear for the next one, greyed after it.
int PrefixBoxState(int index, int count);
// The count after a click on the box of index in state: the clear box
// connects one more, a ticked box disconnects itself and every one after
// it, a greyed box changes nothing.
int PrefixCountAfterClick(int state, int index, int count);

// Five radios "None", "TRAP", "RST5.5", "RST6.5", "RST7.5" (the first may be
// labelled otherwise) of which one is chosen. The row stores the route code
// of the CPU input the chosen radio names (IrqRoute, 0 for none).
class CRouteRow {
public:
    static constexpr int kRadios = 5;

    CRouteRow(QWidget* pParent, const char* noneLabel = "None");
    const QList<QRadioButton*>& Radios() const { return m_radios; }

    // A code that no radio stands for (only a hand-made file holds one)
    // shows no radio chosen.
    void SetCode(u32 code);
    // The chosen radio's code; with none chosen, unknown keeps the code
    // the row was shown with, so an unusual route survives the dialog.
    u8 Code(u8 unknown) const;
    void SetEnabled(bool bEnabled);

private:
    QButtonGroup* m_pGroup;
    QList<QRadioButton*> m_radios;
};
