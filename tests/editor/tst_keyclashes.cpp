// Editor keys the window takes: a key or pair the user gives an editor
// command is taken when a window key begins it (or it begins a window
// key), whatever the letter case and the order of the modifiers.

#include "editor/keyclashes.h"

#include <QTest>

#include <vector>

namespace {

const std::vector<WindowKey> kWindowKeys = {
    {QStringLiteral("Ctrl+S"), QStringLiteral("Save to library")},
    {QStringLiteral("Ctrl+Shift+S"), QStringLiteral("Save as ...")},
    {QStringLiteral("F6"), QStringLiteral("Next pane")},
    {QStringLiteral("Ctrl++"), QStringLiteral("Zoom")},
    {QStringLiteral("Ctrl+,"), QStringLiteral("Options")},
    {QStringLiteral("Ctrl+K, Ctrl+B"), QStringLiteral("Bookmarks")},
};

void row(const char *name, const char *key, const char *taker)
{
    QTest::newRow(name) << QString::fromLatin1(key) << QString::fromLatin1(taker);
}

}  // namespace

class TestKeyClashes final : public QObject {
    Q_OBJECT

private slots:
    void aKeyIsTaken_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("taker");
        row("the same key", "Ctrl+S", "Save to library");
        row("another modifier", "Ctrl+Alt+S", "");
        row("modifiers in another order", "Shift+Ctrl+S", "Save as ...");
        row("letter case", "ctrl+s", "Save to library");
        row("a plain function key", "F6", "Next pane");
        row("the function key with Shift", "Shift+F6", "");
        row("F6 is not F16", "F16", "");
        row("a pair begun by a window key", "Ctrl+S, X", "Save to library");
        row("a pair begun by another key", "Ctrl+Q, Ctrl+S", "");
        row("the first key of a window pair", "Ctrl+K", "Bookmarks");
        row("a pair going its own way", "Ctrl+K, Ctrl+C", "");
        row("the plus key", "Ctrl++", "Zoom");
        row("the plus key with Shift", "Ctrl+Shift++", "");
        row("the comma key", "Ctrl+,", "Options");
        row("a pair after the comma key", "Ctrl+,, I", "Options");
        row("no key", "", "");
    }
    void aKeyIsTaken()
    {
        QFETCH(QString, key);
        QFETCH(QString, taker);
        QCOMPARE(::windowCommandTaking(key, kWindowKeys), taker);
    }

    void findKeyClashes_listsEachTakenKey_byCommandThenSlot()
    {
        std::array<std::array<QString, 2>, kEditorCommandCount> keys{};
        keys[3] = {QStringLiteral("Ctrl+Right"), QStringLiteral("F6")};
        keys[7] = {QStringLiteral("Ctrl+S"), QStringLiteral("Ctrl+Shift+S")};
        keys[42] = {QString(), QStringLiteral("Ctrl+K, Ctrl+B")};
        const std::vector<KeyClash> expected = {
            {3, 1, QStringLiteral("F6"), QStringLiteral("Next pane")},
            {7, 0, QStringLiteral("Ctrl+S"), QStringLiteral("Save to library")},
            {7, 1, QStringLiteral("Ctrl+Shift+S"), QStringLiteral("Save as ...")},
            {42, 1, QStringLiteral("Ctrl+K, Ctrl+B"), QStringLiteral("Bookmarks")},
        };
        QVERIFY(findKeyClashes(keys, kWindowKeys) == expected);
        // No window keys, no clash.
        QVERIFY(findKeyClashes(keys, {}).empty());
    }
};

QTEST_APPLESS_MAIN(TestKeyClashes)
#include "tst_keyclashes.moc"
