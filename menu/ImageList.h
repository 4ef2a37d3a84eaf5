// A masked image list: equal-sized images cut from bitmaps, each drawn with
// the pixels of its bitmap's mask colour left out.
#pragma once

#include <QImage>
#include <QPoint>
#include <QRgb>
#include <QSize>
#include <vector>

class QPainter;

class CImageList {
public:
    explicit CImageList(const QSize& imageSize) : m_imageSize(imageSize) {}

    // Adds every whole image of the bitmap, left to right; the mask colour
    // marks the transparent pixels. Returns the index of the first image
    // added, or -1 when the bitmap holds none.
    int Add(const QImage& bitmap, QColor mask);
    void RemoveAll() { m_bitmaps.clear(); }
    int GetImageCount() const;

    // Draws image nImage with its top-left corner at pt; false for an index
    // outside the list.
    bool Draw(QPainter* pDC, int nImage, QPoint pt) const;

private:
    struct Bitmap {
        QImage image;  // shared with the bitmap it came from
        QRgb mask;
        int count;
    };
    QSize m_imageSize;
    std::vector<Bitmap> m_bitmaps;
};
