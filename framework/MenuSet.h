// A built menu bar: its top-level popups, in order. The main frame owns it;
// a document template points at the one its frames show.
#pragma once

#include <QList>

class QMenu;

struct CMenuSet {
    QList<QMenu*> m_popups;
};
