#include "platform/FileDialog.h"

#include <QApplication>
#include <QFileDialog>

namespace {
FileDialogResponder& Responder() {
    static FileDialogResponder responder;
    return responder;
}
}  // namespace

void SetFileDialogResponder(FileDialogResponder responder) { Responder() = std::move(responder); }

QString RunFileDialog(const FileDialogRequest& request) {
    if (Responder()) return Responder()(request);

    QFileDialog dialog(QApplication::activeWindow(), request.caption, request.initialPath, request.filters);
    dialog.setAcceptMode(request.bSave ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.bSave ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (request.bSave) dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
    return dialog.selectedFiles().constFirst();
}
