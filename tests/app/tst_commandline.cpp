// The command line split between Qt and the program: what follows "--" is
// a file name, never one of Qt's options.

#include "app/commandline.h"

#include <QCommandLineParser>
#include <QGuiApplication>
#include <QTest>

namespace {

/// argv as main() gets it, from strings that live as long as it does.
struct Argv {
    explicit Argv(const QList<QByteArray> &arguments) : m_strings(arguments)
    {
        for (QByteArray &s : m_strings)
            m_pointers.push_back(s.data());
        m_pointers.push_back(nullptr);
    }
    int argc() const { return int(m_strings.size()); }
    char **argv() { return m_pointers.data(); }

private:
    QList<QByteArray> m_strings;
    std::vector<char *> m_pointers;
};

QStringList strings(const SplitArguments &split)
{
    QStringList out;
    for (int i = 0; i < split.qtArgc; ++i)
        out << QString::fromLocal8Bit(split.qtArgv[std::size_t(i)]);
    return out;
}

/// The files the program's parser finds, as the program reads them.
QStringList positional(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("FILE"), QString());
    parser.parse(arguments);
    return parser.positionalArguments();
}

} // namespace

class TestCommandLine : public QObject {
    Q_OBJECT

private slots:
    void split_data()
    {
        QTest::addColumn<QStringList>("argv");
        QTest::addColumn<QStringList>("forQt");
        QTest::addColumn<QStringList>("leftByQt");  // what Qt leaves of forQt
        QTest::addColumn<QStringList>("files");
        const QStringList program{"quillon"};
        QTest::newRow("a file") << QStringList{"quillon", "menu.js"} << QStringList{"quillon", "menu.js"}
                                << QStringList{"quillon", "menu.js"} << QStringList{"menu.js"};
        QTest::newRow("nothing") << program << program << program << QStringList{};
        QTest::newRow("a file named like Qt's option")
            << QStringList{"quillon", "--", "-reverse"} << program << program << QStringList{"-reverse"};
        QTest::newRow("Qt's options before, the file after")
            << QStringList{"quillon", "-style", "fusion", "--", "-style"} << QStringList{"quillon", "-style", "fusion"}
            << program << QStringList{"-style"};
        QTest::newRow("a second -- is a file")
            << QStringList{"quillon", "--", "--"} << program << program << QStringList{"--"};
        QTest::newRow("-- alone") << QStringList{"quillon", "--"} << program << program << QStringList{};
        QTest::newRow("a name with Polish letters")
            << QStringList{"quillon", "--", "gęś.js"} << program << program << QStringList{"gęś.js"};
    }
    void split()
    {
        QFETCH(QStringList, argv);
        QFETCH(QStringList, forQt);
        QFETCH(QStringList, leftByQt);
        QFETCH(QStringList, files);
        QList<QByteArray> bytes;
        for (const QString &a : argv)
            bytes << a.toLocal8Bit();
        Argv args(bytes);
        const SplitArguments split = splitArguments(args.argc(), args.argv());
        QCOMPARE(strings(split), forQt);
        QCOMPARE(split.qtArgv.back(), nullptr);
        QCOMPARE(split.qtArgv.size(), std::size_t(split.qtArgc) + 1);
        QCOMPARE(positional(argumentsForParser(leftByQt, split)), files);
    }

    void qtNeverSeesTheProtectedArguments()
    {
        // The application made as main() makes it: Qt takes -platform, and
        // "-reverse" after "--" stays a file name.
        Argv args({"quillon", "-platform", "offscreen", "--", "-reverse"});
        SplitArguments split = splitArguments(args.argc(), args.argv());
        QGuiApplication app(split.qtArgc, split.qtArgv.data());
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("offscreen"));
        QCOMPARE(QGuiApplication::layoutDirection(), Qt::LeftToRight);
        QCOMPARE(positional(argumentsForParser(QCoreApplication::arguments(), split)), QStringList{"-reverse"});
    }
};

QTEST_APPLESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
