// Measuring and drawing owner-drawn items: sizes, and the pixels of check
// marks, highlighted items with and without images, embossed disabled
// items and separators, painted into an image in a palette whose system
// colours all differ.
#include <QActionGroup>
#include <QSet>
#include <QtTest>

#include "menu/Kespmenu.h"
#include "res/Toolbar.h"
#include "tests/gui/menu/MenuTestSupport.h"
#include "tests/support/QtTestRegistry.h"

using namespace menutest;

namespace {
constexpr QRgb kSentinel = 0xFFFF00FF;  // never a system colour of the palette
constexpr int kItemWidth = 200;
constexpr int kItemHeight = 24;  // the image box then starts two pixels down
constexpr int kImageX = 2, kImageY = 4;
// The least clear space between a sub-menu's arrow and the widest text.
constexpr int kArrowGap = 4;
const int kToolbarId = IDR_MAINFRAME;

using PixelSet = QSet<QPair<int, int>>;

PixelSet PixelsOf(const QImage& image, QRgb color, const QRect& area) {
    PixelSet pixels;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixel(x, y) == color) pixels.insert({x, y});
    return pixels;
}

PixelSet Shifted(const PixelSet& pixels, int dx, int dy) {
    PixelSet shifted;
    for (const auto& p : pixels) shifted.insert({p.first + dx, p.second + dy});
    return shifted;
}

QImage Paint(const KespMenu* pMenu, const KespMenuItemData& data, unsigned nState, int height = kItemHeight) {
    QImage canvas(kItemWidth, height, QImage::Format_RGB32);
    canvas.fill(kSentinel);
    QPainter painter(&canvas);
    DrawItemStruct draw;
    draw.pDC = &painter;
    draw.rcItem = QRect(0, 0, kItemWidth, height);
    draw.itemState = nState;
    draw.itemID = data.m_nID;
    draw.itemData = &data;
    pMenu->DrawItem(&draw);
    return canvas;
}
}  // namespace

class TestKespMenuDrawing : public QObject {
    Q_OBJECT
    std::unique_ptr<DocumentMenu> m_menus;
    QPalette m_savedPalette;

    KespMenu* Popup(std::initializer_list<const char*> path) const { return m_menus->Popup(path); }
    // The popup as it shows on screen, with an item highlighted or none.
    static QImage Shown(KespMenu* pMenu, QAction* pActive) {
        pMenu->popup(QPoint(0, 0));
        if (!QTest::qWaitForWindowExposed(pMenu)) return QImage();
        pMenu->setActiveAction(pActive);
        const QImage shown = pMenu->grab().toImage().convertToFormat(QImage::Format_RGB32);
        pMenu->hide();
        return shown;
    }
    const KespMenuItemData& Record(const KespMenu* pMenu, int nID) const {
        return *pMenu->ItemDataOf(ActionOf(pMenu, nID));
    }

private slots:
    void initTestCase() {
        m_savedPalette = QApplication::palette();
        QApplication::setPalette(FixedPalette());
    }
    void cleanupTestCase() { QApplication::setPalette(m_savedPalette); }

    void init() {
        g_nShellType = KespMenu::GetShellType();
        m_menus = std::make_unique<DocumentMenu>();
        QVERIFY(m_menus->Load());
        // Text in whole pixels, so that its colours can be told apart.
        QFont font = m_menus->bar->m_popups.first()->font();
        font.setStyleStrategy(QFont::NoAntialias);
        for (KespMenu* pPopup : m_menus->menu.m_SubMenus) pPopup->setFont(font);
    }
    void cleanup() {
        m_menus.reset();
        g_nShellType = KespMenu::GetShellType();
    }

    // ---- measuring ----

    void measuredSizes() {
        KespMenu* pRun = Popup({"&Run"});
        const int line = pRun->MenuLineHeight();
        const KespMenuItemData& step = Record(pRun, ID_RUN_SINGLESTEP);
        MeasureItemStruct measure = Measured(pRun, &step);
        const QFontMetrics metrics(pRun->font());
        QCOMPARE(measure.itemWidth, metrics.horizontalAdvance(step.GetWideString()) + 37);
        QCOMPARE(measure.itemHeight, qMax(line, 20));

        // A separator: no width, half a line.
        const KespMenu* pFile = Popup({"&File"});
        measure = Measured(pFile, pFile->m_MenuList[2].get());
        QCOMPARE(measure.itemWidth, 0);
        QCOMPARE(measure.itemHeight, pFile->MenuLineHeight() / 2);

        // Never lower than the image and its box; a taller line wins.
        const KespMenuItemData& run = Record(pRun, ID_RUN_RUN);
        QFont font = pRun->font();
        font.setPixelSize(6);
        pRun->setFont(font);
        QCOMPARE(Measured(pRun, &run).itemHeight, 20);
        font.setPixelSize(40);
        pRun->setFont(font);
        QVERIFY(pRun->MenuLineHeight() > 20);
        QCOMPARE(Measured(pRun, &run).itemHeight, pRun->MenuLineHeight());

        // The old shell measures the shown text and widens it by three
        // average characters.
        g_nShellType = 0;
        measure = Measured(pRun, &run);
        const QString text = run.GetWideString();
        const unsigned shown =
            unsigned(
                QFontMetrics(font).boundingRect(QRect(), Qt::TextSingleLine | Qt::TextShowMnemonic, text).width()) +
            3;
        QCOMPARE(measure.itemWidth, int(shown + shown / unsigned(text.size()) * 3) + 37);
    }

    void menusAreLaidOutAsMeasured() {
        KespMenu* pRun = Popup({"&Run"});
        pRun->popup(QPoint(0, 0));
        QVERIFY(QTest::qWaitForWindowExposed(pRun));
        int widest = 0;
        for (const auto& pData : pRun->m_MenuList) widest = qMax(widest, Measured(pRun, pData.get()).itemWidth);
        for (QAction* pAction : pRun->actions()) {
            const MeasureItemStruct measure = Measured(pRun, pRun->ItemDataOf(pAction));
            QCOMPARE(pRun->actionGeometry(pAction).height(), measure.itemHeight);
            QCOMPARE(pRun->actionGeometry(pAction).width(), widest);
        }
        pRun->hide();
    }

    // ---- drawing ----

    void checkMarksAndRadioDots_data() {
        QTest::addColumn<int>("shell");
        QTest::addColumn<bool>("radio");
        QTest::addColumn<bool>("selected");
        QTest::newRow("check") << 3 << false << false;
        QTest::newRow("check, old shell") << 0 << false << false;
        QTest::newRow("check, highlighted") << 3 << false << true;
        QTest::newRow("radio") << 3 << true << false;
    }
    void checkMarksAndRadioDots() {
        QFETCH(int, shell);
        QFETCH(bool, radio);
        QFETCH(bool, selected);
        g_nShellType = shell;
        KespMenu* pView = Popup({"&View"});
        QAction* pToolbar = ActionOf(pView, ID_VIEW_TOOLBAR);
        QActionGroup group(nullptr);
        if (radio) group.addAction(pToolbar);
        const QImage image = Paint(pView, Record(pView, ID_VIEW_TOOLBAR), ODS_CHECKED | (selected ? ODS_SELECTED : 0u));

        const QRect box(1, 4, 18, 16);
        const bool newShell = shell != 0;
        const QRgb ground = !selected && newShell ? Sys(COLOR_3DLIGHT) : Sys(COLOR_MENU);
        QCOMPARE(image.pixel(3, 6), ground);
        QCOMPARE(image.pixel(box.left(), box.top()), newShell ? Sys(COLOR_3DSHADOW) : ground);
        QCOMPARE(image.pixel(box.right(), box.bottom()), newShell ? Sys(COLOR_3DHILIGHT) : ground);
        // A checked item is highlighted right of its box only.
        QCOMPARE(image.pixel(0, 0), selected ? kSentinel : Sys(COLOR_MENU));
        QCOMPARE(image.pixel(kItemWidth - 1, 0), selected ? Sys(COLOR_HIGHLIGHT) : Sys(COLOR_MENU));

        const PixelSet mark = PixelsOf(image, Sys(COLOR_MENUTEXT), box);
        if (radio) {
            // A 6 x 6 dot.
            QVERIFY(mark.size() >= 20);
            for (const auto& p : mark) QVERIFY(QRect(6, 8, 6, 6).contains(p.first, p.second));
            for (int y = 9; y <= 12; ++y) QVERIFY(mark.contains({8, y}) && mark.contains({9, y}));
        } else {
            // Seven columns of three pixels, down and up again.
            PixelSet expected;
            const int tops[] = {2, 3, 4, 3, 2, 1, 0};
            for (int column = 0; column < 7; ++column)
                for (int row = 0; row < 3; ++row) expected.insert({5 + column, 8 + tops[column] + row});
            QCOMPARE(mark, expected);
        }
    }

    void highlightedAndImageItems_data() {
        QTest::addColumn<int>("nID");
        QTest::addColumn<unsigned>("state");
        QTest::addColumn<QRgb>("left");        // (0, 10): the image box's left edge
        QTest::addColumn<QRgb>("right");       // (21, 10): its right edge
        QTest::addColumn<QRgb>("inside");      // (20, 10): inside the box, beside the image
        QTest::addColumn<QRgb>("corner");      // (0, 0): above the box
        QTest::addColumn<QRgb>("textGround");  // (30, 1)
        const QRgb menu = Sys(COLOR_MENU), highlight = Sys(COLOR_HIGHLIGHT);
        const QRgb hilight = Sys(COLOR_3DHILIGHT), shadow = Sys(COLOR_3DSHADOW);
        QTest::newRow("highlighted, no image") << int(ID_RUN_BREAKPOINT) << unsigned(ODS_SELECTED) << highlight
                                               << highlight << highlight << highlight << highlight;
        QTest::newRow("highlighted image: raised")
            << int(ID_RUN_SINGLESTEP) << unsigned(ODS_SELECTED) << hilight << shadow << menu << kSentinel << highlight;
        QTest::newRow("highlighted checked image: sunken")
            << int(ID_RUN_SINGLESTEP) << unsigned(ODS_SELECTED | ODS_CHECKED) << shadow << hilight << menu << kSentinel
            << highlight;
        QTest::newRow("checked image: sunken on the light ground")
            << int(ID_RUN_SINGLESTEP) << unsigned(ODS_CHECKED) << shadow << hilight << Sys(COLOR_3DLIGHT) << menu
            << menu;
        QTest::newRow("image") << int(ID_RUN_SINGLESTEP) << 0u << menu << menu << menu << menu << menu;
    }
    void highlightedAndImageItems() {
        QFETCH(int, nID);
        QFETCH(unsigned, state);
        const KespMenu* pRun = Popup({"&Run"});
        const KespMenuItemData& data = Record(pRun, nID);
        const QImage image = Paint(pRun, data, state);
        QFETCH(QRgb, left);
        QFETCH(QRgb, right);
        QFETCH(QRgb, inside);
        QFETCH(QRgb, corner);
        QFETCH(QRgb, textGround);
        QCOMPARE(image.pixel(0, 10), left);
        QCOMPARE(image.pixel(21, 10), right);
        QCOMPARE(image.pixel(20, 10), inside);
        QCOMPARE(image.pixel(0, 0), corner);
        QCOMPARE(image.pixel(30, 1), textGround);

        const QRgb text = state & ODS_SELECTED ? Sys(COLOR_HIGHLIGHTTEXT) : Sys(COLOR_MENUTEXT);
        // The label from its place beside the box; the key text, when there
        // is one, ends short of the right edge.
        QVERIFY(!PixelsOf(image, text, QRect(27, 0, 40, kItemHeight)).isEmpty());
        QVERIFY(PixelsOf(image, text, QRect(0, 0, 27, kItemHeight)).isEmpty());
        if (nID == ID_RUN_BREAKPOINT) {
            QVERIFY(!PixelsOf(image, text, QRect(kItemWidth - 60, 0, 42, kItemHeight)).isEmpty());
            QVERIFY(PixelsOf(image, text, QRect(kItemWidth - 18, 0, 18, kItemHeight)).isEmpty());
        }
        if (data.m_nBitmapId < 0) return;
        // The button's image, its transparent pixels on the menu colour.
        QImage expected(kToolbarImageWidth, kToolbarImageHeight, QImage::Format_RGB32);
        expected.fill(image.pixel(20, 10));
        QPainter painter(&expected);
        data.m_pImageList->Draw(&painter, data.m_nImageIndex, QPoint(0, 0));
        painter.end();
        QCOMPARE(image.copy(kImageX, kImageY, kToolbarImageWidth, kToolbarImageHeight), expected);
    }

    void disabledItemsAreEmbossed_data() {
        QTest::addColumn<bool>("oldStyle");
        QTest::addColumn<bool>("selected");
        QTest::newRow("greyed") << false << false;
        QTest::newRow("greyed and highlighted") << false << true;
        QTest::newRow("greyed, one-bit emboss") << true << false;
    }
    void disabledItemsAreEmbossed() {
        QFETCH(bool, oldStyle);
        QFETCH(bool, selected);
        KespMenu* pRun = Popup({"&Run"});
        if (oldStyle) pRun->SetDisableOldStyle();
        const KespMenuItemData& data = Record(pRun, ID_RUN_SINGLESTEP);
        const QImage image = Paint(pRun, data, ODS_GRAYED | (selected ? ODS_SELECTED : 0u));

        // The image: its dark pixels in the shadow colour, the highlight one
        // pixel down and right, the rest the face colour.
        const QImage source =
            pRun->LoadSysColorBitmap(kToolbarId)
                .copy(data.m_nImageIndex * kToolbarImageWidth, 0, kToolbarImageWidth, kToolbarImageHeight);
        PixelSet dark;
        for (int y = 0; y < source.height(); ++y)
            for (int x = 0; x < source.width(); ++x) {
                const QColor c = source.pixelColor(x, y);
                // One bit per pixel keeps what is nearer black than white.
                const int nearBlack = c.red() * c.red() + c.green() * c.green() + c.blue() * c.blue();
                const int nearWhite = (255 - c.red()) * (255 - c.red()) + (255 - c.green()) * (255 - c.green()) +
                                      (255 - c.blue()) * (255 - c.blue());
                const bool isDark =
                    oldStyle ? nearBlack < nearWhite : c.rgb() != Sys(COLOR_3DFACE) && c.rgb() != Sys(COLOR_3DHILIGHT);
                if (isDark) dark.insert({kImageX + x, kImageY + y});
            }
        QVERIFY(dark.size() > 20);
        const QRect imageRect(kImageX, kImageY, kToolbarImageWidth, kToolbarImageHeight);
        QCOMPARE(PixelsOf(image, Sys(COLOR_3DSHADOW), imageRect), dark);
        PixelSet raised;
        for (const auto& p : Shifted(dark, 1, 1) - dark)
            if (imageRect.contains(p.first, p.second)) raised.insert(p);
        QCOMPARE(PixelsOf(image, Sys(COLOR_3DHILIGHT), imageRect), raised);
        for (int y = imageRect.top(); y <= imageRect.bottom(); ++y)
            for (int x = imageRect.left(); x <= imageRect.right(); ++x)
                if (!dark.contains({x, y}) && !raised.contains({x, y})) QCOMPARE(image.pixel(x, y), Sys(COLOR_3DFACE));

        // The text: grey with a highlight one pixel down and right, or in
        // the menu colour on the highlight.
        const QRect textArea(27, 0, kItemWidth - 27, kItemHeight);
        if (selected) {
            QVERIFY(!PixelsOf(image, Sys(COLOR_MENU), textArea).isEmpty());
            QVERIFY(PixelsOf(image, Sys(COLOR_GRAYTEXT), textArea).isEmpty());
            QCOMPARE(image.pixel(30, 1), Sys(COLOR_HIGHLIGHT));
        } else {
            const PixelSet grey = PixelsOf(image, Sys(COLOR_GRAYTEXT), textArea);
            QVERIFY(!grey.isEmpty());
            QCOMPARE(PixelsOf(image, Sys(COLOR_3DHILIGHT), textArea), Shifted(grey, 1, 1) - grey);
        }
    }

    // ---- the popup around the items ----

    void popupIsPaintedInTheMenuColourInsideAFrame() {
        KespMenu* pFile = Popup({"&File"});
        QAction* pOpen = ActionOf(pFile, ID_FILE_OPEN);
        const QImage shown = Shown(pFile, pOpen);
        const QRgb menu = Sys(COLOR_MENU);

        // A raised edge all round, which the items leave alone.
        const int middle = shown.height() / 2;
        QCOMPARE(shown.pixel(0, middle), Sys(COLOR_3DLIGHT));
        QCOMPARE(shown.pixel(shown.width() - 1, middle), Sys(COLOR_3DDKSHADOW));

        // Around a separator's line, the menu colour.
        const QRect separator = pFile->actionGeometry(pFile->actions().at(2));
        for (int y : {separator.top(), separator.bottom()})
            for (int x : {separator.left(), separator.center().x(), separator.right()})
                QCOMPARE(shown.pixel(x, y), menu);
        // Between a highlighted item's image box and its highlight, too.
        const QRect open = pFile->actionGeometry(pOpen);
        QCOMPARE(shown.pixel(open.right(), open.center().y()), Sys(COLOR_HIGHLIGHT));
        for (int y = open.top(); y <= open.bottom(); ++y)
            QCOMPARE(shown.pixel(open.left() + pFile->m_nIconX + 4, y), menu);
    }

    void subMenuArrowKeepsClearOfTheText() {
        KespMenu* pView = Popup({"&Configuration", "&View"});
        QAction* pChange = pView->actions().first();
        QVERIFY(pChange->menu() != nullptr);
        const QImage shown = Shown(pView, nullptr);
        const QRect row = pView->actionGeometry(pChange);
        auto inked = [&](int x) {
            return !PixelsOf(shown, Sys(COLOR_MENUTEXT), QRect(x, row.top(), 1, row.height())).isEmpty();
        };
        // From the right edge: the arrow, then the gap before the text.
        int x = row.right();
        while (!inked(x)) --x;
        while (inked(x)) --x;
        int gap = 0;
        for (; !inked(x); --x) ++gap;
        QVERIFY2(gap >= kArrowGap, qPrintable(QString::number(gap)));
    }

    void separatorIsOneEtchedLine() {
        const KespMenu* pFile = Popup({"&File"});
        const KespMenuItemData& separator = *pFile->m_MenuList[2];
        QCOMPARE(separator.m_nFlags, unsigned(MF_SEPARATOR | MF_OWNERDRAW));
        const QImage image = Paint(pFile, separator, 0, 10);
        for (int x : {0, 100, kItemWidth - 1}) {
            QCOMPARE(image.pixel(x, 4), kSentinel);
            QCOMPARE(image.pixel(x, 5), Sys(COLOR_3DSHADOW));
            QCOMPARE(image.pixel(x, 6), Sys(COLOR_3DHILIGHT));
            QCOMPARE(image.pixel(x, 7), kSentinel);
        }
    }
};

TORVAN_TEST_CLASS(TestKespMenuDrawing);
#include "test_kespmenu_drawing.moc"
