// The help window: the program's help page, bundled as a resource, beside a
// contents list of its sections. A click on an entry shows that section.
#pragma once

#include <QWidget>

class QTextBrowser;
class QTreeWidget;

class CHelpWindow : public QWidget {
    Q_OBJECT
public:
    // The page that the window opens on.
    static const char* const kHelpPage;

    explicit CHelpWindow(QWidget* pParent = nullptr);

    QTreeWidget* Contents() const { return m_pContents; }
    QTextBrowser* Page() const { return m_pPage; }

private:
    void FillContents(const QString& html);
    void OnContentsEntry();

    QTreeWidget* m_pContents;
    QTextBrowser* m_pPage;
};
