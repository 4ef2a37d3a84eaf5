// Modal open and save file dialogs. Tests install a responder that chooses
// a path (or cancels) instead of showing a dialog.
#pragma once

#include <QString>
#include <functional>

struct FileDialogRequest {
    bool bSave = false;
    QString caption;
    QString initialPath;  // folder, or folder and proposed file name
    QString filters;      // Qt filter list, ";;" between entries
    QString defaultSuffix;
};

// Returns the chosen full path, or an empty text when the user cancelled.
QString RunFileDialog(const FileDialogRequest& request);

using FileDialogResponder = std::function<QString(const FileDialogRequest& request)>;
void SetFileDialogResponder(FileDialogResponder responder);
