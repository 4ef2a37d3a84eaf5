#include "timing/NewTime85View.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <algorithm>

#include "framework/CmdUI.h"
#include "framework/Printing.h"
#include "platform/MessageBox.h"
#include "res/CommandIds.h"
#include "timing/TimingPainter.h"

i32 g_timeAnimStep = 0;
i32 g_timeRedrawLimit = 0;
i32 g_bTimeIdle = 1;
i32 g_bTimeNotPaused = 1;

namespace {
const char kNoTimerText[] = "can't install timer";
constexpr int kTimerPeriodMs = 50;
// The labels' font: a bold face whose cell fits between two rows.
constexpr int kLabelPixelSize = 14;
}  // namespace

CNewTime85View::CNewTime85View(CDocument*, QWidget* parent) : QAbstractScrollArea(parent) {
    setFocusPolicy(Qt::StrongFocus);
    // Every repaint fills the background itself, in the paint parameters'
    // colour.
    viewport()->setAutoFillBackground(false);
}

CNewTime85View::~CNewTime85View() { Destroy(); }

void CNewTime85View::OnInitialUpdate() {
    // The scroll area is a fixed multiple of the screen, not of the drawing.
    const QScreen* pScreen = screen() != nullptr ? screen() : QGuiApplication::primaryScreen();
    const QSize screenSize = pScreen != nullptr ? pScreen->size() : QSize();
    m_sizes = TimingScrollSizesFor(screenSize.width(), screenSize.height());
    UpdateScrollBars();
}

int CNewTime85View::HeightShowingDiagram() const {
    // The horizontal scroll bar is always there: the scroll area is four
    // screens wide.
    return kDiagramHeight + 2 * frameWidth() + horizontalScrollBar()->sizeHint().height();
}

void CNewTime85View::UpdateScrollBars() {
    const QSize client = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, m_sizes.total.width - client.width()));
    horizontalScrollBar()->setPageStep(m_sizes.page.width);
    horizontalScrollBar()->setSingleStep(m_sizes.line.width);
    verticalScrollBar()->setRange(0, std::max(0, m_sizes.total.height - client.height()));
    verticalScrollBar()->setPageStep(m_sizes.page.height);
    verticalScrollBar()->setSingleStep(m_sizes.line.height);
}

void CNewTime85View::OnUpdate(CView*, long) {
    // Called after every Single Step and every slice of Run, so it only
    // ends a timer that has run past the last segment; the picture already
    // holds the current step, and a new instruction changes nothing until
    // the next Start.
    if (!g_bTimeStarted) return;
    if (g_timeAnimStep > LastSegment()) KillAnimationTimer();
}

// ---- commands ----

bool CNewTime85View::OnCmdMsg(int nID, CCmdUI* pCmdUI) {
    switch (nID) {
    case ID_TIMING_START: pCmdUI != nullptr ? OnUpdateStart(pCmdUI) : OnStart(); return true;
    case ID_TIMING_PAUSE: pCmdUI != nullptr ? OnUpdatePause(pCmdUI) : OnPause(); return true;
    case ID_TIMING_STOP: pCmdUI != nullptr ? OnUpdateStop(pCmdUI) : OnStop(); return true;
    default: return OnPrintCmdMsg(this, nID, pCmdUI);
    }
}

void CNewTime85View::OnStart() {
    // Only from idle: a started diagram is stopped first.
    if (!g_bTimeIdle) return;
    BuildWaveforms();
    g_bTimeIdle = 0;
    SetAnimationTimer();
}

void CNewTime85View::OnPause() {
    if (g_bTimeIdle) return;
    if (g_bTimeNotPaused) {
        KillAnimationTimer();
        g_bTimeNotPaused = 0;
        return;
    }
    viewport()->update();
    SetAnimationTimer();
    g_bTimeNotPaused = 1;
}

void CNewTime85View::OnStop() {
    StopAnimation();
    // The lists stay; the repaint shows axes, labels and grid only.
    viewport()->update();
}

void CNewTime85View::StopAnimation() {
    g_timeAnimStep = 0;
    g_timeRedrawLimit = 0;
    g_bTimeIdle = 1;
    g_bTimeNotPaused = 1;
    KillAnimationTimer();
}

void CNewTime85View::OnUpdateStart(CCmdUI* pCmdUI) const {
    pCmdUI->Enable(g_bTimeIdle != 0);
    pCmdUI->SetCheck(g_bTimeIdle == 0 ? 1 : 0);
}

void CNewTime85View::OnUpdatePause(CCmdUI* pCmdUI) const {
    pCmdUI->Enable(g_bTimeIdle == 0);
    pCmdUI->SetCheck(g_bTimeNotPaused == 0 ? 1 : 0);
}

void CNewTime85View::OnUpdateStop(CCmdUI* pCmdUI) const { pCmdUI->Enable(g_bTimeIdle == 0); }

void CNewTime85View::OnDestroy() { StopAnimation(); }

// ---- the animation's timer ----

void CNewTime85View::SetAnimationTimer() {
    // Never two timers: a running one is replaced.
    KillAnimationTimer();
    m_nTimer = startTimer(kTimerPeriodMs);
    if (m_nTimer == 0) AfxMessageBox(QString::fromLatin1(kNoTimerText));
}

void CNewTime85View::KillAnimationTimer() {
    if (m_nTimer != 0) killTimer(m_nTimer);
    m_nTimer = 0;
}

void CNewTime85View::timerEvent(QTimerEvent* event) {
    if (event->timerId() == m_nTimer) OnTimer();
    else QAbstractScrollArea::timerEvent(event);
}

void CNewTime85View::OnTimer() {
    ++g_timeAnimStep;
    OnUpdate(nullptr, 0);
    if (g_timeAnimStep <= LastSegment()) viewport()->update();
}

// ---- painting ----

CTimingPaintParams CNewTime85View::PaintParams() const {
    CTimingPaintParams params;
    params.font = font();
    params.font.setPixelSize(kLabelPixelSize);
    params.font.setBold(true);
    params.lastSegment = TimingLastDrawnSegment(g_timeRedrawLimit);
    return params;
}

void CNewTime85View::paintEvent(QPaintEvent*) {
    if (g_bTimeStarted) g_timeRedrawLimit = g_timeAnimStep;
    QPainter painter(viewport());
    const CTimingPaintParams params = PaintParams();
    painter.fillRect(viewport()->rect(), params.background);
    painter.translate(-horizontalScrollBar()->value(), -verticalScrollBar()->value());
    PaintTimingDiagram(painter, params);
}

void CNewTime85View::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

void CNewTime85View::scrollContentsBy(int, int) { viewport()->update(); }

// ---- keys ----

void CNewTime85View::keyPressEvent(QKeyEvent* event) { OnKeyDown(event->key()); }

void CNewTime85View::OnKeyDown(int key) {
    viewport()->update();
    QScrollBar* pV = verticalScrollBar();
    QScrollBar* pH = horizontalScrollBar();
    switch (key) {
    case Qt::Key_PageUp: pV->triggerAction(QAbstractSlider::SliderPageStepSub); break;
    case Qt::Key_PageDown: pV->triggerAction(QAbstractSlider::SliderPageStepAdd); break;
    case Qt::Key_End:
        pV->setValue(pV->maximum());
        pH->setValue(pH->maximum());
        break;
    case Qt::Key_Home:
        pV->setValue(pV->minimum());
        pH->setValue(pH->minimum());
        break;
    case Qt::Key_Left: pH->triggerAction(QAbstractSlider::SliderSingleStepSub); break;
    case Qt::Key_Up: pV->triggerAction(QAbstractSlider::SliderSingleStepSub); break;
    case Qt::Key_Right: pH->triggerAction(QAbstractSlider::SliderSingleStepAdd); break;
    case Qt::Key_Down: pV->triggerAction(QAbstractSlider::SliderSingleStepAdd); break;
    default: break;
    }
}

// ---- printing: the diagram as the window shows it, fitted to the page ----

bool CNewTime85View::OnPreparePrinting(CPrintInfo*) { return true; }

void CNewTime85View::OnBeginPrinting(QPainter&, CPrintInfo* pInfo) { pInfo->m_nMaxPage = 1; }

void CNewTime85View::OnPrint(QPainter& painter, CPrintInfo* pInfo) {
    const QRect page = pInfo->m_rectDraw;
    const double scale = std::min(double(page.width()) / kDiagramWidth, double(page.height()) / kDiagramHeight);
    if (scale <= 0) return;
    painter.translate(page.topLeft());
    painter.scale(scale, scale);
    PaintTimingDiagram(painter, PaintParams());
}
