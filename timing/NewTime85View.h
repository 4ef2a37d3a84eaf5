// The timing-diagram window's view: the bus signals of the last executed
// instruction as 24 labelled rows over a grid, with the waveforms built at
// Start drawn segment by segment, one step per 50 ms tick.
//
// The picture comes from paint events only: a tick advances the animation
// step and asks for a repaint, and every repaint draws segments 0 to the
// step (timing/TimingPainter). The waveforms themselves are the timing
// model's (timing/TimingModel), built once per Start.
#pragma once

#include <QAbstractScrollArea>

#include "framework/View.h"
#include "timing/TimingLayoutModel.h"
#include "timing/TimingModel.h"

class CCmdUI;
class CDocument;
struct CTimingPaintParams;

// Animation state, shared by every timing window (at most one exists).
extern i32 g_timeAnimStep;     // the segment the animation reached last
extern i32 g_timeRedrawLimit;  // the last segment a repaint draws
extern i32 g_bTimeIdle;        // 1: not started; Start enabled, Pause and Stop not
extern i32 g_bTimeNotPaused;   // 0 while paused

class CNewTime85View : public QAbstractScrollArea, public CView, public CTimingModel {
    Q_OBJECT
public:
    explicit CNewTime85View(CDocument* pDoc, QWidget* parent = nullptr);
    ~CNewTime85View() override;

    void OnInitialUpdate() override;
    void OnUpdate(CView* pSender, long lHint) override;
    bool OnCmdMsg(int nID, CCmdUI* pCmdUI) override;
    // The view's height at which it shows every row and the time axis.
    int HeightShowingDiagram() const;

    void OnStart();
    void OnPause();
    void OnStop();
    void OnUpdateStart(CCmdUI* pCmdUI) const;
    void OnUpdatePause(CCmdUI* pCmdUI) const;
    void OnUpdateStop(CCmdUI* pCmdUI) const;
    // One animation step, as the timer's tick gives it.
    void OnTimer();
    // Any key repaints the view; the paging and arrow keys scroll it.
    void OnKeyDown(int key);
    // The window is going: the animation stops and the state is idle again
    // for the next timing window.
    void OnDestroy() override;

    bool OnPreparePrinting(CPrintInfo* pInfo) override;
    void OnBeginPrinting(QPainter& painter, CPrintInfo* pInfo) override;
    void OnPrint(QPainter& painter, CPrintInfo* pInfo) override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    // The parameters a repaint paints with: the label font and the segments
    // up to the redraw limit, as the window shows them.
    CTimingPaintParams PaintParams() const;
    void SetAnimationTimer();
    void KillAnimationTimer();
    void StopAnimation();
    void UpdateScrollBars();

    int m_nTimer = 0;  // the running timer's id, 0 when none runs
    TimingScrollSizes m_sizes{};
};
