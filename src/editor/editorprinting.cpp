#include "editor/editorprinting.h"

#include "editor/scripteditor.h"

#include <QPainter>
#include <Qsci/qsciprinter.h>

namespace {

// QsciPrinter does not check that its painter could start: a file that
// cannot be written would pass for printed.
bool printOn(QsciPrinter &printer, ScriptEditor &editor)
{
    printer.setWrapMode(QsciScintilla::WrapWord);
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
