// What each test case of the whole application starts from: an empty settings
// store, an empty application folder of its own, message boxes answered OK and
// kept for the test to read, and the machine at power-on.
#pragma once

#include <QSettings>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

#include "platform/AppFolder.h"
#include "platform/MessageBox.h"
#include "tests/support/PowerOn.h"

// False when the folder cannot be made; nothing else is set up then.
inline bool EnterAppSandbox(std::unique_ptr<QTemporaryDir>& dir, QStringList& messages) {
    QSettings().clear();
    dir = std::make_unique<QTemporaryDir>();
    if (!dir->isValid()) return false;
    SetAppFolderOverride(dir->path());
    messages.clear();
    SetMessageBoxResponder([&messages](const QString& text, unsigned) {
        messages << text;
        return int(IDOK);
    });
    StartFromPowerOn();
    return true;
}

// Call once the application is gone.
inline void LeaveAppSandbox() {
    SetMessageBoxResponder(nullptr);
    SetAppFolderOverride(QString());
}
