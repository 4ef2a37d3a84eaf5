#include "app/HelpWindow.h"

#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QRegularExpression>
#include <QSplitter>
#include <QTextBrowser>
#include <QTextDocumentFragment>
#include <QTreeWidget>

const char* const CHelpWindow::kHelpPage = "qrc:/help/torvan.html";

namespace {
constexpr const char* kTitle = "TORVAN Help";
constexpr int kAnchorRole = Qt::UserRole;
constexpr int kContentsWidth = 240;
constexpr int kPageWidth = 760;
constexpr int kHeight = 640;
}  // namespace

// Resources of a static library are registered by hand, outside any
// namespace.
static void RegisterHelpResources() { Q_INIT_RESOURCE(help); }

CHelpWindow::CHelpWindow(QWidget* pParent)
    : QWidget(pParent, Qt::Window), m_pContents(new QTreeWidget(this)), m_pPage(new QTextBrowser(this)) {
    RegisterHelpResources();
    setWindowTitle(QString::fromLatin1(kTitle));
    setAttribute(Qt::WA_DeleteOnClose);

    m_pContents->setHeaderHidden(true);
    m_pContents->setRootIsDecorated(true);
    m_pPage->setOpenExternalLinks(true);

    auto* pSplitter = new QSplitter(this);
    pSplitter->addWidget(m_pContents);
    pSplitter->addWidget(m_pPage);
    pSplitter->setSizes({kContentsWidth, kPageWidth});
    auto* pLayout = new QHBoxLayout(this);
    pLayout->setContentsMargins(0, 0, 0, 0);
    pLayout->addWidget(pSplitter);
    resize(kContentsWidth + kPageWidth, kHeight);

    const QUrl page(QString::fromLatin1(kHelpPage));
    QFile file(QLatin1Char(':') + page.path());
    if (file.open(QIODevice::ReadOnly)) FillContents(QString::fromUtf8(file.readAll()));
    m_pPage->setSource(page);
    connect(m_pContents, &QTreeWidget::itemSelectionChanged, this, &CHelpWindow::OnContentsEntry);
}

void CHelpWindow::FillContents(const QString& html) {
    // The page's section headings are its contents: h2 a chapter, h3 a
    // section of the chapter before it.
    static const QRegularExpression heading(QStringLiteral("<h([23])><a name=\"([^\"]+)\">(.*?)</a></h\\1>"),
                                            QRegularExpression::DotMatchesEverythingOption);
    QTreeWidgetItem* pChapter = nullptr;
    for (auto it = heading.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        const QString title = QTextDocumentFragment::fromHtml(match.captured(3)).toPlainText();
        const bool bChapter = match.captured(1) == QLatin1String("2");
        auto* pItem =
            bChapter || pChapter == nullptr ? new QTreeWidgetItem(m_pContents) : new QTreeWidgetItem(pChapter);
        pItem->setText(0, title.simplified());
        pItem->setData(0, kAnchorRole, match.captured(2));
        if (bChapter) pChapter = pItem;
    }
}

void CHelpWindow::OnContentsEntry() {
    const QList<QTreeWidgetItem*> selected = m_pContents->selectedItems();
    if (selected.isEmpty()) return;
    m_pPage->scrollToAnchor(selected.first()->data(0, kAnchorRole).toString());
}
