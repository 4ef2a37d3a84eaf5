#include "framework/Printing.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <algorithm>

#include "framework/CmdUI.h"
#include "framework/View.h"
#include "res/CommandIds.h"

namespace {
PrintResponder g_responder;

QWidget* ParentOf(CView* pView) { return dynamic_cast<QWidget*>(pView); }

// The page loop: every page, or the pages the user chose, each on a new
// sheet.
void PrintPages(CView* pView, QPrinter& printer) {
    QPainter painter;
    if (!painter.begin(&printer)) return;
    CPrintInfo info;
    info.m_rectDraw = painter.viewport();
    pView->OnBeginPrinting(painter, &info);
    const int first = std::max(printer.fromPage(), 1);
    const int last = printer.toPage() > 0 ? std::min(printer.toPage(), info.m_nMaxPage) : info.m_nMaxPage;
    for (info.m_nCurPage = first; info.m_nCurPage <= last; ++info.m_nCurPage) {
        if (info.m_nCurPage > first) printer.newPage();
        painter.save();
        pView->OnPrint(painter, &info);
        painter.restore();
    }
    pView->OnEndPrinting(painter, &info);
    painter.end();
}
}  // namespace

void SetPrintResponder(PrintResponder responder) { g_responder = std::move(responder); }

bool PrintView(CView* pView, PrintMode mode) {
    CPrintInfo info;
    if (pView == nullptr || !pView->OnPreparePrinting(&info)) return false;
    QPrinter printer(QPrinter::HighResolution);
    if (g_responder) {
        if (!g_responder(printer, mode)) return false;
        PrintPages(pView, printer);
        return true;
    }
    switch (mode) {
    case PrintMode::Direct: break;
    case PrintMode::Dialog: {
        QPrintDialog dialog(&printer, ParentOf(pView));
        if (dialog.exec() != QDialog::Accepted) return false;
        break;
    }
    case PrintMode::Preview: {
        QPrintPreviewDialog preview(&printer, ParentOf(pView));
        QObject::connect(&preview, &QPrintPreviewDialog::paintRequested,
                         [pView](QPrinter* pPrinter) { PrintPages(pView, *pPrinter); });
        return preview.exec() == QDialog::Accepted;
    }
    }
    PrintPages(pView, printer);
    return true;
}

bool OnPrintCmdMsg(CView* pView, int nID, CCmdUI* pCmdUI) {
    PrintMode mode;
    switch (nID) {
    case ID_FILE_PRINT: mode = PrintMode::Dialog; break;
    case ID_FILE_PRINT_DIRECT: mode = PrintMode::Direct; break;
    case ID_FILE_PRINT_PREVIEW: mode = PrintMode::Preview; break;
    default: return false;
    }
    if (pCmdUI == nullptr) PrintView(pView, mode);
    return true;
}
