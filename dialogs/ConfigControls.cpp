#include "dialogs/ConfigControls.h"

#include <QButtonGroup>
#include <QKeyEvent>
#include <QRadioButton>
#include <QValidator>

#include "periph/InterruptRoutes.h"

namespace {
// The radios of a route row in order, each with the route code it stores;
// the first one's label is the dialog's.
struct RouteRadio {
    const char* label;
    u8 code;
};
constexpr RouteRadio kRouteRadios[CRouteRow::kRadios] = {
    {nullptr, IrqRoute::kNone},   {"TRAP", IrqRoute::kTrap},    {"RST5.5", IrqRoute::kRst55},
    {"RST6.5", IrqRoute::kRst65}, {"RST7.5", IrqRoute::kRst75},
};

// The radio that stands for a code, or -1.
int RadioOfRouteCode(u32 code) {
    for (int r = 0; r < CRouteRow::kRadios; ++r) {
        if (kRouteRadios[r].code == code) return r;
    }
    return -1;
}

constexpr int kSpareChars = 2;

// Refuses an edit that makes the text longer than the typed limit. Text the
// dialog sets passes, and so does an edit that shortens a text the dialog
// set longer than the limit, so the user can always correct it.
class TypedLimitValidator : public QValidator {
public:
    explicit TypedLimitValidator(CConfigEdit* pEdit) : QValidator(pEdit), m_pEdit(pEdit) {}
    State validate(QString& input, int&) const override {
        if (m_pEdit->IsSettingText() || m_pEdit->TypedLimit() <= 0) return Acceptable;
        const bool bGrowsPastLimit = input.size() > m_pEdit->TypedLimit() && input.size() > m_pEdit->AcceptedLength();
        return bGrowsPastLimit ? Invalid : Acceptable;
    }

private:
    CConfigEdit* m_pEdit;
};
}  // namespace

// ---- edit field ----

CConfigEdit::CConfigEdit(QWidget* pParent, bool bUpperCase) : QLineEdit(pParent), m_bUpperCase(bUpperCase) {
    setValidator(new TypedLimitValidator(this));
    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) { m_nAcceptedLength = text.size(); });
}

void CConfigEdit::LimitText(int nChars) {
    m_nTypedLimit = nChars;
    // Wide enough for what may be typed, with room for the cursor.
    setMaximumWidth(fontMetrics().horizontalAdvance(QString(nChars + kSpareChars, QLatin1Char('W'))));
}

void CConfigEdit::SetWindowText(const QString& text) {
    m_bSettingText = true;
    setText(text);
    m_bSettingText = false;
}

void CConfigEdit::keyPressEvent(QKeyEvent* pEvent) {
    const QString upper = pEvent->text().toUpper();
    if (!m_bUpperCase || upper == pEvent->text()) {
        QLineEdit::keyPressEvent(pEvent);
        return;
    }
    QKeyEvent typed(pEvent->type(), pEvent->key(), pEvent->modifiers(), upper, pEvent->isAutoRepeat(),
                    ushort(pEvent->count()));
    QLineEdit::keyPressEvent(&typed);
    pEvent->setAccepted(typed.isAccepted());
}

// ---- three-state Connect box ----

CConnectBox::CConnectBox(const QString& text, QWidget* pParent) : QCheckBox(text, pParent) { setTristate(true); }

int CConnectBox::GetCheck() const {
    switch (checkState()) {
    case Qt::Checked: return kConnectTicked;
    case Qt::PartiallyChecked: return kConnectGreyed;
    default: return kConnectClear;
    }
}

void CConnectBox::SetCheck(int nState) {
    switch (nState) {
    case kConnectTicked: setCheckState(Qt::Checked); break;
    case kConnectGreyed: setCheckState(Qt::PartiallyChecked); break;
    default: setCheckState(Qt::Unchecked); break;
    }
}

int PrefixBoxState(int index, int count) {
    if (index < count) return kConnectTicked;
    return index == count ? kConnectClear : kConnectGreyed;
}

int PrefixCountAfterClick(int state, int index, int count) {
    if (state == kConnectTicked) return index;
    if (state == kConnectClear && index == count) return count + 1;
    return count;
}

// ---- interrupt route row ----

CRouteRow::CRouteRow(QWidget* pParent, const char* noneLabel) : m_pGroup(new QButtonGroup(pParent)) {
    for (int r = 0; r < kRadios; ++r) {
        auto* pRadio = new QRadioButton(QString::fromLatin1(r == 0 ? noneLabel : kRouteRadios[r].label), pParent);
        m_pGroup->addButton(pRadio, r);
        m_radios.append(pRadio);
    }
}

void CRouteRow::SetCode(u32 code) {
    const int radio = RadioOfRouteCode(code);
    if (radio >= 0) {
        m_radios[radio]->setChecked(true);
        return;
    }
    // An exclusive group keeps one radio on; clearing them all needs a pause.
    m_pGroup->setExclusive(false);
    for (QRadioButton* pRadio : m_radios) pRadio->setChecked(false);
    m_pGroup->setExclusive(true);
}

u8 CRouteRow::Code(u8 unknown) const {
    const int radio = m_pGroup->checkedId();
    return radio < 0 ? unknown : kRouteRadios[radio].code;
}

void CRouteRow::SetEnabled(bool bEnabled) {
    for (QRadioButton* pRadio : m_radios) pRadio->setEnabled(bEnabled);
}
