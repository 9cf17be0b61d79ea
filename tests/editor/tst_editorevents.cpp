// What the fragment editor tells the program and what it lets through:
// key events and the key-press handler, key tables and the keys reserved
// for the window's commands, the pop-up menu, gutter clicks and drag and
// drop.

#include "editorwindow.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMimeData>
#include <Qsci/qscicommandset.h>
#include <QSignalSpy>

namespace {

/// An editor whose drags come from a source the test names, as a drag from
/// one of the program's trees would.
class SourcedEditor final : public ScriptEditor {
public:
    using ScriptEditor::ScriptEditor;
    QObject *source = nullptr;

protected:
    QObject *dragSource(const QDropEvent *) const override { return source; }
};

QPoint pointOfPosition(const ScriptEditor *editor, long bytePosition)
{
    const long x = editor->SendScintilla(QsciScintillaBase::SCI_POINTXFROMPOSITION, 0UL, bytePosition);
    const long y = editor->SendScintilla(QsciScintillaBase::SCI_POINTYFROMPOSITION, 0UL, bytePosition);
    return QPoint(int(x) + 1, int(y) + 3);
}

int lineY(const ScriptEditor *editor, int line)
{
    const long start = editor->SendScintilla(QsciScintillaBase::SCI_POSITIONFROMLINE, static_cast<unsigned long>(line - 1));
    const long height = editor->SendScintilla(QsciScintillaBase::SCI_TEXTHEIGHT, 0UL);
    return pointOfPosition(editor, start).y() - 3 + int(height) / 2;
}

} // namespace

class TestEditorEvents : public QObject {
    Q_OBJECT

private slots:
    // --- keys -----------------------------------------------------------------

    void keyPressHandler_returnsTrue_discardsTheKey()
    {
        EditorWindow w;
        QVERIFY(w.show());
        QVERIFY(w.editor->focusEditor());
        QStringList seen;
        w.editor->setKeyPressHandler([&](ScriptEditor *editor, QKeyEvent *event) {
            seen << event->text();
            return editor == w.editor && event->text() == QStringLiteral("\"");
        });
        QSignalSpy keyDown(w.editor, &ScriptEditor::keyDown);
        QSignalSpy keyPressed(w.editor, &ScriptEditor::keyPressed);
        QTest::keyClicks(w.editor, QStringLiteral("a\"b"));
        QCOMPARE(w.editor->wholeText(), QStringLiteral("ab"));
        QCOMPARE(seen, QStringList({QStringLiteral("a"), QStringLiteral("\""), QStringLiteral("b")}));
        QCOMPARE(keyPressed.count(), 3);
        QCOMPARE(keyDown.count(), 3);
    }

    void keyPressHandler_handlerInserts_editorShowsOnlyThat()
    {
        EditorWindow w;
        QVERIFY(w.show());
        QVERIFY(w.editor->focusEditor());
        w.editor->setKeyPressHandler([](ScriptEditor *editor, QKeyEvent *event) {
            if (event->text() != QStringLiteral("\""))
                return false;
            editor->replaceSelection(QStringLiteral("\"\""));
            editor->setCaretPosition(editor->caretPosition() - 1);
            return true;
        });
        QTest::keyClicks(w.editor, QStringLiteral("x\"y"));
        QCOMPARE(w.editor->wholeText(), QStringLiteral("x\"y\""));
    }

    void navigationKey_emitsKeyDownOnly()
    {
        EditorWindow w;
        QVERIFY(w.show());
        w.editor->setWholeText(QStringLiteral("ab"));
        w.editor->setCaretPosition(2);
        QVERIFY(w.editor->focusEditor());
        int asked = 0;
        w.editor->setKeyPressHandler([&](ScriptEditor *, QKeyEvent *) {
            ++asked;
            return false;
        });
        QSignalSpy keyDown(w.editor, &ScriptEditor::keyDown);
        QSignalSpy keyPressed(w.editor, &ScriptEditor::keyPressed);
        QTest::keyClick(w.editor, Qt::Key_Left);
        QCOMPARE(keyDown.count(), 1);
        QCOMPARE(keyPressed.count(), 0);
        QCOMPARE(asked, 0);
        QCOMPARE(w.editor->caretPosition(), 1);
    }

    void changed_isEmittedForEveryTextChange()
    {
        EditorWindow w;
        QVERIFY(w.show());
        QSignalSpy changed(w.editor, &ScriptEditor::changed);
        w.editor->setWholeText(QStringLiteral("abc"));
        QVERIFY(changed.count() >= 1);
        const auto afterLoad = changed.count();
        QVERIFY(w.editor->focusEditor());
        QTest::keyClicks(w.editor, QStringLiteral("xy"));
        QCOMPARE(changed.count(), afterLoad + 2);
        w.editor->setCaretPosition(1);
        QCOMPARE(changed.count(), afterLoad + 2);
    }

    void reserveKeys_reservedKeys_reachTheWindowsCommands()
    {
        EditorWindow w;
        const QList<QKeySequence> keys = {
            QKeySequence(Qt::CTRL | Qt::Key_L),  QKeySequence(Qt::CTRL | Qt::Key_D),
            QKeySequence(Qt::CTRL | Qt::Key_U),  QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_L),
            QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_T), QKeySequence(Qt::CTRL | Qt::Key_Z),
        };
        QList<QAction *> actions;
        for (const QKeySequence &key : keys) {
            auto *action = new QAction(key.toString(), w.window.get());
            action->setShortcut(key);
            w.window->addAction(action);
            actions << action;
        }
        QVERIFY(w.show());
        w.editor->setWholeText(QStringLiteral("one\r\ntwo"));
        QVERIFY(w.editor->focusEditor());
        QTRY_VERIFY(w.editor->focused());

        // The editor's own binding of Ctrl+L (cut the line) wins at first.
        QSignalSpy first(actions[0], &QAction::triggered);
        QTest::keyClick(w.editor, Qt::Key_L, Qt::ControlModifier);
        QCOMPARE(first.count(), 0);
        QCOMPARE(w.editor->wholeText(), QStringLiteral("two"));
        w.editor->setWholeText(QStringLiteral("one\r\ntwo"));

        w.editor->reserveKeys(keys);
        for (const QKeySequence &key : keys)
            QVERIFY2(!w.editor->standardCommands()->boundTo(key[0].toCombined()), qPrintable(key.toString()));
        for (int i = 0; i < keys.size(); ++i) {
            QSignalSpy triggered(actions[i], &QAction::triggered);
            const QKeyCombination combination = keys[i][0];
            QTest::keyClick(w.editor, combination.key(), combination.keyboardModifiers());
            QVERIFY2(triggered.count() == 1, qPrintable(keys[i].toString()));
            QCOMPARE(w.editor->wholeText(), QStringLiteral("one\r\ntwo"));
        }
        QVERIFY(w.editor->focused());

        // Keys not reserved keep their editor meaning.
        QTest::keyClick(w.editor, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(w.editor->selectedText(), QStringLiteral("one\r\ntwo"));
    }

    void reserveKeys_alternateKey_isRemovedToo()
    {
        EditorWindow w;
        QsciCommandSet *commands = w.editor->standardCommands();
        QsciCommand *withAlternate = nullptr;
        for (QsciCommand *command : commands->commands())
            if (command->alternateKey() != 0) {
                withAlternate = command;
                break;
            }
        QVERIFY(withAlternate);
        const int key = withAlternate->key();
        const int alternate = withAlternate->alternateKey();
        w.editor->reserveKeys({QKeySequence(QKeyCombination::fromCombined(alternate))});
        QCOMPARE(withAlternate->alternateKey(), 0);
        QCOMPARE(withAlternate->key(), key);
        QVERIFY(!commands->boundTo(alternate));
    }

    void applyKeyAssignments_defaultTable_bindsQScintillasOwnKeys()
    {
        EditorWindow w;
        w.editor->applyKeyAssignments({});
        w.editor->applyKeyAssignments(defaultKeyAssignments());
        QsciScintilla plain;
        const QList<QsciCommand *> &expected = plain.standardCommands()->commands();
        for (QsciCommand *command : expected) {
            const QsciCommand *bound = w.editor->standardCommands()->find(command->command());
            QVERIFY2(bound, qPrintable(command->description()));
            QVERIFY2(bound->key() == command->key() && bound->alternateKey() == command->alternateKey(),
                     qPrintable(command->description()));
        }
    }

    void applyKeyAssignments_table_replacesEveryBinding()
    {
        EditorWindow w;
        const KeyAssignment table[] = {
            {Qt::CTRL | Qt::Key_K, QsciCommand::LineCut},
            {Qt::CTRL | Qt::Key_K, QsciCommand::LineDelete},  // taken: the first command keeps it
            {Qt::Key_F5, QsciCommand::Undo},  // not a key QScintilla binds
            {Qt::CTRL | Qt::Key_1, QsciCommand::Undo},
            {Qt::CTRL | Qt::Key_2, QsciCommand::Undo},
            {Qt::CTRL | Qt::Key_3, QsciCommand::Undo},  // a command takes two keys at most
        };
        w.editor->applyKeyAssignments(table);
        QsciCommandSet *commands = w.editor->standardCommands();
        QCOMPARE(commands->find(QsciCommand::LineCut)->key(), QKeyCombination(Qt::CTRL | Qt::Key_K).toCombined());
        QCOMPARE(commands->find(QsciCommand::LineDelete)->key(), 0);
        QCOMPARE(commands->find(QsciCommand::Undo)->key(), QKeyCombination(Qt::CTRL | Qt::Key_1).toCombined());
        QCOMPARE(commands->find(QsciCommand::Undo)->alternateKey(), QKeyCombination(Qt::CTRL | Qt::Key_2).toCombined());
        QVERIFY(!commands->boundTo(QKeyCombination(Qt::CTRL | Qt::Key_3).toCombined()));
        QVERIFY(!commands->boundTo(QKeyCombination(Qt::CTRL | Qt::Key_L).toCombined()));

        QVERIFY(w.show());
        w.editor->setWholeText(QStringLiteral("one\r\ntwo"));
        QVERIFY(w.editor->focusEditor());
        QTest::keyClick(w.editor, Qt::Key_L, Qt::ControlModifier);
        QCOMPARE(w.editor->wholeText(), QStringLiteral("one\r\ntwo"));
        QTest::keyClick(w.editor, Qt::Key_K, Qt::ControlModifier);
        QCOMPARE(w.editor->wholeText(), QStringLiteral("two"));
        QTest::keyClick(w.editor, Qt::Key_2, Qt::ControlModifier);
        QCOMPARE(w.editor->wholeText(), QStringLiteral("one\r\ntwo"));
    }

    void applyKeyAssignments_afterReserveKeys_leavesTheReservedKeysFree()
    {
        EditorWindow w;
        const QKeySequence cutLine(Qt::CTRL | Qt::Key_L);
        w.editor->reserveKeys({cutLine});
        w.editor->applyKeyAssignments(defaultKeyAssignments());
        QsciCommandSet *commands = w.editor->standardCommands();
        QVERIFY(!commands->boundTo(cutLine[0].toCombined()));
        QCOMPARE(commands->find(QsciCommand::LineDelete)->key(),
                 QKeyCombination(Qt::CTRL | Qt::SHIFT | Qt::Key_L).toCombined());
    }

    // The word keys and the double click stop where the word rule says:
    // é is no word character, Polish letters are.  Positions below are the
    // editor's (a character each).
    void wordKeysAndDoubleClick_followTheWordRule()
    {
        EditorWindow w;
        QVERIFY(w.show());
        w.editor->setWholeText(QStringLiteral("xéy żółw(1);"));
        QVERIFY(w.editor->focusEditor());
        QTRY_VERIFY(w.editor->focused());
        const auto caretAfter = [&](Qt::Key key, Qt::KeyboardModifiers modifiers) {
            QTest::keyClick(w.editor, key, modifiers);
            return w.editor->caretPosition();
        };

        // Ctrl+Right and Ctrl+Left.
        w.editor->setCaretPosition(0);
        QList<int> right;
        for (int i = 0; i < 6; ++i)
            right << caretAfter(Qt::Key_Right, Qt::ControlModifier);
        QCOMPARE(right, QList<int>({1, 2, 4, 8, 9, 10}));
        QList<int> left;
        for (int i = 0; i < 4; ++i)
            left << caretAfter(Qt::Key_Left, Qt::ControlModifier);
        QCOMPARE(left, QList<int>({9, 8, 4, 2}));
        QVERIFY(!w.editor->hasSelectedText());

        // With Shift the anchor stays.
        w.editor->setCaretPosition(4);
        QTest::keyClick(w.editor, Qt::Key_Right, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(w.editor->selectedText(), QStringLiteral("żółw"));
        w.editor->setCaretPosition(3);
        QTest::keyClick(w.editor, Qt::Key_Left, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(w.editor->selectedText(), QStringLiteral("y"));
        QCOMPARE(w.editor->caretPosition(), 2);

        // Ctrl+Backspace and Ctrl+Delete, each one undo step.
        w.editor->setCaretPosition(3);
        QTest::keyClick(w.editor, Qt::Key_Backspace, Qt::ControlModifier);
        QCOMPARE(w.editor->wholeText(), QStringLiteral("xé żółw(1);"));
        QCOMPARE(w.editor->caretPosition(), 2);
        QTest::keyClick(w.editor, Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(w.editor->wholeText(), QStringLiteral("xéżółw(1);"));
        w.editor->setCaretPosition(0);
        QTest::keyClick(w.editor, Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(w.editor->wholeText(), QStringLiteral("éżółw(1);"));
        w.editor->undo();
        w.editor->undo();
        w.editor->undo();
        QCOMPARE(w.editor->wholeText(), QStringLiteral("xéy żółw(1);"));

        // A double click selects the word under the mouse by the same rule;
        // dragging on takes whole words.
        QWidget *viewport = w.editor->viewport();
        QList<QPoint> points;  // on each character
        for (int position = 0; position < 12; ++position) {
            w.editor->setCaretPosition(position);
            points << pointOfPosition(w.editor, w.editor->SendScintilla(QsciScintillaBase::SCI_GETCURRENTPOS));
        }
        const auto doubleClick = [&](int position) {
            w.editor->setCaretPosition(0);
            QTest::qWait(QApplication::doubleClickInterval() + 20);  // no triple click
            QTest::mouseClick(viewport, Qt::LeftButton, Qt::NoModifier, points[position]);
            QTest::mouseDClick(viewport, Qt::LeftButton, Qt::NoModifier, points[position]);
        };
        doubleClick(1);
        QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, points[1]);
        QCOMPARE(w.editor->selectedText(), QStringLiteral("é"));
        doubleClick(0);
        QCOMPARE(w.editor->selectedText(), QStringLiteral("x"));
        QTest::mouseMove(viewport, points[6]);
        QCOMPARE(w.editor->selectedText(), QStringLiteral("xéy żółw"));
        QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, points[6]);
        QCOMPARE(w.editor->selectedText(), QStringLiteral("xéy żółw"));
        doubleClick(6);
        QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, points[6]);
        QCOMPARE(w.editor->selectedText(), QStringLiteral("żółw"));

        // Whatever key a table gives a word command runs it on the rule.
        const KeyAssignment table[] = {{Qt::ALT | Qt::Key_Right, QsciCommand::WordRight}};
        w.editor->applyKeyAssignments(table);
        w.editor->setCaretPosition(0);
        QCOMPARE(caretAfter(Qt::Key_Right, Qt::AltModifier), 1);
        QCOMPARE(caretAfter(Qt::Key_Right, Qt::ControlModifier), 1);  // unbound now
    }

    // --- mouse ------------------------------------------------------------------

    void popupMenu_rightClick_showsTheProgramsMenu()
    {
        EditorWindow w;
        QMenu menu;
        menu.addAction(QStringLiteral("Undo"));
        w.editor->setPopupMenu(&menu);
        QVERIFY(w.show());
        const QPoint at(60, 20);
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, w.editor->viewport()->mapToGlobal(at));
        QApplication::sendEvent(w.editor->viewport(), &event);
        QVERIFY(event.isAccepted());
        QTRY_VERIFY(menu.isVisible());
        menu.hide();
    }

    void popupMenu_whileOpen_theEditorIsNotLeft()
    {
        EditorWindow w;
        QMenu menu;
        menu.addAction(QStringLiteral("Undo"));
        w.editor->setPopupMenu(&menu);
        QVERIFY(w.show());
        QVERIFY(w.editor->focusEditor());
        QTRY_VERIFY(w.editor->focused());
        QSignalSpy entered(w.editor, &ScriptEditor::entered);
        QSignalSpy exited(w.editor, &ScriptEditor::exited);
        const QPoint at(60, 20);
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, w.editor->viewport()->mapToGlobal(at));
        QApplication::sendEvent(w.editor->viewport(), &event);
        QTRY_VERIFY(menu.isVisible());
        menu.hide();
        QTRY_VERIFY(w.editor->focused());
        QCOMPARE(exited.count(), 0);
        QCOMPARE(entered.count(), 0);
    }

    void gutterClick_inEitherMargin_reportsTheLineAndTheMouse()
    {
        EditorWindow w;
        w.editor->setWholeText(QStringLiteral("one\r\ntwo\r\nthree\r\nfour"));
        QVERIFY(w.show());
        w.editor->setCaretLineColumn(1, 2);
        QSignalSpy gutter(w.editor, &ScriptEditor::gutterClicked);
        QSignalSpy mouseDown(w.editor, &ScriptEditor::mouseDown);
        QWidget *viewport = w.editor->viewport();

        const QPoint inNumbers(3, lineY(w.editor, 3));
        QTest::mouseClick(viewport, Qt::LeftButton, Qt::NoModifier, inNumbers);
        QCOMPARE(gutter.count(), 1);
        QCOMPARE(gutter.at(0).at(0).toInt(), 3);
        QCOMPARE(gutter.at(0).at(1).toPoint(), viewport->mapToGlobal(inNumbers));

        const int numbersWidth = w.editor->marginWidth(0);
        const QPoint inBookmarks(numbersWidth + 3, lineY(w.editor, 4));
        QTest::mouseClick(viewport, Qt::LeftButton, Qt::NoModifier, inBookmarks);
        QCOMPARE(gutter.count(), 2);
        QCOMPARE(gutter.at(1).at(0).toInt(), 4);
        QCOMPARE(mouseDown.count(), 0);
        QCOMPARE(w.editor->caretLine(), 1);
        QCOMPARE(w.editor->caretColumn(), 2);

        QTest::mouseClick(viewport, Qt::LeftButton, Qt::NoModifier,
                          pointOfPosition(w.editor, w.editor->SendScintilla(QsciScintillaBase::SCI_POSITIONFROMLINE, 1UL)));
        QCOMPARE(mouseDown.count(), 1);
        QCOMPARE(gutter.count(), 2);
        QCOMPARE(w.editor->caretLine(), 2);
    }

    void lineNumberMargin_widthFollowsTheDigits()
    {
        EditorWindow w;
        w.editor->setWholeText(QStringLiteral("a"));
        const int narrow = w.editor->marginWidth(0);
        w.editor->setWholeText(QString(2000, u'\n'));
        const int wide = w.editor->marginWidth(0);
        QVERIFY2(wide > narrow, qPrintable(QStringLiteral("%1 %2").arg(narrow).arg(wide)));
        QVERIFY(w.editor->marginWidth(1) > 0);
        QVERIFY(w.editor->marginSensitivity(0));
        QVERIFY(w.editor->marginSensitivity(1));
    }

    // --- drag and drop ---------------------------------------------------------------

    void drop_fromAnAcceptedSource_isTheProgramsToHandle()
    {
        EditorWindowOf<SourcedEditor> w;
        w.editor->setWholeText(QStringLiteral("text"));
        QVERIFY(w.show());
        QObject tree;
        w.editor->source = &tree;
        QList<QObject *> asked;
        w.editor->setDropAcceptor([&](QObject *source) {
            asked << source;
            return source == &tree;
        });
        QSignalSpy over(w.editor, &ScriptEditor::draggedOver);
        QSignalSpy dropped(w.editor, &ScriptEditor::dropped);

        QMimeData data;
        data.setData(QStringLiteral("application/x-qabstractitemmodeldatalist"), QByteArray("node"));
        data.setText(QStringLiteral("should not be inserted"));
        const QPoint at = pointOfPosition(w.editor, 2);
        QWidget *viewport = w.editor->viewport();
        QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &enter);
        QVERIFY(enter.isAccepted());
        QCOMPARE(enter.dropAction(), Qt::CopyAction);
        QDragMoveEvent move(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &move);
        QVERIFY(move.isAccepted());
        QCOMPARE(over.count(), 2);
        QDropEvent drop(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &drop);
        QVERIFY(drop.isAccepted());
        QCOMPARE(drop.dropAction(), Qt::CopyAction);

        QVERIFY(!asked.isEmpty());
        for (QObject *source : asked)
            QCOMPARE(source, &tree);
        QCOMPARE(dropped.count(), 1);
        QCOMPARE(dropped.at(0).at(0).value<QObject *>(), &tree);
        QCOMPARE(dropped.at(0).at(1).toPoint(), at);
        QCOMPARE(w.editor->wholeText(), QStringLiteral("text"));
    }

    void drop_plainTextFromAnotherSource_isInsertedWithCrLf()
    {
        EditorWindowOf<SourcedEditor> w;
        w.editor->setWholeText(QStringLiteral("text"));
        QVERIFY(w.show());
        QObject elsewhere;
        w.editor->source = &elsewhere;
        w.editor->setDropAcceptor([](QObject *) { return false; });
        QSignalSpy dropped(w.editor, &ScriptEditor::dropped);

        QMimeData data;
        data.setText(QStringLiteral("x\ny"));
        const QPoint at = pointOfPosition(w.editor, 0);
        QWidget *viewport = w.editor->viewport();
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &enter);
        QDragMoveEvent move(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &move);
        QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &drop);

        QCOMPARE(dropped.count(), 0);
        QCOMPARE(w.editor->wholeText(), QStringLiteral("x\r\nytext"));
    }

    // --- change reports ---------------------------------------------------------------

    void changed_isReportedWithTheChangeInPlace()
    {
        EditorWindow w;
        QVERIFY(w.show());
        w.editor->setWholeText(QStringLiteral("ab"));
        w.editor->setCaretPosition(1);
        QVERIFY(w.editor->focusEditor());
        QStringList seen;
        connect(w.editor, &ScriptEditor::changed, w.editor, [&] {
            seen << w.editor->wholeText() + (w.editor->modifiedState() ? QStringLiteral(" modified") : QString());
        });
        QTest::keyClicks(w.editor, QStringLiteral("x"));
        QTest::keyClick(w.editor, Qt::Key_Backspace);
        w.editor->replaceSelection(QStringLiteral("\n"));
        w.editor->undo();
        QApplication::clipboard()->setText(QStringLiteral("p"));
        w.editor->paste();
        QCOMPARE(seen, QStringList({QStringLiteral("axb modified"), QStringLiteral("ab modified"),
                                    QStringLiteral("a\r\nb modified"), QStringLiteral("ab modified"),
                                    QStringLiteral("apb modified")}));
    }

    void changed_changeMadeBehindTheEditorsBack_isReportedFromTheEventLoop()
    {
        EditorWindow w;
        w.editor->setWholeText(QStringLiteral("ab"));
        QSignalSpy changed(w.editor, &ScriptEditor::changed);
        w.editor->SendScintilla(QsciScintillaBase::SCI_INSERTTEXT, 0UL, "zz");
        QVERIFY(changed.wait(1000));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(w.editor->wholeText(), QStringLiteral("zzab"));
    }

    void lineNumberMargin_linesTyped_widenIt()
    {
        EditorWindow w;
        QVERIFY(w.show());
        w.editor->setWholeText(QString(8, u'\n'));  // nine lines
        const int narrow = w.editor->marginWidth(0);
        w.editor->setCaretPosition(0);
        QVERIFY(w.editor->focusEditor());
        QTest::keyClick(w.editor, Qt::Key_Return);  // the tenth
        QCOMPARE(w.editor->lineCount(), 10);
        QVERIFY2(w.editor->marginWidth(0) > narrow, qPrintable(QString::number(narrow)));
    }

    void accessibility_withoutAssistiveTools_isThePlainWidgetInterface()
    {
        // QScintilla's own interface recounts the text before the caret
        // after every key; it must not be the one in use.
        EditorWindow w;
        QVERIFY(w.show());
        QVERIFY(!QAccessible::isActive());
        QAccessibleInterface *face = QAccessible::queryAccessibleInterface(w.editor);
        QVERIFY(face);
        QCOMPARE(face->role(), QAccessible::EditableText);
        QVERIFY(!face->textInterface());
    }
};

QTEST_MAIN(TestEditorEvents)
#include "tst_editorevents.moc"
