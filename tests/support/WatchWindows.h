// The watch windows as a user meets them: found among the document's views,
// their rows read as shown, rows clicked, and the right-click menu opened
// and an item chosen from it.
#pragma once

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "framework/Document.h"
#include "watch/WatchListView.h"

// Every row the list shows.
inline QStringList Rows(const CWatchListView* pView) {
    QStringList rows;
    for (int row = 0; row < pView->count(); ++row) rows << pView->RowTextOf(row);
    return rows;
}

inline QPoint RowCentre(const CWatchListView* pView, int row) {
    return pView->visualItemRect(pView->item(row)).center();
}

inline void ClickRow(CWatchListView* pView, int row) {
    QTest::mouseClick(pView->viewport(), Qt::LeftButton, Qt::NoModifier, RowCentre(pView, row));
}

inline void DoubleClickRow(CWatchListView* pView, int row) {
    ClickRow(pView, row);
    QTest::mouseDClick(pView->viewport(), Qt::LeftButton, Qt::NoModifier, RowCentre(pView, row));
}

// Right-clicks the list (on a row, or below the rows with -1) and chooses
// the menu item with the given text; an empty text closes the menu. Before
// the item is chosen, arm runs (to answer the dialog the command opens).
// Returns the texts of the items the menu offered enabled; "no menu" when
// none opened.
inline QStringList RightClickChoose(CWatchListView* pView, int row, const QString& item,
                                    const std::function<void()>& arm = {}) {
    QStringList enabled{QStringLiteral("no menu")};
    QTimer::singleShot(0, [&] {
        auto* pMenu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (pMenu == nullptr) return;
        enabled.clear();
        QAction* pChosen = nullptr;
        for (QAction* pAction : pMenu->actions()) {
            if (pAction->isEnabled()) enabled << pAction->text();
            if (pAction->text() == item) pChosen = pAction;
        }
        if (pChosen == nullptr || !pChosen->isEnabled()) {
            pMenu->close();
            return;
        }
        if (arm) arm();
        pMenu->setActiveAction(pChosen);
        QTest::keyClick(pMenu, Qt::Key_Return);
    });
    const QPoint at = row >= 0 ? RowCentre(pView, row) : QPoint(10, pView->viewport()->height() - 5);
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, pView->viewport()->mapToGlobal(at));
    QApplication::sendEvent(pView->viewport(), &event);
    // A menu that never opened leaves its timer behind; let it run now.
    QCoreApplication::processEvents();
    return enabled;
}
