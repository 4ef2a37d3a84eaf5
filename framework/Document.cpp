#include "framework/Document.h"

#include <QFileInfo>
#include <QMdiSubWindow>

#include "framework/DocTemplate.h"
#include "framework/View.h"

CView::~CView() {
    if (m_pDocument != nullptr) m_pDocument->RemoveView(this);
}

CDocument::~CDocument() {
    for (CView* pView : m_viewList) pView->m_pDocument = nullptr;
}

void CDocument::SetTitle(const QString& title) {
    m_strTitle = title;
    emit titleChanged(title);
}

void CDocument::SetPathName(const QString& path) {
    m_strPathName = path;
    SetTitle(QFileInfo(path).fileName());
}

void CDocument::AddView(CView* pView) {
    if (pView == nullptr || m_viewList.contains(pView)) return;
    if (pView->m_pDocument != nullptr && pView->m_pDocument != this) pView->m_pDocument->RemoveView(pView);
    pView->m_pDocument = this;
    m_viewList.append(pView);
    emit viewsChanged();
}

void CDocument::RemoveView(CView* pView) {
    if (!m_viewList.removeOne(pView)) return;
    pView->m_pDocument = nullptr;
    emit viewsChanged();
    // A document lives as long as it has windows.
    if (m_viewList.isEmpty() && !m_bClosing) {
        m_bClosing = true;
        deleteLater();
    }
}

void CDocument::OnCloseDocument() {
    if (m_bClosing && m_viewList.isEmpty()) return;
    m_bClosing = true;
    const QList<CView*> views = m_viewList;
    m_viewList.clear();
    for (CView* pView : views) {
        pView->m_pDocument = nullptr;
        if (QMdiSubWindow* pFrame = FrameOfView(pView)) pFrame->close();
    }
    emit viewsChanged();
    deleteLater();
}

void CDocument::UpdateAllViews(CView* pSender, long lHint) {
    // A view's update may close windows; walk a copy and skip views gone.
    const QList<CView*> views = m_viewList;
    for (CView* pView : views) {
        if (pView != pSender && m_viewList.contains(pView)) pView->OnUpdate(pSender, lHint);
    }
}
