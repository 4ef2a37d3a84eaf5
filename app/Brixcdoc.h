// The program document and the windows that show it.
//
// There is one document at a time. It holds no machine state of its own (all
// of it is in g_Sim); it loads a program image, keeps the list of its views
// and tells them to refresh. Every window is a frame (a QMdiSubWindow) that
// holds one view; a view is a QWidget that also derives from CView.
#pragma once

#include <QList>
#include <QObject>
#include <QSize>
#include <QString>

class CCmdUI;
class CTorvanDoc;
class QMdiSubWindow;
class QWidget;
struct CMenuSet;

// The document side of a window's view. Derive a view widget from its Qt
// widget class and from CView; the template registers it with the document,
// and the view leaves the document when it is destroyed.
class CView {
public:
    CView() = default;
    CView(const CView&) = delete;
    CView& operator=(const CView&) = delete;
    virtual ~CView();

    CTorvanDoc* GetDocument() const { return m_pDocument; }

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

private:
    friend class CTorvanDoc;
    CTorvanDoc* m_pDocument = nullptr;
};

// Result of loading an Intel HEX file.
enum HexLoadResult { kHexLoaded = 0, kHexCannotOpen = 1, kHexNotValid = 2 };

class CTorvanDoc : public QObject {
    Q_OBJECT
public:
    CTorvanDoc();
    ~CTorvanDoc() override;

    // Never used to make an empty document; kept for the document interface.
    bool OnNewDocument() { return true; }
    // Loads the program at path: records it as the last program, loads its
    // configuration, resets the machine and reads the image. False only when
    // a raw image cannot be read (the document is then discarded).
    bool OnOpenDocument(const QString& path);
    // Closes every window of the document; the document then goes away.
    void OnCloseDocument();
    void OnFileClose() { OnCloseDocument(); }
    // The document has nothing to store: saving writes nothing, so the
    // program file is never changed.
    void Serialize() {}

    QString GetTitle() const { return m_strTitle; }
    void SetTitle(const QString& title);
    QString GetPathName() const { return m_strPathName; }
    void SetPathName(const QString& path);

    void AddView(CView* pView);
    void RemoveView(CView* pView);
    const QList<CView*>& GetViews() const { return m_viewList; }
    // Every view but the sender refreshes.
    void UpdateAllViews(CView* pSender, long lHint = 0);

    // Reads an Intel HEX file into target memory (data records only).
    static int LoadHexFile(const QString& path);

signals:
    void titleChanged(const QString& title);
    void viewsChanged();

private:
    void RecordLastProgram(const QString& path);
    void LoadProgramConfig(const QString& path);
    static void StoreProgramNames(const QString& path);
    static bool LoadRawImage(const QString& path);

    QList<CView*> m_viewList;
    QString m_strTitle;
    QString m_strPathName;
    bool m_bClosing = false;
};

// A kind of window on the document: how to make its frame and view, which
// views are of its kind, and the menu its frames show. An empty template
// (its window not built yet) makes no frame.
class CMultiDocTemplate {
public:
    using FrameFactory = QMdiSubWindow* (*)(CTorvanDoc* pDoc);
    using Placement = void (*)(QMdiSubWindow* pFrame, const QSize& clientSize);
    using ViewTest = bool (*)(const CView* pView);

    CMultiDocTemplate(FrameFactory pfnCreate, Placement pfnPlace, ViewTest pfnIsView)
        : m_pfnCreate(pfnCreate), m_pfnPlace(pfnPlace), m_pfnIsView(pfnIsView) {}

    // Frame class Frm is a QMdiSubWindow with PreCreateWindow(const QSize&)
    // that places it from the MDI client size; view class View is a QWidget
    // and a CView constructed from the document.
    template <class Frm, class View>
    static CMultiDocTemplate* New() {
        return new CMultiDocTemplate(&CreateFrame<Frm, View>, &PlaceFrame<Frm>, &IsViewOf<View>);
    }
    static CMultiDocTemplate* NewEmpty() { return new CMultiDocTemplate(nullptr, nullptr, nullptr); }

    // A window not built yet.
    bool IsEmpty() const { return m_pfnCreate == nullptr; }
    bool IsViewOfKind(const CView* pView) const { return m_pfnIsView != nullptr && m_pfnIsView(pView); }
    // Makes a new frame with its view on the document inside the main
    // window's MDI area, placed but not shown; null when it cannot.
    QMdiSubWindow* CreateNewFrame(CTorvanDoc* pDoc, QMdiSubWindow* pOther);
    // Runs the views' initial update and shows and activates the frame.
    void InitialUpdateFrame(QMdiSubWindow* pFrame, CTorvanDoc* pDoc, bool bMakeVisible = true);

    CMenuSet* m_pMenuShared = nullptr;

private:
    template <class Frm, class View>
    static QMdiSubWindow* CreateFrame(CTorvanDoc* pDoc) {
        auto* pFrame = new Frm();
        auto* pView = new View(pDoc);
        pFrame->setWidget(pView);
        pDoc->AddView(pView);
        return pFrame;
    }
    template <class Frm>
    static void PlaceFrame(QMdiSubWindow* pFrame, const QSize& clientSize) {
        static_cast<Frm*>(pFrame)->PreCreateWindow(clientSize);
    }
    template <class View>
    static bool IsViewOf(const CView* pView) { return dynamic_cast<const View*>(pView) != nullptr; }

    FrameFactory m_pfnCreate;
    Placement m_pfnPlace;
    ViewTest m_pfnIsView;
};

// The view shown by a frame, or null.
CView* ViewOfFrame(const QMdiSubWindow* pFrame);
// The template that made a frame, or null.
CMultiDocTemplate* TemplateOfFrame(const QMdiSubWindow* pFrame);
