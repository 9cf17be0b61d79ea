#include "editor/editorprinting.h"

#include "editor/schemelexer.h"
#include "editor/scripteditor.h"

#include <QPainter>
#include <Qsci/qsciprinter.h>

namespace {

// The editor set up as its print options say for the time of one
// printout, and put back after it.  A dark editor prints its light looks:
// paper is white.
class PrintLooks final {
public:
    explicit PrintLooks(ScriptEditor &editor) : m_editor(editor), m_numbersShown(editor.lineNumbersShown())
    {
        const auto *lexer = qobject_cast<const SchemeLexer *>(editor.lexer());
        if (!lexer)
            return;
        const EditorSettings &settings = lexer->settings();
        m_wasDark = lexer->drawnDark();
        if (m_wasDark)
            drawSchemeLooks(editor, false);
        editor.SendScintilla(QsciScintillaBase::SCI_SETPRINTCOLOURMODE,
                             settings.printColours ? QsciScintillaBase::SC_PRINT_COLOURONWHITEDEFAULTBG
                                                   : QsciScintillaBase::SC_PRINT_BLACKONWHITE);
        // Scintilla prints the line numbers when the gutter shows them.
        if (settings.printLineNumbers != m_numbersShown)
            editor.setLineNumbersShown(settings.printLineNumbers);
    }
    ~PrintLooks()
    {
        if (m_editor.lineNumbersShown() != m_numbersShown)
            m_editor.setLineNumbersShown(m_numbersShown);
        if (m_wasDark)
            drawSchemeLooks(m_editor, true);
    }
    PrintLooks(const PrintLooks &) = delete;
    PrintLooks &operator=(const PrintLooks &) = delete;

private:
    ScriptEditor &m_editor;
    bool m_numbersShown;
    bool m_wasDark = false;
};

// QsciPrinter does not check that its painter could start: a file that
// cannot be written would pass for printed.
bool printOn(QsciPrinter &printer, ScriptEditor &editor)
{
    printer.setWrapMode(QsciScintilla::WrapWord);
    const PrintLooks looks(editor);
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const bool printed = printer.printRange(&editor, painter);
    return painter.end() && printed;
}

}  // namespace

bool printWholeText(ScriptEditor &editor, QPrinter &printer)
{
    if (auto *own = dynamic_cast<QsciPrinter *>(&printer))
        return printOn(*own, editor);
    // Print through a printer of the editor's own kind, set up like the one given.
    QsciPrinter own(QPrinter::HighResolution);
    own.setOutputFormat(printer.outputFormat());
    if (printer.outputFormat() == QPrinter::NativeFormat)
        own.setPrinterName(printer.printerName());
    own.setOutputFileName(printer.outputFileName());
    own.setResolution(printer.resolution());
    own.setPageLayout(printer.pageLayout());
    own.setColorMode(printer.colorMode());
    own.setCopyCount(printer.copyCount());
    own.setDuplex(printer.duplex());
    own.setDocName(printer.docName());
    return printOn(own, editor);
}
