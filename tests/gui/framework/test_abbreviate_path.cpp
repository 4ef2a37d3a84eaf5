// A recent file's path shortened for its menu entry: the file name whole,
// the first folder kept, the folders after it given up from the front until
// the rest fits, or the file name alone.
#include <QtTest>

#include "framework/AbbreviatePath.h"
#include "tests/support/QtTestRegistry.h"

class TestAbbreviatePath : public QObject {
    Q_OBJECT
private slots:
    void shortened_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("shown");
        QTest::newRow("fits") << "/home/ann/prog.hex"
                              << "/home/ann/prog.hex";
        QTest::newRow("exactly the limit") << "/home/ann/labs/week03/prog.hex"
                                           << "/home/ann/labs/week03/prog.hex";
        QTest::newRow("middle folders go") << "/home/ann/projects/8085/labs/week3/counter.hex"
                                           << "/home/.../week3/counter.hex";
        QTest::newRow("only the last folder fits") << "/home/ann/projects/a-long-folder-name/counter.hex"
                                                   << "/home/.../counter.hex";
        QTest::newRow("first folder too long to keep") << "/a-very-long-first-folder-name/x/counter.hex"
                                                       << "counter.hex";
        QTest::newRow("name longer than the limit") << "/home/a-program-with-a-very-long-name.hex"
                                                    << "a-program-with-a-very-long-name.hex";
    }
    void shortened() {
        QFETCH(QString, path);
        QFETCH(QString, shown);
        QCOMPARE(AbbreviatePath(path, kRecentFileShownChars), shown);
    }
};

TORVAN_TEST_CLASS(TestAbbreviatePath);
#include "test_abbreviate_path.moc"
