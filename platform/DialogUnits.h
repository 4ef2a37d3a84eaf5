// Positions given in dialog units, as form templates give them, turned into
// pixels of a widget's font: a horizontal unit is a quarter of the font's
// average character width, a vertical unit an eighth of its height.
#pragma once

#include <QRect>

class QWidget;

QRect MapDialogRect(const QWidget* pWidget, const QRect& dialogUnits);
