// The user library store on disk: building the tree from the folder, the
// script files, the name rules, failed writes, and two copies of the
// program sharing one folder.

#include "document/scripttext.h"
#include "library/userlibrary.h"
#include "platform/savefile.h"
#include "platform/textfile.h"
#include "testfiles.h"
#include "treeshape.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <optional>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <csignal>
#include <cstring>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {



LibraryNode *categoryNamed(LibraryTree &tree, const QString &name)
{
    for (const auto &root : tree.roots)
        if (root->text == name)
            return root.get();
    return nullptr;
}

const QByteArray kWorkAndMisc("Work\r\n menu\r\n clock\r\nMisc\r\n");
/// Three categories, the last one empty.
const QByteArray kToRearrange("Work\r\n menu\r\n clock\r\n pager\r\nMisc\r\n timer\r\nEmpty\r\n");

} // namespace

class TestUserLibraryStore : public QObject {
    Q_OBJECT

private:
    QTemporaryDir *m_dir = nullptr;
    QString m_folder;  // the library folder, not created

    /// A library folder holding this index.
    void makeLibrary(const QByteArray &index)
    {
        QVERIFY(QDir().mkdir(m_folder));
        QVERIFY(writeFile(m_folder + QStringLiteral("uscripts.dat"), index));
    }

private slots:
    void init()
    {
        m_dir = new QTemporaryDir;
        QVERIFY(m_dir->isValid());
        m_folder = m_dir->path() + QStringLiteral("/user-scripts/");
    }
    void cleanup()
    {
        delete m_dir;
        m_dir = nullptr;
    }

    // --- paths -------------------------------------------------------------------------

    void paths_followTheFolder()
    {
        UserLibraryStore store(m_dir->path() + QStringLiteral("/user-scripts"));
        QCOMPARE(store.folder(), m_folder);
        QCOMPARE(store.indexPath(), m_folder + QStringLiteral("uscripts.dat"));
        QCOMPARE(store.scriptPath(QStringLiteral("a.b")), m_folder + QStringLiteral("a.b.js"));
        QCOMPARE(store.backupPath(), m_folder + QStringLiteral("uscripts.dat.bak"));
    }

    // --- building the tree -------------------------------------------------------------

    void load_folderMissing_createsItWithUserScripts()
    {
        UserLibraryStore store(m_folder);
        const UserLibraryStore::LoadResult result = store.load();
        QCOMPARE(result.status, UserLibraryStore::LoadResult::FolderCreated);
        QVERIFY(result.ok());
        QVERIFY(QFileInfo(m_folder).isDir());
        QCOMPARE(shape(store.tree()), QStringList{"0:User scripts"});
        QCOMPARE(readAll(store.indexPath()), QByteArray("User scripts\r\n"));
        QVERIFY(!store.changedOnDisk());
    }

    void load_folderWithoutIndex_writesEmptyIndex()
    {
        QVERIFY(QDir().mkdir(m_folder));
        UserLibraryStore store(m_folder);
        store.tree().addRoot(QStringLiteral("left over"));
        const UserLibraryStore::LoadResult result = store.load();
        QCOMPARE(result.status, UserLibraryStore::LoadResult::EmptyIndexCreated);
        QVERIFY(result.ok());
        QVERIFY(store.tree().isEmpty());
        QVERIFY(QFileInfo::exists(store.indexPath()));
        QCOMPARE(QFileInfo(store.indexPath()).size(), 0);
        QVERIFY(!store.changedOnDisk());
    }

    void load_folderWithIndex_readsIt()
    {
        makeLibrary(kWorkAndMisc);
        UserLibraryStore store(m_folder);
        store.tree().addRoot(QStringLiteral("left over"));
        const UserLibraryStore::LoadResult result = store.load();
        QCOMPARE(result.status, UserLibraryStore::LoadResult::Loaded);
        QVERIFY(result.ok());
        QCOMPARE(shape(store.tree()), (QStringList{"0:Work", "1:menu", "1:clock", "0:Misc"}));
        QVERIFY(store.lastIndexRead().ok);
        // Reading never writes.
        QCOMPARE(readAll(store.indexPath()), kWorkAndMisc);
    }

    void load_folderCannotBeCreated_leavesTreeUnchanged()
    {
        // A folder below a regular file cannot be made, not even by root.
        const QString file = m_dir->path() + QStringLiteral("/plain-file");
        QVERIFY(writeFile(file, "x"));
        UserLibraryStore store(file + QStringLiteral("/user-scripts/"));
        store.tree().addRoot(QStringLiteral("User scripts"));
        const UserLibraryStore::LoadResult result = store.load();
        QCOMPARE(result.status, UserLibraryStore::LoadResult::FolderNotCreated);
        QVERIFY(!result.ok());
        QVERIFY(!result.error.isEmpty());
        QCOMPARE(shape(store.tree()), QStringList{"0:User scripts"});
    }

    void load_folderIsARegularFile_reportsFolderNotCreated()
    {
        QVERIFY(writeFile(m_dir->path() + QStringLiteral("/user-scripts"), "not a folder"));
        UserLibraryStore store(m_folder);
        const UserLibraryStore::LoadResult result = store.load();
        QCOMPARE(result.status, UserLibraryStore::LoadResult::FolderNotCreated);
        QCOMPARE(readAll(m_dir->path() + QStringLiteral("/user-scripts")), QByteArray("not a folder"));
    }

    void load_invalidLevel_keepsNodesReadSoFar()
    {
        makeLibrary("Work\r\n menu\r\n   deep\r\nMisc\r\n");
        UserLibraryStore store(m_folder);
        const UserLibraryStore::LoadResult result = store.load();
        QCOMPARE(result.status, UserLibraryStore::LoadResult::InvalidIndex);
        QVERIFY(!result.ok());
        QCOMPARE(result.error, QStringLiteral("Invalid TreeNode Level"));
        QCOMPARE(result.failedLine, 3);
        QCOMPARE(shape(store.tree()), (QStringList{"0:Work", "1:menu"}));
        QVERIFY(!store.lastIndexRead().ok);
        QVERIFY(!store.changedOnDisk());
    }

    void load_indexLargerThanTheLimit_isRefusedAndNotOverwritten()
    {
        makeLibrary(QByteArray());
        {
            QFile index(m_folder + QStringLiteral("uscripts.dat"));
            QVERIFY(index.open(QIODevice::ReadWrite));
            QVERIFY(index.resize(kMaxTextFileBytes + 1));  // sparse: costs no disk
        }
        UserLibraryStore store(m_folder);
        const UserLibraryStore::LoadResult result = store.load();
        QCOMPARE(result.status, UserLibraryStore::LoadResult::IndexUnreadable);
        QVERIFY(!result.error.isEmpty());
        QVERIFY(store.tree().isEmpty());

        // A change must not replace what could not be read.
        store.tree().addRoot(QStringLiteral("new"));
        const UserLibraryStore::SaveOutcome written = store.writeIndexFile();
        QVERIFY(!written.ok);
        QVERIFY(!written.error.isEmpty());
        QCOMPARE(QFileInfo(store.indexPath()).size(), kMaxTextFileBytes + 1);

        // Once the index is readable again (here: removed by hand), writing works.
        QVERIFY(QFile::remove(store.indexPath()));
        QVERIFY(writeFile(store.indexPath(), "Work\r\n"));
        QVERIFY(store.reloadIfChanged());
        QCOMPARE(shape(store.tree()), QStringList{"0:Work"});
        store.tree().addRoot(QStringLiteral("Misc"));
        QVERIFY(store.writeIndexFile().ok);
        QCOMPARE(readAll(store.indexPath()), QByteArray("Work\r\nMisc\r\n"));
    }

    void load_indexIsAFolder_reportsUnreadable()
    {
        QVERIFY(QDir().mkpath(m_folder + QStringLiteral("uscripts.dat")));
        UserLibraryStore store(m_folder);
        const UserLibraryStore::LoadResult result = store.load();
        QCOMPARE(result.status, UserLibraryStore::LoadResult::IndexUnreadable);
        QVERIFY(store.tree().isEmpty());
    }

    void hostileEntries_areRefusedWithoutBlockingOrFollowing_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("kind");
        QTest::newRow("pipe as index") << "uscripts.dat" << "fifo";
        QTest::newRow("link as index") << "uscripts.dat" << "link";
        QTest::newRow("pipe as lock") << "uscripts.lock" << "fifo";
        QTest::newRow("link as lock") << "uscripts.lock" << "link";
        QTest::newRow("pipe as script") << "menu.js" << "fifo";
        QTest::newRow("link as script") << "menu.js" << "link";
        QTest::newRow("link as backup") << "uscripts.dat.bak" << "link";
    }
    void hostileEntries_areRefusedWithoutBlockingOrFollowing()
    {
#ifdef Q_OS_UNIX
        QFETCH(QString, entry);
        QFETCH(QString, kind);
        const QByteArray index("Work\r\n menu\r\n");
        makeLibrary(entry == QLatin1String("uscripts.dat") ? QByteArray() : index);
        if (entry == QLatin1String("uscripts.dat.bak"))
            QVERIFY(writeFile(m_folder + QStringLiteral("uscripts.dat"), "Work\r\n\x1a\r\nMisc\r\n"));
        const QString victim = m_dir->path() + QStringLiteral("/victim");
        QVERIFY(writeFile(victim, "precious\n"));
        const QString path = m_folder + entry;
        QFile::remove(path);
        if (kind == QLatin1String("fifo"))
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        else
            QVERIFY(QFile::link(victim, path));

        // Every step returns (a blocked read would hang the test) and none
        // reaches the victim.
        UserLibraryStore store(m_folder);
        store.setLockTimeout(200);
        const UserLibraryStore::LoadResult loaded = store.load();
        if (entry == QLatin1String("uscripts.dat")) {
            QCOMPARE(loaded.status, UserLibraryStore::LoadResult::IndexUnreadable);
            QVERIFY(!loaded.error.isEmpty());
            store.tree().addRoot(QStringLiteral("Work"));
        }
        {
            const std::unique_ptr<UserLibraryStore::Change> change = store.beginChange();
            QVERIFY(change->locked());
            store.tree().roots.front()->addChild(QStringLiteral("menu"));
            store.writeScriptFile(QStringLiteral("menu"), QStringLiteral("var a;"), QStringLiteral("go();"));
            store.writeIndexFile();
            store.readScript(QStringLiteral("menu"));
            store.changedOnDisk();
        }
        QCOMPARE(readAll(victim), QByteArray("precious\n"));
        if (entry == QLatin1String("menu.js")) {
            QVERIFY(!store.readScript(QStringLiteral("menu")).ok());
            QVERIFY(!store.writeScriptFile(QStringLiteral("menu"), QString(), QString()).ok);
        }
        if (entry == QLatin1String("uscripts.dat.bak"))
            QCOMPARE(readAll(m_folder + QStringLiteral("uscripts.dat.bak2")), QByteArray("Work\r\n\x1a\r\nMisc\r\n"));
#else
        QSKIP("named pipes and links are a Unix matter here");
#endif
    }

    void load_indexReadInPart_isReportedAndKeptWholeBeforeTheFirstChange_data()
    {
        QTest::addColumn<QByteArray>("index");
        QTest::addColumn<int>("line");
        QTest::newRow("end marker line") << QByteArray("Work\r\n menu\r\n\x1a\r\nMisc\r\n clock\r\n") << 3;
        QTest::newRow("NUL byte") << QByteArray("Work\r\n menu\r\nMi\0sc\r\n clock\r\n", 26) << 3;
    }
    void load_indexReadInPart_isReportedAndKeptWholeBeforeTheFirstChange()
    {
        QFETCH(QByteArray, index);
        QFETCH(int, line);
        makeLibrary(index);
        // An older backup is never overwritten.
        QVERIFY(writeFile(m_folder + QStringLiteral("uscripts.dat.bak"), "older backup"));
        UserLibraryStore store(m_folder);
        const UserLibraryStore::LoadResult result = store.load();
        QCOMPARE(result.status, UserLibraryStore::LoadResult::IndexReadInPart);
        QCOMPARE(result.failedLine, line);
        QCOMPARE(store.backupPath(), m_folder + QStringLiteral("uscripts.dat.bak2"));

        store.tree().addRoot(QStringLiteral("New category"));
        QVERIFY(store.writeIndexFile().ok);
        QCOMPARE(readAll(store.backupPath()), index);
        QCOMPARE(readAll(m_folder + QStringLiteral("uscripts.dat.bak")), QByteArray("older backup"));
    }

    void load_removesOnlyTheTemporaryFilesOfCrashedSaves()
    {
#ifdef Q_OS_UNIX
        makeLibrary(kWorkAndMisc);
        // A process that is gone: a child that has ended and been reaped.
        const pid_t child = ::fork();
        if (child == 0)
            ::_exit(0);
        QVERIFY(child > 0);
        ::waitpid(child, nullptr, 0);

        // The save helper's names, taken from a real save that is cut short.
        UserLibraryStore probe(m_folder);
        probe.load();
        const QString host = [this] {
            QFile::remove(m_folder + QStringLiteral("probe"));
            auto target = makeSaveTarget(m_folder + QStringLiteral("probe"));
            target->open();
            QString found;
            for (const QString &name : QDir(m_folder).entryList(QDir::Files | QDir::Hidden))
                if (isSaveTemporaryName(name))
                    found = name.section(u'-', 2, -2);
            target->cancel();
            return found;
        }();
        QVERIFY(!host.isEmpty());
        const auto temporary = [&](const char *name, qint64 pid, const QString &onHost) {
            return QStringLiteral(".%1.qtmp-%2-%3-aB3dE9").arg(QLatin1String(name)).arg(pid).arg(onHost);
        };
        const QString orphan = temporary("menu.js", child, host);
        const QString running = temporary("clock.js", QCoreApplication::applicationPid(), host);
        const QString otherHost = temporary("other.js", child, QStringLiteral("elsewhere"));
        const QString oldOfRunning = temporary("old.js", QCoreApplication::applicationPid(), host);
        const QString notOurs = QStringLiteral(".menu.js.swp");
        for (const QString &name : {orphan, running, otherHost, oldOfRunning, notOurs})
            QVERIFY(writeFile(m_folder + name, "partial"));
        QFile old(m_folder + oldOfRunning);
        QVERIFY(old.open(QIODevice::ReadWrite));
        QVERIFY(old.setFileTime(QDateTime::currentDateTime().addSecs(-7200), QFileDevice::FileModificationTime));
        old.close();

        UserLibraryStore store(m_folder);
        const UserLibraryStore::LoadResult result = store.load();
        QCOMPARE(result.staleFilesRemoved, 2);
        const QStringList left = QDir(m_folder).entryList(QDir::Files | QDir::Hidden);
        QVERIFY(!left.contains(orphan));
        QVERIFY(!left.contains(oldOfRunning));
        QVERIFY(left.contains(running));
        QVERIFY(left.contains(otherHost));
        QVERIFY(left.contains(notOurs));
#else
        QSKIP("process ids are checked on Unix");
#endif
    }

    void load_twice_readsWhatTheFirstWrote()
    {
        {
            UserLibraryStore first(m_folder);
            QCOMPARE(first.load().status, UserLibraryStore::LoadResult::FolderCreated);
            first.tree().roots[0]->addChild(QStringLiteral("kept"));
            QVERIFY(first.writeIndexFile().ok);
        }
        UserLibraryStore second(m_folder);
        QCOMPARE(second.load().status, UserLibraryStore::LoadResult::Loaded);
        QCOMPARE(shape(second.tree()), (QStringList{"0:User scripts", "1:kept"}));
    }

    // --- script files --------------------------------------------------------------------

    void writeScriptFile_writesSectionMarkersInUtf8()
    {
        makeLibrary(QByteArray());
        UserLibraryStore store(m_folder);
        QCOMPARE(store.load().status, UserLibraryStore::LoadResult::Loaded);
        const UserLibraryStore::SaveOutcome saved =
            store.writeScriptFile(QStringLiteral("zegar"), QStringLiteral("var ż;"), QStringLiteral("<B>ó</B>\r\nx"));
        QVERIFY(saved.ok);
        QVERIFY(!saved.folderMissing);
        const QByteArray expected = QStringLiteral("<!-- part of the HEAD section -->\r\nvar ż;\r\n"
                                                   "<!-- part of the BODY section -->\r\n<B>ó</B>\r\nx")
                                        .toUtf8();
        QCOMPARE(readAll(m_folder + QStringLiteral("zegar.js")), expected);
    }

    void writeScriptFile_dottedName_isStoredAsNameDotJs()
    {
        makeLibrary(QByteArray());
        UserLibraryStore store(m_folder);
        store.load();
        QVERIFY(store.writeScriptFile(QStringLiteral("a.b"), QStringLiteral("h"), QStringLiteral("b")).ok);
        QVERIFY(QFileInfo::exists(m_folder + QStringLiteral("a.b.js")));
        QVERIFY(!QFileInfo::exists(m_folder + QStringLiteral("a.js")));
        QVERIFY(store.readScript(QStringLiteral("a.b")).ok());
    }

    void writeScriptFile_replacesAnOlderFile()
    {
        makeLibrary(QByteArray());
        UserLibraryStore store(m_folder);
        store.load();
        QVERIFY(store.writeScriptFile(QStringLiteral("s"), QStringLiteral("old head that is long"), QStringLiteral("old body")).ok);
        QVERIFY(store.writeScriptFile(QStringLiteral("s"), QStringLiteral("h"), QString()).ok);
        QCOMPARE(readAll(store.scriptPath(QStringLiteral("s"))), composeScriptFile(QStringLiteral("h"), QString()).toUtf8());
    }

    void readScript_afterSave_data()
    {
        QTest::addColumn<QString>("head");
        QTest::addColumn<QString>("body");
        QTest::addColumn<QString>("headBack");
        QTest::addColumn<QString>("bodyBack");
        // Both fragments come back as they were saved: no line break gained.
        QTest::newRow("both fragments as saved") << "<SCRIPT>\r\nvar a;\r\n</SCRIPT>"
                                                 << "go();"
                                                 << "<SCRIPT>\r\nvar a;\r\n</SCRIPT>"
                                                 << "go();";
        QTest::newRow("empty body stays empty") << "var h;"
                                                << ""
                                                << "var h;"
                                                << "";
        QTest::newRow("empty head stays empty") << ""
                                                << "b"
                                                << ""
                                                << "b";
        QTest::newRow("both empty") << ""
                                    << ""
                                    << ""
                                    << "";
        QTest::newRow("lone CR and LF become CR LF") << "a\rb\nc"
                                                     << "d\ne\rf"
                                                     << "a\r\nb\r\nc"
                                                     << "d\r\ne\r\nf";
        QTest::newRow("fragments ending with CR LF keep just it") << "h\r\n"
                                                                  << "b\r\n"
                                                                  << "h\r\n"
                                                                  << "b\r\n";
        QTest::newRow("Polish letters") << "ąę"
                                        << "łódź"
                                        << "ąę"
                                        << "łódź";
    }
    void readScript_afterSave()
    {
        QFETCH(QString, head);
        QFETCH(QString, body);
        QFETCH(QString, headBack);
        QFETCH(QString, bodyBack);
        makeLibrary(QByteArray());
        UserLibraryStore store(m_folder);
        store.load();
        QVERIFY(store.writeScriptFile(QStringLiteral("s"), head, body).ok);
        const UserLibraryStore::ScriptRead read = store.readScript(QStringLiteral("s"));
        QVERIFY(read.ok());
        QCOMPARE(read.head, headBack);
        QCOMPARE(read.body, bodyBack);
    }

    void readScript_fileWithoutMarkers_isAllBody()
    {
        makeLibrary(QByteArray());
        QVERIFY(writeFile(m_folder + QStringLiteral("plain.js"), "alert(1)\nalert(2)"));
        UserLibraryStore store(m_folder);
        store.load();
        const UserLibraryStore::ScriptRead read = store.readScript(QStringLiteral("plain"));
        QVERIFY(read.ok());
        QCOMPARE(read.head, QString());
        QCOMPARE(read.body, QStringLiteral("alert(1)\r\nalert(2)"));
    }

    void readScript_windows1250File_readsPolishLetters()
    {
        makeLibrary(QByteArray());
        QVERIFY(writeFile(m_folder + QStringLiteral("old.js"),
                           "<!-- part of the HEAD section -->\r\n\xb3\r\n<!-- part of the BODY section -->\r\n\xbf"));
        UserLibraryStore store(m_folder);
        store.load();
        const UserLibraryStore::ScriptRead read = store.readScript(QStringLiteral("old"));
        QVERIFY(read.ok());
        QCOMPARE(read.head, QStringLiteral("ł"));
        QCOMPARE(read.body, QStringLiteral("ż"));
    }

    void readScript_missingUnreadableOrTooLargeFile_failsSayingWhich()
    {
        makeLibrary(QByteArray());
        QVERIFY(QDir().mkdir(m_folder + QStringLiteral("folder.js")));
        QFile big(m_folder + QStringLiteral("big.js"));
        QVERIFY(big.open(QIODevice::WriteOnly) && big.resize(kMaxTextFileBytes + 1));  // sparse: costs no disk
        big.close();
        UserLibraryStore store(m_folder);
        store.load();
        QVERIFY(!store.readScript(QStringLiteral("missing")).ok());
        QVERIFY(!store.readScript(QStringLiteral("folder")).ok());
        QCOMPARE(store.readScript(QStringLiteral("missing")).status, TextFileRead::Status::CannotOpen);
        QCOMPARE(store.readScript(QStringLiteral("folder")).status, TextFileRead::Status::CannotOpen);
        QCOMPARE(store.readScript(QStringLiteral("big")).status, TextFileRead::Status::TooLarge);
    }

    void writeScriptFile_folderMissing_saysSo()
    {
        UserLibraryStore store(m_folder);
        const UserLibraryStore::SaveOutcome saved = store.writeScriptFile(QStringLiteral("s"), QStringLiteral("h"), QStringLiteral("b"));
        QVERIFY(!saved.ok);
        QVERIFY(saved.folderMissing);
        QVERIFY(!saved.error.isEmpty());
        QVERIFY(!QFileInfo::exists(m_folder));

        QString error;
        QVERIFY(store.createFolder(&error));
        QVERIFY(error.isEmpty());
        QVERIFY(store.writeScriptFile(QStringLiteral("s"), QStringLiteral("h"), QStringLiteral("b")).ok);
        QVERIFY(store.readScript(QStringLiteral("s")).ok());
        // Creating a folder that is there already is no failure.
        QVERIFY(store.createFolder(&error));
    }

    void writeScriptFile_systemRefusal_reportsTheReason()
    {
        makeLibrary(QByteArray());
        UserLibraryStore store(m_folder);
        store.load();
        // A name longer than a file name may be.
        const UserLibraryStore::SaveOutcome saved =
            store.writeScriptFile(QString(300, u'n'), QStringLiteral("h"), QStringLiteral("b"));
        QVERIFY(!saved.ok);
        QVERIFY(!saved.folderMissing);
        QVERIFY(!saved.error.isEmpty());
    }

    void createFolder_belowARegularFile_givesTheSystemsReason()
    {
        const QString file = m_dir->path() + QStringLiteral("/plain-file");
        QVERIFY(writeFile(file, "x"));
        UserLibraryStore store(file + QStringLiteral("/user-scripts/"));
        QString error;
        QVERIFY(!store.createFolder(&error));
        QVERIFY(error.contains(file));
        QVERIFY(error.size() > file.size() + 30);
    }

    void removeScriptFile_removesOnlyThatFile()
    {
        makeLibrary(QByteArray());
        UserLibraryStore store(m_folder);
        store.load();
        QVERIFY(store.writeScriptFile(QStringLiteral("a"), QString(), QString()).ok);
        QVERIFY(store.writeScriptFile(QStringLiteral("b"), QString(), QString()).ok);
        QVERIFY(store.removeScriptFile(QStringLiteral("a")));
        QVERIFY(!QFileInfo::exists(store.scriptPath(QStringLiteral("a"))));
        QVERIFY(QFileInfo::exists(store.scriptPath(QStringLiteral("b"))));
        QVERIFY(!store.removeScriptFile(QStringLiteral("a")));
        QCOMPARE(readAll(store.indexPath()), QByteArray());
    }

    // --- names ---------------------------------------------------------------------------

    void cleanScriptName_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("clean");
        QTest::newRow("nothing to do") << "clock" << "clock";
        QTest::newRow("leading and trailing spaces") << "  clock  " << "clock";
        QTest::newRow("tabs") << "\t clock\t" << "clock";
        QTest::newRow("inner blanks stay") << " my  \tclock " << "my  \tclock";
        QTest::newRow("blanks only") << " \t " << "";
        QTest::newRow("line break is not trimmed") << "\nclock" << "\nclock";
    }
    void cleanScriptName()
    {
        QFETCH(QString, typed);
        QFETCH(QString, clean);
        QCOMPARE(::cleanScriptName(typed), clean);
    }

    void checkScriptName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("problem");
        QTest::newRow("plain") << "clock" << int(NameProblem::None);
        QTest::newRow("dots and spaces") << "a.b c" << int(NameProblem::None);
        QTest::newRow("Polish") << "zegar łódzki" << int(NameProblem::None);
        QTest::newRow("double dot alone") << ".." << int(NameProblem::None);  // "...js" inside the folder
        QTest::newRow("empty") << "" << int(NameProblem::Empty);
        QTest::newRow("backslash") << "a\\b" << int(NameProblem::Backslash);
        QTest::newRow("slash") << "../escape" << int(NameProblem::Slash);
        QTest::newRow("line feed") << "a\nb" << int(NameProblem::ControlChar);
        QTest::newRow("carriage return") << "a\rb" << int(NameProblem::ControlChar);
        QTest::newRow("tab inside") << "a\tb" << int(NameProblem::ControlChar);
        QTest::newRow("end marker") << "\x1a" << int(NameProblem::ControlChar);
        QTest::newRow("DEL") << "a\x7f" << int(NameProblem::ControlChar);
        QTest::newRow("line separator") << QStringLiteral("a\u2028b") << int(NameProblem::ControlChar);
        QTest::newRow("no-break spaces only") << QStringLiteral("\u00a0\u00a0") << int(NameProblem::Empty);
        QTest::newRow("ideographic space only") << QStringLiteral("\u3000") << int(NameProblem::Empty);
        QTest::newRow("zero-width space only") << QStringLiteral("\u200b") << int(NameProblem::Empty);
        QTest::newRow("invisible mixture") << QStringLiteral("\u200b\u00a0\ufeff\u3164") << int(NameProblem::Empty);
        QTest::newRow("no-break space inside") << QStringLiteral("a\u00a0b") << int(NameProblem::None);
        QTest::newRow("right-to-left override") << QStringLiteral("sj\u202egnp") << int(NameProblem::Direction);
        QTest::newRow("right-to-left mark") << QStringLiteral("menu\u200f") << int(NameProblem::Direction);
        QTest::newRow("isolate") << QStringLiteral("\u2067menu\u2069") << int(NameProblem::Direction);
        QTest::newRow("emoji (a surrogate pair)") << QStringLiteral("clock \U0001F552") << int(NameProblem::None);
        QTest::newRow("lone high surrogate") << QString(QStringLiteral("ab") + QChar(0xD83D)) << int(NameProblem::InvalidText);
        QTest::newRow("lone low surrogate") << QString(QChar(0xDD52) + QStringLiteral("ab")) << int(NameProblem::InvalidText);
    }
    void checkScriptName()
    {
        QFETCH(QString, name);
        QFETCH(int, problem);
        QCOMPARE(int(::checkScriptName(name)), problem);
    }

    void cleanCategoryName_data()
    {
        QTest::addColumn<QString>("edited");
        QTest::addColumn<QString>("clean");
        QTest::newRow("trimmed") << "  Work  " << "Work";
        QTest::newRow("control characters removed") << "Wo\r\nrk\x1a" << "Work";
        QTest::newRow("blank after removal is trimmed") << "\n  Work \t" << "Work";
        QTest::newRow("empty stays empty") << "" << "";
        QTest::newRow("inner spaces stay") << "My  work" << "My  work";
        QTest::newRow("direction marks removed") << QStringLiteral("\u202eWork\u2066") << "Work";
        QTest::newRow("lone surrogate removed, pair kept")
            << QString(QStringLiteral("W") + QChar(0xD800) + QStringLiteral("\U0001F552")) << QStringLiteral("W\U0001F552");
    }
    void cleanCategoryName()
    {
        QFETCH(QString, edited);
        QFETCH(QString, clean);
        QCOMPARE(::cleanCategoryName(edited), clean);
    }

    void unsafeNames_cannotReachOutsideTheFolder()
    {
        makeLibrary(QByteArray());
        const QString outside = m_dir->path() + QStringLiteral("/victim.js");
        QVERIFY(writeFile(outside, "precious"));
        UserLibraryStore store(m_folder);
        store.load();

        const UserLibraryStore::SaveOutcome saved = store.writeScriptFile(QStringLiteral("../victim"), QStringLiteral("h"), QStringLiteral("b"));
        QVERIFY(!saved.ok);
        QVERIFY(!saved.error.isEmpty());
        QVERIFY(!store.writeScriptFile(QStringLiteral("..\\victim"), QString(), QString()).ok);
        QVERIFY(!store.writeScriptFile(QStringLiteral("a\nb"), QString(), QString()).ok);
        QVERIFY(!store.writeScriptFile(QString(), QString(), QString()).ok);
        QVERIFY(!store.readScript(QStringLiteral("../victim")).ok());
        QVERIFY(!store.removeScriptFile(QStringLiteral("../victim")));
        QCOMPARE(readAll(outside), QByteArray("precious"));
        QCOMPARE(QDir(m_folder).entryList(QDir::Files), QStringList{"uscripts.dat"});
    }

    void leadingSpaceName_cannotCorruptTheIndex()
    {
        makeLibrary(kWorkAndMisc);
        UserLibraryStore store(m_folder);
        store.load();
        // As the GUI does it: the name is cleaned before it is used ...
        const QString name = ::cleanScriptName(QStringLiteral("  sneaky"));
        QCOMPARE(::checkScriptName(name), NameProblem::None);
        categoryNamed(store.tree(), QStringLiteral("Misc"))->addChild(name);
        // ... and even an uncleaned one cannot change the index's shape.
        categoryNamed(store.tree(), QStringLiteral("Work"))->addChild(QStringLiteral("  raw\r\nname"));
        store.tree().addRoot(QStringLiteral(" Last"));
        QVERIFY(store.writeIndexFile().ok);

        UserLibraryStore again(m_folder);
        QCOMPARE(again.load().status, UserLibraryStore::LoadResult::Loaded);
        QCOMPARE(shape(again.tree()),
                 (QStringList{"0:Work", "1:menu", "1:clock", "1:rawname", "0:Misc", "1:sneaky", "0:Last"}));
    }

    // --- failed index writes ----------------------------------------------------------------

    void writeIndexFile_failedWrite_leavesOldIndexWhole()
    {
#ifdef Q_OS_UNIX
        makeLibrary(kWorkAndMisc);
        UserLibraryStore store(m_folder);
        store.load();
        // A name bigger than the file size limit set below makes the write
        // fail half-way, as a full disk would (this also holds for root).
        categoryNamed(store.tree(), QStringLiteral("Misc"))->addChild(QString(qsizetype(256) * 1024, u'x'));

        struct sigaction ignore = {};
        ignore.sa_handler = SIG_IGN;
        struct sigaction previous = {};
        sigaction(SIGXFSZ, &ignore, &previous);
        std::optional<FileSizeLimit> limit(std::in_place, 64 * 1024);
        QVERIFY(limit->isSet());
        const UserLibraryStore::SaveOutcome written = store.writeIndexFile();
        limit.reset();
        sigaction(SIGXFSZ, &previous, nullptr);

        QVERIFY(!written.ok);
        QVERIFY(!written.folderMissing);
        QVERIFY(!written.error.isEmpty());
        QCOMPARE(readAll(store.indexPath()), kWorkAndMisc);
        // What the store knows is still the old index: no change seen on disk.
        QVERIFY(!store.changedOnDisk());
        QCOMPARE(QDir(m_folder).entryList(QDir::Files), QStringList{"uscripts.dat"});
        // Once writing works again, the tree is written whole.
        QVERIFY(store.writeIndexFile().ok);
        UserLibraryStore again(m_folder);
        again.load();
        QCOMPARE(again.tree().roots[1]->children[0]->text.size(), 256 * 1024);
#else
        QSKIP("needs a file size limit");
#endif
    }

    void writeIndexFile_folderGone_saysSoAndWritesNothing()
    {
        makeLibrary(kWorkAndMisc);
        UserLibraryStore store(m_folder);
        store.load();
        QVERIFY(QDir(m_folder).removeRecursively());
        const UserLibraryStore::SaveOutcome written = store.writeIndexFile();
        QVERIFY(!written.ok);
        QVERIFY(written.folderMissing);
        QVERIFY(!QFileInfo::exists(m_folder));
    }

    void writeIndexFile_afterInvalidIndex_keepsACopyOfTheOldOne()
    {
        const QByteArray broken("Work\r\n menu\r\n   deep\r\nMisc\r\n more\r\n");
        makeLibrary(broken);
        UserLibraryStore store(m_folder);
        QCOMPARE(store.load().status, UserLibraryStore::LoadResult::InvalidIndex);
        store.tree().addRoot(QStringLiteral("New category"));
        QVERIFY(store.writeIndexFile().ok);
        QCOMPARE(readAll(store.indexPath()), QByteArray("Work\r\n menu\r\nNew category\r\n"));
        QCOMPARE(readAll(store.backupPath()), broken);

        // Later writes replace a whole index: the copy stays as it was.
        QVERIFY(writeFile(store.backupPath(), "kept by the user"));
        store.tree().addRoot(QStringLiteral("Another"));
        QVERIFY(store.writeIndexFile().ok);
        QCOMPARE(readAll(store.backupPath()), QByteArray("kept by the user"));
    }

    void writeIndexFile_invalidIndexReadByAReload_keepsACopyToo()
    {
        makeLibrary(kWorkAndMisc);
        UserLibraryStore store(m_folder);
        store.load();
        const QByteArray broken("Work\r\n\t\tdeep\r\nMisc\r\n");
        QVERIFY(writeFile(store.indexPath(), broken));
        const std::unique_ptr<UserLibraryStore::Change> change = store.beginChange();
        QVERIFY(change->locked());
        QVERIFY(change->reloaded());
        QVERIFY(!store.lastIndexRead().ok);
        QCOMPARE(store.lastIndexRead().failedLine, 2);
        QCOMPARE(shape(store.tree()), QStringList{"0:Work"});
        QVERIFY(store.writeIndexFile().ok);
        QCOMPARE(readAll(store.backupPath()), broken);
    }

    void load_afterAnInvalidIndexWasRemoved_makesNoCopy()
    {
        makeLibrary("  bad\r\n");
        UserLibraryStore store(m_folder);
        QCOMPARE(store.load().status, UserLibraryStore::LoadResult::InvalidIndex);
        QVERIFY(QFile::remove(store.indexPath()));
        QCOMPARE(store.load().status, UserLibraryStore::LoadResult::EmptyIndexCreated);
        store.tree().addRoot(QStringLiteral("Work"));
        QVERIFY(store.writeIndexFile().ok);
        QVERIFY(!QFileInfo::exists(store.backupPath()));
        QCOMPARE(readAll(store.indexPath()), QByteArray("Work\r\n"));
    }

    void writeIndexFile_validIndex_makesNoCopy()
    {
        makeLibrary(kWorkAndMisc);
        UserLibraryStore store(m_folder);
        store.load();
        store.tree().addRoot(QStringLiteral("x"));
        QVERIFY(store.writeIndexFile().ok);
        QVERIFY(!QFileInfo::exists(store.backupPath()));
    }

    // --- several copies on one folder ---------------------------------------------------------

    void changedOnDisk_seesAnotherWriter()
    {
        makeLibrary(kWorkAndMisc);
        UserLibraryStore store(m_folder);
        store.load();
        QVERIFY(!store.changedOnDisk());
        QVERIFY(!store.reloadIfChanged());
        // Same size, other bytes.
        QVERIFY(writeFile(store.indexPath(), "Work\r\n menu\r\n clock\r\nMisx\r\n"));
        QVERIFY(store.changedOnDisk());
        QVERIFY(store.reloadIfChanged());
        QCOMPARE(store.tree().roots[1]->text, QStringLiteral("Misx"));
        QVERIFY(!store.changedOnDisk());
        // Another size.
        QVERIFY(writeFile(store.indexPath(), "Work\r\n"));
        QVERIFY(store.changedOnDisk());
        QVERIFY(store.reloadIfChanged());
        QCOMPARE(shape(store.tree()), QStringList{"0:Work"});
    }

    void changedOnDisk_missingIndex_countsOnlyWhenItWasKnownToExist()
    {
        QVERIFY(QDir().mkdir(m_folder));
        UserLibraryStore store(m_folder);
        // Never read or written: a missing index is no change, one that
        // appears is.
        QVERIFY(!store.changedOnDisk());
        QVERIFY(writeFile(store.indexPath(), QByteArray()));
        QVERIFY(store.changedOnDisk());
        QVERIFY(store.reloadIfChanged());
        QVERIFY(!store.changedOnDisk());

        // Known to exist (empty), then gone: a change, but not an empty
        // library; the tree stays for the next write.
        store.tree().addRoot(QStringLiteral("Work"));
        QVERIFY(store.writeIndexFile().ok);
        QVERIFY(QFile::remove(store.indexPath()));
        QVERIFY(store.changedOnDisk());
        QVERIFY(!store.reloadIfChanged());
        QCOMPARE(shape(store.tree()), QStringList{"0:Work"});
        QVERIFY(!store.changedOnDisk());
        QVERIFY(store.writeIndexFile().ok);
        QCOMPARE(readAll(store.indexPath()), QByteArray("Work\r\n"));
    }

    void twoStores_addingScriptsInTurn_keepEveryScript()
    {
        makeLibrary("Shared\r\n");
        UserLibraryStore first(m_folder);
        UserLibraryStore second(m_folder);
        QCOMPARE(first.load().status, UserLibraryStore::LoadResult::Loaded);
        QCOMPARE(second.load().status, UserLibraryStore::LoadResult::Loaded);

        QStringList added;
        for (int round = 0; round < 4; ++round) {
            for (UserLibraryStore *store : {&first, &second}) {
                const QString name = QStringLiteral("%1 script %2").arg(store == &first ? "first" : "second").arg(round);
                const std::unique_ptr<UserLibraryStore::Change> change = store->beginChange();
                QVERIFY(change->locked());
                // After the very first change every store sees the other's.
                QCOMPARE(change->reloaded(), !added.isEmpty());
                LibraryNode *shared = categoryNamed(store->tree(), QStringLiteral("Shared"));
                QVERIFY(shared);
                QVERIFY(store->writeScriptFile(name, QStringLiteral("h"), name).ok);
                shared->addChild(name);
                QVERIFY(store->writeIndexFile().ok);
                added << name;
            }
        }
        QVERIFY(first.reloadIfChanged());
        QVERIFY(!second.reloadIfChanged());
        for (UserLibraryStore *store : {&first, &second}) {
            QStringList names;
            for (const LibraryNode *node : store->tree().scripts())
                names << node->text;
            QCOMPARE(names, added);
        }
        UserLibraryStore fresh(m_folder);
        fresh.load();
        QCOMPARE(int(fresh.tree().scripts().size()), added.size());
        for (const QString &name : added)
            QCOMPARE(fresh.readScript(name).body, name);
        // The lock does not stay behind.
        QVERIFY(!QFileInfo::exists(m_folder + QStringLiteral("uscripts.lock")));
    }

    void beginChange_whileAnotherCopyHoldsTheLock_isNotLocked()
    {
        makeLibrary(kWorkAndMisc);
        UserLibraryStore first(m_folder);
        UserLibraryStore second(m_folder);
        first.load();
        second.load();
        second.setLockTimeout(50);
        {
            const std::unique_ptr<UserLibraryStore::Change> holding = first.beginChange();
            QVERIFY(holding->locked());
            const std::unique_ptr<UserLibraryStore::Change> waiting = second.beginChange();
            QVERIFY(!waiting->locked());
            QVERIFY(!waiting->reloaded());
            // Busy, not broken: no system error to tell.
            QVERIFY(waiting->error().isEmpty());
        }
        const std::unique_ptr<UserLibraryStore::Change> later = second.beginChange();
        QVERIFY(later->locked());
    }

    void beginChange_lockFileCannotBeWritten_givesTheSystemsReason()
    {
#ifdef Q_OS_UNIX
        // A write past the file-size limit fails as one on a full disk does.
        makeLibrary(kWorkAndMisc);
        UserLibraryStore store(m_folder);
        store.load();
        store.setLockTimeout(200);
        ignoreFileSizeLimitSignal();
        std::optional<FileSizeLimit> limit(std::in_place, 8);
        QVERIFY(limit->isSet());
        const std::unique_ptr<UserLibraryStore::Change> change = store.beginChange();
        limit.reset();
        QVERIFY(!change->locked());
        QCOMPARE(change->error(), QString::fromLocal8Bit(std::strerror(EFBIG)));
        // Nothing of the attempt is left in the folder.
        QCOMPARE(QDir(m_folder).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("uscripts.dat")});
        QVERIFY(store.beginChange()->locked());
#else
        QSKIP("file-size limits are a Unix facility");
#endif
    }

    void beginChange_lockLeftByADeadCopy_isTakenOver()
    {
#ifdef Q_OS_UNIX
        makeLibrary(kWorkAndMisc);
        const QString lockPath = m_folder + QStringLiteral("uscripts.lock");
        const pid_t child = fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            // The other copy takes the lock and dies without letting go.
            auto *lock = new QLockFile(lockPath);
            _exit(lock->tryLock(1000) ? 0 : 1);
        }
        int status = 0;
        QCOMPARE(waitpid(child, &status, 0), child);
        QVERIFY(WIFEXITED(status));
        QCOMPARE(WEXITSTATUS(status), 0);
        QVERIFY(QFileInfo::exists(lockPath));

        UserLibraryStore store(m_folder);
        store.load();
        store.setLockTimeout(2000);
        const std::unique_ptr<UserLibraryStore::Change> change = store.beginChange();
        QVERIFY(change->locked());
#else
        QSKIP("needs fork()");
#endif
    }

    void beginChange_folderMissing_letsTheWriteReportIt()
    {
        UserLibraryStore store(m_folder);
        const std::unique_ptr<UserLibraryStore::Change> change = store.beginChange();
        QVERIFY(change->locked());
        QVERIFY(!change->reloaded());
        QVERIFY(store.writeIndexFile().folderMissing);
    }

    void resolve_afterReload_findsTheSameNodes()
    {
        makeLibrary("Work\r\n menu\r\n clock\r\nMisc\r\n x\r\nMisc\r\n y\r\n");
        UserLibraryStore store(m_folder);
        store.load();
        LibraryTree &tree = store.tree();
        const NodeRef clock = store.refOf(tree.roots[0]->children[1].get());
        const NodeRef misc = store.refOf(tree.roots[1].get());
        const NodeRef y = store.refOf(tree.roots[2]->children[0].get());
        const NodeRef menu = store.refOf(tree.roots[0]->children[0].get());
        QCOMPARE(clock.rows, (QList<int>{0, 1}));
        QCOMPARE(clock.texts, (QStringList{"Work", "clock"}));
        QVERIFY(!clock.isNull());
        QVERIFY(NodeRef().isNull());

        // Unchanged: every reference leads to its own node.
        QCOMPARE(store.resolve(clock), tree.roots[0]->children[1].get());
        QCOMPARE(store.resolve(y), tree.roots[2]->children[0].get());

        // Another copy put a category in front, dropped 'menu' and moved
        // 'y' (deleted and saved again elsewhere).
        QVERIFY(writeFile(store.indexPath(), "First\r\nWork\r\n clock\r\nMisc\r\n x\r\nMisc\r\nOther\r\n Y\r\n"));
        QVERIFY(store.reloadIfChanged());
        LibraryNode *foundClock = store.resolve(clock);
        QVERIFY(foundClock);
        QCOMPARE(foundClock->text, QStringLiteral("clock"));
        QCOMPARE(foundClock->parent, tree.roots[1].get());
        // Categories may repeat: the first of that name.
        QCOMPARE(store.resolve(misc), tree.roots[2].get());
        LibraryNode *foundY = store.resolve(y);
        QVERIFY(foundY);
        QCOMPARE(foundY, tree.roots[4]->children[0].get());
        QCOMPARE(store.resolve(menu), nullptr);
        QCOMPARE(store.resolve(NodeRef()), nullptr);
    }

    void resolve_afterReload_prefersTheSamePlace()
    {
        makeLibrary("Misc\r\nMisc\r\n a\r\n");
        UserLibraryStore store(m_folder);
        store.load();
        const NodeRef second = store.refOf(store.tree().roots[1].get());
        QVERIFY(writeFile(store.indexPath(), "Misc\r\nMisc\r\n a\r\n b\r\n"));
        QVERIFY(store.reloadIfChanged());
        QCOMPARE(store.resolve(second), store.tree().roots[1].get());
    }

    // --- renaming, copying, the texts kept for finding -------------------------------------

    /// A store over Work (menu, clock) and Misc (timer), each script with a
    /// file of its own text.
    std::unique_ptr<UserLibraryStore> libraryWithFiles()
    {
        makeLibrary("Work\r\n menu\r\n clock\r\nMisc\r\n timer\r\n");
        for (const char *name : {"menu", "clock", "timer"})
            writeFile(m_folder + QString::fromLatin1(name) + QStringLiteral(".js"),
                      QByteArray("<!-- part of the HEAD section -->\r\nh\r\n<!-- part of the BODY section -->\r\n") +
                          name);
        auto store = std::make_unique<UserLibraryStore>(m_folder);
        store->load();
        return store;
    }
    LibraryNode *script(UserLibraryStore &store, const QString &name)
    {
        const std::vector<LibraryNode *> named = store.tree().scriptsNamed(name);
        return named.empty() ? nullptr : named.front();
    }
    QStringList scriptFiles() const
    {
        return QDir(m_folder).entryList({QStringLiteral("*.js")}, QDir::Files, QDir::Name);
    }

    void renameScript_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<bool>("replace");  // the other script of that name is given as replaced
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("index");
        QTest::addColumn<QStringList>("files");
        const QByteArray unchanged("Work\r\n menu\r\n clock\r\nMisc\r\n timer\r\n");
        const QStringList allFiles{"clock.js", "menu.js", "timer.js"};
        QTest::newRow("new name") << "clock"
                                  << "Zegar cyfrowy" << false << int(UserLibraryStore::RenameOutcome::Renamed)
                                  << QByteArray("Work\r\n menu\r\n Zegar cyfrowy\r\nMisc\r\n timer\r\n")
                                  << QStringList{"Zegar cyfrowy.js", "menu.js", "timer.js"};
        QTest::newRow("case only") << "clock"
                                   << "Clock" << false << int(UserLibraryStore::RenameOutcome::Renamed)
                                   << QByteArray("Work\r\n menu\r\n Clock\r\nMisc\r\n timer\r\n")
                                   << QStringList{"Clock.js", "menu.js", "timer.js"};
        QTest::newRow("clash, replaced") << "clock"
                                         << "Timer" << true << int(UserLibraryStore::RenameOutcome::Renamed)
                                         << QByteArray("Work\r\n menu\r\n Timer\r\nMisc\r\n")
                                         << QStringList{"Timer.js", "menu.js"};
        QTest::newRow("blank name") << "clock"
                                    << "" << false << int(UserLibraryStore::RenameOutcome::Refused) << unchanged
                                    << allFiles;
        QTest::newRow("backslash") << "clock"
                                   << "a\\b" << false << int(UserLibraryStore::RenameOutcome::Refused) << unchanged
                                   << allFiles;
        QTest::newRow("slash") << "clock"
                               << "../clock" << false << int(UserLibraryStore::RenameOutcome::Refused) << unchanged
                               << allFiles;
        QTest::newRow("line break") << "clock"
                                    << "a\nb" << false << int(UserLibraryStore::RenameOutcome::Refused) << unchanged
                                    << allFiles;
    }
    void renameScript()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(bool, replace);
        QFETCH(int, status);
        QFETCH(QByteArray, index);
        QFETCH(QStringList, files);
        const std::unique_ptr<UserLibraryStore> store = libraryWithFiles();
        const QByteArray text = readAll(m_folder + from + QStringLiteral(".js"));
        LibraryNode *other = replace ? script(*store, to) : nullptr;
        const UserLibraryStore::RenameOutcome outcome = store->renameScript(script(*store, from), to, other);
        QCOMPARE(int(outcome.status), status);
        QCOMPARE(readAll(store->indexPath()), index);
        QCOMPARE(scriptFiles(), files);
        if (outcome.ok()) {
            // The file keeps its bytes, and the copy for finding follows.
            QCOMPARE(readAll(m_folder + to + QStringLiteral(".js")), text);
            QCOMPARE(store->scriptTexts().find(to)->body, from);
        } else {
            QVERIFY(outcome.problem != NameProblem::None);
        }
    }

    void renameScript_fileMissing_changesNothing()
    {
        const std::unique_ptr<UserLibraryStore> store = libraryWithFiles();
        QVERIFY(QFile::remove(m_folder + QStringLiteral("clock.js")));
        const QByteArray before = readAll(store->indexPath());
        const UserLibraryStore::RenameOutcome outcome =
            store->renameScript(script(*store, QStringLiteral("clock")), QStringLiteral("timer 2"));
        QCOMPARE(outcome.status, UserLibraryStore::RenameOutcome::FileMissing);
        QCOMPARE(readAll(store->indexPath()), before);
        QVERIFY(script(*store, QStringLiteral("clock")));
        QCOMPARE(scriptFiles(), (QStringList{"menu.js", "timer.js"}));
    }

    void renameScript_indexNotWritten_putsTheFilesBack()
    {
        const std::unique_ptr<UserLibraryStore> store = libraryWithFiles();
        const QByteArray timer = readAll(m_folder + QStringLiteral("timer.js"));
        // The index is a folder: it cannot be written.
        QVERIFY(QFile::remove(store->indexPath()));
        QVERIFY(QDir().mkdir(store->indexPath()));
        const UserLibraryStore::RenameOutcome outcome = store->renameScript(
            script(*store, QStringLiteral("clock")), QStringLiteral("timer"), script(*store, QStringLiteral("timer")));
        QCOMPARE(outcome.status, UserLibraryStore::RenameOutcome::IndexNotWritten);
        QCOMPARE(shape(store->tree()), (QStringList{"0:Work", "1:menu", "1:clock", "0:Misc", "1:timer"}));
        QCOMPARE(readAll(m_folder + QStringLiteral("timer.js")), timer);
        QCOMPARE(scriptFiles(), (QStringList{"clock.js", "menu.js", "timer.js"}));
    }

    void duplicateScriptName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("taken");  // other scripts of the library
        QTest::addColumn<QString>("copy");
        QTest::newRow("first copy") << "clock" << QStringList{} << "clock (2)";
        QTest::newRow("second copy") << "clock" << QStringList{"clock (2)"} << "clock (3)";
        QTest::newRow("taken regardless of case") << "clock" << QStringList{"CLOCK (2)"} << "clock (3)";
        QTest::newRow("copy of a copy") << "clock (2)" << QStringList{"clock"} << "clock (3)";
        QTest::newRow("copy of a copy, next taken") << "clock (2)" << QStringList{"clock (3)"} << "clock (4)";
        QTest::newRow("brackets without a number") << "menu (old)" << QStringList{} << "menu (old) (2)";
        QTest::newRow("number alone") << "(7)" << QStringList{} << "(7) (2)";
    }
    void duplicateScriptName()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, taken);
        QFETCH(QString, copy);
        LibraryTree tree;
        LibraryNode *category = tree.addRoot(QStringLiteral("Work"));
        category->addChild(name);
        for (const QString &other : taken)
            category->addChild(other);
        QCOMPARE(::duplicateScriptName(name, tree), copy);
    }

    void duplicateScript_copiesTheFileAfterTheOriginal()
    {
        const std::unique_ptr<UserLibraryStore> store = libraryWithFiles();
        LibraryNode *copy = store->duplicateScript(script(*store, QStringLiteral("menu")));
        QVERIFY(copy);
        QCOMPARE(copy->text, QStringLiteral("menu (2)"));
        QCOMPARE(readAll(store->indexPath()), QByteArray("Work\r\n menu\r\n menu (2)\r\n clock\r\nMisc\r\n timer\r\n"));
        QCOMPARE(readAll(m_folder + QStringLiteral("menu (2).js")), readAll(m_folder + QStringLiteral("menu.js")));
        QVERIFY(!store->duplicateScript(store->tree().roots[0].get()));  // a category is not a script
        QVERIFY(QFile::remove(m_folder + QStringLiteral("clock.js")));
        QString why;
        QVERIFY(!store->duplicateScript(script(*store, QStringLiteral("clock")), &why));
        QVERIFY(why.contains(QStringLiteral("missing")));
        QCOMPARE(store->tree().scripts().size(), std::size_t(4));
    }

    /// Three categories, the last one empty, and a file for every script.
    std::unique_ptr<UserLibraryStore> libraryToRearrange()
    {
        makeLibrary(kToRearrange);
        for (const char *name : {"menu", "clock", "pager", "timer"})
            writeFile(m_folder + QString::fromLatin1(name) + QStringLiteral(".js"), QByteArray("body of ") + name);
        auto store = std::make_unique<UserLibraryStore>(m_folder);
        store->load();
        return store;
    }

    void moveScripts_data()
    {
        QTest::addColumn<QStringList>("moved");
        QTest::addColumn<QString>("category");
        QTest::addColumn<QString>("before");  // empty: to the category's end
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QByteArray>("index");
        QTest::newRow("to the end of another category")
            << QStringList{"clock"} << "Misc"
            << "" << true << QByteArray("Work\r\n menu\r\n pager\r\nMisc\r\n timer\r\n clock\r\nEmpty\r\n");
        QTest::newRow("before a script of another category")
            << QStringList{"pager"} << "Misc"
            << "timer" << true << QByteArray("Work\r\n menu\r\n clock\r\nMisc\r\n pager\r\n timer\r\nEmpty\r\n");
        QTest::newRow("several, from two categories, into an empty one")
            << QStringList{"menu", "timer"} << "Empty"
            << "" << true << QByteArray("Work\r\n clock\r\n pager\r\nMisc\r\nEmpty\r\n menu\r\n timer\r\n");
        QTest::newRow("several keep the order given")
            << QStringList{"pager", "menu"} << "Misc"
            << "timer" << true << QByteArray("Work\r\n clock\r\nMisc\r\n pager\r\n menu\r\n timer\r\nEmpty\r\n");
        QTest::newRow("up within its category")
            << QStringList{"pager"} << "Work"
            << "menu" << true << QByteArray("Work\r\n pager\r\n menu\r\n clock\r\nMisc\r\n timer\r\nEmpty\r\n");
        QTest::newRow("down to the end of its category")
            << QStringList{"menu"} << "Work"
            << "" << true << QByteArray("Work\r\n clock\r\n pager\r\n menu\r\nMisc\r\n timer\r\nEmpty\r\n");
        QTest::newRow("before one of those moved: the place of the next that stays")
            << QStringList{"menu", "clock"} << "Work"
            << "clock" << true << kToRearrange;
        QTest::newRow("a category is not a script") << QStringList{"Misc"} << "Work"
                                                    << "" << false << kToRearrange;
        QTest::newRow("before a script of another category than the target") << QStringList{"clock"} << "Misc"
                                                                             << "menu" << false << kToRearrange;
        QTest::newRow("a script twice") << QStringList{"clock", "clock"} << "Misc"
                                        << "" << false << kToRearrange;
    }
    void moveScripts()
    {
        QFETCH(QStringList, moved);
        QFETCH(QString, category);
        QFETCH(QString, before);
        QFETCH(bool, ok);
        QFETCH(QByteArray, index);
        const std::unique_ptr<UserLibraryStore> store = libraryToRearrange();
        std::vector<LibraryNode *> nodes;
        for (const QString &name : moved)
            nodes.push_back(script(*store, name) ? script(*store, name) : categoryNamed(store->tree(), name));
        LibraryNode *beforeNode = before.isEmpty() ? nullptr : script(*store, before);
        const UserLibraryStore::SaveOutcome outcome =
            store->moveScripts(nodes, categoryNamed(store->tree(), category), beforeNode);
        QCOMPARE(outcome.ok, ok);
        QCOMPARE(readAll(store->indexPath()), index);
        // The tree in memory is what the index says, and the files stay.
        QCOMPARE(writeIndex(store->tree()), index);
        QCOMPARE(scriptFiles(), (QStringList{"clock.js", "menu.js", "pager.js", "timer.js"}));
        QCOMPARE(readAll(m_folder + QStringLiteral("clock.js")), QByteArray("body of clock"));
        QVERIFY(!store->changedOnDisk());
    }

    void moveCategory_data()
    {
        QTest::addColumn<QString>("category");
        QTest::addColumn<QString>("before");  // empty: to the end
        QTest::addColumn<QByteArray>("index");
        QTest::newRow("to the top") << "Empty"
                                    << "Work"
                                    << QByteArray("Empty\r\nWork\r\n menu\r\n clock\r\n pager\r\nMisc\r\n timer\r\n");
        QTest::newRow("to the end") << "Work"
                                    << ""
                                    << QByteArray("Misc\r\n timer\r\nEmpty\r\nWork\r\n menu\r\n clock\r\n pager\r\n");
        QTest::newRow("one down") << "Work"
                                  << "Empty"
                                  << QByteArray("Misc\r\n timer\r\nWork\r\n menu\r\n clock\r\n pager\r\nEmpty\r\n");
        QTest::newRow("before itself") << "Misc"
                                       << "Misc" << kToRearrange;
    }
    void moveCategory()
    {
        QFETCH(QString, category);
        QFETCH(QString, before);
        QFETCH(QByteArray, index);
        const std::unique_ptr<UserLibraryStore> store = libraryToRearrange();
        LibraryTree &tree = store->tree();
        const UserLibraryStore::SaveOutcome outcome = store->moveCategory(
            categoryNamed(tree, category), before.isEmpty() ? nullptr : categoryNamed(tree, before));
        QVERIFY(outcome.ok);
        QCOMPARE(readAll(store->indexPath()), index);
        QCOMPARE(writeIndex(tree), index);
        // A script is not a place among the categories.
        QVERIFY(!store->moveCategory(categoryNamed(tree, category), script(*store, QStringLiteral("menu"))).ok);
        QVERIFY(!store->moveCategory(script(*store, QStringLiteral("menu")), nullptr).ok);
        QCOMPARE(readAll(store->indexPath()), index);
    }

    void moveAndRemove_indexNotWritten_leaveTreeAndFilesAsTheyWere()
    {
        const std::unique_ptr<UserLibraryStore> store = libraryToRearrange();
        const QStringList before = shape(store->tree());
        // The index is a folder: it cannot be written.
        QVERIFY(QFile::remove(store->indexPath()));
        QVERIFY(QDir().mkdir(store->indexPath()));
        LibraryTree &tree = store->tree();
        UserLibraryStore::SaveOutcome outcome =
            store->moveScripts({script(*store, QStringLiteral("pager")), script(*store, QStringLiteral("timer"))},
                               categoryNamed(tree, QStringLiteral("Empty")), nullptr);
        QVERIFY(!outcome.ok);
        QVERIFY(!outcome.error.isEmpty());
        QCOMPARE(shape(tree), before);
        QCOMPARE(script(*store, QStringLiteral("timer"))->parent, categoryNamed(tree, QStringLiteral("Misc")));
        QVERIFY(!store->moveCategory(categoryNamed(tree, QStringLiteral("Empty")), tree.roots.front().get()).ok);
        QCOMPARE(shape(tree), before);
        QStringList notRemoved;
        outcome = store->removeScripts(
            {script(*store, QStringLiteral("menu")), script(*store, QStringLiteral("timer"))}, &notRemoved);
        QVERIFY(!outcome.ok);
        QCOMPARE(shape(tree), before);
        QVERIFY(notRemoved.isEmpty());
        QCOMPARE(scriptFiles(), (QStringList{"clock.js", "menu.js", "pager.js", "timer.js"}));
    }

    void removeScripts_writesTheIndexThenRemovesTheFiles()
    {
        const std::unique_ptr<UserLibraryStore> store = libraryToRearrange();
        QVERIFY(QFile::remove(m_folder + QStringLiteral("pager.js")));
        QStringList notRemoved;
        const UserLibraryStore::SaveOutcome outcome =
            store->removeScripts({script(*store, QStringLiteral("timer")), script(*store, QStringLiteral("pager")),
                                  script(*store, QStringLiteral("menu"))},
                                 &notRemoved);
        QVERIFY(outcome.ok);
        QCOMPARE(readAll(store->indexPath()), QByteArray("Work\r\n clock\r\nMisc\r\nEmpty\r\n"));
        QCOMPARE(scriptFiles(), QStringList{"clock.js"});
        // The script whose file was already gone is said so.
        QCOMPARE(notRemoved, QStringList{"pager"});
        QVERIFY(!store->scriptTexts().find(QStringLiteral("menu")));
        // A category is not a script: nothing goes.
        QVERIFY(!store->removeScripts({script(*store, QStringLiteral("clock")), store->tree().roots[1].get()}).ok);
        QCOMPARE(readAll(store->indexPath()), QByteArray("Work\r\n clock\r\nMisc\r\nEmpty\r\n"));
    }

    void scriptTexts_areReadOnce_andFollowEveryChange()
    {
        const std::unique_ptr<UserLibraryStore> store = libraryWithFiles();
        const auto bodyOf = [&store](const char *name) {
            const ScriptTexts::Entry *entry = store->scriptTexts().find(QString::fromLatin1(name));
            return entry ? entry->body : QStringLiteral("<none>");
        };
        QCOMPARE(store->scriptTexts().size(), 3);
        QCOMPARE(bodyOf("menu"), QStringLiteral("menu"));
        // Read once: a file changed behind the store's back is not read again.
        writeFile(m_folder + QStringLiteral("menu.js"), QByteArray("changed"));
        QCOMPARE(bodyOf("menu"), QStringLiteral("menu"));
        // What the store writes is kept as it reads back from the file.
        QVERIFY(store->writeScriptFile(QStringLiteral("menu"), QStringLiteral("var a;"), QStringLiteral("go();")).ok);
        const ScriptTexts::Entry kept = *store->scriptTexts().find(QStringLiteral("menu"));
        const UserLibraryStore::ScriptRead read = store->readScript(QStringLiteral("menu"));
        QCOMPARE(kept.head, read.head);
        QCOMPARE(kept.body, read.body);
        QVERIFY(kept.body.startsWith(QStringLiteral("go();")));
        QVERIFY(store->removeScriptFile(QStringLiteral("timer")));
        QCOMPARE(bodyOf("timer"), QStringLiteral("<none>"));
        // An index changed by another copy drops the copy, read again when needed.
        QVERIFY(writeFile(store->indexPath(), "Work\r\n menu\r\n"));
        writeFile(m_folder + QStringLiteral("menu.js"), QByteArray("other copy"));
        QVERIFY(store->reloadIfChanged());
        QCOMPARE(bodyOf("menu"), QStringLiteral("other copy"));
        QCOMPARE(store->scriptTexts().size(), 1);
    }
};

QTEST_APPLESS_MAIN(TestUserLibraryStore)
#include "tst_userlibrarystore.moc"
