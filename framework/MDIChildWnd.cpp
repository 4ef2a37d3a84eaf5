#include "framework/MDIChildWnd.h"

#include <QCloseEvent>

#include "framework/DocTemplate.h"
#include "framework/Document.h"
#include "framework/View.h"

void CMDIChildWnd::closeEvent(QCloseEvent* event) {
    QMdiSubWindow::closeEvent(event);
    if (!event->isAccepted()) return;
    CView* pView = ViewOfFrame(this);
    if (pView == nullptr) return;
    pView->Destroy();
    if (CDocument* pDoc = pView->GetDocument()) pDoc->RemoveView(pView);
}
