// The window's commands as data: every id a menu or toolbar lists exists,
// ids are unique, and no two commands answer the same key.

#include "app/actiontable.h"

#include <QHash>
#include <QKeySequence>
#include <QSet>
#include <QTest>

class TestActionTable : public QObject {
    Q_OBJECT

    static QStringList allLayoutItems()
    {
        QStringList items;
        const auto add = [&](std::span<const CommandPlacement> list) {
            for (const CommandPlacement &item : list)
                items << QString::fromLatin1(item.id);
        };
        for (const MenuLayout &layout : mainMenuLayout())
            add(layout.items);
        for (const MenuLayout &layout : subMenuLayouts())
            add(layout.items);
        for (const MenuLayout &layout : barLayouts())
            add(layout.items);
        return items;
    }

private slots:
    void ids_areUnique()
    {
        QSet<QString> seen;
        for (const CommandEntry &entry : actionTable()) {
            const QString id = QString::fromLatin1(entry.id);
            QVERIFY2(!seen.contains(id), qPrintable(id));
            seen.insert(id);
        }
    }

    void everyListedItem_exists()
    {
        for (const QString &item : allLayoutItems()) {
            if (item == u"-" || (item.startsWith(u'-') && item.size() > 1))
                continue;
            if (item.startsWith(u'>')) {
                QVERIFY2(findLayout(item.mid(1)), qPrintable(item));
                continue;
            }
            QVERIFY2(findCommand(item), qPrintable(item));
        }
    }

    void noTwoCommands_shareALiveShortcut()
    {
        QHash<QKeySequence, QString> owners;
        for (const CommandEntry &entry : actionTable()) {
            if (!entry.shortcut[0] || (entry.flags & ShortcutShownOnly))
                continue;
            const QKeySequence key(QString::fromLatin1(entry.shortcut));
            QVERIFY2(!key.isEmpty(), entry.id);
            QVERIFY2(!owners.contains(key),
                     qPrintable(QStringLiteral("%1 and %2 both take %3").arg(owners.value(key), QString::fromLatin1(entry.id),
                                                                              key.toString())));
            owners.insert(key, QString::fromLatin1(entry.id));
        }
    }

    void shownOnlyShortcuts_belongToAnotherCommand()
    {
        // A key shown in the pop-up menu is the key of a main-menu command.
        QSet<QKeySequence> live;
        for (const CommandEntry &entry : actionTable())
            if (entry.shortcut[0] && !(entry.flags & ShortcutShownOnly))
                live.insert(QKeySequence(QString::fromLatin1(entry.shortcut)));
        for (const CommandEntry &entry : actionTable())
            if (entry.flags & ShortcutShownOnly)
                QVERIFY2(live.contains(QKeySequence(QString::fromLatin1(entry.shortcut))), entry.id);
    }

    void everyCommand_hasAHint()
    {
        for (const CommandEntry &entry : actionTable())
            QVERIFY2(entry.hint[0], entry.id);
    }

    void itemsOfOneCommand_agreeOnWhatTheyAre()
    {
        // Items sharing a command key are one command: all tagged (a family
        // one handler tells apart) or none, and the same check state.
        QHash<QString, QList<const CommandEntry *>> byCommand;
        for (const CommandEntry &entry : actionTable())
            if (entry.command[0])
                byCommand[QString::fromLatin1(entry.command)] << &entry;
        for (auto it = byCommand.cbegin(); it != byCommand.cend(); ++it) {
            const bool tagged = it.value().first()->tag >= 0;
            const bool checkable = it.value().first()->flags & Checkable;
            for (const CommandEntry *entry : it.value()) {
                QVERIFY2((entry->tag >= 0) == tagged, entry->id);
                QVERIFY2(bool(entry->flags & Checkable) == checkable, entry->id);
            }
        }
        // The generated bookmark families: ten of each, tags 0 to 9.
        for (const char *family : {"Setbookmark1_", "Gotobookmark1_", "POP_B_Set_", "POP_B_Goto_"})
            for (int digit = 0; digit < 10; ++digit) {
                const CommandEntry *entry = findCommand(QLatin1String(family) + QString::number(digit));
                QVERIFY2(entry, family);
                QCOMPARE(entry->tag, digit);
                QVERIFY(QByteArray(entry->hint).contains(QByteArray::number(digit)));
            }
    }

    void menuBar_hasItsMenusInOrder()
    {
        QStringList captions;
        for (const MenuLayout &layout : mainMenuLayout())
            captions << QString::fromUtf8(layout.caption);
        QCOMPARE(captions,
                 (QStringList{"&File", "&Edit", "&Search", "H&TML", "S&cript", "&Library", "&View", "&Help"}));
    }

    void sharedHandlers_areToldApartByTags_data()
    {
        // Only a family whose handler takes a parameter keeps a tag; the
        // clipboard and indenting commands are commands of their own.
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("tag");
        QTest::newRow("undo") << "MMNU_E_Undo" << "edit.undo" << -1;
        QTest::newRow("redo") << "MMNU_E_REDO" << "edit.redo" << -1;
        QTest::newRow("cut button") << "BTN_Wytnij" << "edit.cut" << -1;
        QTest::newRow("paste pop-up") << "PMNU_Wklej" << "edit.paste" << -1;
        QTest::newRow("select all") << "POP_E_SelectAll" << "edit.selectAll" << -1;
        QTest::newRow("unindent") << "MMNU_E_UnIndent" << "edit.unindent" << -1;
        QTest::newRow("unindent pop-up") << "Cofnijwcicie1" << "edit.unindent" << -1;
        QTest::newRow("with") << "BTN_With" << "script.template.with" << 10;
        QTest::newRow("preformated") << "Przycisk_Czcionka_Pre" << "html.format.pre" << 8;
        QTest::newRow("bookmark 7") << "Setbookmark1_7" << "bookmark.set.7" << 7;
        QTest::newRow("pop-up bookmark 7") << "POP_B_Set_7" << "bookmark.set.7" << 7;
    }
    void sharedHandlers_areToldApartByTags()
    {
        QFETCH(QString, id);
        QFETCH(QString, command);
        QFETCH(int, tag);
        const CommandEntry *entry = findCommand(id);
        QVERIFY(entry);
        QCOMPARE(QString::fromLatin1(entry->command), command);
        QCOMPARE(entry->tag, tag);
    }

    void commands_haveOneRowEach_andArePlacedSomewhere()
    {
        QSet<QString> keys;
        for (const Command &command : commandTable()) {
            const QString key = QString::fromLatin1(command.key);
            QVERIFY2(!keys.contains(key), command.key);
            keys.insert(key);
        }
        QSet<QString> placed;
        for (const CommandEntry &entry : actionTable())
            placed.insert(QString::fromLatin1(entry.command));
        QCOMPARE(placed, keys);
    }

    void htmlItems_andTheirButtons_haveTheirOwnHints_data()
    {
        // The menu items name what they do to the text; the buttons keep
        // their shorter hints.
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("hint");
        QTest::newRow("bold item") << "MMNU_HTML_Bold" << "Bold text";
        QTest::newRow("italic item") << "MMNU_HTML_Italic" << "Italic text";
        QTest::newRow("underline item") << "MMNU_HTML_Underline" << "Underline text";
        QTest::newRow("strike item") << "MMNU_HTML_Strike" << "Strike text";
        QTest::newRow("list item") << "MMNU_HTML_List" << "Scrolling list of choices";
        QTest::newRow("bold button") << "Przycisk_Bold" << "Bold";
        QTest::newRow("italic button") << "Przycisk_Italic" << "Italic";
        QTest::newRow("underline button") << "Przycisk_Underline" << "Underline";
        QTest::newRow("strike button") << "BTN_Przekreslenie" << "Crossed out";
        QTest::newRow("list button") << "Przycisk_FSelect" << "List of choices";
    }
    void htmlItems_andTheirButtons_haveTheirOwnHints()
    {
        QFETCH(QString, id);
        QFETCH(QString, hint);
        const CommandEntry *entry = findCommand(id);
        QVERIFY(entry);
        QCOMPARE(QString::fromUtf8(entry->hint), hint);
    }

    // A letter pressed in an open menu runs its item at once only when no
    // other item of the menu has that letter.  Two pairs of the original
    // captions share one ("&Undo" and "&Unindent", "&Toolbars" and "Show
    // editor &tab"): there the letter moves between the two and Enter runs.
    void menuLetters_areUniqueInEachMenu_data()
    {
        QTest::addColumn<QString>("menu");
        for (const MenuLayout &layout : mainMenuLayout())
            QTest::newRow(layout.id) << QString::fromLatin1(layout.id);
    }
    void menuLetters_areUniqueInEachMenu()
    {
        QFETCH(QString, menu);
        const MenuLayout *layout = findLayout(menu);
        QVERIFY(layout);
        QHash<QChar, QString> owners;
        for (const CommandPlacement &item : layout->items) {
            QString caption;
            if (item.id[0] == '>') {
                const MenuLayout *sub = findLayout(QString::fromLatin1(item.id + 1));
                QVERIFY(sub);
                caption = QString::fromUtf8(sub->caption);
            } else if (item.id[0] != '-') {
                const CommandEntry *entry = findCommand(QString::fromLatin1(item.id));
                QVERIFY(entry);
                caption = QString::fromUtf8(entry->caption).section(u'\t', 0, 0);
            }
            const qsizetype mark = caption.replace(QStringLiteral("&&"), QString()).indexOf(u'&');
            if (mark < 0 || mark + 1 >= caption.size())
                continue;
            const QChar letter = caption.at(mark + 1).toLower();
            const QStringList pair{owners.value(letter), QString::fromLatin1(item.id)};
            if (pair == QStringList{"MMNU_E_Undo", "MMNU_E_UnIndent"} ||
                pair == QStringList{">MMNU_W_Toolbars", "Showeditortab1"})
                continue;
            QVERIFY2(!owners.contains(letter), qPrintable(QStringLiteral("%1 and %2 both have \"%3\"")
                                                              .arg(owners.value(letter), QString::fromLatin1(item.id))
                                                              .arg(letter)));
            owners.insert(letter, QString::fromLatin1(item.id));
        }
    }

    void separators_standWhereTheGroupsChange()
    {
        const MenuLayout *file = findLayout(QStringLiteral("MMNU_File"));
        QVERIFY(file);
        QStringList items;
        for (const CommandPlacement &item : file->items)
            items << QString::fromLatin1(item.id);
        QCOMPARE(items, (QStringList{"MMNU_F_New", "-", "MMNU_F_Open", "MMNU_F_Zapisz", "MMNU_F_Save", "MMNU_F_SaveAs",
                                     "MMNU_F_InsertIntoPage", ">MMNU_F_Recent", "-", "MMNU_P_PrintSettings",
                                     "MMNU_P_Print", "-", "MMNU_F_Exit"}));
    }
};

QTEST_APPLESS_MAIN(TestActionTable)
#include "tst_actiontable.moc"
