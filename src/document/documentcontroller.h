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
    /// once a file is chosen, without asking anything first.  Throws
    /// std::runtime_error ("Cannot open file ...") when the file cannot be
    /// read; the editors then keep their script.
    void openFile(const QString &path);
    void saveAs();
    void copyFromEditor();
    void print();
    void printerSetup();

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

    const Ports &m_ports;  // its pages and library texts are read when used
    Prompter &m_prompter;
    ActionRegistry &m_actions;
    ScriptEditors &m_editors;
    StatusPanels &m_status;
    std::unique_ptr<QPrinter> m_printer;
    bool m_clipboardHasText = false;
    bool m_caretReadOutPending = false;
};
