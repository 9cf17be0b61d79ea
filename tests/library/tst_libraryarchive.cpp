// Library archives: hostile and damaged zips refused with the library left
// byte for byte as it was, export and import giving back the same index and
// files, the three answers to a clash, and files dropped from outside.

#include "document/scripttext.h"
#include "library/libraryarchive.h"
#include "library/libraryimport.h"
#include "library/userlibrary.h"
#include "platform/textfile.h"
#include "testfiles.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <zip.h>

namespace {

struct ZipEntry {
    QString name;
    QByteArray bytes;
    quint32 unixMode = 0100644;  // the kind and permissions it claims
};

/// A zip made with libzip, entries as given.
QByteArray makeZip(const QList<ZipEntry> &entries)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t *source = zip_source_buffer_create(nullptr, 0, 0, &error);
    zip_t *archive = zip_open_from_source(source, ZIP_CREATE | ZIP_TRUNCATE, &error);
    zip_source_keep(source);
    for (const ZipEntry &entry : entries) {
        zip_source_t *data = zip_source_buffer(archive, entry.bytes.constData(), zip_uint64_t(entry.bytes.size()), 0);
        const zip_int64_t index = zip_file_add(archive, entry.name.toUtf8().constData(), data, ZIP_FL_ENC_UTF_8);
        zip_file_set_external_attributes(archive, zip_uint64_t(index), 0, ZIP_OPSYS_UNIX, entry.unixMode << 16);
    }
    zip_close(archive);
    zip_stat_t stat;
    zip_source_stat(source, &stat);
    QByteArray bytes(qsizetype(stat.size), Qt::Uninitialized);
    zip_source_open(source);
    zip_source_read(source, bytes.data(), stat.size);
    zip_source_close(source);
    zip_source_free(source);
    zip_error_fini(&error);
    return bytes;
}

void putLe32(QByteArray &bytes, qsizetype at, quint32 value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = char((value >> (8 * i)) & 0xff);
}

/// Makes the entry `name` declare another unpacked size, in its local
/// header and in the central directory alike.
void declareSize(QByteArray &zip, const QByteArray &name, quint32 size)
{
    for (qsizetype at = zip.indexOf("PK\3\4"); at >= 0; at = zip.indexOf("PK\3\4", at + 1))
        if (zip.mid(at + 30, name.size()) == name)
            putLe32(zip, at + 22, size);
    for (qsizetype at = zip.indexOf("PK\1\2"); at >= 0; at = zip.indexOf("PK\1\2", at + 1))
        if (zip.mid(at + 46, name.size()) == name)
            putLe32(zip, at + 24, size);
}

qsizetype le16(const QByteArray &bytes, qsizetype at)
{
    return qsizetype(quint8(bytes[at])) | (qsizetype(quint8(bytes[at + 1])) << 8);
}

/// Where the packed data of the entry `name` starts.
qsizetype dataOffset(const QByteArray &zip, const QByteArray &name)
{
    for (qsizetype at = zip.indexOf("PK\3\4"); at >= 0; at = zip.indexOf("PK\3\4", at + 1))
        if (zip.mid(at + 30, name.size()) == name)
            return at + 30 + le16(zip, at + 26) + le16(zip, at + 28);
    return -1;
}

const QByteArray kIndex("Work\r\n menu\r\n clock\r\nMisc\r\nTools\r\n a.b\r\n");

QByteArray scriptBytes(const QString &head, const QString &body)
{
    return encodeText(composeScriptFile(head, body));
}

/// Every entry of a folder, links by where they lead.
QMap<QString, QByteArray> snapshot(const QString &folder)
{
    QMap<QString, QByteArray> out;
    const QDir dir(folder);
    for (const QFileInfo &info :
         dir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
        if (info.isSymLink())
            out.insert(info.fileName(), "link to " + info.symLinkTarget().toUtf8());
        else
            out.insert(info.fileName(), readAll(info.filePath()));
    }
    return out;
}

QHash<QString, ClashChoice> everyClash(const ArchiveContents &contents, const UserLibraryStore &store, ClashChoice c)
{
    QHash<QString, ClashChoice> choices;
    for (const QString &name : importClashes(contents, store))
        choices.insert(name, c);
    return choices;
}

}  // namespace

class TestLibraryArchive : public QObject {
    Q_OBJECT

private:
    QTemporaryDir *m_dir = nullptr;

    /// A library folder with this index and script files.
    QString makeLibrary(const QString &name, const QByteArray &index, const QMap<QString, QByteArray> &scripts)
    {
        const QString folder = m_dir->path() + u'/' + name + u'/';
        QDir().mkpath(folder);
        writeFile(folder + QStringLiteral("uscripts.dat"), index);
        for (auto it = scripts.begin(); it != scripts.end(); ++it)
            writeFile(folder + it.key() + QStringLiteral(".js"), it.value());
        return folder;
    }

    QString makeSourceLibrary()
    {
        return makeLibrary(
            QStringLiteral("source"), kIndex,
            {{QStringLiteral("menu"), scriptBytes(QStringLiteral("var m;\r\n"), QStringLiteral("menu();"))},
             {QStringLiteral("clock"), "alert(1);\n"},  // no markers, LF: kept as it is
             {QStringLiteral("a.b"), scriptBytes(QString(), QStringLiteral("ż"))}});
    }

    QByteArray exportWhole(const QString &folder)
    {
        UserLibraryStore store(folder);
        if (!store.load().ok())
            return {};
        const ExportGather gathered = gatherForExport(store, {});
        if (!gathered.ok)
            return {};
        return writeLibraryArchive(gathered.contents).bytes;
    }

private slots:
    void init()
    {
        m_dir = new QTemporaryDir;
        QVERIFY(m_dir->isValid());
    }
    void cleanup()
    {
        delete m_dir;
        m_dir = nullptr;
    }

    // --- refused archives ------------------------------------------------------------------

    void hostileArchive_isRefused_andTheLibraryStaysAsItWas_data()
    {
        QTest::addColumn<QByteArray>("zip");
        QTest::addColumn<QString>("reason");
        const QByteArray index("Work\r\n x\r\n");
        const QByteArray script = scriptBytes(QString(), QStringLiteral("evil();"));
        QTest::newRow("../ in a name") << makeZip({{"uscripts.dat", index}, {"../x.js", script}}) << "leads out";
        QTest::newRow("../ deeper") << makeZip({{"uscripts.dat", index}, {"a/../../x.js", script}}) << "leads out";
        QTest::newRow("absolute name") << makeZip({{"uscripts.dat", index}, {"/tmp/x.js", script}}) << "absolute";
        QTest::newRow("drive name") << makeZip({{"uscripts.dat", index}, {"C:\\x.js", script}}) << "absolute";
        QTest::newRow("symlink entry") << makeZip({{"uscripts.dat", index}, {"x.js", "/etc/passwd", 0120777}})
                                       << "is a link";
        QTest::newRow("device entry") << makeZip({{"uscripts.dat", index}, {"x.js", "", 0020644}})
                                      << "not a plain file";
        QTest::newRow("name the rules refuse")
            << makeZip({{"uscripts.dat", QStringLiteral("Work\r\n gnp\u202E.js\r\n").toUtf8()},
                        {QStringLiteral("gnp\u202E.js.js"), script}})
            << "control characters";
        QTest::newRow("name with a backslash")
            << makeZip({{"uscripts.dat", "Work\r\n a\\b\r\n"}, {"a\\b.js", script}}) << "\"\\\"";
        QTest::newRow("folder in a folder")
            << makeZip({{"lib/uscripts.dat", index}, {"lib/sub/x.js", script}}) << "folder within a folder";
        QTest::newRow("two folders") << makeZip({{"a/uscripts.dat", index}, {"b/x.js", script}}) << "another folder";
        QTest::newRow("script without its file")
            << makeZip({{"uscripts.dat", "Work\r\n x\r\n ghost\r\n"}, {"x.js", script}}) << "ghost.js is missing";
        QTest::newRow("file without its script")
            << makeZip({{"uscripts.dat", index}, {"x.js", script}, {"stray.js", script}}) << "stray.js";
        QTest::newRow("another file") << makeZip({{"uscripts.dat", index}, {"x.js", script}, {"run.sh", "rm"}})
                                      << "run.sh";
        QTest::newRow("no index") << makeZip({{"x.js", script}}) << "no index";
        QTest::newRow("index too deep") << makeZip({{"uscripts.dat", "Work\r\n x\r\n  y\r\n"},
                                                    {"x.js", script},
                                                    {"y.js", script}})
                                        << "levels below";
        QTest::newRow("a script twice") << makeZip({{"uscripts.dat", "Work\r\n x\r\nMore\r\n X\r\n"},
                                                    {"x.js", script},
                                                    {"X.js", script}})
                                        << "twice";

        QByteArray good = makeZip({{"uscripts.dat", index}, {"x.js", QByteArray(4000, 'a')}});
        QTest::newRow("truncated") << good.left(good.size() / 2) << "not a zip archive";
        QTest::newRow("not a zip") << QByteArray("just text, no archive") << "not a zip archive";
        QByteArray damaged = good;
        const qsizetype data = dataOffset(damaged, "x.js");
        for (qsizetype i = data + 2; i < data + 10; ++i)
            damaged[i] = char(damaged[i] ^ 0x5a);
        QTest::newRow("damaged bytes") << damaged << "\"x.js\" is damaged";

        // 1 MiB of one letter packs small; it declares ten bytes.
        QByteArray bomb = makeZip({{"uscripts.dat", index}, {"x.js", QByteArray(qsizetype(1024) * 1024, 'a')}});
        declareSize(bomb, "x.js", 10);
        QTest::newRow("inflates past its size") << bomb << "unpacks to more than the 10 bytes";
        QByteArray huge = makeZip({{"uscripts.dat", index}, {"x.js", script}});
        declareSize(huge, "x.js", 0x40000000);
        QTest::newRow("declares 1 GiB") << huge << "64 MiB";

        QList<ZipEntry> many{{"uscripts.dat", index}, {"x.js", script}};
        for (int i = 0; i < 10000; ++i)
            many.append({QStringLiteral("s%1.js").arg(i), "x"});
        QTest::newRow("10,000 entries") << makeZip(many) << "at most 5000";
    }
    void hostileArchive_isRefused_andTheLibraryStaysAsItWas()
    {
        QFETCH(QByteArray, zip);
        QFETCH(QString, reason);
        const QString folder = makeSourceLibrary();
        const QMap<QString, QByteArray> before = snapshot(folder);
        UserLibraryStore store(folder);
        QVERIFY(store.load().ok());

        // What the Import command does with the archive's bytes.
        const ArchiveRead read = readLibraryArchive(zip);
        if (read.ok)
            importIntoLibrary(store, read.contents, everyClash(read.contents, store, ClashChoice::Replace));

        QVERIFY(!read.ok);
        QVERIFY2(read.error.contains(reason), qPrintable(read.error));
        QVERIFY(read.contents.categories.empty());
        QCOMPARE(snapshot(folder), before);
    }

    void archiveOfALibraryFolder_isReadInItsFolder()
    {
        const QByteArray script = scriptBytes(QString(), QStringLiteral("x();"));
        const ArchiveRead read = readLibraryArchive(makeZip({{"user-scripts/", {}, 0040755},
                                                             {"user-scripts/uscripts.dat", "Work\r\n x\r\n"},
                                                             {"user-scripts/x.js", script},
                                                             {"user-scripts/uscripts.lock", "123"}}));
        QVERIFY2(read.ok, qPrintable(read.error));
        QCOMPARE(read.contents.categories.size(), std::size_t(1));
        QCOMPARE(read.contents.categories[0].scripts[0].bytes, script);
    }

    void export_refusesWhatCouldNotBeImportedAgain()
    {
        ArchiveContents contents;
        contents.categories.push_back(
            {QStringLiteral("Work"), {{QStringLiteral("a"), "1"}, {QStringLiteral("b"), "2"}}});
        ArchiveLimits limits;
        limits.maxEntries = 2;  // the index and one script
        QVERIFY(!writeLibraryArchive(contents, limits).ok);
        limits.maxEntries = 3;
        const ArchiveWrite written = writeLibraryArchive(contents, limits);
        QVERIFY(written.ok);
        QVERIFY(readLibraryArchive(written.bytes, limits).ok);
        limits.maxUnpackedBytes = 10;  // "Work\r\n a\r\n b\r\n" alone is 14
        QVERIFY(!writeLibraryArchive(contents, limits).ok);
    }

    // --- export and import -------------------------------------------------------------------

    void roundTrip_intoAnEmptyLibrary_givesTheSameIndexAndFiles()
    {
        const QString source = makeSourceLibrary();
        const QByteArray zip = exportWhole(source);
        QVERIFY(!zip.isEmpty());

        const QString target = makeLibrary(QStringLiteral("target"), QByteArray(), {});
        UserLibraryStore store(target);
        QVERIFY(store.load().ok());
        const ArchiveRead read = readLibraryArchive(zip);
        QVERIFY2(read.ok, qPrintable(read.error));
        QVERIFY(importClashes(read.contents, store).isEmpty());
        const ImportOutcome outcome = importIntoLibrary(store, read.contents, {});
        QVERIFY2(outcome.ok, qPrintable(outcome.error));
        QCOMPARE(outcome.added, 3);

        QMap<QString, QByteArray> expected = snapshot(source);
        expected.remove(QStringLiteral("uscripts.lock"));
        QMap<QString, QByteArray> got = snapshot(target);
        got.remove(QStringLiteral("uscripts.lock"));
        QCOMPARE(got, expected);
    }

    void roundTrip_ofASelection_carriesOnlyIt()
    {
        UserLibraryStore store(makeSourceLibrary());
        QVERIFY(store.load().ok());
        const LibraryTree &tree = store.tree();
        // The script "clock" of Work, and the whole of Tools.
        const ExportGather gathered = gatherForExport(store, {tree.roots[0]->children[1].get(), tree.roots[2].get()});
        QVERIFY(gathered.ok);
        const ArchiveRead read = readLibraryArchive(writeLibraryArchive(gathered.contents).bytes);
        QVERIFY2(read.ok, qPrintable(read.error));
        QCOMPARE(read.contents.categories.size(), std::size_t(2));
        QCOMPARE(read.contents.categories[0].name, QStringLiteral("Work"));
        QCOMPARE(read.contents.categories[0].scripts.size(), std::size_t(1));
        QCOMPARE(read.contents.categories[0].scripts[0].bytes, QByteArray("alert(1);\n"));
        QCOMPARE(read.contents.categories[1].scripts[0].name, QStringLiteral("a.b"));
    }

    void clash_isReplaced_keptAsACopy_orSkipped_data()
    {
        QTest::addColumn<int>("choice");
        QTest::addColumn<QByteArray>("index");
        QTest::addColumn<QStringList>("menuFiles");  // the files that hold the imported menu
        QTest::addColumn<QByteArray>("ownMenu");     // what Menu.js holds afterwards
        const QByteArray own = scriptBytes(QString(), QStringLiteral("mine();"));
        const QByteArray imported = scriptBytes(QStringLiteral("var m;\r\n"), QStringLiteral("menu();"));
        // The library's Menu stays where it is; clock joins Work, the other
        // categories come at the end.
        QTest::newRow("replace") << int(ClashChoice::Replace)
                                 << QByteArray("Work\r\n Menu\r\n clock\r\nMisc\r\nTools\r\n a.b\r\n")
                                 << QStringList{QStringLiteral("Menu")} << imported;
        QTest::newRow("keep both") << int(ClashChoice::KeepBoth)
                                   << QByteArray("Work\r\n Menu\r\n menu (2)\r\n clock\r\nMisc\r\nTools\r\n a.b\r\n")
                                   << QStringList{QStringLiteral("menu (2)")} << own;
        QTest::newRow("skip") << int(ClashChoice::Skip)
                              << QByteArray("Work\r\n Menu\r\n clock\r\nMisc\r\nTools\r\n a.b\r\n") << QStringList{}
                              << own;
    }
    void clash_isReplaced_keptAsACopy_orSkipped()
    {
        QFETCH(int, choice);
        QFETCH(QByteArray, index);
        QFETCH(QStringList, menuFiles);
        QFETCH(QByteArray, ownMenu);
        const QByteArray zip = exportWhole(makeSourceLibrary());
        const QString target =
            makeLibrary(QStringLiteral("target"), "Work\r\n Menu\r\n",
                        {{QStringLiteral("Menu"), scriptBytes(QString(), QStringLiteral("mine();"))}});
        UserLibraryStore store(target);
        QVERIFY(store.load().ok());
        const ArchiveRead read = readLibraryArchive(zip);
        QVERIFY(read.ok);
        QCOMPARE(importClashes(read.contents, store), QStringList{QStringLiteral("menu")});

        const ImportOutcome outcome =
            importIntoLibrary(store, read.contents, {{QStringLiteral("menu"), ClashChoice(choice)}});
        QVERIFY2(outcome.ok, qPrintable(outcome.error));
        QCOMPARE(readAll(target + QStringLiteral("uscripts.dat")), index);
        QCOMPARE(readAll(target + QStringLiteral("Menu.js")), ownMenu);
        for (const QString &name : menuFiles)
            QCOMPARE(readAll(target + name + QStringLiteral(".js")),
                     scriptBytes(QStringLiteral("var m;\r\n"), QStringLiteral("menu();")));
        QCOMPARE(outcome.skipped, choice == int(ClashChoice::Skip) ? 1 : 0);
        // The store's copy of the texts follows what was written.
        QCOMPARE(store.scriptText(QStringLiteral("clock"))->body, QStringLiteral("alert(1);\r\n"));
    }

    void keptCopy_takesNoNameTheImportBrings()
    {
        // The library has "clock"; the archive brings "clock" and "clock (2)".
        const QString target =
            makeLibrary(QStringLiteral("target"), "Work\r\n clock\r\n", {{QStringLiteral("clock"), "mine"}});
        UserLibraryStore store(target);
        QVERIFY(store.load().ok());
        ArchiveContents contents;
        contents.categories.push_back(
            {QStringLiteral("Work"), {{QStringLiteral("clock"), "a"}, {QStringLiteral("clock (2)"), "b"}}});
        const ImportOutcome outcome =
            importIntoLibrary(store, contents, {{QStringLiteral("clock"), ClashChoice::KeepBoth}});
        QVERIFY(outcome.ok);
        QCOMPARE(readAll(target + QStringLiteral("uscripts.dat")),
                 QByteArray("Work\r\n clock\r\n clock (3)\r\n clock (2)\r\n"));
        QCOMPARE(readAll(target + QStringLiteral("clock (3).js")), QByteArray("a"));
        QCOMPARE(readAll(target + QStringLiteral("clock (2).js")), QByteArray("b"));
    }

#ifdef Q_OS_UNIX
    void importThatCannotBeWritten_takesBackWhatItWrote()
    {
        // "menu" can be written, "zeta" finds a link in its way.
        const QString target = makeLibrary(QStringLiteral("target"), "Work\r\n", {});
        const QString outside = m_dir->path() + QStringLiteral("/outside.txt");
        QVERIFY(writeFile(outside, "not the library's"));
        QVERIFY(QFile::link(outside, target + QStringLiteral("zeta.js")));
        const QMap<QString, QByteArray> before = snapshot(target);
        UserLibraryStore store(target);
        QVERIFY(store.load().ok());
        ArchiveContents contents;
        contents.categories.push_back(
            {QStringLiteral("Work"), {{QStringLiteral("menu"), "m"}, {QStringLiteral("zeta"), "z"}}});

        const ImportOutcome outcome = importIntoLibrary(store, contents, {});
        QVERIFY(!outcome.ok);
        QVERIFY2(outcome.error.contains(QStringLiteral("zeta.js")), qPrintable(outcome.error));
        QCOMPARE(snapshot(target), before);
        QCOMPARE(readAll(outside), QByteArray("not the library's"));
        QCOMPARE(store.tree().roots[0]->children.size(), std::size_t(0));
    }
#endif

    // --- dropped files ----------------------------------------------------------------------------

    void droppedFile_becomesAScript_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("stored");
        QTest::newRow("no markers: all BODY") << "hello.world.js" << QByteArray("alert(1);\nx();") << "hello.world"
                                              << scriptBytes(QString(), QStringLiteral("alert(1);\r\nx();"));
        QTest::newRow("page") << " page .html" << QByteArray("<p>\xe9</p>") << "page"
                              << scriptBytes(QString(), QStringLiteral("<p>\u00e9</p>"));
        const QByteArray marked = scriptBytes(QStringLiteral("h();\r\n"), QStringLiteral("b();"));
        QTest::newRow("markers") << "both.js" << marked << "both" << marked;
    }
    void droppedFile_becomesAScript()
    {
        QFETCH(QString, fileName);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, name);
        QFETCH(QByteArray, stored);
        const QString path = m_dir->path() + u'/' + fileName;
        QVERIFY(writeFile(path, bytes));
        const DroppedScript dropped = scriptFromDroppedFile(path);
        QVERIFY(dropped.ok);
        QCOMPARE(dropped.script.name, name);
        QCOMPARE(dropped.script.bytes, stored);
    }
};

QTEST_APPLESS_MAIN(TestLibraryArchive)
#include "tst_libraryarchive.moc"
