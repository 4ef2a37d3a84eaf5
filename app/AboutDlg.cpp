#include "app/AboutDlg.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

#include "app/AppIcon.h"
#include "platform/AppFolder.h"
#include "platform/RegularFile.h"

namespace {
constexpr const char* kCaption = "About TORVAN";
constexpr const char* kResourceVersion = "TORVAN Version 1.01";
constexpr const char* kProductText = "Zelmor Systems' Simulator/ Debugger for 8085";
constexpr const char* kVersionFile = "version.txt";
constexpr int kIconSize = 32;
// The box never takes more of the screen's width than this share.
constexpr int kScreenShareDivisor = 2;

// The version text as the file gives it, on one line cut with an ellipsis
// where it would make the box wider than its share of the screen; the whole
// text stays the label's text and shows as its tip.
class CVersionLabel : public QLabel {
public:
    using QLabel::QLabel;
    QSize sizeHint() const override {
        QSize hint = QLabel::sizeHint();
        hint.setWidth(std::min(hint.width(), MaxWidth()));
        return hint;
    }
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const QRect area = contentsRect();
        const QString line = text().section(QLatin1Char('\n'), 0, 0);
        painter.drawText(area, int(alignment()), fontMetrics().elidedText(line, Qt::ElideRight, area.width()));
    }

private:
    int MaxWidth() const {
        const QScreen* pScreen = screen();
        return pScreen != nullptr ? pScreen->availableGeometry().width() / kScreenShareDivisor
                                  : QLabel::sizeHint().width();
    }
};
}  // namespace

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QString::fromLatin1(kCaption));

    auto* pIcon = new QLabel(this);
    pIcon->setPixmap(TorvanIcon().pixmap(kIconSize, kIconSize));
    m_pVersionText = new CVersionLabel(QString::fromLatin1(kResourceVersion), this);
    m_pVersionText->setObjectName(QStringLiteral("1114"));
    m_pVersionText->setTextFormat(Qt::PlainText);
    auto* pProduct = new QLabel(QString::fromLatin1(kProductText), this);

    auto* pGroup = new QGroupBox(this);
    auto* pTexts = new QVBoxLayout(pGroup);
    pTexts->addWidget(m_pVersionText);
    pTexts->addWidget(pProduct);

    auto* pButtons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(pButtons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* pRow = new QHBoxLayout;
    pRow->addWidget(pIcon, 0, Qt::AlignTop);
    pRow->addWidget(pGroup, 1);
    pRow->addWidget(pButtons, 0, Qt::AlignTop);
    setLayout(pRow);
}

void CAboutDlg::showEvent(QShowEvent* pEvent) {
    OnInitDialog();
    QDialog::showEvent(pEvent);
}

bool CAboutDlg::OnInitDialog() {
    m_strVersion = ReadVersionText(QDir(AppFolder()).filePath(QLatin1String(kVersionFile)));
    m_pVersionText->setText(m_strVersion);
    m_pVersionText->setToolTip(m_strVersion);
    return true;
}

QString CAboutDlg::ReadVersionText(const QString& path) {
    QFile file;
    if (!OpenRegularFile(file, path)) return QString::fromLatin1(kDefaultVersion);
    QByteArray line;
    char c = 0;
    while (line.size() < kVersionLimit - 1 && file.getChar(&c)) {
        if (c == '\r') {
            // A Windows line end is one line end.
            char next = 0;
            if (file.peek(&next, 1) == 1 && next == '\n') {
                file.getChar(&next);
                c = '\n';
            }
        }
        line.append(c);
        if (c == '\n') break;
    }
    if (line.isEmpty()) return QString::fromLatin1(kDefaultVersion);
    return QString::fromUtf8(line);
}
