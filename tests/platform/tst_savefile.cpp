// The checked, atomic save helper: every failure is reported, and a failed
// save leaves the old file whole.

#include "platform/savefile.h"
#include "testfiles.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <csignal>
#include <cstring>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {



/// A real QSaveFile with one fault injected.
class FaultyTarget final : public SaveTarget {
public:
    enum Fault { None, ShortWrite, FailedWrite, FailedFlush, ErrorAfterWrite, FailedSync, FailedCommit };
    FaultyTarget(const QString &path, Fault fault) : m_file(path), m_fault(fault) {}

    bool open() override { return m_file.open(QIODevice::WriteOnly); }
    qint64 write(const char *data, qint64 size) override
    {
        if (m_fault == FailedWrite)
            return -1;
        if (m_fault == ShortWrite)
            return m_file.write(data, size / 2);
        return m_file.write(data, size);
    }
    bool flush() override { return m_fault != FailedFlush && m_file.flush(); }
    bool sync() override { return m_fault != FailedSync; }
    bool hasError() const override { return m_fault == ErrorAfterWrite || m_file.error() != QFileDevice::NoError; }
    QString errorString() const override { return QStringLiteral("injected fault"); }
    bool commit() override
    {
        committed = true;
        if (m_fault == FailedCommit) {
            m_file.cancelWriting();
            m_file.commit();
            return false;
        }
        return m_file.commit();
    }
    void cancel() override
    {
        cancelled = true;
        m_file.cancelWriting();
        m_file.commit();  // discards the temporary file
    }

    bool committed = false;
    bool cancelled = false;

private:
    QSaveFile m_file;
    Fault m_fault;
};

} // namespace

class TestSaveFile : public QObject {
    Q_OBJECT

private slots:
    void save_writesExactlyTheBytes()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("a.js"));
        const QByteArray bytes("line 1\r\nline 2\r\n\xc5\xbc\x00tail", 21);
        const SaveResult result = saveFileAtomically(path, bytes);
        QVERIFY2(result.ok, qPrintable(result.error));
        QCOMPARE(readAll(path), bytes);
    }

    void save_replacesAnExistingFileAndEmptyWritesEmpty()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("a.js"));
        QVERIFY(writeFile(path, QByteArray(5000, 'x')));
        QVERIFY(saveFileAtomically(path, "short").ok);
        QCOMPARE(readAll(path), QByteArray("short"));
        QVERIFY(saveFileAtomically(path, QByteArray()).ok);
        QCOMPARE(readAll(path), QByteArray());
    }

    void injectedFaults_areReportedAndKeepTheOldFile_data()
    {
        QTest::addColumn<int>("fault");
        QTest::newRow("short write") << int(FaultyTarget::ShortWrite);
        QTest::newRow("failed write") << int(FaultyTarget::FailedWrite);
        QTest::newRow("failed flush") << int(FaultyTarget::FailedFlush);
        QTest::newRow("device error after writing") << int(FaultyTarget::ErrorAfterWrite);
        QTest::newRow("data not on disk") << int(FaultyTarget::FailedSync);
        QTest::newRow("failed commit") << int(FaultyTarget::FailedCommit);
    }
    void injectedFaults_areReportedAndKeepTheOldFile()
    {
        QFETCH(int, fault);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("uscripts.dat"));
        const QByteArray old("Work\r\n menu\r\n");
        QVERIFY(writeFile(path, old));

        FaultyTarget target(path, FaultyTarget::Fault(fault));
        const SaveResult result = writeThrough(target, QByteArray(100000, 'n'));
        QVERIFY(!result.ok);
        QVERIFY(!result.error.isEmpty());
        QCOMPARE(readAll(path), old);
        if (fault != FaultyTarget::FailedCommit) {
            QVERIFY(target.cancelled);
            QVERIFY(!target.committed);
        }
        // No temporary file is left behind.
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("uscripts.dat")});
    }

    void noFault_commits()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("x"));
        FaultyTarget target(path, FaultyTarget::None);
        QVERIFY(writeThrough(target, "abc").ok);
        QVERIFY(target.committed);
        QVERIFY(!target.cancelled);
        QCOMPARE(readAll(path), QByteArray("abc"));
    }

    void unwritableFolder_isReported()
    {
        QTemporaryDir dir;
        // A path below a regular file cannot be created, even by root.
        QVERIFY(writeFile(dir.filePath(QStringLiteral("file")), "x"));
        const SaveResult result = saveFileAtomically(dir.filePath(QStringLiteral("file/below.js")), "data");
        QVERIFY(!result.ok);
        QVERIFY(!result.error.isEmpty());
    }

    void links_followedForTheUsersPaths_refusedForTheProgramsOwn()
    {
#ifdef Q_OS_UNIX
        QTemporaryDir dir;
        const QString target = dir.filePath(QStringLiteral("page.html"));
        QVERIFY(writeFile(target, "old"));
        QVERIFY(QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
        const QString link = dir.filePath(QStringLiteral("link.js"));
        QVERIFY(QFile::link(target, link));

        const SaveResult refused = saveFileAtomically(link, "new", SaveDurability::Sync, LinkPolicy::Refuse);
        QVERIFY(!refused.ok);
        QVERIFY(refused.error.contains(QStringLiteral("link")));
        QCOMPARE(readAll(target), QByteArray("old"));

        QVERIFY(saveFileAtomically(link, "new").ok);
        QCOMPARE(readAll(target), QByteArray("new"));
        // The link stays a link, and the file keeps its permissions.
        QVERIFY(QFileInfo(link).isSymLink());
        QCOMPARE(QFile::permissions(target) & 0x7077, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System).size(), 2);
#else
        QSKIP("links are a Unix matter here");
#endif
    }

    void temporaryFile_carriesTheWritersProcess()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("menu.js"));
        auto target = makeSaveTarget(path);
        QVERIFY(target->open());
        const QStringList names = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
        QCOMPARE(names.size(), 1);
        QVERIFY(isSaveTemporaryName(names.first()));
        QVERIFY(names.first().contains(QStringLiteral("-%1-").arg(QCoreApplication::applicationPid())));
        // A running writer's file is never taken for a crash's.
        QCOMPARE(removeStaleTemporaryFiles(dir.path()), 0);
        target->cancel();
        QVERIFY(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
        QVERIFY(!isSaveTemporaryName(QStringLiteral("menu.js")));
        QVERIFY(!isSaveTemporaryName(QStringLiteral(".menu.js.swp")));
    }

    void staleTemporaries_onlyThoseOfGoneProcessesInTheUsersFolders_data()
    {
        QTest::addColumn<int>("which");
        QTest::addColumn<QStringList>("removed");  // of: orphan, running, otherHost, oldOfRunning, notOurs
        QTest::newRow("the user's folder") << int(StaleTemporaries::OfGoneProcesses) << QStringList{"orphan"};
        QTest::newRow("the program's folder")
            << int(StaleTemporaries::GoneOrOld) << QStringList{"orphan", "oldOfRunning"};
    }
    void staleTemporaries_onlyThoseOfGoneProcessesInTheUsersFolders()
    {
#ifdef Q_OS_UNIX
        QFETCH(int, which);
        QFETCH(QStringList, removed);
        QTemporaryDir dir;
        // A process that is gone: a child that has ended and been reaped.
        const pid_t child = ::fork();
        if (child == 0)
            ::_exit(0);
        QVERIFY(child > 0);
        ::waitpid(child, nullptr, 0);
        // This host's part of the names, from a save that is cut short.
        QString host;
        {
            auto target = makeSaveTarget(dir.filePath(QStringLiteral("probe")));
            QVERIFY(target->open());
            host = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).value(0).section(u'-', 2, -2);
            target->cancel();
        }
        QVERIFY(!host.isEmpty());
        const auto temporary = [](const char *name, qint64 pid, const QString &onHost) {
            return QStringLiteral(".%1.qtmp-%2-%3-aB3dE9").arg(QLatin1String(name)).arg(pid).arg(onHost);
        };
        const QMap<QString, QString> files{
            {QStringLiteral("orphan"), temporary("menu.js", child, host)},
            {QStringLiteral("running"), temporary("clock.js", QCoreApplication::applicationPid(), host)},
            {QStringLiteral("otherHost"), temporary("other.js", child, QStringLiteral("elsewhere"))},
            {QStringLiteral("oldOfRunning"), temporary("old.js", QCoreApplication::applicationPid(), host)},
            // Not quite the helper's pattern: the user's own files.
            {QStringLiteral("notOurs"), QStringLiteral(".menu.js.qtmp-%1-%2-short").arg(child).arg(host)},
        };
        for (const QString &name : files)
            QVERIFY(writeFile(dir.filePath(name), "partial"));
        QFile old(dir.filePath(files.value(QStringLiteral("oldOfRunning"))));
        QVERIFY(old.open(QIODevice::ReadWrite));
        QVERIFY(old.setFileTime(QDateTime::currentDateTime().addSecs(-2 * 3600), QFileDevice::FileModificationTime));
        old.close();

        QCOMPARE(removeStaleTemporaryFiles(dir.path(), StaleTemporaries(which)), removed.size());
        for (auto it = files.cbegin(); it != files.cend(); ++it)
            QVERIFY2(QFileInfo::exists(dir.filePath(it.value())) != removed.contains(it.key()), qPrintable(it.key()));
#else
        QSKIP("process ids are checked on Unix");
#endif
    }

    void fileSizeLimit_withTheSignalIgnoredAtStart_isReportedWithItsReason()
    {
#ifdef Q_OS_UNIX
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("big.js"));
        QVERIFY(writeFile(path, "old"));
        ignoreFileSizeLimitSignal();
        std::optional<FileSizeLimit> limit(std::in_place, 64 * 1024);
        QVERIFY(limit->isSet());
        const SaveResult big = saveFileAtomically(path, QByteArray(1024 * 1024, 'z'));
        limit.reset();
        QVERIFY(!big.ok);
        QCOMPARE(big.error, QString::fromLocal8Bit(std::strerror(EFBIG)));
        QCOMPARE(readAll(path), QByteArray("old"));
#else
        QSKIP("file-size limits are a Unix facility");
#endif
    }

    void fileSizeLimit_isReportedAndKeepsTheOldFile()
    {
#ifdef Q_OS_UNIX
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("big.js"));
        const QByteArray old("old contents\r\n");
        QVERIFY(writeFile(path, old));

        // Writing past the limit fails with EFBIG instead of a signal, as a
        // full disk fails a write.
        struct sigaction ignore = {}, previous = {};
        ignore.sa_handler = SIG_IGN;
        sigaction(SIGXFSZ, &ignore, &previous);
        std::optional<FileSizeLimit> limit(std::in_place, 64 * 1024);
        QVERIFY(limit->isSet());

        const SaveResult big = saveFileAtomically(path, QByteArray(1024 * 1024, 'z'));
        // A file that just fits still saves.
        const QString small = dir.filePath(QStringLiteral("small.js"));
        const SaveResult fits = saveFileAtomically(small, QByteArray(1000, 's'));

        limit.reset();
        sigaction(SIGXFSZ, &previous, nullptr);

        QVERIFY(!big.ok);
        QVERIFY(!big.error.isEmpty());
        QCOMPARE(readAll(path), old);
        QVERIFY(fits.ok);
        QCOMPARE(readAll(small), QByteArray(1000, 's'));
        const QStringList left = QDir(dir.path()).entryList(QDir::Files);
        QCOMPARE(left, (QStringList{QStringLiteral("big.js"), QStringLiteral("small.js")}));
#else
        QSKIP("file-size limits are a Unix facility");
#endif
    }
};

QTEST_APPLESS_MAIN(TestSaveFile)
#include "tst_savefile.moc"
