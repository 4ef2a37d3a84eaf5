// Runs the Qt Test classes registered in this executable:
//   exe [-class Name] [Qt Test options]
// With -class only that class runs; without it every class runs in turn.
#include <QApplication>
#include <QtTest>
#include <cstring>
#include <memory>

#include "tests/support/QtTestRegistry.h"

std::vector<QtTestEntry>& QtTestRegistry() {
    static std::vector<QtTestEntry> entries;
    return entries;
}

int main(int argc, char* argv[]) {
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
