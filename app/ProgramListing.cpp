#include "app/ProgramListing.h"

#include <algorithm>
#include <cstring>
#include <functional>

#include "sim/Disasm.h"

i32 g_CurrentLine = 1;
u32 g_bProgViewOpened = 0;

namespace {
constexpr char kMarkerChar = '>';
constexpr int kBreakMarkColumn = 1;
const char kBreakMark[] = "[BR]";
const char kNoBreakMark[] = "    ";
constexpr int kBreakMarkLength = 4;
constexpr u32 kAddressMask = 0xFFFF;
// No line starts here: listed addresses are 16-bit.
constexpr u32 kNoAddress = ~u32{0};
// A line shows the bytes up to this many places after its address.
constexpr u32 kOperandReach = 2;
// Past this many separate changes, listing everything anew from line 1 costs
// less than moving the later lines once for each change.
constexpr std::size_t kMaxFollowedRanges = 64;

void WriteBreakMark(std::string& text, bool on) {
    if (text.size() < kBreakMarkColumn + kBreakMarkLength) text.resize(kBreakMarkColumn + kBreakMarkLength, ' ');
    text.replace(kBreakMarkColumn, kBreakMarkLength, on ? kBreakMark : kNoBreakMark);
}

// A fresh line text, marked when the breakpoint table holds its address.
void AssignLineText(std::string& text, u32 address) {
    text.assign(g_Sim.m_szLineText);
    if (g_Sim.IsBreakpointAt(static_cast<u16>(address))) WriteBreakMark(text, true);
}
}  // namespace

CProgramListing::CProgramListing() : m_Lines(kMaxListingLines) {}

int CProgramListing::RowsPerPageFor(int height, int rowHeight) {
    if (rowHeight <= 0) return 1;
    return std::max(height / rowHeight, 1);
}

void CProgramListing::RebuildListing(int) {
    OnListingRebuilding();
    const u32 savedOrigin = g_DisasmOrigin;
    for (int k = 0; k < kMaxListingLines; ++k) {
        g_Sim.m_LineAddress[k] = g_DisasmOrigin;
        const int more = g_Sim.DisassembleLine(&g_DisasmOrigin, g_Sim.m_szLineText);
        AssignLineText(m_Lines[k], g_Sim.m_LineAddress[k]);
        m_nLastLine = k;
        if (!more) break;
    }
    g_DisasmOrigin = savedOrigin;
    RememberListedMemory();
    OnListingRebuilt();
}

void CProgramListing::RememberListedMemory() {
    if (g_Sim.m_pMemory) m_listedMemory.assign(g_Sim.m_pMemory, g_Sim.m_pMemory + kMemorySize);
}

bool CProgramListing::FollowMemory() {
    if (!g_Sim.m_pMemory || m_listedMemory.size() != kMemorySize ||
        std::memcmp(g_Sim.m_pMemory, m_listedMemory.data(), kMemorySize) == 0)
        return false;
    const int linesBefore = LineCount();
    const u32 currentAddress = HasLine(g_CurrentLine) ? g_Sim.m_LineAddress[g_CurrentLine - 1] : kNoAddress;
    const u32 markerAddress = HasLine(m_nMarkerLine) ? g_Sim.m_LineAddress[m_nMarkerLine - 1] : kNoAddress;
    if (CollectChangedRanges()) {
        for (const ByteRange& range : m_changedRanges) RelistRange(range);
    } else {
        RelistFrom(0, kAddressMask);
    }
    RememberListedMemory();

    m_nMarkerLine = IndexOfLine(markerAddress) + 1;
    const int currentIndex = IndexOfLine(currentAddress);
    g_CurrentLine = currentIndex >= 0 ? currentIndex + 1 : LineOfAddress(g_Sim.m_pc);
    PlaceMarker(g_CurrentLine);
    if (LineCount() != linesBefore) {
        // Longer instructions make fewer lines: a page that began past the
        // new end would show nothing until the next key, so it shows the
        // last page the keys reach.
        if (m_nTopLine > LineCount()) ClampTopLine();
        OnLineCountChanged();
    }
    return true;
}

bool CProgramListing::CollectChangedRanges() {
    m_changedRanges.clear();
    const u8* now = g_Sim.m_pMemory;
    const u8* end = now + kMemorySize;
    const u8* listed = m_listedMemory.data();
    for (const u8* p = now;;) {
        p = std::mismatch(p, end, listed + (p - now)).first;
        if (p == end) return true;
        if (m_changedRanges.size() == kMaxFollowedRanges) return false;
        const u8* runEnd = std::mismatch(p, end, listed + (p - now), std::not_equal_to<u8>()).first;
        m_changedRanges.push_back({static_cast<u32>(p - now), static_cast<u32>(runEnd - now - 1)});
        p = runEnd;
    }
}

void CProgramListing::RelistRange(const ByteRange& range) {
    const u32 from = range.first > kOperandReach ? range.first - kOperandReach : 0;
    const u32* addresses = g_Sim.m_LineAddress;
    RelistFrom(static_cast<int>(std::lower_bound(addresses, addresses + LineCount(), from) - addresses), range.last);
    // A line at the top of memory shows the bytes of address 0 onward.
    if (range.first < kOperandReach && addresses[m_nLastLine] + kOperandReach > kAddressMask)
        RelistFrom(m_nLastLine, kAddressMask);
}

void CProgramListing::RelistFrom(int first, u32 lastChanged) {
    if (first > m_nLastLine || g_Sim.m_LineAddress[first] > lastChanged) return;
    u32 cursor = g_Sim.m_LineAddress[first];
    int oldLine = first;
    // Old lines from here on stay; past the end of memory none does.
    int keptFrom = m_nLastLine + 1;
    int added = 0;
    while (first + added < kMaxListingLines) {
        if (m_relistedText.size() <= static_cast<std::size_t>(added)) {
            m_relistedText.emplace_back();
            m_relistedAddress.push_back(0);
        }
        m_relistedAddress[added] = cursor;
        const int more = g_Sim.DisassembleLine(&cursor, g_Sim.m_szLineText);
        AssignLineText(m_relistedText[added], m_relistedAddress[added]);
        ++added;
        if (!more) break;
        if (cursor <= lastChanged) continue;
        // Past the changed bytes, an old line that starts at the cursor reads
        // nothing that changed: the old listing holds from there on.
        while (oldLine <= m_nLastLine && g_Sim.m_LineAddress[oldLine] < cursor) ++oldLine;
        if (oldLine <= m_nLastLine && g_Sim.m_LineAddress[oldLine] == cursor) {
            keptFrom = oldLine;
            break;
        }
    }
    SpliceRelisted(first, keptFrom - first, added);
}

void CProgramListing::SpliceRelisted(int first, int replaced, int added) {
    const int oldTail = first + replaced;
    const int newTail = first + added;
    const int kept = std::min(m_nLastLine + 1 - oldTail, kMaxListingLines - newTail);
    const auto lines = m_Lines.begin();
    if (newTail > oldTail) std::move_backward(lines + oldTail, lines + oldTail + kept, lines + newTail + kept);
    else if (newTail < oldTail) std::move(lines + oldTail, lines + oldTail + kept, lines + newTail);
    std::memmove(g_Sim.m_LineAddress + newTail, g_Sim.m_LineAddress + oldTail, sizeof(u32) * std::size_t(kept));
    for (int i = 0; i < added; ++i) {
        m_Lines[first + i].swap(m_relistedText[i]);
        g_Sim.m_LineAddress[first + i] = m_relistedAddress[i];
    }
    m_nLastLine = newTail + kept - 1;
}

int CProgramListing::IndexOfLine(u32 address) const {
    const u32* begin = g_Sim.m_LineAddress;
    const u32* end = begin + LineCount();
    const u32* it = std::lower_bound(begin, end, address);
    return it != end && *it == address ? static_cast<int>(it - begin) : -1;
}

int CProgramListing::LineOfAddress(u32 address) const {
    for (int i = 0; i < m_nLastLine; ++i) {
        if (g_Sim.m_LineAddress[i] == address) return i + 1;
    }
    return 0;
}

std::string CProgramListing::RowText(int row) const {
    const int line = LineOfRow(row);
    if (!HasLine(line)) return std::string();
    std::string text = m_Lines[line - 1];
    if (text.size() < kRowTextWidth) text.resize(kRowTextWidth, ' ');
    text += '*';
    return text;
}

void CProgramListing::PlaceMarker(int currentLine) {
    if (HasLine(m_nMarkerLine) && !m_Lines[m_nMarkerLine - 1].empty()) m_Lines[m_nMarkerLine - 1][0] = ' ';
    m_nMarkerLine = currentLine;
    if (HasLine(currentLine) && !m_Lines[currentLine - 1].empty()) m_Lines[currentLine - 1][0] = kMarkerChar;
}

void CProgramListing::MoveMarker(int currentLine) {
    PlaceMarker(currentLine);
    if (!HasLine(currentLine)) return;
    if (currentLine < m_nTopLine || currentLine > m_nTopLine + m_nRowsPerPage - 1) m_nTopLine = currentLine;
    m_nSelRow = currentLine - m_nTopLine;
}

void CProgramListing::ClampTopLine() {
    if (m_nTopLine < 1) m_nTopLine = 1;
    if (m_nTopLine > m_nLastLine - m_nRowsPerPage) m_nTopLine = m_nLastLine - m_nRowsPerPage + 1;
    if (m_nTopLine < 1) m_nTopLine = 1;
}

void CProgramListing::ApplyKey(Key key) {
    switch (key) {
    case Key::Home:
        m_nSelRow = 0;
        m_nTopLine = 0;
        break;
    case Key::End:
        m_nSelRow = m_nRowsPerPage - 1;
        m_nTopLine = m_nLastLine - m_nRowsPerPage;
        break;
    case Key::PageUp:
        m_nSelRow = 0;
        m_nTopLine -= m_nRowsPerPage;
        break;
    case Key::PageDown:
        m_nSelRow = 0;
        m_nTopLine += m_nRowsPerPage;
        break;
    case Key::Up:
        if (m_nSelRow > 0) --m_nSelRow;
        else --m_nTopLine;
        break;
    case Key::Down:
        if (m_nSelRow < m_nRowsPerPage - 1) ++m_nSelRow;
        else ++m_nTopLine;
        break;
    case Key::Other: break;
    }
    ClampTopLine();
}

void CProgramListing::ScrollToPosition(int position) {
    m_nTopLine = position;
    if (m_nTopLine > m_nLastLine - m_nRowsPerPage - 1) m_nTopLine = m_nLastLine - m_nRowsPerPage + 1;
    if (m_nTopLine <= 0) m_nTopLine = 1;
}

bool CProgramListing::SetBreakpointMark(int line, bool on) {
    if (!HasLine(line)) return false;
    WriteBreakMark(m_Lines[line - 1], on);
    return true;
}

int CProgramListing::FindLine(const std::string& text, bool backward) const {
    const int selectedIndex = SelectedLine() - 1;
    if (backward) {
        // Lines past the listing may hold texts of an earlier, longer one.
        for (int i = std::min(selectedIndex - 1, m_nLastLine); i >= 0; --i) {
            if (m_Lines[i].find(text) != std::string::npos) return i + 1;
        }
    } else {
        for (int i = std::max(selectedIndex + 1, 0); i <= m_nLastLine - 1; ++i) {
            if (m_Lines[i].find(text) != std::string::npos) return i + 1;
        }
    }
    return 0;
}

bool CProgramListing::ShowFoundLine(int line) {
    if (line <= m_nTopLine || line > m_nTopLine + m_nRowsPerPage - 1) {
        m_nTopLine = line;
        m_nSelRow = 0;
        return true;
    }
    m_nSelRow = line - m_nTopLine;
    return false;
}

void CProgramListing::ShowOriginLine(int line) {
    m_nTopLine = line;
    m_nSelRow = 1;
}
