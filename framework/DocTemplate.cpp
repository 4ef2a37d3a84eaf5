#include "framework/DocTemplate.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QVariant>

#include "framework/Document.h"
#include "framework/MDIFrameWnd.h"
#include "framework/View.h"

namespace {
constexpr const char* kTemplateProperty = "torvanDocTemplate";
}

QMdiSubWindow* CMultiDocTemplate::CreateNewFrame(CDocument* pDoc, QMdiSubWindow* pOther) {
    CMDIFrameWnd* pMainFrame = AfxGetMainWnd();
    if (pDoc == nullptr || pMainFrame == nullptr) return nullptr;

    QMdiSubWindow* pFrame = m_pfnCreate(pDoc);
    if (pFrame == nullptr) return nullptr;
    pFrame->setAttribute(Qt::WA_DeleteOnClose);
    pFrame->setProperty(kTemplateProperty, QVariant::fromValue(static_cast<void*>(this)));
    QMdiArea* pArea = pMainFrame->MDIClient();
    pArea->addSubWindow(pFrame);
    m_pfnPlace(pFrame, pArea->viewport()->size());
    return pFrame;
}

void CMultiDocTemplate::InitialUpdateFrame(QMdiSubWindow* pFrame, CDocument* pDoc, bool bMakeVisible) {
    if (pFrame == nullptr) return;
    if (pFrame->windowTitle().isEmpty() && pDoc != nullptr) {
        // Frames without a title of their own show the document's name.
        pFrame->setWindowTitle(pDoc->GetTitle());
        QObject::connect(pDoc, &CDocument::titleChanged, pFrame, &QWidget::setWindowTitle);
    }
    if (CView* pView = ViewOfFrame(pFrame)) pView->OnInitialUpdate();
    if (!bMakeVisible) return;
    pFrame->show();
    if (QMdiArea* pArea = pFrame->mdiArea()) pArea->setActiveSubWindow(pFrame);
}

CView* CMultiDocTemplate::FindView(const CDocument* pDoc) const {
    if (pDoc == nullptr) return nullptr;
    for (CView* pView : pDoc->GetViews())
        if (IsViewOfKind(pView)) return pView;
    return nullptr;
}

CView* ViewOfFrame(const QMdiSubWindow* pFrame) {
    return pFrame != nullptr ? dynamic_cast<CView*>(pFrame->widget()) : nullptr;
}

QMdiSubWindow* FrameOfView(CView* pView) {
    for (QWidget* p = dynamic_cast<QWidget*>(pView); p != nullptr; p = p->parentWidget())
        if (auto* pFrame = qobject_cast<QMdiSubWindow*>(p)) return pFrame;
    return nullptr;
}

CMultiDocTemplate* TemplateOfFrame(const QMdiSubWindow* pFrame) {
    if (pFrame == nullptr) return nullptr;
    return static_cast<CMultiDocTemplate*>(pFrame->property(kTemplateProperty).value<void*>());
}
