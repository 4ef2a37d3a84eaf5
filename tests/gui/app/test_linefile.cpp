// The line-oriented text file: moving back by lines, the line near an
// offset, line numbers and text search.
#include <QLoggingCategory>
#include <QtTest>

#include "app/Linefile.h"
#include "tests/support/QtTestRegistry.h"
#include "tests/support/TestFile.h"

namespace {
constexpr int kMax = 200;
}

class TestLineFile : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    char m_buffer[kMax] = {};

    QString Write(const QString& name, const QByteArray& bytes) { return WriteTestFile(m_dir, name, bytes); }
    // Lines of 10 bytes: nine characters and a LF.
    QString TenByteLines(int count) {
        QByteArray bytes;
        for (int i = 0; i < count; ++i) bytes += QByteArray(9, char('a' + i % 26)) + '\n';
        return Write(QStringLiteral("ten.txt"), bytes);
    }

private slots:
    void readLineConsumesOneLine() {
        CLineFile file(Write(QStringLiteral("r.txt"), "ab\r\ncd\nlast"), QIODevice::ReadOnly);
        QVERIFY(file.isOpen());
        QCOMPARE(file.m_nLineStart, qint64(0));
        QCOMPARE(file.ReadLine(m_buffer, kMax), qint64(4));
        QCOMPARE(QByteArray(m_buffer), QByteArray("ab\r\n"));
        QCOMPARE(file.ReadLine(m_buffer, kMax), qint64(7));
        QCOMPARE(file.m_nLineStart, qint64(4));
        QCOMPARE(file.ReadLine(m_buffer, kMax), qint64(11));
        QCOMPARE(QByteArray(m_buffer), QByteArray("last"));
        QCOMPARE(file.ReadLine(m_buffer, kMax), qint64(11));
        // The maximum stops a long line; the buffer never overflows.
        CLineFile cut(Write(QStringLiteral("c.txt"), "0123456789\n"), QIODevice::ReadOnly);
        char small[4] = {'x', 'x', 'x', 'x'};
        QCOMPARE(cut.ReadLine(small, 4), qint64(4));
        QCOMPARE(QByteArray(small), QByteArray("012"));
        QCOMPARE(cut.ReadLine(nullptr, 0), qint64(5));
    }

    void backLinesFromTheFirstLine() {
        CLineFile file(TenByteLines(5), QIODevice::ReadOnly);
        QCOMPARE(file.BackLines(m_buffer, kMax, 3), qint64(10));
        QCOMPARE(file.m_nLineStart, qint64(0));
    }

    void backLinesOverTenByteLines() {
        CLineFile file(TenByteLines(20), QIODevice::ReadOnly);
        file.SetLineStart(100);
        QCOMPARE(file.BackLines(m_buffer, kMax, 3), qint64(70));
        QCOMPARE(file.m_nLineStart, qint64(70));
        QCOMPARE(file.SetLineStart(100), qint64(70));
        QCOMPARE(file.BackLines(m_buffer, kMax, 20), qint64(0));
        // Far into the file the search starts inside a line and skips it.
        CLineFile longer(TenByteLines(100), QIODevice::ReadOnly);
        longer.SetLineStart(800);
        QCOMPARE(longer.BackLines(m_buffer, kMax, 2), qint64(780));
        // A move is limited to 200 lines.
        CLineFile many(TenByteLines(400), QIODevice::ReadOnly);
        many.SetLineStart(3500);
        QCOMPARE(many.BackLines(m_buffer, kMax, 1000), qint64(1500));
    }

    void backLinesFromBeyondTheEndEnds() {
        CLineFile file(TenByteLines(5), QIODevice::ReadOnly);
        file.SetLineStart(1000);
        QCOMPARE(file.BackLines(m_buffer, kMax, 1), qint64(40));
        file.SetLineStart(95);
        QCOMPARE(file.BackLines(m_buffer, kMax, 2), qint64(30));
    }

    void backLinesOnAClosedFileFails() {
        // The traces show only when their category is asked for.
        QLoggingCategory::setFilterRules(QStringLiteral("torvan.trace.debug=true"));
        for (int i = 0; i < 3; ++i) QTest::ignoreMessage(QtWarningMsg, "QFileDevice::seek: IODevice is not open");
        QTest::ignoreMessage(QtDebugMsg, "Bad Seek in BackLines 0");
        QTest::ignoreMessage(QtDebugMsg, "Bad Seek in LineNear 5");
        CLineFile file;
        file.SetLineStart(50);
        QCOMPARE(file.BackLines(m_buffer, kMax, 1), qint64(-1));
        QCOMPARE(file.LineNear(m_buffer, kMax, 5), qint64(-1));
        CLineFile missing(m_dir.filePath(QStringLiteral("none.txt")), QIODevice::ReadOnly);
        QVERIFY(!missing.isOpen());
        QVERIFY(!missing.FindText("a", 0));
        QLoggingCategory::setFilterRules(QString());
    }

    void lineNearFindsTheLineThatHoldsTheOffset() {
        CLineFile file(TenByteLines(6), QIODevice::ReadOnly);
        QCOMPARE(file.LineNear(m_buffer, kMax, 25), qint64(20));
        QCOMPARE(file.m_nLineStart, qint64(20));
        QCOMPARE(QByteArray(m_buffer), QByteArray("ccccccccc\n"));
        QCOMPARE(file.LineNear(m_buffer, kMax, 20), qint64(20));
        QCOMPARE(file.LineNear(m_buffer, kMax, 29), qint64(20));
    }

    void lineNumbers() {
        CLineFile file(TenByteLines(4), QIODevice::ReadOnly);
        QCOMPARE(file.LineNumberAt(0), qint64(1));
        QCOMPARE(file.LineNumberAt(8), qint64(1));
        // A LF at the offset itself counts.
        QCOMPARE(file.LineNumberAt(9), qint64(2));
        QCOMPARE(file.LineNumberAt(35), qint64(4));
        QCOMPARE(file.pos(), qint64(35));
        CLineFile blankFirst(Write(QStringLiteral("b.txt"), "\nabc\n"), QIODevice::ReadOnly);
        QCOMPARE(blankFirst.LineNumberAt(0), qint64(2));
    }

    void findText() {
        CLineFile file(Write(QStringLiteral("f.txt"), "one\ntwo\nthree\nababac\n"), QIODevice::ReadOnly);
        QVERIFY(file.FindText("t", 0));
        QCOMPARE(file.pos(), qint64(5));
        QCOMPARE(file.m_nLineNo, qint64(1));
        QVERIFY(file.FindText("three", 0));
        QCOMPARE(file.pos(), qint64(13));
        QCOMPARE(file.m_nLineNo, qint64(2));
        // An occurrence that begins inside a partial match is found too.
        QVERIFY(file.FindText("abac", 0));
        QCOMPARE(file.pos(), qint64(20));
        QVERIFY(!file.FindText("four", 0));
        QVERIFY(!file.FindText("one", 1));
        QVERIFY(!file.FindText("", 0));
    }
};

TORVAN_TEST_CLASS(TestLineFile);
#include "test_linefile.moc"
