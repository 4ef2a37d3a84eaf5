// The open child windows at the end of the Window menu, as the desktop's
// multiple-document frames list them: a separator, then "&1 " and a window's
// title for each window in the order they were opened, up to nine, the
// active one checked. Choosing an entry activates its window, restoring it
// first when it is minimised.
#pragma once

#include <QList>
#include <QMdiSubWindow>
#include <QObject>
#include <QPointer>

class QAction;
class QMdiArea;
class QMenu;

class CMDIWindowList : public QObject {
    Q_OBJECT
public:
    // The command ids of the entries, first to last.
    static constexpr int kFirstEntryId = 0xFF00;
    static constexpr int kMaxEntries = 9;
    // The commands that mark a popup as the Window menu.
    static constexpr int kWindowCommandFirst = 0xE130;
    static constexpr int kWindowCommandLast = 0xE13F;

    explicit CMDIWindowList(QObject* pParent = nullptr) : QObject(pParent) {}

    // The Window menu among a menu bar's popups, or null when it has none.
    static QMenu* FindWindowMenu(const QList<QMenu*>& popups);
    // The entries move to this popup (null: no popup lists the windows).
    void SetMenu(QMenu* pPopup, QMdiArea* pArea);
    // Brings the entries in step with the area's windows, their titles and
    // the active one; nothing changes when they already are.
    void Refresh();

private:
    struct Entry {
        QPointer<QMdiSubWindow> pFrame;
        QString text;
        bool bActive;
        bool operator==(const Entry& other) const {
            return pFrame == other.pFrame && text == other.text && bActive == other.bActive;
        }
    };
    QList<Entry> ListedWindows() const;
    void RemoveEntries();
    void AddEntries(const QList<Entry>& entries);
    static void Activate(QMdiSubWindow* pFrame);

    QPointer<QMenu> m_pMenu;
    QPointer<QMdiArea> m_pArea;
    QList<QAction*> m_actions;  // the separator first, then one per window
    QList<Entry> m_listed;
};
