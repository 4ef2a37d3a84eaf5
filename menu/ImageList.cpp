#include "menu/ImageList.h"

#include <QPainter>

int CImageList::Add(const QImage& bitmap, QColor mask) {
    const int count =
        m_imageSize.width() > 0 && bitmap.height() >= m_imageSize.height() ? bitmap.width() / m_imageSize.width() : 0;
    if (count == 0) return -1;
    const int first = GetImageCount();
    m_bitmaps.push_back({bitmap, mask.rgb(), count});
    return first;
}

int CImageList::GetImageCount() const {
    int count = 0;
    for (const Bitmap& bitmap : m_bitmaps) count += bitmap.count;
    return count;
}

bool CImageList::Draw(QPainter* pDC, int nImage, QPoint pt) const {
    if (nImage < 0) return false;
    for (const Bitmap& bitmap : m_bitmaps) {
        if (nImage >= bitmap.count) {
            nImage -= bitmap.count;
            continue;
        }
        // Masked only here, one small image at a time, so that every list
        // can share its whole bitmap.
        QImage image = bitmap.image.copy(QRect(QPoint(nImage * m_imageSize.width(), 0), m_imageSize))
                           .convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < image.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x)
                if ((line[x] & RGB_MASK) == (bitmap.mask & RGB_MASK)) line[x] = 0;
        }
        pDC->drawImage(pt, image);
        return true;
    }
    return false;
}
