// editsett.dat across a run: what is read, what is kept, what is never
// written over.
#include "../support/testfiles.h"
#include "editor/editorsettingsfile.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

enum class Setup { Missing, Ours, Damaged, DamagedBakTaken, LinkToVictim, Folder };

QByteArray garbage(int size)
{
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i)
        bytes[i] = char((i * 37 + 11) % 251);
    return bytes;
}

}  // namespace

class TestEditorSettingsFile : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { ignoreFileSizeLimitSignal(); }

    void loadThenSave_data()
    {
        QTest::addColumn<int>("setup");
        QTest::addColumn<int>("loaded");
        QTest::addColumn<bool>("saved");
        QTest::addColumn<QString>("backupName");  // where the old bytes must be found after save

        using L = EditorSettingsFile::Loaded;
        QTest::newRow("first start") << int(Setup::Missing) << int(L::Missing) << true << QString();
        QTest::newRow("written by us") << int(Setup::Ours) << int(L::Read) << true << QString();
        QTest::newRow("damaged") << int(Setup::Damaged) << int(L::Damaged) << true
                                 << QStringLiteral("editsett.dat.bak");
        QTest::newRow("damaged, .bak taken")
            << int(Setup::DamagedBakTaken) << int(L::Damaged) << true << QStringLiteral("editsett.dat.bak2");
        QTest::newRow("link") << int(Setup::LinkToVictim) << int(L::Unreadable) << false << QString();
        QTest::newRow("folder") << int(Setup::Folder) << int(L::Unreadable) << false << QString();
    }

    void loadThenSave()
    {
        QFETCH(int, setup);
        QFETCH(int, loaded);
        QFETCH(bool, saved);
        QFETCH(QString, backupName);

        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("editsett.dat"));
        const QString victim = dir.filePath(QStringLiteral("victim"));
        QVERIFY(writeFile(victim, "the victim's own text"));
        const QByteArray damaged = garbage(50000);
        EditorSettings ours = defaultEditorSettings();
        ours.wordWrap = true;
        ours.style(SchemeStyle::JsKeyword)->foreground = 0x102030;
        switch (Setup(setup)) {
        case Setup::Missing:
            break;
        case Setup::Ours:
            QVERIFY(writeFile(path, writeEditorSettings(ours)));
            break;
        case Setup::DamagedBakTaken:
            QVERIFY(writeFile(path + QStringLiteral(".bak"), "an earlier copy"));
            [[fallthrough]];
        case Setup::Damaged:
            QVERIFY(writeFile(path, damaged));
            break;
        case Setup::LinkToVictim:
            QVERIFY(QFile::link(victim, path));
            break;
        case Setup::Folder:
            QVERIFY(QDir().mkpath(path));
            break;
        }

        EditorSettingsFile file(path);
        EditorSettings settings = defaultEditorSettings();
        QCOMPARE(int(file.load(settings)), loaded);
        if (Setup(setup) == Setup::Ours)
            QVERIFY(settings == ours);
        else
            QVERIFY(settings == defaultEditorSettings());
        // Whatever went wrong is told, with the file's place.
        const bool problem =
            loaded == int(EditorSettingsFile::Loaded::Damaged) || loaded == int(EditorSettingsFile::Loaded::Unreadable);
        QCOMPARE(file.loadMessage().contains(QStringLiteral("Cannot open file ") + QDir::toNativeSeparators(path)),
                 problem);
        if (!backupName.isEmpty())
            QVERIFY2(file.loadMessage().contains(backupName), qPrintable(file.loadMessage()));

        EditorSettings changed = defaultEditorSettings();
        changed.keys[17][1] = QStringLiteral("Ctrl+Alt+I");
        const SaveResult result = file.save(changed);
        QCOMPARE(result.ok, saved);
        QCOMPARE(readAll(victim), QByteArray("the victim's own text"));
        if (saved) {
            EditorSettings back = defaultEditorSettings();
            QVERIFY(readEditorSettings(readAll(path), back));
            QVERIFY(back == changed);
        } else {
            QVERIFY(!result.error.isEmpty());
            const QFileInfo info(path);
            QVERIFY(info.isSymLink() || info.isDir());
        }
        if (!backupName.isEmpty()) {
            QCOMPARE(readAll(dir.filePath(backupName)), damaged);
            // The copy is kept once: a second save writes no further one.
            QVERIFY(file.save(changed).ok);
            QVERIFY(!QFileInfo::exists(dir.filePath(backupName + QStringLiteral("2"))));
            QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("editsett.dat.bak3"))));
        }
        if (Setup(setup) == Setup::DamagedBakTaken)
            QCOMPARE(readAll(path + QStringLiteral(".bak")), QByteArray("an earlier copy"));
    }

#ifdef Q_OS_UNIX
    void damagedFile_notReplaced_whenItsCopyCannotBeKept()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("editsett.dat"));
        const QByteArray damaged = garbage(50000);
        QVERIFY(writeFile(path, damaged));
        EditorSettingsFile file(path);
        EditorSettings settings = defaultEditorSettings();
        QCOMPARE(file.load(settings), EditorSettingsFile::Loaded::Damaged);
        SaveResult result;
        {
            // Room for the settings, not for the 50,000 bytes of the copy.
            FileSizeLimit limit(20000);
            if (!limit.isSet())
                QSKIP("the file-size limit cannot be lowered here");
            result = file.save(settings);
        }
        QVERIFY(!result.ok);
        QVERIFY(result.error.contains(QStringLiteral("editsett.dat.bak")));
        QCOMPARE(readAll(path), damaged);
        // Once there is room, the copy and then the settings are written.
        QVERIFY(file.save(settings).ok);
        QCOMPARE(readAll(dir.filePath(QStringLiteral("editsett.dat.bak"))), damaged);
    }
#endif
};

QTEST_GUILESS_MAIN(TestEditorSettingsFile)
#include "tst_editorsettingsfile.moc"
