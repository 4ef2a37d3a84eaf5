#include "timing/TimingPainter.h"

#include <QFontMetrics>
#include <QPainter>

namespace {
constexpr int kThinPen = 1;

QPoint ToQt(const TimePoint& p) { return QPoint(p.x, p.y); }

// Text placed by its top-left corner, as the layout gives it.
void DrawTextAt(QPainter& painter, const TimePoint& topLeft, const QString& text) {
    painter.drawText(QPoint(topLeft.x, topLeft.y + painter.fontMetrics().ascent()), text);
}

template <class Lines> void DrawLines(QPainter& painter, const QPen& pen, const Lines& lines) {
    painter.setPen(pen);
    for (const TimingLine& line : lines) painter.drawLine(ToQt(line.from), ToQt(line.to));
}

void PaintAxes(QPainter& painter, const CTimingPaintParams& params) {
    DrawLines(painter, QPen(params.Ink(TimingInk::Axis), kAxisPenWidth), kTimingAxes);
}

void PaintLabels(QPainter& painter, const CTimingPaintParams& params) {
    painter.setFont(params.font);
    for (int row = 0; row < kTimingRows; ++row) {
        const TimingLabel label = TimingLabelOf(row);
        painter.setPen(params.Ink(label.ink));
        DrawTextAt(painter, label.topLeft, QString::fromLatin1(label.text));
    }
    painter.setPen(params.Ink(TimingInk::ControlLabel));
    for (const TimingBar& bar : kTimingBars) {
        const QString label = QString::fromLatin1(TimingLabelOf(bar.row).text);
        const int prefixWidth = painter.fontMetrics().horizontalAdvance(label.left(bar.firstChar));
        DrawTextAt(painter, TimingBarPosition(bar, prefixWidth), QString::fromLatin1(kTimingBarText).left(bar.nChars));
    }
}

void PaintGrid(QPainter& painter, const CTimingPaintParams& params) {
    DrawLines(painter, QPen(params.Ink(TimingInk::Grid), kThinPen), TimingGridLines());
}

void PaintWaveforms(QPainter& painter, const CTimingPaintParams& params) {
    if (params.lastSegment < 0) return;
    const QPen linePen(params.Ink(TimingInk::Waveform), kThinPen);
    const QPen pixelPen(params.Ink(TimingInk::Floating), kThinPen);
    // Segment by segment in order within a row, since the last one runs
    // back over the one before; the pen changes only where a row starts or
    // stops floating.
    for (int row = 0; row < kTimingRows; ++row) {
        bool bPixelPen = false;
        painter.setPen(linePen);
        for (int s = 0; s <= params.lastSegment; ++s) {
            const TimingSegment segment = TimingSegmentOf(row, s);
            if (segment.bFloatingPixel != bPixelPen) {
                bPixelPen = segment.bFloatingPixel;
                painter.setPen(bPixelPen ? pixelPen : linePen);
            }
            if (bPixelPen) painter.drawPoint(ToQt(segment.from));
            else painter.drawLine(ToQt(segment.from), ToQt(segment.to));
        }
    }
}
}  // namespace

QColor CTimingPaintParams::Ink(TimingInk ink) const {
    switch (ink) {
    case TimingInk::Axis: return axis;
    case TimingInk::Grid: return grid;
    case TimingInk::Waveform: return waveform;
    case TimingInk::Floating: return floating;
    case TimingInk::ControlLabel: return controlLabel;
    case TimingInk::BusLabel: return busLabel;
    }
    return axis;
}

void PaintTimingDiagram(QPainter& painter, const CTimingPaintParams& params) {
    PaintAxes(painter, params);
    PaintLabels(painter, params);
    PaintGrid(painter, params);
    PaintWaveforms(painter, params);
}
