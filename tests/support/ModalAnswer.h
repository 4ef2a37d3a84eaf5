// Answers a modal dialog once it is up: the test's function receives the
// dialog and types, clicks and closes it as a user would. Answers may be
// armed for a chain of dialogs at once: each waits until its own kind of
// dialog is up. One that never comes fails the test, and whatever window
// is up then is closed, so that nothing waits for ever.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTimer>
#include <QtTest>

namespace ModalAnswerDetail {
constexpr int kRetryMs = 5;
constexpr int kAttempts = 1000;

template <class Dlg, class Fn> void TryAnswer(Fn fn, int attemptsLeft) {
    QWidget* pModal = QApplication::activeModalWidget();
    if (auto* pDlg = qobject_cast<Dlg*>(pModal); pDlg != nullptr && pDlg->isVisible()) {
        const QPointer<Dlg> pAnswered(pDlg);
        fn(pDlg);
        // A check that failed on the way leaves no dialog waiting.
        if (QTest::currentTestFailed() && pAnswered && pAnswered->isVisible()) pAnswered->reject();
        return;
    }
    if (attemptsLeft > 0) {
        QTimer::singleShot(kRetryMs, [fn, attemptsLeft] { TryAnswer<Dlg>(fn, attemptsLeft - 1); });
        return;
    }
    QTest::qFail("the expected dialog did not come up", __FILE__, __LINE__);
    if (auto* pOther = qobject_cast<QDialog*>(pModal)) pOther->reject();
}
}  // namespace ModalAnswerDetail

template <class Dlg, class Fn> void AnswerModal(Fn fn) {
    QTimer::singleShot(0, [fn] { ModalAnswerDetail::TryAnswer<Dlg>(fn, ModalAnswerDetail::kAttempts); });
}
