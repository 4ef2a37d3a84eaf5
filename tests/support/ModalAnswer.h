// Answers a modal dialog once it is up: the test's function receives the
// dialog and types, clicks and closes it as a user would. A different
// window up instead fails the test and is closed, so that nothing waits.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <QtTest>

template <class Dlg, class Fn> void AnswerModal(Fn fn) {
    QTimer::singleShot(0, [fn] {
        QWidget* pModal = QApplication::activeModalWidget();
        auto* pDlg = qobject_cast<Dlg*>(pModal);
        if (pDlg == nullptr) {
            QTest::qFail("the expected dialog is not up", __FILE__, __LINE__);
            if (auto* pOther = qobject_cast<QDialog*>(pModal)) pOther->reject();
            return;
        }
        fn(pDlg);
    });
}
