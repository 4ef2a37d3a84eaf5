// What the configuration dialogs share: controls found by their template id,
// the opening focus, the data exchange's length warning, reading typed
// values, and the refusal of a value that cannot be stored.
//
// A dialog reads and checks every field it is about to store before it
// writes anything, so a refused value leaves the configuration whole:
// one message, the focus on the field, and nothing written. A field the
// dialog moves the focus to has its text selected, as when the user tabs
// to it, so that typing replaces it.
#pragma once

#include <QDialog>
#include <QHash>
#include <memory>
#include <optional>
#include <vector>

#include "dialogs/ConfigControls.h"

class CChipRadioGroup;
class QGroupBox;
class QLayout;
class QPushButton;

class CConfigDialog : public QDialog {
    Q_OBJECT
public:
    // Template ids of the OK and Cancel buttons.
    static constexpr int kIdOk = 1;
    static constexpr int kIdCancel = 2;
    // The text shown when a field holds no value that can be stored.
    static constexpr const char* kNotCorrect = "Entered value is not correct";

    // Runs the dialog modally; QDialog::Accepted after OK.
    int DoModal();
    // Sets the controls up as the dialog opens and focuses the first control
    // of the tab order (DoModal does this; a test may show the dialog itself).
    void InitDialog();
    // The control of a template id, or null.
    QWidget* GetDlgItem(int nID) const { return m_controls.value(nID, nullptr); }

public slots:
    void accept() override { OnOK(); }

protected:
    CConfigDialog(const char* caption, QWidget* pParent);

    virtual void OnInitDialog() = 0;
    virtual void OnOK() = 0;
    // Ends the dialog with OK.
    void EndDialogOK() { QDialog::accept(); }
    // OK on a single device whose Connect box is clear: only its connected
    // flag is cleared, so what else the dialog shows stays for the next
    // time it is connected. False, doing nothing, when the box is ticked.
    bool EndDisconnected(const QCheckBox* pConnect, u8& bConnected);

    // Controls, registered under their template id in tab order.
    CConfigEdit* AddEdit(int nID, bool bUpperCase, int nTypedLimit, int nExchangeLimit = 0);
    // A base port's field, typed in upper case: four characters may be
    // typed, the data exchange takes two.
    CConfigEdit* AddPortEdit(int nID);
    CConnectBox* AddConnectBox(int nID, const char* text);
    QCheckBox* AddCheckBox(int nID, const char* text);
    QRadioButton* AddRadio(int nID, const char* text);
    QPushButton* AddButton(int nID, const char* text);
    CRouteRow* AddRouteRow(int nFirstID, const char* noneLabel = "None");
    // The chip radios in their group box, ids nFirstID to nFirstID + 4.
    CChipRadioGroup* AddChipRadios(int nFirstID, const char* title, const char* labelFormat);
    // OK (the default button) and Cancel, unless cancelText is null, as a
    // row of buttons.
    QLayout* AddOkCancel(const char* okText, const char* cancelText);
    void Register(int nID, QWidget* pControl);
    QGroupBox* GroupBox(const char* title);

    // The data exchange from the controls: a text longer than its field's
    // exchange limit draws the class library's warning once, for the first
    // such field, which takes the focus and is returned (null when every
    // text fits). The dialogs go on with the texts as they stand.
    CConfigEdit* UpdateData();

    // A value typed as hexadecimal ("%x": leading blanks, then digits up to
    // the first other character); nothing when the text has no digit.
    static std::optional<u32> ReadHex(const QLineEdit* pEdit);
    // A value typed as decimal ("%d"); nothing when the text has no digit.
    static std::optional<int> ReadDecimal(const QLineEdit* pEdit);
    // Says why a field's value cannot be stored and gives it the focus.
    void Refuse(QWidget* pField, const QString& text, const QString& caption, unsigned nIcon = 0);
    // The same with the common message under the application's caption.
    void RefuseNotCorrect(QWidget* pField);

private:
    QHash<int, QWidget*> m_controls;
    QList<QWidget*> m_tabOrder;
    QList<CConfigEdit*> m_exchangeEdits;
    std::vector<std::unique_ptr<CRouteRow>> m_routeRows;
};
