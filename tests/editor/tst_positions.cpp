// How many caret positions a text takes in an editor.

#include "editor/positions.h"

#include <QTest>

class TestPositions : public QObject {
    Q_OBJECT

private slots:
    void positionLength_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("expected");
        QTest::newRow("empty") << QString() << 0;
        QTest::newRow("plain") << QStringLiteral("abc") << 3;
        QTest::newRow("crlf is one") << QStringLiteral("a\r\nb") << 3;
        QTest::newRow("lone lf is one") << QStringLiteral("a\nb") << 3;
        QTest::newRow("lone cr is one") << QStringLiteral("a\rb") << 3;
        QTest::newRow("two crlf") << QStringLiteral("\r\n\r\n") << 2;
        QTest::newRow("lf then cr are two breaks") << QStringLiteral("\n\r") << 2;
        QTest::newRow("trailing cr") << QStringLiteral("x\r") << 2;
        QTest::newRow("polish letters") << QStringLiteral("żółć") << 4;
        QTest::newRow("character outside the bmp") << QStringLiteral("😀x") << 2;
    }

    void positionLength()
    {
        QFETCH(QString, text);
        QFETCH(int, expected);
        QCOMPARE(::positionLength(text), expected);
    }
};

QTEST_APPLESS_MAIN(TestPositions)
#include "tst_positions.moc"
