#include "library/librarycommands.h"

#include "document/scripteditors.h"
#include "document/scripttext.h"
#include "editor/scripteditor.h"
#include "platform/prompter.h"
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

void appendLibraryScript(LibraryKind library, LibraryService &libraries, ScriptEditors &editors, bool slowToRead)
{
    {
        const BusyCursor busy(slowToRead);
        if (!libraries.GetLibraryScript(library))
            return;
    }
    const auto append = [](ScriptEditor *editor, const QString &text) {
        const QByteArray bytes = text.toUtf8();
        const long end = editor->SendScintilla(QsciScintillaBase::SCI_GETLENGTH);
        editor->SendScintilla(QsciScintillaBase::SCI_INSERTTEXT, end, bytes.constData());
    };
    append(editors.head(), libraries.texts().head);
    append(editors.body(), libraries.texts().body);
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
