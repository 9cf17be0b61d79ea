// The whole way with the mouse put away: every step below is a key pressed
// where the focus is, as a user at the keyboard would press it; the
// dialogs that come up are answered with keys as well.

#include "app/resourcetabs.h"
#include "document/scripteditors.h"
#include "editor/scripteditor.h"
#include "library/builtin/builtinlibrary.h"
#include "library/libraryfinder.h"
#include "library/userlibrarycontroller.h"
#include "library/userlibrarytree.h"
#include "testwindow.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QStackedWidget>
#include <QTabWidget>

namespace {

/// Where the keyboard's keys go now: the open menu, else the focus.
QWidget *keyTarget()
{
    if (QWidget *popup = QApplication::activePopupWidget())
        return popup;
    return QApplication::focusWidget();
}

QString focusName()
{
    const QWidget *focus = QApplication::focusWidget();
    return focus
               ? QStringLiteral("%1 %2").arg(QString::fromLatin1(focus->metaObject()->className()), focus->objectName())
               : QStringLiteral("nothing");
}

/// Presses a key where the keyboard's keys go.
bool press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget *target = keyTarget();
    if (!target)
        return false;
    QTest::keyClick(target, Qt::Key(key), modifiers);
    QApplication::processEvents();
    return true;
}

bool type(const QString &text)
{
    QWidget *target = keyTarget();
    if (!target)
        return false;
    QTest::keyClicks(target, text);
    QApplication::processEvents();
    return true;
}

/// Opens a menu of the menu bar with Alt and its letter, then chooses the
/// item with its letter.
bool chooseFromMenu(int menuLetter, int itemLetter)
{
    if (!press(menuLetter, Qt::AltModifier))
        return false;
    auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    if (!menu)
        return false;
    return press(itemLetter) && !QApplication::activePopupWidget();
}

/// Presses Tab until the focus is on widget; false after limit presses.
bool tabTo(const QWidget *widget, int limit = 20)
{
    for (int i = 0; i < limit && QApplication::focusWidget() != widget; ++i)
        if (!press(Qt::Key_Tab))
            return false;
    return QApplication::focusWidget() == widget;
}

/// Presses F6 until the focus is in pane; false after limit presses.
bool f6To(const QWidget *pane, int limit = 8)
{
    const auto inside = [pane] {
        const QWidget *focus = QApplication::focusWidget();
        return focus && (focus == pane || pane->isAncestorOf(focus));
    };
    for (int i = 0; i < limit && !inside(); ++i)
        if (!press(Qt::Key_F6))
            return false;
    return inside();
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class TestKeyboard : public QObject {
    Q_OBJECT

private slots:
    void fromStart_toACopiedLibraryScript_withKeysOnly()
    {
        TestWindow t;
        TVM_Quillon_MF &w = *t.window;
        QTreeWidget *builtIn = w.builtInLibrary().tree();
        UserLibraryTree *userTree = w.userLibrary().tree();
        QLineEdit *findField = w.libraryFinder().field();
        // The name prompt of Save to library, answered as typed.
        t.prompter.dialogHandlers.insert(QStringLiteral("TDlg_Rename"), [](QDialog &d) {
            d.show();
            d.activateWindow();
            // The keys go to the dialog once it has the focus.
            if (!QTest::qWaitFor([&d] { return d.isAncestorOf(QApplication::focusWidget()); }))
                return int(QDialog::Rejected);
            type(QStringLiteral("Scroll by keys"));
            press(Qt::Key_Return);
            // The window manager gives the keyboard back to the main window.
            if (QWidget *main = d.parentWidget() ? d.parentWidget()->window() : nullptr) {
                main->activateWindow();
                static_cast<void>(QTest::qWaitForWindowActive(main));
            }
            return d.result();
        });
        QVERIFY2(QApplication::focusWidget() == t.body(), qPrintable(focusName()));

        // F6 goes from BODY round to the Libraries tab, its search field
        // first; Tab goes on to the built-in library.
        QVERIFY2(f6To(w.resourceTabs()), qPrintable(focusName()));
        QCOMPARE(QApplication::focusWidget(), findField);
        QVERIFY2(tabTo(builtIn, 1), qPrintable(focusName()));

        // Typing a name chooses the script; Space, the keyboard's click,
        // brings its settings up.
        QVERIFY(type(QStringLiteral("Scroll")));
        QCOMPARE(builtIn->currentItem()->text(0), QStringLiteral("Scroll"));
        QVERIFY(builtIn->currentItem()->isSelected());
        QVERIFY(press(Qt::Key_Space));
        QTRY_VERIFY(w.noteBook()->isVisible());
        QCOMPARE(w.noteBook()->currentWidget()->objectName(), QStringLiteral("TAB_Scroll"));

        // F6 goes on into the settings, to "in status line" first: Space
        // chooses it, Tab reaches its scrolling text.
        QVERIFY2(f6To(w.noteBook()), qPrintable(focusName()));
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("CHK_Scr1"));
        QVERIFY(press(Qt::Key_Space));
        QVERIFY(w.builtInLibrary().settings().scroll.statusLine);
        auto *text = w.noteBook()->currentWidget()->findChild<QLineEdit *>(QStringLiteral("EDT_Scroll1"));
        QVERIFY(text);
        QVERIFY2(tabTo(text, 6), qPrintable(focusName()));
        QVERIFY(press(Qt::Key_A, Qt::ControlModifier));
        QVERIFY(type(QStringLiteral("Keyboard only")));
        QCOMPARE(w.builtInLibrary().settings().scroll.statusText, QStringLiteral("Keyboard only"));

        // Library, Edit built-in script: the script goes into the editors,
        // in place of the one there (Yes to the question).
        t.prompter.yesNoAnswers = {AnswerYes};
        QVERIFY(chooseFromMenu(Qt::Key_L, Qt::Key_B));
        QCOMPARE(t.prompter.questions().size(), 1);
        QTRY_VERIFY(t.body()->wholeText().contains(QStringLiteral("Keyboard only")) ||
                    t.head()->wholeText().contains(QStringLiteral("Keyboard only")));

        // Library, Preview built-in script: without the embedded browser the
        // page goes to the default browser.
        const qsizetype opened = t.shell.openedPaths.size();
        QVERIFY(chooseFromMenu(Qt::Key_L, Qt::Key_W));
        QCOMPARE(t.shell.openedPaths.size(), opened + 1);
        QVERIFY(readAll(t.shell.openedPaths.last()).contains("Keyboard only"));

        // F6 to an editor, and a line typed at its end.
        QVERIFY2(f6To(t.head()), qPrintable(focusName()));
        QVERIFY(press(Qt::Key_End, Qt::ControlModifier));
        QVERIFY(press(Qt::Key_Return));
        QVERIFY(type(QStringLiteral("// typed by keys")));
        QVERIFY(t.head()->wholeText().endsWith(QStringLiteral("// typed by keys")));

        // Back to the libraries, Tab down to the user library, and a new
        // category from the Library menu, named in place.
        QVERIFY2(f6To(w.resourceTabs()), qPrintable(focusName()));
        QVERIFY2(tabTo(userTree), qPrintable(focusName()));
        QVERIFY(chooseFromMenu(Qt::Key_L, Qt::Key_C));
        auto *inPlace = qobject_cast<QLineEdit *>(QApplication::focusWidget());
        QVERIFY2(inPlace && userTree->isAncestorOf(inPlace), qPrintable(focusName()));
        QVERIFY(press(Qt::Key_A, Qt::ControlModifier));
        QVERIFY(type(QStringLiteral("Keys")));
        QVERIFY(press(Qt::Key_Return));
        QTRY_COMPARE(userTree->selectedItem()->text(0), QStringLiteral("Keys"));

        // Save to library: into the new category, under the name typed.
        QVERIFY(press(Qt::Key_S, Qt::ControlModifier));
        QCOMPARE(t.prompter.dialogs().size(), 1);
        const QString lib = t.libraryFolder();
        QVERIFY(readAll(lib + QStringLiteral("uscripts.dat")).contains("Keys\r\n Scroll by keys\r\n"));
        const QByteArray saved = readAll(lib + QStringLiteral("Scroll by keys.js"));
        QVERIFY(saved.contains("Keyboard only"));
        QVERIFY(saved.contains("// typed by keys"));

        // Found again: Ctrl+J, the name, Enter into the results.
        QVERIFY(press(Qt::Key_J, Qt::ControlModifier));
        QCOMPARE(QApplication::focusWidget(), findField);
        QVERIFY(type(QStringLiteral("by keys")));
        QVERIFY(press(Qt::Key_Return));
        QCOMPARE(QApplication::focusWidget(), userTree);
        QCOMPARE(userTree->selectedItem()->text(0), QStringLiteral("Scroll by keys"));

        // Library, Copy script from library.
        QGuiApplication::clipboard()->clear();
        QVERIFY(chooseFromMenu(Qt::Key_L, Qt::Key_L));
        const QString copied = QGuiApplication::clipboard()->text();
        QVERIFY(copied.contains(QStringLiteral("Keyboard only")));
        QVERIFY(copied.contains(QStringLiteral("// typed by keys")));

        // Only the question and the name prompt came up: no message on the way.
        QVERIFY2(t.prompter.shown.size() == 2 && t.prompter.messages().isEmpty(), qPrintable(t.prompter.describe()));
        QVERIFY(!QApplication::activePopupWidget());
    }

    // Ctrl+Page Down and Up turn the resource tabs while the focus is in
    // them; in an editor the keys stay the editor's.
    void ctrlPageKeys_turnTheResourceTabs_onlyFromInside()
    {
        TestWindow t;
        TVM_Quillon_MF &w = *t.window;
        QTabWidget *tabs = w.resourceTabs();
        QCOMPARE(tabs->currentIndex(), 0);
        QVERIFY(f6To(tabs));
        QVERIFY(press(Qt::Key_PageDown, Qt::ControlModifier));
        QCOMPARE(tabs->currentIndex(), 1);
        // The focus goes along, into the page shown.
        QVERIFY2(tabs->currentWidget()->isAncestorOf(QApplication::focusWidget()), qPrintable(focusName()));
        QVERIFY(press(Qt::Key_PageDown, Qt::ControlModifier));
        QCOMPARE(tabs->currentIndex(), 2);
        QVERIFY(press(Qt::Key_PageDown, Qt::ControlModifier));
        QCOMPARE(tabs->currentIndex(), 0);
        QVERIFY(press(Qt::Key_PageUp, Qt::ControlModifier));
        QCOMPARE(tabs->currentIndex(), 2);

        // In an editor the key is not the window's.
        QVERIFY(f6To(t.body()));
        QVERIFY(press(Qt::Key_PageUp, Qt::ControlModifier));
        QCOMPARE(tabs->currentIndex(), 2);
        QCOMPARE(QApplication::focusWidget(), t.body());
    }
};

QUILLON_GUI_TEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
