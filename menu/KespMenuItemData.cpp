#include "menu/KespMenuItemData.h"

void KespMenuItemData::SetAnsiString(const char* text) {
    Q_ASSERT(text != nullptr);
    SetWideString(QString::fromLocal8Bit(text));
}

bool KespMenuItemData::TakeItemText(const QString& itemText) {
    if (itemText.isEmpty() || itemText == m_strItemText) return false;
    SetItemText(itemText);
    return true;
}
