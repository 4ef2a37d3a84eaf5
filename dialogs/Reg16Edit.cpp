#include "dialogs/Reg16Edit.h"

#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "dialogs/DialogButtons.h"
#include "sim/Simulator.h"

CReg16Edit::CReg16Edit(QWidget* parent) : QDialog(parent), m_pEdit(new QLineEdit(this)) {
    setWindowTitle(QStringLiteral("Edit Register (16 bit)"));
    m_pEdit->setObjectName(QStringLiteral("value"));
    connect(m_pEdit, &QLineEdit::textEdited, this, &CReg16Edit::OnChangeValue);

    auto* pLayout = new QVBoxLayout(this);
    pLayout->addWidget(new QLabel(QStringLiteral("Enter HEX Value"), this));
    pLayout->addWidget(m_pEdit);
    pLayout->addWidget(CreateDialogButtons(this));
}

int CReg16Edit::DoModal() {
    m_pEdit->setText(m_strValue);
    m_pEdit->setFocus();
    m_pEdit->selectAll();
    return exec();
}

void CReg16Edit::OnChangeValue() {
    m_strValue = m_pEdit->text();
    g_Sim.ValidateHexInput(this, IDC_VALUE, 1);
}

void CReg16Edit::accept() {
    m_strValue = m_pEdit->text();
    QDialog::accept();
}
