// The document side of a window's view. Derive a view widget from its Qt
// widget class and from CView; its template registers it with the document,
// and the view leaves the document when its frame closes (CMDIChildWnd) or
// when it is destroyed, whichever comes first.
#pragma once

class CCmdUI;
class CDocument;
class QPainter;
struct CPrintInfo;

class CView {
public:
    CView() = default;
    CView(const CView&) = delete;
    CView& operator=(const CView&) = delete;
    virtual ~CView();

    CDocument* GetDocument() const { return m_pDocument; }

    // Once, after the frame has been created and placed, before it is shown.
    virtual void OnInitialUpdate() {}
    // The document's views are to show the machine's state again; pSender is
    // the view whose edit caused it (it is skipped), or null.
    virtual void OnUpdate(CView* pSender, long lHint) {}
    // The view's frame became (true) or stopped being (false) the active child.
    virtual void OnActivateView(bool bActivate) {}
    // Commands reach the active view first. With pCmdUI null, perform command
    // nID and return true when this view handles it; with pCmdUI, fill in the
    // command's state and return true when this view handles it.
    virtual bool OnCmdMsg(int nID, CCmdUI* pCmdUI) { return false; }
    // The window is going: its frame closed, or the view is being destroyed
    // without a close. Runs once; a view's destructor calls Destroy().
    virtual void OnDestroy() {}
    void Destroy() {
        if (m_bDestroyed) return;
        m_bDestroyed = true;
        OnDestroy();
    }

    // Printing (framework/Printing.h). A view that prints returns true from
    // OnPreparePrinting; OnBeginPrinting sets the page count from the page's
    // size, and OnPrint draws page pInfo->m_nCurPage.
    virtual bool OnPreparePrinting(CPrintInfo* pInfo) { return false; }
    virtual void OnBeginPrinting(QPainter& painter, CPrintInfo* pInfo) {}
    virtual void OnPrint(QPainter& painter, CPrintInfo* pInfo) {}
    virtual void OnEndPrinting(QPainter& painter, CPrintInfo* pInfo) {}

private:
    friend class CDocument;
    CDocument* m_pDocument = nullptr;
    bool m_bDestroyed = false;
};
