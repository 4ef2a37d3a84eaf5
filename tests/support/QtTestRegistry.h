// The Qt Test classes of one test executable. Each file registers its class
// with TORVAN_TEST_CLASS; the shared main runs one class by name (as ctest
// does, so that every class starts in a fresh process) or all of them.
#pragma once

#include <QObject>
#include <vector>

struct QtTestEntry {
    const char* name;
    QObject* (*make)();
};

std::vector<QtTestEntry>& QtTestRegistry();

struct QtTestRegistrar {
    QtTestRegistrar(const char* name, QObject* (*make)()) { QtTestRegistry().push_back({name, make}); }
};

#define TORVAN_TEST_CLASS(Class) \
    static const QtTestRegistrar s_registrar##Class(#Class, []() -> QObject* { return new Class; })
