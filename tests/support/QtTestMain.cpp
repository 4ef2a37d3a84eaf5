// Runs the Qt Test classes registered in this executable:
//   exe [-class Name] [Qt Test options]
// With -class only that class runs; without it every class runs in turn.
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QtTest>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "tests/support/QtTestRegistry.h"

std::vector<QtTestEntry>& QtTestRegistry() {
    static std::vector<QtTestEntry> entries;
    return entries;
}

namespace {
// Test classes run in parallel processes and clear and write the settings
// store: each process gets a home of its own, so none sees another's.
void UsePrivateHome(const QTemporaryDir& home) {
    const QByteArray path = QFile::encodeName(home.path());
    setenv("HOME", path.constData(), 1);
    for (const char* name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_RUNTIME_DIR"}) {
        const QByteArray dir = path + '/' + QByteArray(name).toLower();
        QDir().mkpath(QString::fromLocal8Bit(dir));
        QFile::setPermissions(QString::fromLocal8Bit(dir),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        setenv(name, dir.constData(), 1);
    }
}
}  // namespace

int main(int argc, char* argv[]) {
    const QTemporaryDir home;
    if (home.isValid()) UsePrivateHome(home);
    const char* only = nullptr;
    std::vector<char*> args(argv, argv + argc);
    if (args.size() >= 3 && std::strcmp(args[1], "-class") == 0) {
        only = args[2];
        args.erase(args.begin() + 1, args.begin() + 3);
    }
    int qtArgc = static_cast<int>(args.size());
    QApplication app(qtArgc, args.data());
    QApplication::setAttribute(Qt::AA_Use96Dpi, true);

    int failures = 0;
    bool ran = false;
    for (const QtTestEntry& entry : QtTestRegistry()) {
        if (only != nullptr && std::strcmp(only, entry.name) != 0) continue;
        ran = true;
        std::unique_ptr<QObject> test(entry.make());
        failures += QTest::qExec(test.get(), qtArgc, args.data());
    }
    if (!ran) {
        qWarning("No test class named %s", only != nullptr ? only : "(any)");
        return 1;
    }
    return failures;
}
