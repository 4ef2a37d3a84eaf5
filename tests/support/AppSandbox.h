// What each test case of the whole application starts from: an empty settings
// store, an empty application folder of its own, message boxes answered OK and
// kept for the test to read, and the machine at power-on.
#pragma once

#include <QSettings>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>

#include "platform/AppFolder.h"
#include "platform/MessageBox.h"
#include "tests/support/PowerOn.h"

// The folder becomes the application's. False when it could not be made;
// nothing is set up then.
inline bool EnterAppSandbox(const QTemporaryDir& dir, QStringList& messages) {
    if (!dir.isValid()) return false;
    QStandardPaths::setTestModeEnabled(true);
    QSettings().clear();
    SetAppFolderOverride(dir.path());
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
