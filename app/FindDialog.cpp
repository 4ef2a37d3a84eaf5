#include "app/FindDialog.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

CFindDialog::CFindDialog(QWidget* parent)
    : QDialog(parent),
      m_pEdit(new QLineEdit(this)),
      m_pForward(new QRadioButton(QStringLiteral("Find Forward"))),
      m_pBackward(new QRadioButton(QStringLiteral("Find Backward"))) {
    setWindowTitle(QStringLiteral("Find String.."));
    m_pEdit->setObjectName(QStringLiteral("findText"));

    auto* group = new QGroupBox(this);
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(m_pForward);
    groupLayout->addWidget(m_pBackward);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &CFindDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CFindDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pEdit);
    layout->addWidget(group);
    layout->addWidget(buttons);
}

int CFindDialog::DoModal() {
    OnInitDialog();
    return exec();
}

void CFindDialog::OnInitDialog() {
    UpdateData(false);
    m_pEdit->setFocus();
    m_pEdit->selectAll();
}

void CFindDialog::UpdateData(bool bSaveAndValidate) {
    if (bSaveAndValidate) {
        m_strFind = m_pEdit->text();
        m_nDirection = m_pBackward->isChecked() ? kBackward : m_pForward->isChecked() ? kForward : -1;
        return;
    }
    m_pEdit->setText(m_strFind);
    // With no direction given, neither button is checked.
    m_pForward->setAutoExclusive(false);
    m_pBackward->setAutoExclusive(false);
    m_pForward->setChecked(m_nDirection == kForward);
    m_pBackward->setChecked(m_nDirection == kBackward);
    m_pForward->setAutoExclusive(true);
    m_pBackward->setAutoExclusive(true);
}

void CFindDialog::accept() {
    UpdateData(true);
    QDialog::accept();
}
