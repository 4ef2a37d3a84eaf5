// The toolbar's pictures, drawn at start-up into one strip of 18 x 16
// images in button order.
#pragma once

#include <QColor>
#include <QImage>
#include <QPixmap>

// One image per button of the toolbar table (separators have none).
QPixmap DrawToolbarBitmap();

// The button grey that bitmap resources are drawn on; loading a bitmap maps
// it to the system's button face.
const QColor kStandardButtonFace(0xC0, 0xC0, 0xC0);

// The same strip as bitmap resource IDR_MAINFRAME holds it: opaque, the
// pictures on the standard button grey.
QImage ToolbarBitmapResource();
