// The editors' highlighting and the "Editor options" dialog in the main
// window: styles and keys changed, applied to both editors and the form
// builder's editor, written to editsett.dat and read back at the next start.

#include "editor/editoroptionsdialog.h"
#include "editor/schemelexer.h"
#include "editor/scripteditor.h"
#include "platform/errors.h"
#include "testwindow.h"
#include "widgets/colourbutton.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeySequenceEdit>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableWidget>
#include <QTabWidget>
#include <QToolBar>

namespace {

QColor foregroundOf(ScriptEditor *editor, int schemeId)
{
    const long bgr = editor->SendScintilla(QsciScintillaBase::SCI_STYLEGETFORE, static_cast<unsigned long>(SchemeLexer::scintillaStyle(schemeId)));
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

bool italicOf(ScriptEditor *editor, int schemeId)
{
    return editor->SendScintilla(QsciScintillaBase::SCI_STYLEGETITALIC, static_cast<unsigned long>(SchemeLexer::scintillaStyle(schemeId))) != 0;
}

int styleAt(ScriptEditor *editor, const QString &text, const QString &piece)
{
    editor->setWholeText(text);
    const long length = editor->SendScintilla(QsciScintillaBase::SCI_GETLENGTH);
    editor->SendScintilla(QsciScintillaBase::SCI_COLOURISE, 0UL, length);
    const auto at = static_cast<unsigned long>(text.toUtf8().indexOf(piece.toUtf8()));
    return int(editor->SendScintilla(QsciScintillaBase::SCI_GETSTYLEAT, at));
}

// Makes "JS Keyword" italic and teal and gives "Undo" a second key.
int changeJsKeyword(QDialog &dialog)
{
    auto *styles = dialog.findChild<QListWidget *>(QStringLiteral("LST_Styles"));
    const auto found = styles->findItems(QStringLiteral("JS Keyword"), Qt::MatchExactly);
    if (found.size() != 1)
        return QDialog::Rejected;
    styles->setCurrentItem(found.first());
    dialog.findChild<QComboBox *>(QStringLiteral("CMB_Attribute"))->setCurrentIndex(int(FontAttribute::Italic));
    auto *fore = dialog.findChild<ColourButton *>(QStringLiteral("BTN_Foreground"));
    fore->setColour(QColor(0, 128, 128));
    emit fore->colourPicked(QColor(0, 128, 128));
    dialog.findChild<QKeySequenceEdit *>(QStringLiteral("Key_41_2"))->setKeySequence(QKeySequence(QStringLiteral("Ctrl+Shift+Backspace")));
    return QDialog::Accepted;
}

QColor paperOf(ScriptEditor *editor, int style = QsciScintillaBase::STYLE_DEFAULT)
{
    const long bgr = editor->SendScintilla(QsciScintillaBase::SCI_STYLEGETBACK, static_cast<unsigned long>(style));
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

// Tab width 8, block indent 3, a margin at column 72, 14 points, no line
// numbers, and the Dark colours: all through the dialog's own widgets.
int setDisplayAndDark(QDialog &dialog)
{
    dialog.findChild<QSpinBox *>(QStringLiteral("SPN_TabWidth"))->setValue(8);
    dialog.findChild<QSpinBox *>(QStringLiteral("SPN_BlockIndent"))->setValue(3);
    dialog.findChild<QSpinBox *>(QStringLiteral("SPN_RightMargin"))->setValue(72);
    dialog.findChild<QSpinBox *>(QStringLiteral("SPN_FontSize"))->setValue(14);
    dialog.findChild<QCheckBox *>(QStringLiteral("CHK_LineNumbers"))->setChecked(false);
    dialog.findChild<QRadioButton *>(QStringLiteral("RAD_Scheme%1").arg(int(ColourScheme::Dark)))->click();
    // The sample on the styles page turns dark with the click.
    auto *sample = dialog.findChild<ScriptEditor *>(QStringLiteral("MEM_Sample"));
    return sample && paperOf(sample).lightness() < 128 ? QDialog::Accepted : QDialog::Rejected;
}

// The share (in hundredths) of a picture's opaque pixels that are as dark
// as the slate of its line art: what vanishes on a dark window.
int darkShare(const QIcon &icon)
{
    const QImage image = icon.pixmap(24, 24).toImage().convertToFormat(QImage::Format_ARGB32);
    int dark = 0;
    int opaque = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (pixel.alpha() < 128)
                continue;
            ++opaque;
            dark += pixel.lightness() < 90 ? 1 : 0;
        }
    }
    return opaque ? 100 * dark / opaque : -1;
}

} // namespace

class TestEditorOptions : public QObject {
    Q_OBJECT

private slots:
    void editors_drawTheScheme()
    {
        TestWindow t;
        const QString page = QStringLiteral("<SCRIPT>format(1); for(;;) {}</SCRIPT> &nbsp; http://example.com");
        for (ScriptEditor *editor : {t.head(), t.body()}) {
            QVERIFY(qobject_cast<SchemeLexer *>(editor->lexer()));
            QCOMPARE(styleAt(editor, page, QStringLiteral("for(")), SchemeLexer::scintillaStyle(SchemeStyle::JsKeyword));
            QCOMPARE(styleAt(editor, page, QStringLiteral("format")), SchemeLexer::scintillaStyle(SchemeStyle::JsIdentifier));
            QCOMPARE(styleAt(editor, page, QStringLiteral("&nbsp;")), SchemeStyle::SpecialChar);
            QCOMPARE(styleAt(editor, page, QStringLiteral("example")), SchemeStyle::WebUrl);
        }
        // The moved styles keep clear of Scintilla's own.
        QVERIFY(SchemeLexer::scintillaStyle(SchemeStyle::JsString) > QsciScintillaBase::STYLE_LASTPREDEFINED);
        QCOMPARE(foregroundOf(t.body(), SchemeStyle::JsNumber), QColor(255, 0, 255));
        QVERIFY(t.prompter.messages().isEmpty());
        QVERIFY(!QFile::exists(t.window->editorSettingsPath()));
    }

    void optionsDialog_okAppliesEverywhere_andSurvivesARestart()
    {
        QTemporaryDir library;
        const QString folder = library.filePath(QStringLiteral("user-scripts"));
        QVERIFY(QDir().mkpath(folder));
        {
            TestWindow t(false, folder);
            t.prompter.dialogHandlers[QStringLiteral("EditorOptionsDialog")] = changeJsKeyword;
            t.trigger("MMNU_E_Settings");
            for (ScriptEditor *editor : {t.head(), t.body()}) {
                QCOMPARE(foregroundOf(editor, SchemeStyle::JsKeyword), QColor(0, 128, 128));
                QVERIFY(italicOf(editor, SchemeStyle::JsKeyword));
                QVERIFY(!italicOf(editor, SchemeStyle::JsMethod));
            }
            QVERIFY2(QFile::exists(t.window->editorSettingsPath()), "written right after the dialog");
            QCOMPARE(t.window->editorSettings().keys[41][1], QStringLiteral("Ctrl+Shift+Backspace"));

            // The form builder's editor is drawn the same way.
            bool memoChecked = false;
            t.prompter.dialogHandlers[QStringLiteral("TFormularzDlg")] = [&](QDialog &dialog) {
                auto *memo = dialog.findChild<ScriptEditor *>(QStringLiteral("memo"));
                memoChecked = memo && foregroundOf(memo, SchemeStyle::JsKeyword) == QColor(0, 128, 128);
                return QDialog::Rejected;
            };
            t.trigger("MMNU_HTML_FormB");
            QVERIFY(memoChecked);
            QVERIFY2(t.prompter.messages().isEmpty(), qPrintable(t.prompter.describe()));
        }
        TestWindow again(false, folder);
        QCOMPARE(foregroundOf(again.body(), SchemeStyle::JsKeyword), QColor(0, 128, 128));
        QVERIFY(italicOf(again.head(), SchemeStyle::JsKeyword));
        QCOMPARE(again.window->editorSettings().keys[41][1], QStringLiteral("Ctrl+Shift+Backspace"));
        // The second key works: it undoes in the editor.
        again.body()->empty();
        again.body()->setFocus();
        QTest::keyClicks(again.body(), QStringLiteral("abc"));
        QTest::keyClick(again.body(), Qt::Key_Backspace, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(again.body()->wholeText(), QString());
    }

    void optionsDialog_displayAndDarkScheme_reachBothEditors_andARestart()
    {
        QTemporaryDir library;
        const QString folder = library.filePath(QStringLiteral("user-scripts"));
        QVERIFY(QDir().mkpath(folder));
        {
            TestWindow t(false, folder);
            for (ScriptEditor *editor : {t.head(), t.body()}) {
                QVERIFY(editor->marginWidth(0) > 0);
                QCOMPARE(editor->edgeMode(), QsciScintilla::EdgeNone);
                QVERIFY(paperOf(editor).lightness() > 128);
            }
            t.prompter.dialogHandlers[QStringLiteral("EditorOptionsDialog")] = setDisplayAndDark;
            t.trigger("MMNU_E_Settings");
            for (ScriptEditor *editor : {t.head(), t.body()}) {
                QCOMPARE(editor->tabWidth(), 8);
                QCOMPARE(editor->blockIndentStep(), 3);
                QCOMPARE(editor->marginWidth(0), 0);
                QCOMPARE(editor->edgeMode(), QsciScintilla::EdgeLine);
                QCOMPARE(editor->edgeColumn(), 72);
                QCOMPARE(editor->SendScintilla(QsciScintillaBase::SCI_STYLEGETSIZE, 0UL), 14L);
                QVERIFY(paperOf(editor).lightness() < 128);
                QVERIFY(paperOf(editor, SchemeLexer::scintillaStyle(SchemeStyle::JsKeyword)).lightness() < 128);
                QVERIFY(foregroundOf(editor, SchemeStyle::Default).lightness() > 128);
            }
            // The form builder's editor turns dark too, and keeps its own margin.
            bool memoChecked = false;
            t.prompter.dialogHandlers[QStringLiteral("TFormularzDlg")] = [&](QDialog &dialog) {
                auto *memo = dialog.findChild<ScriptEditor *>(QStringLiteral("memo"));
                memoChecked = memo && paperOf(memo).lightness() < 128 && memo->edgeColumn() == 80;
                return QDialog::Rejected;
            };
            t.trigger("MMNU_HTML_FormB");
            QVERIFY(memoChecked);
            // Line numbers back on: the gutter has room for them again.
            t.prompter.dialogHandlers[QStringLiteral("EditorOptionsDialog")] = [](QDialog &dialog) {
                dialog.findChild<QCheckBox *>(QStringLiteral("CHK_LineNumbers"))->setChecked(true);
                return int(QDialog::Accepted);
            };
            t.trigger("MMNU_E_Settings");
            QVERIFY(t.head()->marginWidth(0) > 0 && t.body()->marginWidth(0) > 0);
            QVERIFY2(t.prompter.messages().isEmpty(), qPrintable(t.prompter.describe()));
        }
        TestWindow again(false, folder);
        for (ScriptEditor *editor : {again.head(), again.body()}) {
            QCOMPARE(editor->tabWidth(), 8);
            QCOMPARE(editor->edgeColumn(), 72);
            QVERIFY(editor->marginWidth(0) > 0);
            QVERIFY(paperOf(editor).lightness() < 128);
        }
    }

    // Following the desktop, the editors are dark on a dark desktop.
    void followTheDesktop_darkWindow_drawsDark()
    {
        const QPalette before = QApplication::palette();
        QPalette dark = before;
        dark.setColor(QPalette::Window, QColor(0x30, 0x30, 0x30));
        dark.setColor(QPalette::WindowText, QColor(0xe0, 0xe0, 0xe0));
        QApplication::setPalette(dark);
        {
            TestWindow t;
            QCOMPARE(t.window->editorSettings().colourScheme, ColourScheme::FollowDesktop);
            QVERIFY(paperOf(t.body()).lightness() < 128);
            QVERIFY(paperOf(t.head()).lightness() < 128);
        }
        QApplication::setPalette(before);
        TestWindow t;
        QVERIFY(paperOf(t.body()).lightness() > 128);
    }

    // The HTML toolbar's pictures are dark line art: on a dark window they
    // are drawn light, and dark again once the window is light.
    void htmlToolbar_iconsShowOnADarkWindow()
    {
        TestWindow t;
        auto *bar = t.window->findChild<QToolBar *>(QStringLiteral("HTMLToolbar"));
        QVERIFY(bar);
        const QPalette before = QApplication::palette();
        QPalette dark = before;
        dark.setColor(QPalette::Window, QColor(0x30, 0x30, 0x30));
        dark.setColor(QPalette::WindowText, QColor(0xe8, 0xe8, 0xe8));
        int lineArt = 0;
        for (QAction *action : bar->actions()) {
            if (action->isSeparator() || action->icon().isNull() || darkShare(action->icon()) < 0)
                continue;
            const int onLight = darkShare(action->icon());
            QApplication::setPalette(dark);
            const int onDark = darkShare(action->icon());
            QApplication::setPalette(before);
            // Hardly anything as dark as the window is left of any picture.
            QVERIFY2(onDark <= 5,
                     qPrintable(QStringLiteral("%1: %2 then %3").arg(action->text()).arg(onLight).arg(onDark)));
            if (onLight >= 50)
                ++lineArt;
        }
        // Most of the bar is line art alone (bold, italic, the alignments...).
        QVERIFY2(lineArt >= 5, qPrintable(QString::number(lineArt)));
    }

    // Word wrap, switched in the View menu, is on again after a restart.
    void wordWrap_survivesARestart()
    {
        QTemporaryDir library;
        const QString folder = library.filePath(QStringLiteral("user-scripts"));
        QVERIFY(QDir().mkpath(folder));
        {
            TestWindow t(false, folder);
            QVERIFY(!t.body()->wordWrapOn());
            t.trigger("MMNU_E_WordWrap");
            QVERIFY(t.head()->wordWrapOn() && t.body()->wordWrapOn());
            QVERIFY(t.window->close());
        }
        {
            TestWindow again(false, folder);
            QVERIFY(again.head()->wordWrapOn());
            QVERIFY(again.body()->wordWrapOn());
            QVERIFY(again.action("MMNU_E_WordWrap")->isChecked());
            again.trigger("MMNU_E_WordWrap");
            QVERIFY(again.window->close());
        }
        TestWindow third(false, folder);
        QVERIFY(!third.body()->wordWrapOn());
        QVERIFY(!third.action("MMNU_E_WordWrap")->isChecked());
        QVERIFY2(third.prompter.messages().isEmpty(), qPrintable(third.prompter.describe()));
    }

    // A damaged file is reported at start and kept whole before the close
    // writes the settings; a link in its place is never written through.
    void damagedOrLinkedFile_isNeverLost()
    {
        QTemporaryDir library;
        const QString folder = library.filePath(QStringLiteral("user-scripts"));
        QVERIFY(QDir().mkpath(folder));
        const QString path = QDir(folder).filePath(QStringLiteral("editsett.dat"));
        const QByteArray damaged(50000, 'x');
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(damaged);
        }
        {
            TestWindow t(false, folder);
            const auto messages = t.prompter.messages();
            QCOMPARE(messages.size(), 1);
            QVERIFY(messages.first().text.startsWith(QStringLiteral("Cannot open file ")));
            QVERIFY2(messages.first().text.contains(QStringLiteral("editsett.dat.bak")),
                     qPrintable(messages.first().text));
            QVERIFY(t.window->close());
        }
        QFile kept(path + QStringLiteral(".bak"));
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), damaged);
        QFile rewritten(path);
        QVERIFY(rewritten.open(QIODevice::ReadOnly));
        EditorSettings read = defaultEditorSettings();
        QVERIFY(readEditorSettings(rewritten.readAll(), read));

        const QString victim = library.filePath(QStringLiteral("victim"));
        {
            QFile file(victim);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("the victim's own text");
        }
        QVERIFY(QFile::remove(path));
        QVERIFY(QFile::link(victim, path));
        {
            TestWindow t(false, folder);
            QCOMPARE(t.prompter.messages().size(), 1);
            t.prompter.clear();
            t.window->close();
            // The close says that the settings were not written.
            const auto messages = t.prompter.messages();
            QVERIFY2(!messages.isEmpty() && messages.last().text.startsWith(QStringLiteral("Cannot create file ")),
                     qPrintable(t.prompter.describe()));
        }
        QFile untouched(victim);
        QVERIFY(untouched.open(QIODevice::ReadOnly));
        QCOMPARE(untouched.readAll(), QByteArray("the victim's own text"));
    }

    void optionsDialog_cancel_changesNothingButWrites()
    {
        TestWindow t;
        t.prompter.dialogHandlers[QStringLiteral("EditorOptionsDialog")] = [](QDialog &dialog) {
            changeJsKeyword(dialog);
            return int(QDialog::Rejected);
        };
        t.trigger("Przycisk_Ustawienia");
        QCOMPARE(foregroundOf(t.head(), SchemeStyle::JsKeyword), QColor(0, 128, 0));
        QFile written(t.window->editorSettingsPath());
        QVERIFY(written.open(QIODevice::ReadOnly));
        EditorSettings read = defaultEditorSettings();
        QVERIFY(readEditorSettings(written.readAll(), read));
        QVERIFY(read == defaultEditorSettings());
    }

    // A key the window uses, given to an editor command: the box says which
    // command of the window takes it, and the window's command runs.
    void keyTakenByTheWindow_isNotedBesideItsBox_andTheWindowWins()
    {
        TestWindow t;
        QString noteForCtrlS;
        QString noteForF6;
        QString noteForFreeKey;
        bool noteShown = false;
        t.prompter.dialogHandlers[QStringLiteral("EditorOptionsDialog")] = [&](QDialog &dialog) {
            dialog.show();
            auto *wordLeft = dialog.findChild<QKeySequenceEdit *>(QStringLiteral("Key_8_1"));
            auto *note = dialog.findChild<QLabel *>(QStringLiteral("LBL_KeyNote_8"));
            auto *otherNote = dialog.findChild<QLabel *>(QStringLiteral("LBL_KeyNote_9"));
            if (!wordLeft || !note || !otherNote)
                return int(QDialog::Rejected);
            if (!otherNote->text().isEmpty())
                return int(QDialog::Rejected);  // the default keys are the editors' own
            // The keys go to the box as they would with the dialog up.
            dialog.activateWindow();
            if (!QTest::qWaitForWindowActive(&dialog))
                return int(QDialog::Rejected);
            wordLeft->setFocus();
            wordLeft->clear();
            // The box takes a key as recorded a moment after it is let go.
            const auto record = [&](Qt::Key key, Qt::KeyboardModifiers modifiers) {
                wordLeft->clear();
                QSignalSpy recorded(wordLeft, &QKeySequenceEdit::editingFinished);
                QTest::keyClick(wordLeft, key, modifiers);
                static_cast<void>(recorded.wait(5000));
                return note->text();
            };
            noteForF6 = record(Qt::Key_F6, Qt::NoModifier);
            noteForFreeKey = record(Qt::Key_F7, Qt::ControlModifier | Qt::AltModifier);
            noteForCtrlS = record(Qt::Key_S, Qt::ControlModifier);
            QTabWidget *pages = dialog.findChild<QTabWidget *>(QStringLiteral("PGC_Options"));
            pages->setCurrentIndex(pages->count() - 1);
            auto *keys = dialog.findChild<QTableWidget *>(QStringLiteral("GRD_Keys"));
            keys->scrollToItem(keys->item(8, 0));
            noteShown = note->isVisible() && note->width() >= note->sizeHint().width() / 2;
            return int(QDialog::Accepted);
        };
        t.trigger("MMNU_E_Settings");
        QVERIFY2(noteForF6.contains(QStringLiteral("\"Next pane\"")), qPrintable(noteForF6));
        QVERIFY2(noteForCtrlS.contains(QStringLiteral("\"Save to library\"")), qPrintable(noteForCtrlS));
        QVERIFY2(noteForCtrlS.contains(QKeySequence(QStringLiteral("Ctrl+S")).toString(QKeySequence::NativeText)),
                 qPrintable(noteForCtrlS));
        QCOMPARE(noteForFreeKey, QString());
        QVERIFY(noteShown);
        QCOMPARE(t.window->editorSettings().keys[8][0], QStringLiteral("Ctrl+S"));

        // In the editor, Ctrl+S is still Save to library, not Word left.
        t.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(t.window.get()));
        t.body()->setFocus();
        t.body()->setCaretLineColumn(2, 3);
        const int caret = t.body()->caretPosition();
        t.prompter.clear();
        QTest::keyClick(t.body(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(t.body()->caretPosition(), caret);
        QVERIFY2(!t.prompter.shown.isEmpty(), "Save to library asks for a name or a category");
    }

    // Ctrl+K, 3 sets bookmark 3 and Ctrl+Q, 3 goes back to it; Ctrl+K, I
    // and Ctrl+K, U indent and unindent; no key of a pair is typed.
    void chordKeys_bookmarksAndIndents()
    {
        TestWindow t;
        ScriptEditor *editor = t.body();
        editor->setWholeText(QStringLiteral("one\r\ntwo\r\nthree"));
        editor->setFocus();
        editor->setCaretLineColumn(2, 3);
        QTest::keyClick(editor, Qt::Key_K, Qt::ControlModifier);
        QTest::keyClick(editor, Qt::Key_3);
        QVERIFY(editor->hasBookmark(3));
        editor->setCaretPosition(0);
        QTest::keyClick(editor, Qt::Key_Q, Qt::ControlModifier);
        QTest::keyClick(editor, Qt::Key_3);
        QCOMPARE(editor->caretLine(), 2);
        QCOMPARE(editor->caretColumn(), 3);

        QTest::keyClick(editor, Qt::Key_K, Qt::ControlModifier);
        QTest::keyClick(editor, Qt::Key_I);
        const QString indented = QString(editor->blockIndentStep(), u' ') + QStringLiteral("two");
        QCOMPARE(editor->wholeText(), QStringLiteral("one\r\n") + indented + QStringLiteral("\r\nthree"));
        QTest::keyClick(editor, Qt::Key_K, Qt::ControlModifier);
        QTest::keyClick(editor, Qt::Key_U, Qt::ControlModifier);  // the second key with Ctrl still held
        QCOMPARE(editor->wholeText(), QStringLiteral("one\r\ntwo\r\nthree"));
        // After a pair, keys type again.
        QTest::keyClick(editor, Qt::Key_X);
        QVERIFY(editor->wholeText().contains(u'x'));
    }

    void damagedSettingsFile_isReported_andTheBuiltInSettingsKept()
    {
        QTemporaryDir library;
        const QString folder = library.filePath(QStringLiteral("user-scripts"));
        QVERIFY(QDir().mkpath(folder));
        QFile damaged(QDir(folder).filePath(QStringLiteral("editsett.dat")));
        QVERIFY(damaged.open(QIODevice::WriteOnly));
        damaged.write("not the editor's settings\r\n");
        damaged.close();

        TestWindow t(false, folder);
        const auto messages = t.prompter.messages();
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages.first().icon, int(IconError));
        // The box names the file, and where it is kept before it is rewritten.
        QVERIFY2(messages.first().text.startsWith(
                     QStringLiteral("Cannot open file %1\r\n").arg(QDir::toNativeSeparators(damaged.fileName()))),
                 qPrintable(messages.first().text));
        QVERIFY(messages.first().text.contains(QDir::toNativeSeparators(damaged.fileName()) + QStringLiteral(".bak")));
        QCOMPARE(foregroundOf(t.body(), SchemeStyle::JsKeyword), QColor(0, 128, 0));
    }

    // Something in the file's place that is no file: it cannot be read at
    // start nor replaced after the dialog, and both are said.
    void settingsFileInTheWay_readAndWriteFailuresAreReported()
    {
        QTemporaryDir library;
        const QString folder = library.filePath(QStringLiteral("user-scripts"));
        const QString path = QDir(folder).filePath(QStringLiteral("editsett.dat"));
        QVERIFY(QDir().mkpath(path));

        TestWindow t(false, folder);
        QCOMPARE(t.prompter.messages().size(), 1);
        QVERIFY(t.prompter.messages().first().text.startsWith(
            QStringLiteral("Cannot open file %1\r\n").arg(QDir::toNativeSeparators(path))));
        t.prompter.clear();
        t.prompter.dialogHandlers[QStringLiteral("EditorOptionsDialog")] = changeJsKeyword;
        t.trigger("MMNU_E_Settings");
        const auto messages = t.prompter.messages();
        QCOMPARE(messages.size(), 1);
        QVERIFY(messages.first().text.startsWith(
            QStringLiteral("Cannot create file %1\r\n").arg(QDir::toNativeSeparators(path))));
        QVERIFY(QFileInfo(path).isDir());
        // What the user chose is in force for this run all the same.
        QCOMPARE(foregroundOf(t.body(), SchemeStyle::JsKeyword), QColor(0, 128, 128));
    }
};

QUILLON_GUI_TEST_MAIN(TestEditorOptions)
#include "tst_editoroptions.moc"
