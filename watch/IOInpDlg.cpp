#include "watch/IOInpDlg.h"

#include <QRadioButton>
#include <QVBoxLayout>

#include "dialogs/DialogButtons.h"

namespace {
const char* const kRadioTexts[CIOInpDlg::kPeripheralCount] = {"8255", "8155", "8279", "8253", "8251"};
}

CIOInpDlg::CIOInpDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Select the peripheral."));
    auto* pLayout = new QVBoxLayout(this);
    for (int i = 0; i < kPeripheralCount; ++i) {
        m_radios[std::size_t(i)] = new QRadioButton(QString::fromLatin1(kRadioTexts[i]), this);
        pLayout->addWidget(m_radios[std::size_t(i)]);
    }
    pLayout->addWidget(CreateDialogButtons(this, QDialogButtonBox::Ok));
}

int CIOInpDlg::DoModal() {
    if (m_nPeripheral >= 0 && m_nPeripheral < kPeripheralCount) m_radios[std::size_t(m_nPeripheral)]->setChecked(true);
    return exec();
}

void CIOInpDlg::accept() {
    m_nPeripheral = -1;
    for (int i = 0; i < kPeripheralCount; ++i) {
        if (m_radios[std::size_t(i)]->isChecked()) m_nPeripheral = i;
    }
    QDialog::accept();
}
