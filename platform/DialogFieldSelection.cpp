#include "platform/DialogFieldSelection.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QLineEdit>

namespace {
// Marks a dialog shown and not yet given its first focus.
constexpr const char* kOpeningProperty = "torvanDialogOpening";
}  // namespace

void CDialogFieldSelection::Install(QObject* pOwner) {
    QCoreApplication::instance()->installEventFilter(new CDialogFieldSelection(pOwner));
}

bool CDialogFieldSelection::eventFilter(QObject* pWatched, QEvent* pEvent) {
    if (pEvent->type() == QEvent::Show) {
        if (auto* pDialog = qobject_cast<QDialog*>(pWatched); pDialog != nullptr && pDialog->isWindow())
            pDialog->setProperty(kOpeningProperty, true);
    } else if (pEvent->type() == QEvent::FocusIn && pWatched->isWidgetType()) {
        // Only the first focus of a control of an opening dialog (the
        // window itself has the focus for a moment as it activates); later
        // focus moves keep the platform's own rules.
        QWidget* pWindow = static_cast<QWidget*>(pWatched)->window();
        if (pWindow != pWatched && pWindow->property(kOpeningProperty).toBool()) {
            pWindow->setProperty(kOpeningProperty, false);
            if (auto* pEdit = qobject_cast<QLineEdit*>(pWatched)) pEdit->selectAll();
        }
    }
    return QObject::eventFilter(pWatched, pEvent);
}
