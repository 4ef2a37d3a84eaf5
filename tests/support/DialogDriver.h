// Drives a configuration dialog as a user would: the dialog open on screen
// (headless), clicks on its controls, typing over a field's text, and the
// message boxes it shows, answered OK and kept with their captions.
#pragma once

#include <QAbstractButton>
#include <QLineEdit>
#include <QtTest>
#include <functional>

#include "dialogs/ConfigDialog.h"
#include "platform/MessageBox.h"
#include "tests/support/ModalAnswer.h"
#include "tests/support/PowerOn.h"

struct ShownMessage {
    QString text;
    QString caption;
    bool operator==(const ShownMessage& other) const { return text == other.text && caption == other.caption; }
};

inline char* toString(const ShownMessage& message) {
    return QTest::toString(message.caption + QStringLiteral(": ") + message.text);
}

// Keeps the boxes shown while it lives.
class MessageLog {
public:
    MessageLog() {
        SetMessageBoxResponder([this](const QString& text, unsigned) {
            m_shown.append({text, LastMessageBoxCaption()});
            return int(IDOK);
        });
    }
    ~MessageLog() { SetMessageBoxResponder(nullptr); }
    QList<ShownMessage> Take() { return std::exchange(m_shown, {}); }

private:
    QList<ShownMessage> m_shown;
};

// Acts on a configuration dialog's controls as a user would.
class DialogDriver {
public:
    explicit DialogDriver(CConfigDialog* pDlg) : m_pDlg(pDlg) {}

    CConfigDialog* Window() const { return m_pDlg; }
    QWidget* Item(int nID) const { return m_pDlg->GetDlgItem(nID); }
    QLineEdit* Edit(int nID) const { return qobject_cast<QLineEdit*>(Item(nID)); }
    QAbstractButton* Button(int nID) const { return qobject_cast<QAbstractButton*>(Item(nID)); }
    QString Text(int nID) const { return Edit(nID)->text(); }
    bool Enabled(int nID) const { return Item(nID)->isEnabled(); }
    bool Checked(int nID) const { return Button(nID)->isChecked(); }
    int BoxState(int nID) const { return qobject_cast<CConnectBox*>(Item(nID))->GetCheck(); }
    bool HasFocus(int nID) const { return QApplication::focusWidget() == Item(nID); }

    // A click on the button's box or face, where a user aims.
    void Click(int nID) {
        QAbstractButton* pButton = Button(nID);
        QTest::mouseClick(pButton, Qt::LeftButton, Qt::NoModifier, QPoint(4, pButton->height() / 2));
    }
    // Selects the field's text and types over it.
    void Type(int nID, const QString& text) {
        QLineEdit* pEdit = Edit(nID);
        pEdit->setFocus();
        pEdit->selectAll();
        if (text.isEmpty()) QTest::keyClick(pEdit, Qt::Key_Backspace);
        else QTest::keyClicks(pEdit, text);
    }
    // OK or Cancel; true when the dialog closed.
    bool Ok() {
        Click(CConfigDialog::kIdOk);
        return !m_pDlg->isVisible();
    }
    bool Cancel() {
        Click(CConfigDialog::kIdCancel);
        return !m_pDlg->isVisible();
    }

protected:
    CConfigDialog* m_pDlg;
};

// The dialog opened as its menu command opens it, but shown without its own
// event loop, so a test can act on it between steps.
template <class Dialog> class OpenDialog : public DialogDriver {
public:
    OpenDialog() : DialogDriver(nullptr) {
        m_pDlg = &m_dlg;
        m_dlg.InitDialog();
        m_dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&m_dlg));
    }
    Dialog* operator->() { return &m_dlg; }
    Dialog& operator*() { return m_dlg; }

private:
    Dialog m_dlg;
};

// Acts on the modal dialog of the class once a command has opened it.
template <class Dialog> void WhenDialogShows(std::function<void(DialogDriver&)> act) {
    AnswerModal<Dialog>([act](Dialog* pDlg) {
        DialogDriver driver(pDlg);
        act(driver);
    });
}
