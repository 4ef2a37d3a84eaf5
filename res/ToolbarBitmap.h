// The toolbar's pictures, drawn at start-up into one strip of 18 x 16
// images in button order.
#pragma once

#include <QPixmap>

// One image per button of the toolbar table (separators have none).
QPixmap DrawToolbarBitmap();
