// Modify Memory: 64 bytes of target memory as 4 rows of 16 hexadecimal
// fields, each written to memory as soon as its text changes, paged by 64
// bytes, with the Enter value dialog to jump to an address.
//
// The page start is kept as text in g_szAddrText while the dialog runs: the
// Enter value dialog writes the typed address there and every page operation
// reads it back. A page never runs past FFFFh: starts above FFC0h are taken
// as FFC0h.
#pragma once

#include <QDialog>
#include <array>

#include "sim/Simulator.h"

class QLabel;
class QLineEdit;
class QPushButton;

// The page start shown, as "%04X".
extern char g_szAddrText[8];

class CModiMem : public QDialog {
    Q_OBJECT
public:
    enum {
        IDC_PAGE_UP = 1111,
        IDC_PAGE_DOWN = 1112,
        IDC_CHANGE_ADDRESS = 1113,
        IDC_ROW_LABEL = 1114,  // rows 0 to 3
        IDC_BYTE = 1118,       // bytes 0 to 63, row by row
    };
    static constexpr int kRows = 4;
    static constexpr int kColumns = 16;
    static constexpr int kPageBytes = kRows * kColumns;
    static constexpr int kLastPageStart = 0x10000 - kPageBytes;
    // The openers: Modify > Memory and the memory watch's Edit (1), Modify
    // Internal Memory Contents (2); every mode shows target memory.
    enum { kModeMemory = 1, kModeInternal = 2 };

    explicit CModiMem(QWidget* parent = nullptr);

    // Runs the dialog modally from m_nAddr. Bytes changed are already in
    // memory whether it ends with Accepted ("&Ok") or Rejected (Escape).
    int DoModal();

    char m_szByteText[5] = {};
    i32 m_nMode = kModeMemory;
    i32 m_nAddr = 0;

    QLineEdit* ByteField(int k) const { return m_byteFields[k]; }
    QLabel* RowLabel(int r) const { return m_rowLabels[r]; }
    QPushButton* PageUpButton() const { return m_pPageUp; }
    QPushButton* PageDownButton() const { return m_pPageDown; }
    QPushButton* ChangeAddressButton() const { return m_pChangeAddress; }
    QPushButton* OkButton() const { return m_pOk; }

    void OnPageUp() { PageUp(); }
    void OnPageDown() { PageDown(); }
    void OnChangeAddress();
    void OnChangeByte(int nID);

private:
    void OnInitDialog();
    void ShowPage(bool bFromText);
    void FillGrid(u32 start);
    void PageUp();
    void PageDown();
    void StoreByte(int nID);
    // The page start that g_szAddrText holds (m_nAddr when it holds none).
    u32 PageStart() const;
    void SetPageStart(u32 start);

    std::array<QLineEdit*, kPageBytes> m_byteFields{};
    std::array<QLabel*, kRows> m_rowLabels{};
    QPushButton* m_pOk;
    QPushButton* m_pPageUp;
    QPushButton* m_pPageDown;
    QPushButton* m_pChangeAddress;
};

// The "Enter value" dialog: a page start typed in hexadecimal, up to four
// digits. OK writes it to g_szAddrText; a text without a hexadecimal digit
// leaves g_szAddrText as it was, so the same page is shown again.
class CEnterValueDlg : public QDialog {
    Q_OBJECT
public:
    enum { IDC_VALUE = 1138 };
    static constexpr int kMaxDigits = 4;

    explicit CEnterValueDlg(QWidget* parent = nullptr);
    int DoModal();

    char m_szValue[8] = {};

    QLineEdit* ValueEdit() const { return m_pEdit; }

public slots:
    void accept() override;

private:
    void OnInitDialog();
    void OnChangeValue(const QString& text);

    QLineEdit* m_pEdit;
};
