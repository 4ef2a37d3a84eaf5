// The record of one item of an owner-drawn menu: its text, the toolbar image
// it shows, the flags the menu last gave it and its command.
#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <memory>

#include "menu/ImageList.h"

class KespMenuItemData {
public:
    KespMenuItemData() = default;
    KespMenuItemData(const KespMenuItemData&) = delete;
    KespMenuItemData& operator=(const KespMenuItemData&) = delete;

    // A null text stores no text.
    void SetWideString(const QString& text) { m_pszText = text; }
    // Narrow text in the local code page; it must not be null.
    void SetAnsiString(const char* text);
    // The text in the local code page; empty when there is none.
    QByteArray GetString() const { return m_pszText.toLocal8Bit(); }
    const QString& GetWideString() const { return m_pszText; }

    // The item's own text, as the program last set it: a text that is not
    // empty and differs from what the record took last time replaces the
    // record's (which may carry the spaces that line up the key column).
    // True when it did.
    bool TakeItemText(const QString& itemText);
    // What the record shows, taken from the item's own text.
    void SetItemText(const QString& text) {
        SetWideString(text);
        m_strItemText = text;
    }

    QString m_pszText;                         // with '&' mnemonics and "\t" before the key text; null: none
    int m_nImageIndex = -1;                    // image in m_pImageList; -1: no image
    int m_nBitmapId = -1;                      // toolbar (and its bitmap) the image comes from; -1: none
    unsigned m_nFlags = 0;                     // MF_ flags
    quintptr m_nID = 0;                        // command id; for a popup item the popup; 0 for a separator
    bool m_bSynced = false;                    // matched by the last synchronisation
    std::unique_ptr<CImageList> m_pImageList;  // the whole toolbar's images; null without an image

private:
    QString m_strItemText;
};
