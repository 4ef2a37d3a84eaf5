// A document: the list of its views and their refresh. The windows of a
// document are frames (QMdiSubWindow) that each hold one view; a document
// lives as long as it has a view.
#pragma once

#include <QList>
#include <QObject>
#include <QString>

class CView;

class CDocument : public QObject {
    Q_OBJECT
public:
    CDocument() = default;
    ~CDocument() override;

    // Closes every window of the document; the document then goes away.
    void OnCloseDocument();

    QString GetTitle() const { return m_strTitle; }
    void SetTitle(const QString& title);
    QString GetPathName() const { return m_strPathName; }
    void SetPathName(const QString& path);

    void AddView(CView* pView);
    void RemoveView(CView* pView);
    const QList<CView*>& GetViews() const { return m_viewList; }
    // Every view but the sender refreshes.
    void UpdateAllViews(CView* pSender, long lHint = 0);

signals:
    void titleChanged(const QString& title);
    void viewsChanged();

private:
    QList<CView*> m_viewList;
    QString m_strTitle;
    QString m_strPathName;
    bool m_bClosing = false;
};

// The document's first view of class View; null when it has none (or there
// is no document).
template <class View> View* FindView(const CDocument* pDoc) {
    if (pDoc == nullptr) return nullptr;
    for (CView* pView : pDoc->GetViews())
        if (auto* p = dynamic_cast<View*>(pView)) return p;
    return nullptr;
}
