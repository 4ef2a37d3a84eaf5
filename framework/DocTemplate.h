// A kind of window on the document: how to make its frame and view, which
// views are of its kind, and the menu its frames show.
#pragma once

#include <QSize>

#include "framework/Document.h"

struct CMenuSet;
class CDocument;
class CView;
class QMdiSubWindow;

class CMultiDocTemplate {
public:
    using FrameFactory = QMdiSubWindow* (*)(CDocument* pDoc);
    using Placement = void (*)(QMdiSubWindow* pFrame, const QSize& clientSize);
    using ViewTest = bool (*)(const CView* pView);

    // Frame class Frm is a QMdiSubWindow with PreCreateWindow(const QSize&)
    // that places it from the MDI client size; view class View is a QWidget
    // and a CView constructed from the document.
    template <class Frm, class View> static CMultiDocTemplate* New() {
        return new CMultiDocTemplate(&CreateFrame<Frm, View>, &PlaceFrame<Frm>, &IsViewOf<View>);
    }

    bool IsViewOfKind(const CView* pView) const { return m_pfnIsView(pView); }
    // The document's first view of this kind, or null.
    CView* FindView(const CDocument* pDoc) const;
    // Makes a new frame with its view on the document inside the main
    // window's MDI area, placed but not shown; null when it cannot.
    QMdiSubWindow* CreateNewFrame(CDocument* pDoc, QMdiSubWindow* pOther);
    // Runs the views' initial update and shows and activates the frame.
    void InitialUpdateFrame(QMdiSubWindow* pFrame, CDocument* pDoc, bool bMakeVisible = true);

    CMenuSet* m_pMenuShared = nullptr;

private:
    CMultiDocTemplate(FrameFactory pfnCreate, Placement pfnPlace, ViewTest pfnIsView)
        : m_pfnCreate(pfnCreate), m_pfnPlace(pfnPlace), m_pfnIsView(pfnIsView) {}

    template <class Frm, class View> static QMdiSubWindow* CreateFrame(CDocument* pDoc) {
        auto* pFrame = new Frm();
        auto* pView = new View(pDoc);
        pFrame->setWidget(pView);
        pDoc->AddView(pView);
        return pFrame;
    }
    template <class Frm> static void PlaceFrame(QMdiSubWindow* pFrame, const QSize& clientSize) {
        static_cast<Frm*>(pFrame)->PreCreateWindow(clientSize);
    }
    template <class View> static bool IsViewOf(const CView* pView) {
        return dynamic_cast<const View*>(pView) != nullptr;
    }

    FrameFactory m_pfnCreate;
    Placement m_pfnPlace;
    ViewTest m_pfnIsView;
};

// The view shown by a frame, or null.
CView* ViewOfFrame(const QMdiSubWindow* pFrame);
// The frame that holds a view, or null.
QMdiSubWindow* FrameOfView(CView* pView);
// The template that made a frame, or null.
CMultiDocTemplate* TemplateOfFrame(const QMdiSubWindow* pFrame);
