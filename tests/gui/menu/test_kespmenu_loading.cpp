// Building the owner-drawn menus from their templates: records and flags,
// the popups a menu keeps over all its loads, the key column, the toolbar
// images in the system's colours, and freeing it all.
#include <QMenuBar>
#include <QPointer>
#include <QToolBar>
#include <QtTest>

#include "menu/Kespmenu.h"
#include "res/Toolbar.h"
#include "tests/gui/menu/MenuTestSupport.h"
#include "tests/support/QtTestRegistry.h"

using namespace menutest;

namespace {
constexpr int kToolbars[] = {IDR_MAINFRAME};
constexpr int kDocumentMenuPopups = 14;  // every popup of menu 3, at any depth

// Every record of a popup and of the popups inside it.
template <class Fn> void ForEachRecord(const KespMenu* pMenu, Fn fn) {
    const QList<QAction*> items = pMenu->actions();
    for (int pos = 0; pos < items.size(); ++pos) {
        fn(*pMenu->m_MenuList[static_cast<std::size_t>(pos)], items[pos]);
        if (auto* pPopup = qobject_cast<KespMenu*>(items[pos]->menu())) ForEachRecord(pPopup, fn);
    }
}
}  // namespace

class TestKespMenuLoading : public QObject {
    Q_OBJECT
    std::unique_ptr<MenuHost> m_host;

private slots:
    void init() { m_host = std::make_unique<MenuHost>(); }
    void cleanup() { m_host.reset(); }

    void templatesBecomeRecordsWithTheirFlags() {
        KespMenu menu;
        QVERIFY(menu.LoadMenu(IDR_TORVANTYPE));
        QVERIFY(menu.LoadToolbars(kToolbars, 1));
        const std::unique_ptr<CMenuSet> bar = menu.Detach();
        QCOMPARE(bar->m_popups.size(), 10);
        QCOMPARE(menu.m_MenuList.size(), std::size_t(10));
        for (const auto& pData : menu.m_MenuList) QCOMPARE(pData->m_nFlags, unsigned(MF_POPUP | MF_BYPOSITION));
        QCOMPARE(menu.m_MenuList[2]->GetWideString(), QStringLiteral("&Configuration"));
        QCOMPARE(int(menu.m_SubMenus.size()), kDocumentMenuPopups);

        // The ends of nested popups close the right menus: the Run menu ends
        // with a popup that ends both, and the menus after it are whole.
        const KespMenu* pRun = PopupAt(*bar, {"&Run"});
        QCOMPARE(pRun->actions().size(), 6);
        QCOMPARE(PopupAt(*bar, {"&Run", "Timing Diagram"})->actions().size(), 3);
        QCOMPARE(PopupAt(*bar, {"&Configuration", "&View", "Change Configuration"})->actions().size(), 6);
        QCOMPARE(PopupAt(*bar, {"&Configuration", "&View"})->actions().size(), 4);
        QCOMPARE(PopupAt(*bar, {"&Interrupts"})->actions().size(), 4);

        int images = 0;
        for (QMenu* pTop : bar->m_popups) {
            ForEachRecord(qobject_cast<KespMenu*>(pTop), [&](const KespMenuItemData& data, const QAction* pAction) {
                const int nID = pAction->data().toInt();
                if (pAction->isSeparator()) {
                    QCOMPARE(data.m_nFlags, unsigned(MF_SEPARATOR | MF_OWNERDRAW));
                    QCOMPARE(data.m_nID, quintptr(0));
                } else if (pAction->menu() != nullptr) {
                    QCOMPARE(data.m_nFlags, unsigned(MF_POPUP | MF_OWNERDRAW));
                    QCOMPARE(data.m_nID, reinterpret_cast<quintptr>(pAction->menu()));
                } else {
                    QCOMPARE(data.m_nFlags, unsigned(MF_OWNERDRAW));
                    QCOMPARE(data.m_nID, quintptr(nID));
                    QCOMPARE(pAction, m_host->frame.GetAction(nID));
                }
                // A command on the toolbar shows its button's image.
                const int image = pAction->menu() == nullptr && nID != 0 ? ToolbarImageIndex(nID) : -1;
                QCOMPARE(data.m_nImageIndex, image);
                QCOMPARE(data.m_nBitmapId, image >= 0 ? IDR_MAINFRAME : -1);
                QCOMPARE(data.m_pImageList != nullptr, image >= 0);
                if (image >= 0) QCOMPARE(data.m_pImageList->GetImageCount(), 21);
                images += image >= 0;
            });
        }
        QCOMPARE(images, 19);  // every button but Print and Change Origin
        int nLoc = 0;
        QVERIFY(menu.FindMenuItem(ID_FILE_PRINT, nLoc) == nullptr);
        QCOMPARE(nLoc, -1);
    }

    void popupsOfEveryLoadBelongToTheMenu() {
        KespMenu document;
        KespMenu other;
        QVERIFY(other.LoadMenu(IDR_MAINFRAME));
        const std::unique_ptr<CMenuSet> otherBar = other.Detach();
        std::vector<std::unique_ptr<CMenuSet>> bars;
        for (int load = 0; load < 8; ++load) {
            QVERIFY(document.LoadMenu(IDR_TORVANTYPE));
            document.LoadToolbars(kToolbars, 1);
            bars.push_back(document.Detach());
        }
        QCOMPARE(int(document.m_SubMenus.size()), 8 * kDocumentMenuPopups);
        QCOMPARE(document.m_MenuList.size(), std::size_t(8 * 10));
        QSet<const QMenu*> distinct;
        for (const auto& bar : bars) {
            const KespMenu* pInner = PopupAt(*bar, {"&Configuration", "&View", "Change Configuration"});
            QVERIFY(document.IsSubMenu(pInner));
            QVERIFY(!other.IsSubMenu(pInner));
            for (QMenu* pTop : bar->m_popups) {
                QVERIFY(document.IsSubMenu(pTop));
                distinct.insert(pTop);
            }
            // Each copy opens its own popups, and its bar shows them.
            for (int pos = 0; pos < bar->m_popups.size(); ++pos)
                QCOMPARE(bar->m_popups[pos]->title(), bars.front()->m_popups[pos]->title());
        }
        QCOMPARE(distinct.size(), 8 * 10);
        for (QMenu* pTop : otherBar->m_popups) QVERIFY(!document.IsSubMenu(pTop));
        QMenu plain;
        QVERIFY(!document.IsSubMenu(&plain));
    }

    void keyTextsStartAtOneWidth() {
        KespMenu menu;
        QVERIFY(menu.LoadMenu(IDR_TORVANTYPE));
        const std::unique_ptr<CMenuSet> bar = menu.Detach();
        const KespMenu* pRun = PopupAt(*bar, {"&Run"});
        const QFontMetrics metrics(pRun->font());
        const QStringList labels{"&BreakPoint",        "&Single Step", "&Run",
                                 "&Terminate Program", "&CPU Reset",   "Timing Diagram"};
        int widest = 0;
        for (const QString& label : labels) widest = qMax(widest, metrics.horizontalAdvance(label + QLatin1Char(' ')));
        QSet<QString> keys;
        for (const auto& pData : pRun->m_MenuList) {
            const QString text = pData->GetWideString();
            const int tab = text.indexOf(QLatin1Char('\t'));
            if (tab < 0) {
                QVERIFY(labels.contains(text));
                continue;
            }
            // The label, then spaces up to the key column.
            QVERIFY(labels.contains(text.left(tab).trimmed()));
            const int start = metrics.horizontalAdvance(text.left(tab));
            QVERIFY2(start >= widest && start < widest + metrics.horizontalAdvance(QLatin1Char(' ')), qPrintable(text));
            keys << text.mid(tab + 1);
        }
        QCOMPARE(keys, (QSet<QString>{"F12", "F7", "Ctrl+F7", "Ctrl+F2"}));
        // The action keeps its text; only the record is padded.
        QCOMPARE(ActionOf(pRun, ID_RUN_SINGLESTEP)->text(), QStringLiteral("&Single Step\tF7"));
    }

    void missingTemplatesAndToolbarsBuildNothing() {
        KespMenu menu;
        QVERIFY(!menu.LoadMenu(999));
        QVERIFY(menu.m_MenuList.empty() && menu.m_SubMenus.empty() && menu.actions().isEmpty());
        QVERIFY(menu.LoadMenu(IDR_MAINFRAME));
        QVERIFY(!menu.LoadToolbar(999));
        int nImage = 0;
        QVERIFY(!menu.GetToolbarImageIndex(ID_FILE_OPEN, 999, nImage));
        QVERIFY(!menu.GetToolbarImageIndex(ID_APP_EXIT, IDR_MAINFRAME, nImage));
        QVERIFY(menu.LoadSysColorBitmap(999).isNull());
        for (KespMenu* pPopup : menu.m_SubMenus)
            for (const auto& pData : pPopup->m_MenuList) QCOMPARE(pData->m_nBitmapId, -1);
    }

    void imagesTakeTheSystemColours() {
        // Bitmaps are drawn on the standard grey with black and white:
        // loaded, those become the system's face, text and highlight.
        QPalette palette = FixedPalette();
        palette.setColor(QPalette::Button, QColor(10, 200, 30));
        palette.setColor(QPalette::Light, QColor(250, 240, 0));
        KespMenu menu;
        menu.setPalette(palette);
        const QImage bitmap = menu.LoadSysColorBitmap(IDR_MAINFRAME);
        QCOMPARE(bitmap.size(), QSize(21 * kToolbarImageWidth, kToolbarImageHeight));
        const int terminate = ToolbarImageIndex(ID_RUN_TERMINATEPROGRAM) * kToolbarImageWidth;
        QCOMPARE(bitmap.pixel(0, 0), qRgb(10, 200, 30));              // background
        QCOMPARE(bitmap.pixel(terminate + 8, 8), qRgb(250, 240, 0));  // the white bar of the stop sign

        // In an image list the face colour is transparent.
        CImageList list(QSize(kToolbarImageWidth, kToolbarImageHeight));
        menu.AddBitmapToImageList(&list, IDR_MAINFRAME);
        QCOMPARE(list.GetImageCount(), 21);
        QImage canvas(kToolbarImageWidth, kToolbarImageHeight, QImage::Format_RGB32);
        canvas.fill(Qt::magenta);
        QPainter painter(&canvas);
        QVERIFY(list.Draw(&painter, ToolbarImageIndex(ID_RUN_TERMINATEPROGRAM), QPoint(0, 0)));
        QVERIFY(!list.Draw(&painter, 21, QPoint(0, 0)));
        painter.end();
        QCOMPARE(canvas.pixel(0, 0), QColor(Qt::magenta).rgb());
        QCOMPARE(canvas.pixel(8, 8), qRgb(250, 240, 0));
        // A background colour set on the menu masks instead.
        menu.SetBitmapBackground(QColor(250, 240, 0));
        CImageList masked(QSize(kToolbarImageWidth, kToolbarImageHeight));
        menu.AddBitmapToImageList(&masked, IDR_MAINFRAME);
        canvas.fill(Qt::magenta);
        painter.begin(&canvas);
        masked.Draw(&painter, ToolbarImageIndex(ID_RUN_TERMINATEPROGRAM), QPoint(0, 0));
        painter.end();
        QCOMPARE(canvas.pixel(0, 0), qRgb(10, 200, 30));
        QCOMPARE(canvas.pixel(8, 8), QColor(Qt::magenta).rgb());
    }

    void recordsChangedByTextOrByCommand() {
        // Changed while the menu still holds its bar, as the frame does.
        KespMenu menu;
        QVERIFY(menu.LoadMenu(IDR_TORVANTYPE));
        QVERIFY(menu.ModifyODMenuByTextW(QStringLiteral("&Memory Watch"), QStringLiteral("&Memory"), IDR_MAINFRAME));
        QVERIFY(!menu.ModifyODMenuByTextA("No such item", nullptr, IDR_MAINFRAME));
        QVERIFY(menu.ModifyODMenuA("I&O", ID_VIEW_IO_WATCH, IDR_MAINFRAME));
        // A command the menu does not hold gets a record of its own.
        const std::size_t records = menu.m_MenuList.size();
        QVERIFY(menu.ModifyODMenuW(QString(), ID_FILE_PRINT, IDR_MAINFRAME));
        QCOMPARE(menu.m_MenuList.size(), records + 1);
        QCOMPARE(menu.m_MenuList.back()->m_nID, quintptr(ID_FILE_PRINT));

        // Images from a toolbar on screen, whose buttons carry their commands.
        QToolBar toolbar;
        toolbar.addSeparator();
        toolbar.addAction(m_host->frame.GetAction(ID_RUN_SINGLESTEP));
        QVERIFY(menu.AddFromToolBar(&toolbar, IDR_MAINFRAME));

        const std::unique_ptr<CMenuSet> bar = menu.Detach();
        const KespMenu* pRun = PopupAt(*bar, {"&Run"});
        const KespMenuItemData& step = *pRun->ItemDataOf(ActionOf(pRun, ID_RUN_SINGLESTEP));
        QCOMPARE(step.m_nImageIndex, ToolbarImageIndex(ID_RUN_SINGLESTEP));
        QCOMPARE(step.m_nBitmapId, IDR_MAINFRAME);
        const KespMenu* pView = PopupAt(*bar, {"&View"});
        const KespMenuItemData& memory = *pView->m_MenuList[2];
        QCOMPARE(memory.GetWideString(), QStringLiteral("&Memory"));
        QCOMPARE(memory.m_nImageIndex, 0);
        QCOMPARE(memory.m_nBitmapId, IDR_MAINFRAME);
        const KespMenuItemData& io = *pView->m_MenuList[4];
        QCOMPARE(io.GetWideString(), QStringLiteral("I&O"));
        QCOMPARE(io.m_nImageIndex, ToolbarImageIndex(ID_VIEW_IO_WATCH));
        QCOMPARE(io.m_nFlags, unsigned(MF_BYCOMMAND | MF_OWNERDRAW));
        // Once the bar is handed over the menu finds no item of it.
        QVERIFY(!menu.ModifyODMenuByTextW(QStringLiteral("&Toolbar"), QString(), IDR_MAINFRAME));

        // Check images come from two bitmaps, unselected first.
        QVERIFY(!menu.SetCheckmarkBitmaps(-1, IDR_MAINFRAME));
        QVERIFY(menu.SetCheckmarkBitmaps(IDR_MAINFRAME, IDR_MAINFRAME));
        QCOMPARE(menu.m_pCheckImages->GetImageCount(), 42);
        QCOMPARE(menu.m_nSelectCheck, IDR_MAINFRAME);
    }

    void destroyFreesPopupsAndRecords() {
        auto menu = std::make_unique<KespMenu>();
        QVERIFY(menu->LoadMenu(IDR_TORVANTYPE));
        QPointer<QMenu> pInner = menu->m_SubMenus.back();
        QVERIFY(menu->DestroyMenu());
        QVERIFY(pInner.isNull());
        QVERIFY(menu->m_MenuList.empty() && menu->m_SubMenus.empty());
        QVERIFY(!menu->DestroyMenu());

        // Popups shown in a bar leave it when their menu goes.
        QVERIFY(menu->LoadMenu(IDR_MAINFRAME));
        const std::unique_ptr<CMenuSet> bar = menu->Detach();
        QMenuBar menuBar;
        for (QMenu* pPopup : bar->m_popups) menuBar.addMenu(pPopup);
        QCOMPARE(menuBar.actions().size(), 3);
        menu.reset();
        QCOMPARE(menuBar.actions().size(), 0);
    }
};

TORVAN_TEST_CLASS(TestKespMenuLoading);
#include "test_kespmenu_loading.moc"
