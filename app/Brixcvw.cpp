#include "app/Brixcvw.h"

#include <QApplication>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

#include "app/FindDialog.h"
#include "app/TorvanApp.h"
#include "dialogs/MemWatchAddDlg.h"
#include "framework/CmdUI.h"
#include "framework/DocTemplate.h"
#include "framework/Document.h"
#include "framework/HexText.h"
#include "framework/MDIFrameWnd.h"
#include "framework/Printing.h"
#include "framework/StatusBar.h"
#include "platform/MessageBox.h"
#include "res/CommandIds.h"
#include "sim/Disasm.h"

const char* const CTorvanView::kExecutingText = "Executing...";

namespace {
// The one column of the list: wider than a line, scrolled sideways.
constexpr int kColumnWidth = 1640;
constexpr int kTextMargin = 2;
constexpr int kStatusPaneCycles = 1;
constexpr int kStatusPaneLine = 2;
const char kBreakpointLimitFormat[] = "Maximum %d break points can be set !";
constexpr u32 kAddressMask = 0xFFFF;
constexpr int kFocusFrameWidth = 1;
}  // namespace

CTorvanView::CTorvanView(CDocument*, QWidget* parent) : QAbstractScrollArea(parent) {
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_nRowHeight = std::max(1, fontMetrics().lineSpacing());
    setFocusPolicy(Qt::StrongFocus);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // The scroll position stands for a line number; a drag takes effect when
    // the thumb is released.
    verticalScrollBar()->setTracking(false);
    verticalScrollBar()->setSingleStep(1);
    horizontalScrollBar()->setSingleStep(fontMetrics().horizontalAdvance(QLatin1Char('0')));
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &CTorvanView::OnVScroll);
    connect(verticalScrollBar(), &QScrollBar::actionTriggered, this, &CTorvanView::OnVScrollAction);
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, viewport(), qOverload<>(&QWidget::update));
}

CTorvanView::~CTorvanView() {
    // A window closed without its close event (with the document) clears
    // the panes too; once the main window is going there is none to clear.
    Destroy();
}

int CTorvanView::CountPerPage() const { return RowsPerPageFor(viewport()->height(), m_nRowHeight); }

int CTorvanView::HitTestRow(const QPoint& pos) const {
    if (pos.y() < 0 || pos.x() < 0 || pos.x() >= viewport()->width()) return -1;
    const int row = pos.y() / m_nRowHeight;
    return row < m_nRowsPerPage ? row : -1;
}

void CTorvanView::OnInitialUpdate() {
    // Setting the title again refreshes the frame titles.
    if (GetDocument()) GetDocument()->SetTitle(GetDocument()->GetTitle());
    RebuildListing(0);
    m_nTopLine = 1;
    m_nSelRow = 0;
    m_nRowsPerPage = CountPerPage();
    m_nMarkerLine = 1;
    SyncCurrentLineToPc();
    // The window opens with the program counter's line marked, as after a
    // step.
    MoveMarker(g_CurrentLine);
    UpdateStatusBar();
    FillRows();
}

void CTorvanView::SyncCurrentLineToPc() {
    // A listing from a new origin keeps the current line only where it still
    // holds the program counter.
    const bool currentHoldsPc = HasLine(g_CurrentLine) && g_Sim.m_LineAddress[g_CurrentLine - 1] == g_Sim.m_pc;
    if (!currentHoldsPc) g_CurrentLine = LineOfAddress(g_Sim.m_pc);
}

void CTorvanView::OnListingRebuilding() { QApplication::setOverrideCursor(Qt::WaitCursor); }

void CTorvanView::OnListingRebuilt() {
    QApplication::restoreOverrideCursor();
    UpdateScrollRange();
}

void CTorvanView::OnLineCountChanged() { UpdateScrollRange(); }

void CTorvanView::UpdateScrollRange() {
    m_bSettingScroll = true;
    verticalScrollBar()->setRange(0, m_nLastLine);
    verticalScrollBar()->setPageStep(m_nRowsPerPage);
    horizontalScrollBar()->setRange(0, std::max(0, kColumnWidth - viewport()->width()));
    horizontalScrollBar()->setPageStep(viewport()->width());
    m_bSettingScroll = false;
}

void CTorvanView::SetScrollPos(int position) {
    m_bSettingScroll = true;
    verticalScrollBar()->setValue(position);
    m_bSettingScroll = false;
}

void CTorvanView::FillRows() {
    m_nRowsPerPage = CountPerPage();
    m_nHighlightRow = -1;
    m_rawTextRows.assign(static_cast<std::size_t>(m_nRowsPerPage), false);
    m_bShowExecuting = false;
    viewport()->update();
}

void CTorvanView::OnUpdate(CView*, long) {
    if (g_Sim.m_bRunning) {
        // Called after every time slice of a run: nothing to redraw once the
        // page shows the running text.
        if (!m_bShowExecuting) {
            m_bShowExecuting = true;
            viewport()->update();
        }
        return;
    }
    FollowMemory();
    MoveMarker(g_CurrentLine);
    FillRows();
    SetScrollPos(m_nTopLine + m_nSelRow);
    UpdateStatusBar();
}

void CTorvanView::UpdateStatusBar() {
    SetStatusPane(kStatusPaneLine, QString::asprintf("Line %d", m_nTopLine + m_nSelRow));
    SetStatusPane(kStatusPaneCycles, QStringLiteral("Cycles %1").arg(g_Sim.TStates()));
}

void CTorvanView::OnActivateView(bool bActivate) {
    if (!bActivate || g_bProgViewOpened) return;
    g_bProgViewOpened = 1;
    const CTorvanApp* pApp = AfxGetApp();
    if (!pApp) return;
    for (CMultiDocTemplate* pTemplate :
         {pApp->m_pIOWatchTemplate, pApp->m_pMemWatchTemplate, pApp->m_pRegWatchTemplate})
        OpenWatchWindow(pTemplate);
}

void CTorvanView::OpenWatchWindow(CMultiDocTemplate* pTemplate) {
    // Opens the window as its toggle does when the document has none of its
    // kind.
    CDocument* pDoc = GetDocument();
    CMDIFrameWnd* pFrame = AfxGetMainWnd();
    if (!pDoc || !pFrame || pTemplate->FindView(pDoc)) return;
    if (QMdiSubWindow* pNewFrame = pTemplate->CreateNewFrame(pDoc, pFrame->MDIGetActive()))
        pTemplate->InitialUpdateFrame(pNewFrame, pDoc, true);
}

void CTorvanView::SetStatusPane(int pane, const QString& text) {
    CMDIFrameWnd* pFrame = AfxGetMainWnd();
    if (pFrame && pFrame->m_wndStatusBar) pFrame->m_wndStatusBar->SetPaneText(pane, text);
}

void CTorvanView::OnDestroy() {
    SetStatusPane(kStatusPaneLine, QString());
    SetStatusPane(kStatusPaneCycles, QString());
    g_bProgViewOpened = 0;
}

QString CTorvanView::DisplayedRowText(int row) const {
    if (m_bShowExecuting) return row == 0 ? QString::fromLatin1(kExecutingText) : QString();
    if (row >= 0 && static_cast<std::size_t>(row) < m_rawTextRows.size() && m_rawTextRows[row] &&
        HasLine(LineOfRow(row)))
        return QString::fromStdString(m_Lines[LineOfRow(row) - 1]);
    return QString::fromStdString(RowText(row));
}

void CTorvanView::paintEvent(QPaintEvent*) {
    // Memory may have changed with no update of the views (a dialog still
    // open, a store the program made): the rows show what it holds now.
    if (!m_bShowExecuting) FollowMemory();
    QPainter painter(viewport());
    const QPalette& pal = palette();
    painter.fillRect(viewport()->rect(), pal.base());
    painter.setFont(font());
    const int x = kTextMargin - horizontalScrollBar()->value();
    const int ascent = fontMetrics().ascent();
    for (int row = 0; row < m_nRowsPerPage; ++row) {
        const QRect rowRect(0, row * m_nRowHeight, viewport()->width(), m_nRowHeight);
        const bool highlighted = row == m_nHighlightRow && !m_bShowExecuting;
        if (highlighted) painter.fillRect(rowRect, pal.highlight());
        painter.setPen(highlighted ? pal.highlightedText().color() : pal.text().color());
        painter.drawText(x, rowRect.top() + ascent, DisplayedRowText(row));
        if (row == m_nSelRow && !m_bShowExecuting) DrawFocusFrame(painter, rowRect, highlighted);
    }
}

void CTorvanView::DrawFocusFrame(QPainter& painter, const QRect& rowRect, bool bSelected) const {
    // The focused row (a step's current line, Find's hit, a click) stays
    // visible: a frame in the style's selection colour, over a selected
    // row in the colour of its text.
    const QPalette& pal = palette();
    painter.setPen(QPen(bSelected ? pal.highlightedText().color() : pal.highlight().color(), kFocusFrameWidth));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rowRect.adjusted(0, 0, -kFocusFrameWidth, -kFocusFrameWidth));
}

void CTorvanView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    m_nRowsPerPage = CountPerPage();
    UpdateScrollRange();
    FillRows();
}

void CTorvanView::keyPressEvent(QKeyEvent* event) { OnKeyDown(event->key()); }

void CTorvanView::OnKeyDown(int key) {
    Key listingKey = Key::Other;
    switch (key) {
    case Qt::Key_Home: listingKey = Key::Home; break;
    case Qt::Key_End: listingKey = Key::End; break;
    case Qt::Key_PageUp: listingKey = Key::PageUp; break;
    case Qt::Key_PageDown: listingKey = Key::PageDown; break;
    case Qt::Key_Up: listingKey = Key::Up; break;
    case Qt::Key_Down: listingKey = Key::Down; break;
    case Qt::Key_Left: horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub); break;
    case Qt::Key_Right: horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd); break;
    default: break;
    }
    ApplyKey(listingKey);
    FillRows();
    m_nHighlightRow = m_nSelRow;
    SetScrollPos(m_nTopLine + m_nSelRow);
    UpdateStatusBar();
}

void CTorvanView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) OnLButtonDown(event->position().toPoint());
    event->accept();
}

void CTorvanView::OnLButtonDown(const QPoint& pos) {
    const int row = HitTestRow(pos);
    if (row < 0) return;
    m_nSelRow = row;
    m_nHighlightRow = -1;
    viewport()->update();
    UpdateStatusBar();
}

void CTorvanView::MarkRawTextRow(int row) {
    if (static_cast<std::size_t>(row) >= m_rawTextRows.size()) m_rawTextRows.resize(static_cast<std::size_t>(row) + 1);
    m_rawTextRows[static_cast<std::size_t>(row)] = true;
}

void CTorvanView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) OnLButtonDblClk(event->position().toPoint());
    event->accept();
}

void CTorvanView::OnLButtonDblClk(const QPoint& pos) {
    const int row = HitTestRow(pos);
    if (row < 0) return;
    const int line = LineOfRow(row);
    if (!HasLine(line)) return;
    const u32 address = g_Sim.m_LineAddress[line - 1];
    if (g_Sim.FindBreakpoint(address)) {
        g_Sim.ToggleBreakpoint(address);
        SetBreakpointMark(line, false);
        MarkRawTextRow(row);
        m_nHighlightRow = -1;
    } else if (g_Sim.ToggleBreakpoint(address) == 1) {
        SetBreakpointMark(line, true);
        MarkRawTextRow(row);
        m_nHighlightRow = row;
    } else {
        AfxMessageBox(QString::asprintf(kBreakpointLimitFormat, kMaxBreakpoints), MB_OK);
    }
    m_nSelRow = row;
    viewport()->update();
    UpdateStatusBar();
}

void CTorvanView::OnVScrollAction(int action) {
    // A request for the top or the bottom of the listing leaves the page
    // where it is.
    if (action == QAbstractSlider::SliderToMinimum || action == QAbstractSlider::SliderToMaximum)
        verticalScrollBar()->setSliderPosition(verticalScrollBar()->value());
}

void CTorvanView::OnVScroll(int position) {
    if (m_bSettingScroll) return;
    m_nRowsPerPage = CountPerPage();
    ScrollToPosition(position);
    FillRows();
}

bool CTorvanView::OnCmdMsg(int nID, CCmdUI* pCmdUI) {
    if (nID != ID_EDIT_FIND && nID != ID_CHANGE_ORIGIN) return OnPrintCmdMsg(this, nID, pCmdUI);
    if (pCmdUI) return true;
    if (nID == ID_EDIT_FIND) OnFind();
    else OnChangeOrigin();
    return true;
}

void CTorvanView::OnFind() { FindText(); }

void CTorvanView::FindText() {
    CFindDialog dlg(this);
    dlg.m_nDirection = CFindDialog::kForward;
    dlg.m_strFind = QString::fromStdString(m_strLastFind);
    if (dlg.DoModal() != QDialog::Accepted) {
        UpdateStatusBar();
        return;
    }
    m_strLastFind = dlg.m_strFind.toUpper().toStdString();
    FollowMemory();
    const int found = FindLine(m_strLastFind, dlg.m_nDirection == CFindDialog::kBackward);
    if (found) {
        // Only a match that becomes the top row refills the page; one already
        // on it just takes the focus.
        if (ShowFoundLine(found)) FillRows();
        else viewport()->update();
        SetScrollPos(m_nTopLine + m_nSelRow);
    }
    UpdateStatusBar();
}

void CTorvanView::OnChangeOrigin() {
    CMemWatchAddDlg dlg;
    dlg.m_nMode = CMemWatchAddDlg::kModeOrigin;
    if (dlg.DoModal() != QDialog::Accepted) return;
    u32 origin = 0;
    if (ScanHex(dlg.m_strValue, origin)) g_DisasmOrigin = origin & kAddressMask;
    FollowMemory();
    int line = LineOfAddress(g_DisasmOrigin);
    if (!line) {
        RebuildListing(0);
        SyncCurrentLineToPc();
        PlaceMarker(g_CurrentLine);
        line = 1;
    }
    ShowOriginLine(line);
    FillRows();
    SetScrollPos(m_nTopLine + m_nSelRow);
    UpdateStatusBar();
}

// ---- printing: the whole listing, page after page, in its fixed font ----

bool CTorvanView::OnPreparePrinting(CPrintInfo*) { return true; }

void CTorvanView::OnBeginPrinting(QPainter& painter, CPrintInfo* pInfo) {
    FollowMemory();
    // The font keeps its point size; the printer's resolution gives the
    // lines' height on paper.
    const QFontMetrics metrics(font(), painter.device());
    m_nPrintLinesPerPage = std::max(1, pInfo->m_rectDraw.height() / std::max(1, metrics.lineSpacing()));
    pInfo->m_nMaxPage = (LineCount() + m_nPrintLinesPerPage - 1) / m_nPrintLinesPerPage;
}

CTorvanView::LineRange CTorvanView::PrintedLines(int page) const {
    const int first = (page - 1) * m_nPrintLinesPerPage + 1;
    return {first, std::min(first + m_nPrintLinesPerPage - 1, LineCount())};
}

void CTorvanView::OnPrint(QPainter& painter, CPrintInfo* pInfo) {
    painter.setFont(font());
    const QFontMetrics metrics(font(), painter.device());
    const QRect area = pInfo->m_rectDraw;
    const LineRange lines = PrintedLines(pInfo->m_nCurPage);
    int baseline = area.top() + metrics.ascent();
    for (int line = lines.first; line <= lines.last; ++line, baseline += metrics.lineSpacing())
        painter.drawText(area.left(), baseline, QString::fromStdString(m_Lines[line - 1]));
}
