#include "platform/MessageBox.h"

#include <QApplication>
#include <QMessageBox>

const char* const kAppTitle = "TORVAN - Zelmor Systems' Simulator/Debugger";

namespace {
MessageBoxResponder& Responder() {
    static MessageBoxResponder responder;
    return responder;
}

QString& LastCaption() {
    static QString caption;
    return caption;
}

QMessageBox::Icon IconOf(unsigned nType) {
    switch (nType & MB_ICONMASK) {
    case MB_ICONQUESTION: return QMessageBox::Question;
    case MB_ICONEXCLAMATION: return QMessageBox::Warning;
    case MB_ICONINFORMATION: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}
}  // namespace

void SetMessageBoxResponder(MessageBoxResponder responder) { Responder() = std::move(responder); }

QString LastMessageBoxCaption() { return LastCaption(); }

int AfxMessageBox(const QString& text, unsigned nType) {
    return AfxMessageBox(text, nType, QString::fromUtf8(kAppTitle));
}

int AfxMessageBox(const QString& text, unsigned nType, const QString& caption) {
    LastCaption() = caption;
    if (Responder()) return Responder()(text, nType);

    const bool bYesNo = (nType & MB_BUTTONMASK) == MB_YESNO;
    QMessageBox box(IconOf(nType), caption, text, bYesNo ? (QMessageBox::Yes | QMessageBox::No) : QMessageBox::Ok,
                    QApplication::activeWindow());
    const int choice = box.exec();
    if (!bYesNo) return IDOK;
    return choice == QMessageBox::Yes ? IDYES : IDNO;
}
