#include "library/librarycommands.h"

#include "document/linkedundo.h"
#include "document/scripteditors.h"
#include "document/scripttext.h"
#include "editor/scripteditor.h"
#include "platform/prompter.h"
#include "platform/textfile.h"
#include "ports/ports.h"
#include "widgets/busycursor.h"

#include <QClipboard>
#include <QGuiApplication>

void loadLibraryScript(LibraryKind library, LibraryService &libraries, ScriptEditors &editors, Prompter &prompter,
                       bool slowToRead)
{
    if (!askToReplaceScript(prompter))
        return;
    const BusyCursor busy(slowToRead);
    if (!libraries.GetLibraryScript(library))
        return;
    editors.setScript(libraries.texts().head, libraries.texts().body);
}

void insertLibraryScriptAtCaret(LibraryKind library, LibraryService &libraries, ScriptEditors &editors, bool slowToRead)
{
    {
        const BusyCursor busy(slowToRead);
        if (!libraries.GetLibraryScript(library))
            return;
    }
    const QByteArray head = toCrLf(libraries.texts().head).toUtf8();
    const QByteArray body = toCrLf(libraries.texts().body).toUtf8();
    const auto atEnd = [&head](ScriptEditor &editor) {
        const long end = editor.SendScintilla(QsciScintillaBase::SCI_GETLENGTH);
        editor.SendScintilla(QsciScintillaBase::SCI_INSERTTEXT, end, head.constData());
    };
    const auto atCaret = [&body](ScriptEditor &editor) {
        const long caret = editor.SendScintilla(QsciScintillaBase::SCI_GETCURRENTPOS);
        editor.SendScintilla(QsciScintillaBase::SCI_INSERTTEXT, caret, body.constData());
        editor.SendScintilla(QsciScintillaBase::SCI_GOTOPOS, caret + long(body.size()));
    };
    editBothAsOneStep(editors, head.isEmpty() ? std::function<void(ScriptEditor &)>() : atEnd,
                      body.isEmpty() ? std::function<void(ScriptEditor &)>() : atCaret);
}

void previewLibraryScript(LibraryKind library, LibraryService &libraries, ScriptPreview &preview,
                          const QString &scriptName)
{
    if (!preview.internalBrowserExists()) {
        // Without an embedded browser this previews the editors' script in
        // the default browser.
        preview.previewEditorsInDefaultBrowser();
        return;
    }
    preview.enterPreviewTab();
    if (!libraries.GetLibraryScript(library))
        return;
    preview.ShowInInternalBrowser(libraries.texts().head, libraries.texts().body, scriptName);
}

void copyLibraryScript(LibraryService &libraries, Prompter &prompter)
{
    const std::optional<LibraryKind> library = libraries.focusedLibrary();
    if (!library) {
        prompter.ShowMessageBox(IconInformation, QStringLiteral("Information!"),
                                QStringLiteral("Please select a script from a library!"));
        return;
    }
    if (!libraries.GetLibraryScript(*library))
        return;
    const LibraryTexts &texts = libraries.texts();
    QGuiApplication::clipboard()->setText(composeClipboardText(texts.head, texts.body));
}
