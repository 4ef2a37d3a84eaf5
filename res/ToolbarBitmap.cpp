#include "res/ToolbarBitmap.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>

#include "res/CommandIds.h"
#include "res/Toolbar.h"

namespace {
constexpr int kW = kToolbarImageWidth;
constexpr int kH = kToolbarImageHeight;

const QColor kInk(20, 20, 20);
const QColor kBlue(20, 60, 170);
const QColor kGreen(0, 140, 40);
const QColor kRed(200, 30, 30);
const QColor kYellow(235, 200, 60);
const QColor kPaper(250, 250, 250);

void DrawLabel(QPainter& p, const QRect& box, const QString& text, const QColor& color, int pixelSize) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelSize);
    font.setBold(true);
    p.setFont(font);
    p.setPen(color);
    p.drawText(box, Qt::AlignCenter, text);
}

void DrawOpen(QPainter& p) {
    p.setPen(kInk);
    p.setBrush(kYellow);
    p.drawPolygon(QPolygon({QPoint(1, 4), QPoint(6, 4), QPoint(7, 5), QPoint(14, 5), QPoint(14, 13), QPoint(1, 13)}));
    p.setBrush(QColor(250, 225, 110));
    p.drawPolygon(QPolygon({QPoint(3, 8), QPoint(17, 8), QPoint(14, 13), QPoint(1, 13)}));
}

void DrawPrint(QPainter& p) {
    p.setPen(kInk);
    p.setBrush(kPaper);
    p.drawRect(5, 1, 8, 6);
    p.setBrush(QColor(170, 170, 170));
    p.drawRect(2, 6, 14, 6);
    p.setBrush(kPaper);
    p.drawRect(5, 10, 8, 5);
}

void DrawFind(QPainter& p) {
    p.setPen(QPen(kInk, 2));
    p.setBrush(QColor(190, 220, 250));
    p.drawEllipse(2, 1, 9, 9);
    p.drawLine(10, 10, 15, 15);
}

// A window frame with a title bar and a picture inside.
void DrawWindow(QPainter& p, const QString& text, const QColor& color) {
    p.setPen(kInk);
    p.setBrush(kPaper);
    p.drawRect(1, 1, 15, 13);
    p.fillRect(2, 2, 14, 3, kBlue);
    DrawLabel(p, QRect(1, 4, 16, 11), text, color, 9);
}

void DrawWave(QPainter& p) {
    p.setPen(kInk);
    p.setBrush(kPaper);
    p.drawRect(1, 1, 15, 13);
    p.setPen(QPen(kGreen, 1));
    p.drawPolyline(QPolygon({QPoint(2, 11), QPoint(5, 11), QPoint(5, 4), QPoint(9, 4), QPoint(9, 11), QPoint(13, 11),
                             QPoint(13, 4), QPoint(15, 4)}));
}

void DrawPlay(QPainter& p, const QColor& color) {
    p.setPen(kInk);
    p.setBrush(color);
    p.drawPolygon(QPolygon({QPoint(5, 2), QPoint(14, 8), QPoint(5, 14)}));
}

void DrawStopSquare(QPainter& p) {
    p.setPen(kInk);
    p.setBrush(kRed);
    p.drawRect(4, 3, 10, 10);
}

void DrawPause(QPainter& p) {
    p.setPen(kInk);
    p.setBrush(kBlue);
    p.drawRect(4, 3, 3, 10);
    p.drawRect(10, 3, 3, 10);
}

void DrawReset(QPainter& p) {
    p.setPen(QPen(kBlue, 2));
    p.setBrush(Qt::NoBrush);
    p.drawArc(3, 2, 12, 12, 100 * 16, 290 * 16);
    p.setPen(kBlue);
    p.setBrush(kBlue);
    p.drawPolygon(QPolygon({QPoint(6, 0), QPoint(10, 3), QPoint(6, 6)}));
}

void DrawRun(QPainter& p) {
    p.setPen(kInk);
    p.setBrush(kGreen);
    p.drawPolygon(QPolygon({QPoint(1, 3), QPoint(8, 8), QPoint(1, 13)}));
    p.drawPolygon(QPolygon({QPoint(8, 3), QPoint(15, 8), QPoint(8, 13)}));
}

void DrawTerminate(QPainter& p) {
    p.setPen(kInk);
    p.setBrush(kRed);
    p.drawPolygon(QPolygon({QPoint(6, 1), QPoint(11, 1), QPoint(15, 5), QPoint(15, 10), QPoint(11, 14), QPoint(6, 14),
                            QPoint(2, 10), QPoint(2, 5)}));
    p.setPen(QPen(Qt::white, 2));
    p.drawLine(5, 8, 12, 8);
}

void DrawStep(QPainter& p) {
    p.setPen(kInk);
    p.setBrush(kGreen);
    p.drawPolygon(QPolygon({QPoint(3, 3), QPoint(10, 8), QPoint(3, 13)}));
    p.fillRect(12, 3, 3, 11, kInk);
}

void DrawInterrupt(QPainter& p, const QString& text) {
    p.setPen(kInk);
    p.setBrush(kYellow);
    p.drawRoundedRect(1, 1, 15, 13, 3, 3);
    DrawLabel(p, QRect(1, 1, 16, 14), text, kInk, text.size() > 1 ? 8 : 11);
}

void DrawOrigin(QPainter& p) {
    p.setPen(kInk);
    p.setBrush(kPaper);
    p.drawRect(1, 1, 15, 13);
    p.setPen(kRed);
    p.drawLine(2, 4, 15, 4);
    p.setPen(kInk);
    for (int y = 7; y <= 12; y += 2) p.drawLine(4, y, 13, y);
    p.setBrush(kRed);
    p.drawPolygon(QPolygon({QPoint(1, 2), QPoint(4, 4), QPoint(1, 6)}));
}

void DrawAbout(QPainter& p) {
    p.setPen(kInk);
    p.setBrush(kBlue);
    p.drawEllipse(2, 0, 14, 14);
    DrawLabel(p, QRect(2, 0, 15, 15), QStringLiteral("i"), Qt::white, 11);
}

void DrawHelp(QPainter& p) {
    p.setPen(kInk);
    p.setBrush(kYellow);
    p.drawEllipse(2, 0, 14, 14);
    DrawLabel(p, QRect(2, 0, 15, 15), QStringLiteral("?"), kInk, 11);
}

void DrawButton(QPainter& p, int nID) {
    switch (nID) {
    case ID_FILE_OPEN: DrawOpen(p); break;
    case ID_FILE_PRINT: DrawPrint(p); break;
    case ID_EDIT_FIND: DrawFind(p); break;
    case ID_VIEW_MEMORY_WATCH: DrawWindow(p, QStringLiteral("M"), kBlue); break;
    case ID_VIEW_REGISTERS_WATCH: DrawWindow(p, QStringLiteral("R"), kGreen); break;
    case ID_VIEW_IO_WATCH: DrawWindow(p, QStringLiteral("IO"), kRed); break;
    case ID_VIEW_TIMING_DIAGRAM: DrawWave(p); break;
    case ID_TIMING_START: DrawPlay(p, kGreen); break;
    case ID_TIMING_STOP: DrawStopSquare(p); break;
    case ID_TIMING_PAUSE: DrawPause(p); break;
    case ID_RUN_CPURESET: DrawReset(p); break;
    case ID_RUN_RUN: DrawRun(p); break;
    case ID_RUN_TERMINATEPROGRAM: DrawTerminate(p); break;
    case ID_RUN_SINGLESTEP: DrawStep(p); break;
    case ID_INTERRUPTS_TRAP: DrawInterrupt(p, QStringLiteral("T")); break;
    case ID_INTERRUPTS_RST55: DrawInterrupt(p, QStringLiteral("5.5")); break;
    case ID_INTERRUPTS_RST65: DrawInterrupt(p, QStringLiteral("6.5")); break;
    case ID_INTERRUPTS_RST75: DrawInterrupt(p, QStringLiteral("7.5")); break;
    case ID_CHANGE_ORIGIN: DrawOrigin(p); break;
    case ID_APP_ABOUT: DrawAbout(p); break;
    case ID_HELP_CONTENTS: DrawHelp(p); break;
    default: break;
    }
}

QImage DrawToolbarStrip() {
    int imageCount = 0;
    for (int i = 0; i < kToolbarEntryCount; ++i)
        if (kToolbarButtons[i] != 0) ++imageCount;

    QImage strip(kW * imageCount, kH, QImage::Format_ARGB32_Premultiplied);
    strip.fill(Qt::transparent);
    QPainter painter(&strip);
    painter.setRenderHint(QPainter::Antialiasing, false);
    int image = 0;
    for (int i = 0; i < kToolbarEntryCount; ++i) {
        if (kToolbarButtons[i] == 0) continue;
        painter.save();
        painter.translate(image * kW, 0);
        painter.setClipRect(0, 0, kW, kH);
        DrawButton(painter, kToolbarButtons[i]);
        painter.restore();
        ++image;
    }
    painter.end();
    return strip;
}
}  // namespace

QPixmap DrawToolbarBitmap() { return QPixmap::fromImage(DrawToolbarStrip()); }

QImage ToolbarBitmapResource() {
    const QImage strip = DrawToolbarStrip();
    QImage bitmap(strip.size(), QImage::Format_RGB32);
    bitmap.fill(kStandardButtonFace);
    QPainter painter(&bitmap);
    painter.drawImage(0, 0, strip);
    return bitmap;
}
