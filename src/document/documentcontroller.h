#pragma once
// The script as a document: New, Open, Save as, Copy to clipboard, Print,
// Printer setup, and the status read-out that follows the editors.

#include <QObject>
#include <QString>

#include <memory>

class ActionRegistry;
class Prompter;
class QPrinter;
class ScriptEditor;
class ScriptEditors;
class StatusPanels;
struct Ports;

class DocumentController final : public QObject {
    Q_OBJECT
public:
    explicit DocumentController(const Ports &ports, QObject *parent = nullptr);
    ~DocumentController() override;

    /// Connects the status read-out once the editors exist and hold their
    /// start-up text.
    void attachEditors();

    void newScript();
    void openScript();
    /// Reads the script file at path into the two editors, as Open does
    /// once a file is chosen, without asking anything first.  A file that
    /// cannot be read is reported ("Cannot open file ...") and false
    /// returned; the editors then keep their script.
    bool openFile(const QString &path);
    void saveAs();
    void copyFromEditor();
    /// Prints the focused editor's fragment to the printer chosen last (the
    /// system's default at first), without a dialog.  With no printer
    /// installed the printout is a PDF file in the print folder, named so
    /// that no file there is overwritten, and the user is told its place.
    void print();
    void printerSetup();
    /// Where a printout without a printer goes (the documents folder).
    void setPrintFolder(const QString &folder) { m_printFolder = folder; }

    /// Brings the status bar and the command states up to date with the
    /// focused editor (which also becomes the current editor).
    void HEAD_EDChange();

    /// The printer the Print command uses.
    QPrinter &printer();

signals:
    /// Save as has ended, with a file written or not: a file may have gone
    /// into the user library's folder.
    void saveAsDone();

private:
    void enableEditCommands(bool cut, bool paste, bool undo, bool redo);
    void updateClipboardState();
    void updateSelectionCommands();
    /// Line, column and modified state of the focused editor.
    void updateCaretReadOut();
    /// True when path is free, or the user agrees to replace the file there.
    bool replaceExistingFile(const QString &path);
    /// A new PDF file's place in the print folder.
    QString unusedPrintFile() const;

    const Ports &m_ports;  // its pages and library texts are read when used
    Prompter &m_prompter;
    ActionRegistry &m_actions;
    ScriptEditors &m_editors;
    StatusPanels &m_status;
    std::unique_ptr<QPrinter> m_printer;
    QString m_printFolder;
    bool m_clipboardHasText = false;
    bool m_caretReadOutPending = false;
};
