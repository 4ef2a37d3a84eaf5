// The folder of the application's executable, where its start-up record and
// version text live. Tests point it at a folder of their own.
#pragma once

#include <QString>

QString AppFolder();
// An empty text restores the executable's folder.
void SetAppFolderOverride(const QString& folder);
