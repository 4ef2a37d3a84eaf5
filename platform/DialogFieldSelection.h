// Desktop dialogs select the text of the edit field that has the focus when
// they open, so that typing replaces it. Qt selects a field's text only when
// the focus arrives by Tab or a shortcut, and a dialog's first focus arrives
// as its window activates; this filter, installed once on the application,
// selects it for every dialog, those of Qt included.
#pragma once

#include <QObject>

class CDialogFieldSelection : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Filters the application's events for as long as the owner lives.
    static void Install(QObject* pOwner);

protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;
};
