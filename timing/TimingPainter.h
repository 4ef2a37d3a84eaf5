// Paints the timing diagram in layers (axes, labels with their bars, grid,
// waveforms) from the geometry of timing/TimingLayoutModel, for the window
// and for the printed page alike. Everything a layer needs comes from one
// parameters object.
#pragma once

#include <QColor>
#include <QFont>

#include "timing/TimingLayoutModel.h"

class QPainter;

struct CTimingPaintParams {
    QColor background = QColor(255, 255, 255);
    QColor axis = QColor(0, 0, 0);
    QColor grid = QColor(192, 194, 194);
    QColor waveform = QColor(56, 1, 220);
    QColor floating = QColor(255, 116, 108);
    QColor controlLabel = QColor(0, 0, 255);  // CLK, ALE, IO/M, RD, WR, CS, S0, S1 and the bars
    QColor busLabel = QColor(23, 142, 32);    // A15 to A8, AD7 to AD0
    QFont font;
    // Segments 0 to this one are drawn; -1 draws no waveform.
    int lastSegment = -1;

    QColor Ink(TimingInk ink) const;
};

// Paints the whole diagram in view coordinates on a painter already moved
// to the scroll position (or scaled to a page).
void PaintTimingDiagram(QPainter& painter, const CTimingPaintParams& params);
