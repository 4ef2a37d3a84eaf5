// The program window's listing: line texts, line addresses, the page shown and
// the current-line marker. Pure logic without any drawing, so that the view
// and the run control share one tested model.
#pragma once

#include <string>
#include <vector>

#include "sim/Simulator.h"

// 1-based line whose address is the program counter; 0 while no line of the
// listing holds it.
extern i32 g_CurrentLine;
// 1 once a program window has opened the watch windows on its first activation.
extern u32 g_bProgViewOpened;

class CProgramListing {
public:
    // A row shows its line padded to this width, then "*".
    static constexpr int kRowTextWidth = 150;

    enum class Key { Home, End, PageUp, PageDown, Up, Down, Other };

    CProgramListing();
    virtual ~CProgramListing() = default;
    CProgramListing(const CProgramListing&) = delete;
    CProgramListing& operator=(const CProgramListing&) = delete;

    // Rows that fit into a given height, at least 1: the page is as long as
    // the window, so every line that paging passes over is shown.
    static int RowsPerPageFor(int height, int rowHeight);

    // Lists memory from g_DisasmOrigin into m_Lines and g_Sim.m_LineAddress,
    // marking the lines of breakpoints; g_DisasmOrigin is left as it was. The
    // argument is not used.
    void RebuildListing(int unused);
    // Brings the listing in step with memory as it is now: the lines that read
    // a changed byte are disassembled anew, and so are the lines after them
    // until the instruction boundaries meet the listed ones again. The current
    // line and the marker stay on their address, or go to the program
    // counter's line when no line starts there any more. True when memory had
    // changed since the listing last read it.
    bool FollowMemory();

    int LineCount() const { return m_nLastLine + 1; }
    // True for lines 1 to m_nLastLine + 1.
    bool HasLine(int line) const { return line >= 1 && line <= m_nLastLine + 1; }
    // First line (1-based) among all but the last stored one whose address is
    // the given one; 0 when there is none.
    int LineOfAddress(u32 address) const;

    // Text of a visible row: its line padded and closed by "*", or "" past the
    // listing.
    std::string RowText(int row) const;
    int LineOfRow(int row) const { return m_nTopLine + row; }
    int SelectedLine() const { return m_nTopLine + m_nSelRow; }

    // Moves '>' to the given line and brings it into the page.
    void MoveMarker(int currentLine);
    // Moves '>' to the given line, leaving the page where it is.
    void PlaceMarker(int currentLine);
    // Applies a navigation key and keeps the page within the listing.
    void ApplyKey(Key key);
    // Shows the page that begins at a scroll position.
    void ScrollToPosition(int position);
    // Puts or clears "[BR]" on a line; false when the line is not listed.
    bool SetBreakpointMark(int line, bool on);

    // Line (1-based) of the first match of an upper-case text after (forward)
    // or before (backward) the selected line; 0 when there is none.
    int FindLine(const std::string& text, bool backward) const;
    // Brings a found line into the page and selects it; true when the line
    // became the top line.
    bool ShowFoundLine(int line);
    // Shows a line at the top with row 1 selected (change of origin).
    void ShowOriginLine(int line);

    // Line k+1's text, as the disassembler wrote it plus the markers.
    std::vector<std::string> m_Lines;
    int m_nLastLine = 0;
    int m_nSelRow = 0;
    int m_nMarkerLine = 1;
    int m_nTopLine = 1;
    int m_nRowsPerPage = 1;
    std::string m_strLastFind;

protected:
    // Called around every rebuild: a rebuild takes long enough to be shown,
    // and what follows the listing's length (a scroll range) follows it.
    virtual void OnListingRebuilding() {}
    virtual void OnListingRebuilt() {}
    // The listing gained or lost lines while following memory.
    virtual void OnLineCountChanged() {}

private:
    struct ByteRange {
        u32 first;
        u32 last;
    };

    void ClampTopLine();
    // Index (0-based) of the line that starts at an address, or -1.
    int IndexOfLine(u32 address) const;
    void RememberListedMemory();
    // The runs of bytes that differ from what the listing last read, in
    // ascending order; false when there are too many to follow one by one.
    bool CollectChangedRanges();
    // Lists anew the lines that show bytes of a changed range.
    void RelistRange(const ByteRange& range);
    // Lists anew from line index `first` until the boundaries meet the old
    // ones past `lastChanged`, then puts the new lines in place of the old.
    void RelistFrom(int first, u32 lastChanged);
    void SpliceRelisted(int first, int replaced, int added);

    // Memory as the listing last read it.
    std::vector<u8> m_listedMemory;
    std::vector<ByteRange> m_changedRanges;
    // Lines disassembled anew, waiting to replace the old ones.
    std::vector<std::string> m_relistedText;
    std::vector<u32> m_relistedAddress;
};
