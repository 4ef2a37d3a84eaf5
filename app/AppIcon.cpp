#include "app/AppIcon.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPixmap>

namespace {
constexpr int kSize = 32;
constexpr int kPins = 4;
}  // namespace

QIcon TorvanIcon() {
    // A chip with pins on two sides and "85" on its body.
    QImage image(kSize, kSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setPen(QColor(90, 90, 90));
    p.setBrush(QColor(170, 170, 170));
    for (int i = 0; i < kPins; ++i) {
        const int y = 6 + i * 6;
        p.drawRect(1, y, 5, 3);
        p.drawRect(26, y, 5, 3);
    }
    p.setBrush(QColor(35, 35, 45));
    p.drawRoundedRect(5, 2, 22, 28, 3, 3);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(12);
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor(240, 200, 60));
    p.drawText(QRect(5, 2, 22, 28), Qt::AlignCenter, QStringLiteral("85"));
    p.end();
    return QIcon(QPixmap::fromImage(image));
}
