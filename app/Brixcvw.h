// The program window's view: a disassembly listing of target memory with the
// current-line marker, scrolled virtually over up to 65,535 lines. The
// listing itself is CProgramListing; this class draws its page and turns
// keys, clicks and the scroll bar into listing operations.
#pragma once

#include <QAbstractScrollArea>
#include <QPointer>
#include <vector>

#include "app/ProgramListing.h"
#include "framework/View.h"

class CDocument;
class QPainter;
class CMultiDocTemplate;

class CTorvanView : public QAbstractScrollArea, public CView, public CProgramListing {
    Q_OBJECT
public:
    explicit CTorvanView(CDocument* pDoc, QWidget* parent = nullptr);
    ~CTorvanView() override;

    void OnInitialUpdate() override;
    // Run whenever the document's views are updated. While a program runs it
    // only records that the page shows "Executing...".
    void OnUpdate(CView* pSender, long lHint) override;
    void OnActivateView(bool bActivate) override;
    bool OnCmdMsg(int nID, CCmdUI* pCmdUI) override;
    // The window is closing: the line and cycle panes are cleared and the
    // next program window opens the watch windows again.
    void OnDestroy() override;

    // Refills the visible rows from the top line.
    void FillRows();
    void UpdateStatusBar();

    // Commands of this view.
    void OnFind();
    void FindText();
    void OnChangeOrigin();

    // Count of rows that fit the window, at least 1.
    int CountPerPage() const;
    int RowHeight() const { return m_nRowHeight; }
    // Row under a point of the viewport, or -1.
    int HitTestRow(const QPoint& pos) const;
    // Whether the page shows the running text instead of the listing.
    bool ShowsExecuting() const { return m_bShowExecuting; }
    // Row drawn as selected, -1 for none.
    int HighlightRow() const { return m_nHighlightRow; }
    // Text that a row shows right now, as drawn.
    QString DisplayedRowText(int row) const;

    static const char* const kExecutingText;

    // Printing (Print on the toolbar and the File menu).
    bool OnPreparePrinting(CPrintInfo* pInfo) override;
    void OnBeginPrinting(QPainter& painter, CPrintInfo* pInfo) override;
    void OnPrint(QPainter& painter, CPrintInfo* pInfo) override;
    // The listing's lines (1-based, inclusive) that a page prints, once
    // OnBeginPrinting has measured the page.
    struct LineRange {
        int first;
        int last;
    };
    LineRange PrintedLines(int page) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void OnKeyDown(int key);
    void OnLButtonDown(const QPoint& pos);
    void OnLButtonDblClk(const QPoint& pos);
    void OnListingRebuilding() override;
    void OnListingRebuilt() override;
    void OnLineCountChanged() override;

private:
    void OnVScroll(int position);
    void OnVScrollAction(int action);
    void SetScrollPos(int position);
    void UpdateScrollRange();
    void SyncCurrentLineToPc();
    void OpenWatchWindow(CMultiDocTemplate* pTemplate);
    void SetStatusPane(int pane, const QString& text);
    void MarkRawTextRow(int row);
    void DrawFocusFrame(QPainter& painter, const QRect& rowRect, bool bSelected) const;

    int m_nRowHeight = 1;
    int m_nHighlightRow = -1;
    // Rows (one bit each) showing their stored texts as they are, until the
    // next refill.
    std::vector<bool> m_rawTextRows;
    bool m_bShowExecuting = false;
    bool m_bSettingScroll = false;
    int m_nPrintLinesPerPage = 1;
};
