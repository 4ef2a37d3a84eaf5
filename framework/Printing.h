// Printing a view: the print dialog (or printing straight to the default
// printer), the print preview, and the page loop that calls the view's
// printing operations. Qt's print dialog also offers a PDF file.
#pragma once

#include <QRect>
#include <functional>

class CCmdUI;
class CView;
class QPrinter;

struct CPrintInfo {
    int m_nCurPage = 1;  // the page being printed, from 1
    int m_nMaxPage = 1;  // pages in all, set by the view's OnBeginPrinting
    QRect m_rectDraw;    // the page's printable area, in the printer's pixels
};

enum class PrintMode { Dialog, Direct, Preview };

// Prints the view; false when the view does not print or the user cancelled.
bool PrintView(CView* pView, PrintMode mode);

// The print commands (Print, Print Direct, Print Preview) for a view that
// prints; call from the view's OnCmdMsg. False for any other command.
bool OnPrintCmdMsg(CView* pView, int nID, CCmdUI* pCmdUI);

// Tests answer the print dialog and the preview instead of showing them:
// the responder configures the printer (a PDF file, say) and returns false
// to cancel. Null restores the real dialogs.
using PrintResponder = std::function<bool(QPrinter& printer, PrintMode mode)>;
void SetPrintResponder(PrintResponder responder);
