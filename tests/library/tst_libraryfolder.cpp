// Where the user library lives, and the one-time copy of a library that
// earlier versions kept inside the build tree.

#include "library/libraryfolder.h"
#include "platform/textfile.h"
#include "testfiles.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

class TestLibraryFolder final : public QObject {
    Q_OBJECT

private slots:
    void chooseUserLibraryFolder_data()
    {
        QTest::addColumn<bool>("buildTree");
        QTest::addColumn<QString>("beside");    // "", "folder", "file" or "read-only"
        QTest::addColumn<bool>("perUserExists");
        QTest::addColumn<QString>("folder");    // "beside" or "per-user"
        QTest::addColumn<bool>("copies");
        QTest::newRow("build tree, first start after an older version") << true << "folder" << false << "per-user" << true;
        QTest::newRow("build tree, copied before") << true << "folder" << true << "per-user" << false;
        QTest::newRow("build tree, nothing from before") << true << "" << false << "per-user" << false;
        QTest::newRow("portable copy") << false << "folder" << false << "beside" << false;
        QTest::newRow("program folder writable, no library beside it") << false << "" << false << "per-user" << false;
        QTest::newRow("a file in the library's place") << false << "file" << false << "per-user" << false;
        QTest::newRow("read-only library beside") << false << "read-only" << false << "per-user" << false;
    }
    void chooseUserLibraryFolder()
    {
        QFETCH(bool, buildTree);
        QFETCH(QString, beside);
        QFETCH(bool, perUserExists);
        QFETCH(QString, folder);
        QFETCH(bool, copies);
        QTemporaryDir dir;
        const QString program = dir.filePath(QStringLiteral("program"));
        const QString data = dir.filePath(QStringLiteral("data"));
        QVERIFY(QDir().mkpath(program));
        if (buildTree)
            QVERIFY(writeFile(program + QStringLiteral("/CMakeCache.txt"), "# cache"));
        const QString besidePath = program + QStringLiteral("/user-scripts");
        if (beside == QLatin1String("file"))
            QVERIFY(writeFile(besidePath, "x"));
        else if (!beside.isEmpty())
            QVERIFY(QDir().mkpath(besidePath));
        if (beside == QLatin1String("read-only")) {
            QVERIFY(QFile::setPermissions(besidePath, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
            if (QFileInfo(besidePath).isWritable())
                QSKIP("running as root: no folder is read-only");
        }
        if (perUserExists)
            QVERIFY(QDir().mkpath(data + QStringLiteral("/user-scripts")));

        const LibraryLocation location = ::chooseUserLibraryFolder(program, data);
        const QString expected =
            folder == QLatin1String("beside") ? QString(besidePath + u'/') : QString(data + QStringLiteral("/user-scripts/"));
        QCOMPARE(location.folder, expected);
        QCOMPARE(location.copyFrom, copies ? QString(besidePath + u'/') : QString());
        QFile::setPermissions(besidePath, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }

    void copyLibraryFolder_copiesTheLibraryAndKeepsTheOriginal()
    {
        QTemporaryDir dir;
        const QString from = dir.filePath(QStringLiteral("build/user-scripts/"));
        QVERIFY(writeFile(from + QStringLiteral("uscripts.dat"), "Work\r\n menu\r\n"));
        QVERIFY(writeFile(from + QStringLiteral("menu.js"), "<!-- part of the HEAD section -->\r\nvar m;"));
        QVERIFY(writeFile(dir.filePath(QStringLiteral("secret")), "not a script"));
        QVERIFY(QFile::link(dir.filePath(QStringLiteral("secret")), from + QStringLiteral("planted.js")));
        const QString to = dir.filePath(QStringLiteral("data/user-scripts/"));

        const LibraryCopy copy = copyLibraryFolder(from, to);
        QVERIFY2(copy.ok, qPrintable(copy.error));
        QCOMPARE(copy.files, 2);
        QCOMPARE(QDir(to).entryList(QDir::Files | QDir::Hidden | QDir::System),
                 (QStringList{QStringLiteral("menu.js"), QStringLiteral("uscripts.dat")}));
        QCOMPARE(readAll(to + QStringLiteral("menu.js")), readAll(from + QStringLiteral("menu.js")));
        QCOMPARE(readAll(to + QStringLiteral("uscripts.dat")), QByteArray("Work\r\n menu\r\n"));
        QCOMPARE(QDir(from).entryList(QDir::Files | QDir::System).size(), 3);

        // Never twice, never over a folder that is there.
        const LibraryCopy again = copyLibraryFolder(from, to);
        QVERIFY(!again.ok);
        QVERIFY(!again.error.isEmpty());
        QCOMPARE(readAll(to + QStringLiteral("uscripts.dat")), QByteArray("Work\r\n menu\r\n"));
    }

    void copyLibraryFolder_unreadableFile_leavesNoHalfCopy()
    {
        QTemporaryDir dir;
        const QString from = dir.filePath(QStringLiteral("old/"));
        QVERIFY(writeFile(from + QStringLiteral("uscripts.dat"), "Work\r\n"));
        // Larger than any script may be (sparse, so it costs no disk): its
        // reading fails even for root.
        QFile big(from + QStringLiteral("z.js"));
        QVERIFY(big.open(QIODevice::WriteOnly));
        QVERIFY(big.resize(kMaxTextFileBytes + 1));
        big.close();
        const QString to = dir.filePath(QStringLiteral("new/user-scripts"));
        const LibraryCopy copy = copyLibraryFolder(from, to);
        QVERIFY(!copy.ok);
        QVERIFY(copy.error.contains(QStringLiteral("z.js")));
        QVERIFY(!QFileInfo::exists(to));
        QCOMPARE(QDir(dir.filePath(QStringLiteral("new"))).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList());
    }
};

QTEST_APPLESS_MAIN(TestLibraryFolder)
#include "tst_libraryfolder.moc"
