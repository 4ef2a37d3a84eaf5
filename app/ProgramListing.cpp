#include "app/ProgramListing.h"

#include <algorithm>

#include "sim/Disasm.h"

i32 g_CurrentLine = 1;
u32 g_bProgViewOpened = 0;

namespace {
constexpr char kMarkerChar = '>';
constexpr int kBreakMarkColumn = 1;
const char kBreakMark[] = "[BR]";
const char kNoBreakMark[] = "    ";
constexpr int kBreakMarkLength = 4;
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
        m_Lines[k].assign(g_Sim.m_szLineText);
        m_nLastLine = k;
        if (!more) break;
    }
    g_DisasmOrigin = savedOrigin;
    OnListingRebuilt();
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

void CProgramListing::MoveMarker(int currentLine) {
    if (HasLine(m_nMarkerLine) && !m_Lines[m_nMarkerLine - 1].empty()) m_Lines[m_nMarkerLine - 1][0] = ' ';
    m_nMarkerLine = currentLine;
    if (!HasLine(currentLine)) return;
    if (!m_Lines[currentLine - 1].empty()) m_Lines[currentLine - 1][0] = kMarkerChar;
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
    std::string& text = m_Lines[line - 1];
    if (text.size() < kBreakMarkColumn + kBreakMarkLength) text.resize(kBreakMarkColumn + kBreakMarkLength, ' ');
    text.replace(kBreakMarkColumn, kBreakMarkLength, on ? kBreakMark : kNoBreakMark);
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
