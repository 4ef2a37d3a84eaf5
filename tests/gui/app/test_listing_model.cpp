// The program window's listing model: page geometry, rebuilding from an
// origin, the marker, keys, scrolling, Find and the breakpoint marks.
#include <QtTest>
#include <algorithm>
#include <vector>

#include "app/ProgramListing.h"
#include "framework/HexText.h"
#include "sim/Disasm.h"
#include "tests/support/PowerOn.h"
#include "tests/support/QtTestRegistry.h"

namespace {
void Poke(u16 address, std::initializer_list<u8> bytes) {
    for (u8 b : bytes) g_Sim.m_pMemory[address++] = b;
}

// The listed lines without the current-line marker.
std::vector<std::string> UnmarkedLines(const CProgramListing& listing) {
    std::vector<std::string> lines(listing.m_Lines.begin(), listing.m_Lines.begin() + listing.LineCount());
    for (std::string& line : lines) line[0] = ' ';
    return lines;
}
}  // namespace

class TestListingModel : public QObject {
    Q_OBJECT
private slots:
    void init() {
        StartFromPowerOn();
        g_CurrentLine = 1;
    }

    void rowsPerPageStayWithinOneAndThirtyOne() {
        QCOMPARE(CProgramListing::RowsPerPageFor(0, 14), 1);
        QCOMPARE(CProgramListing::RowsPerPageFor(-50, 14), 1);
        QCOMPARE(CProgramListing::RowsPerPageFor(13, 14), 1);
        QCOMPARE(CProgramListing::RowsPerPageFor(14 * 20 + 13, 14), 20);
        QCOMPARE(CProgramListing::RowsPerPageFor(14 * 31, 14), 31);
        QCOMPARE(CProgramListing::RowsPerPageFor(5000, 14), 357);
        QCOMPARE(CProgramListing::RowsPerPageFor(100, 0), 1);
    }

    void oneByteInstructionsFromZeroFillAllLines() {
        CProgramListing listing;
        g_DisasmOrigin = 0;
        listing.RebuildListing(0);
        QCOMPARE(listing.m_nLastLine, kMaxListingLines - 1);
        QCOMPARE(g_Sim.m_LineAddress[0], 0u);
        QCOMPARE(g_Sim.m_LineAddress[kMaxListingLines - 1], 0xFFFEu);
        QCOMPARE(g_DisasmOrigin, 0u);
    }

    void rebuildFromOriginListsItFirstAndMarksTheCurrentLine() {
        Poke(0x1000, {0x3E, 0x05, 0xC3, 0x00, 0x20});
        CProgramListing listing;
        g_DisasmOrigin = 0x1000;
        listing.RebuildListing(0);
        QCOMPARE(g_DisasmOrigin, 0x1000u);
        QCOMPARE(g_Sim.m_LineAddress[0], 0x1000u);
        QCOMPARE(g_Sim.m_LineAddress[1], 0x1002u);
        QVERIFY(QString::fromStdString(listing.m_Lines[0]).contains("1000  3E 05      MVI  A,05"));
        listing.m_nRowsPerPage = 31;
        listing.MoveMarker(1);
        QCOMPARE(listing.m_Lines[0][0], '>');
        QCOMPARE(listing.SelectedLine(), 1);
        listing.MoveMarker(2);
        QCOMPARE(listing.m_Lines[0][0], ' ');
        QCOMPARE(listing.m_Lines[1][0], '>');
    }

    void rowTextIsPaddedAndBlankPastTheListing() {
        CProgramListing listing;
        g_DisasmOrigin = 0xFFF0;
        listing.RebuildListing(0);
        QCOMPARE(listing.m_nLastLine, 14);  // 0xFFF0 to 0xFFFE
        listing.m_nRowsPerPage = 31;
        const std::string row0 = listing.RowText(0);
        QCOMPARE(int(row0.size()), CProgramListing::kRowTextWidth + 1);
        QCOMPARE(row0.back(), '*');
        QVERIFY(!listing.RowText(14).empty());
        QVERIFY(listing.RowText(15).empty());
        QVERIFY(listing.RowText(30).empty());
    }

    void markerFollowsTheCurrentLineIntoThePage() {
        CProgramListing listing;
        listing.RebuildListing(0);
        listing.m_nRowsPerPage = 31;
        listing.MoveMarker(20);
        QCOMPARE(listing.m_nTopLine, 1);
        QCOMPARE(listing.m_nSelRow, 19);
        listing.MoveMarker(40);
        QCOMPARE(listing.m_nTopLine, 40);
        QCOMPARE(listing.m_nSelRow, 0);
        // A line outside the listing moves neither the page nor leaves a marker.
        listing.MoveMarker(0);
        QCOMPARE(listing.m_nTopLine, 40);
        QCOMPARE(listing.m_Lines[39][0], ' ');
    }

    void keysKeepAShortListingAtItsTop() {
        CProgramListing listing;
        g_DisasmOrigin = 0xFFF0;
        listing.RebuildListing(0);
        listing.m_nRowsPerPage = 31;
        for (auto key : {CProgramListing::Key::End, CProgramListing::Key::PageDown, CProgramListing::Key::Down,
                         CProgramListing::Key::PageUp, CProgramListing::Key::Home}) {
            listing.ApplyKey(key);
            QCOMPARE(listing.m_nTopLine, 1);
        }
        listing.ScrollToPosition(10);
        QCOMPARE(listing.m_nTopLine, 1);
    }

    void keysPageThroughALongListing() {
        CProgramListing listing;
        listing.RebuildListing(0);
        listing.m_nRowsPerPage = 31;
        listing.ApplyKey(CProgramListing::Key::End);
        QCOMPARE(listing.m_nTopLine, listing.m_nLastLine - 31);
        QCOMPARE(listing.m_nSelRow, 30);
        listing.ApplyKey(CProgramListing::Key::Down);
        QCOMPARE(listing.m_nTopLine, listing.m_nLastLine - 30);
        listing.ApplyKey(CProgramListing::Key::Home);
        QCOMPARE(listing.m_nTopLine, 1);
        QCOMPARE(listing.m_nSelRow, 0);
        listing.ApplyKey(CProgramListing::Key::Up);
        QCOMPARE(listing.m_nTopLine, 1);
        listing.ApplyKey(CProgramListing::Key::PageDown);
        QCOMPARE(listing.m_nTopLine, 32);
        listing.ApplyKey(CProgramListing::Key::PageUp);
        QCOMPARE(listing.m_nTopLine, 1);
    }

    void scrollPositionShowsThatLineOrTheLastPage() {
        CProgramListing listing;
        listing.RebuildListing(0);
        listing.m_nRowsPerPage = 31;
        listing.ScrollToPosition(500);
        QCOMPARE(listing.m_nTopLine, 500);
        listing.ScrollToPosition(listing.m_nLastLine - 5);
        QCOMPARE(listing.m_nTopLine, listing.m_nLastLine - 30);
        listing.ScrollToPosition(0);
        QCOMPARE(listing.m_nTopLine, 1);
    }

    void lineOfAddressSkipsTheLastStoredLine() {
        CProgramListing listing;
        g_DisasmOrigin = 0xFFF0;
        listing.RebuildListing(0);
        QCOMPARE(listing.LineOfAddress(0xFFF0), 1);
        QCOMPARE(listing.LineOfAddress(0xFFFD), 14);
        QCOMPARE(listing.LineOfAddress(0xFFFE), 0);
        QCOMPARE(listing.LineOfAddress(0x0000), 0);
    }

    void findSearchesForwardAndBackwardWithoutWrapping() {
        Poke(0x0010, {0x3E, 0x01});  // line 17: MVI A,01
        Poke(0x0040, {0x06, 0x02});  // line 64 after the two-byte MVI: MVI B,02
        CProgramListing listing;
        listing.RebuildListing(0);
        listing.m_nRowsPerPage = 31;
        QCOMPARE(listing.FindLine("MVI  A,", false), 17);
        QCOMPARE(listing.FindLine("MVI A,", false), 0);
        QCOMPARE(listing.FindLine("MVI  ", false), 17);
        // From line 1 there is nothing before.
        QCOMPARE(listing.FindLine("NOP", true), 0);
        // An empty text is found in the first line searched.
        QCOMPARE(listing.FindLine("", false), 2);
        listing.ShowFoundLine(17);
        QCOMPARE(listing.m_nTopLine, 1);
        QCOMPARE(listing.m_nSelRow, 16);
        QCOMPARE(listing.FindLine("MVI  ", false), 64);
        listing.ShowFoundLine(64);
        QCOMPARE(listing.m_nTopLine, 64);
        QCOMPARE(listing.m_nSelRow, 0);
        QCOMPARE(listing.FindLine("MVI  A,", true), 17);
    }

    void findBackwardNeverReadsLinesOfAnEarlierLongerListing() {
        Poke(0xFFE0, {0x3E, 0x07});
        CProgramListing listing;
        listing.RebuildListing(0);  // long listing: MVI A,07 is line 0xFFE1
        g_DisasmOrigin = 0xFFF0;
        listing.RebuildListing(0);  // 15 lines; the old texts stay behind them
        listing.m_nRowsPerPage = 31;
        listing.m_nTopLine = 1;
        listing.m_nSelRow = 30;  // row below the last line
        QCOMPARE(listing.FindLine("MVI  A,07", true), 0);
        QCOMPARE(listing.FindLine("NOP", true), 15);
    }

    void breakpointMarksOccupyColumnsOneToFour() {
        CProgramListing listing;
        g_DisasmOrigin = 0xFFF0;
        listing.RebuildListing(0);
        QVERIFY(listing.SetBreakpointMark(3, true));
        QCOMPARE(listing.m_Lines[2].substr(0, 11), std::string(" [BR]  FFF2"));
        QCOMPARE(listing.FindLine("[BR]", false), 3);
        QVERIFY(listing.SetBreakpointMark(3, false));
        QCOMPARE(listing.m_Lines[2].substr(0, 11), std::string("       FFF2"));
        QVERIFY(!listing.SetBreakpointMark(16, true));
        QVERIFY(!listing.SetBreakpointMark(0, true));
        // A rebuild marks the lines whose addresses the table holds, and no other.
        listing.SetBreakpointMark(3, true);
        QCOMPARE(g_Sim.ToggleBreakpoint(0xFFF5), 1);
        listing.RebuildListing(0);
        QCOMPARE(listing.m_Lines[2].substr(1, 4), std::string("    "));
        QCOMPARE(listing.m_Lines[5].substr(1, 4), std::string("[BR]"));
    }

    void followingMemoryListsAsARebuildWould() {
        const struct {
            const char* name;
            u32 origin;
            const char* code;  // in hex, at the origin
            u32 at;
            const char* stored;
            int count;  // stores spread evenly over memory
        } cases[] = {
            {"operand", 0, "3E05", 1, "07", 1},
            {"longer over NOPs", 0, "", 0, "213412", 1},
            {"shorter over LXI", 0, "21341201", 0, "00", 1},
            {"before the origin", 0x1000, "", 0x0FFE, "01", 1},
            {"shown by the first line", 0x1000, "3E", 0x1001, "42", 1},
            {"end of memory", 0xFFF0, "", 0xFFFD, "C3", 1},
            {"wrapped operand", 0xFFFF, "01", 0, "AABB", 1},
            {"two stores", 0, "", 0x10, "01", 2},
            {"scattered stores", 0, "", 0x100, "21", 300},
        };
        for (const auto& c : cases) {
            std::fill(g_Sim.m_pMemory, g_Sim.m_pMemory + kMemorySize, 0);
            const QByteArray code = QByteArray::fromHex(c.code), stored = QByteArray::fromHex(c.stored);
            for (int i = 0; i < code.size(); ++i) g_Sim.m_pMemory[(c.origin + i) & 0xFFFF] = u8(code[i]);
            CProgramListing listing;
            g_DisasmOrigin = c.origin;
            listing.RebuildListing(0);
            for (int n = 0; n < c.count; ++n)
                for (int i = 0; i < stored.size(); ++i)
                    g_Sim.m_pMemory[(c.at + n * (kMemorySize / c.count) + i) & 0xFFFF] = u8(stored[i]);

            QVERIFY2(listing.FollowMemory(), c.name);
            const std::vector<std::string> lines = UnmarkedLines(listing);
            const std::vector<u32> addresses(g_Sim.m_LineAddress, g_Sim.m_LineAddress + listing.LineCount());
            CProgramListing rebuilt;
            rebuilt.RebuildListing(0);
            QVERIFY2(lines == UnmarkedLines(rebuilt), c.name);
            QVERIFY2(addresses == std::vector<u32>(g_Sim.m_LineAddress, g_Sim.m_LineAddress + rebuilt.LineCount()),
                     c.name);
        }
    }

    void followingMemoryKeepsTheMarksOnTheirAddresses() {
        std::fill(g_Sim.m_pMemory, g_Sim.m_pMemory + kMemorySize, 0);
        QCOMPARE(g_Sim.ToggleBreakpoint(0x0004), 1);
        CProgramListing listing;
        listing.RebuildListing(0);
        listing.MoveMarker(7);
        g_CurrentLine = 7;
        Poke(0, {0x01});  // LXI B over the first three NOPs
        QVERIFY(listing.FollowMemory());
        QCOMPARE(g_CurrentLine, 5);
        QCOMPARE(listing.m_Lines[4].substr(0, 11), std::string(">      0006"));
        QCOMPARE(listing.m_Lines[2].substr(0, 11), std::string(" [BR]  0004"));
    }

    void aListingThatShrinksUnderThePageShowsTheLastPageTheKeysReach() {
        std::fill(g_Sim.m_pMemory, g_Sim.m_pMemory + kMemorySize, 0);
        g_DisasmOrigin = 0xFF00;
        CProgramListing listing;
        listing.RebuildListing(0);  // 256 NOPs
        listing.m_nRowsPerPage = 20;
        listing.m_nTopLine = 240;
        std::fill(g_Sim.m_pMemory + 0xFF00, g_Sim.m_pMemory + kMemorySize, 0x01);  // 85 LXI B lines
        QVERIFY(listing.FollowMemory());
        QVERIFY(listing.RowText(19).find("FFF9  01 01 01") != std::string::npos);
        // Down on the bottom row leaves a last page where it is.
        const int top = listing.m_nTopLine;
        listing.m_nSelRow = listing.m_nRowsPerPage - 1;
        listing.ApplyKey(CProgramListing::Key::Down);
        QCOMPARE(listing.m_nTopLine, top);
    }

    void typedHexValuesKeepTheirLowBits() {
        u32 value = 0x1234;
        QVERIFY(ScanHex("-1", value));
        QCOMPARE(value & 0xFFFF, 0xFFFFu);
        QVERIFY(ScanHex("12345", value));
        QCOMPARE(value & 0xFFFF, 0x2345u);
        QVERIFY(ScanHex("123456789ABCDEF", value));
        QCOMPARE(value, 0x89ABCDEFu);
        QVERIFY(ScanHex("  1a zz", value));
        QCOMPARE(value, 0x1Au);
        QVERIFY(ScanHex("0x10", value));
        QCOMPARE(value, 0x10u);
        QVERIFY(ScanHex("0xg", value));
        QCOMPARE(value, 0u);
        value = 0x77;
        QVERIFY(!ScanHex("", value));
        QVERIFY(!ScanHex("zz", value));
        QVERIFY(!ScanHex("-", value));
        QCOMPARE(value, 0x77u);
    }
};

TORVAN_TEST_CLASS(TestListingModel);
#include "test_listing_model.moc"
