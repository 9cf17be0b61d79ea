#pragma once
// The script as a document: New, Open, Save as, Copy to clipboard, Print,
// Printer setup, and the status read-out that follows the editors.

#include <QObject>

#include <memory>

class DocumentHost;
class QPrinter;
class ScriptEditor;

class DocumentController final : public QObject {
    Q_OBJECT
public:
    explicit DocumentController(DocumentHost &host, QObject *parent = nullptr);
    ~DocumentController() override;

    /// Connects the status read-out once the editors exist and hold their
    /// start-up text.
    void attachEditors();

    void newScript();
    void openScript();
    void saveAs();
    void copyFromEditor();
    void copyFromLibrary();
    void print();
    void printerSetup();

    /// Brings the status bar and the command states up to date with the
    /// focused editor (which also becomes the current editor).
    void HEAD_EDChange();

    /// The printer the Print command uses.
    QPrinter &printer();

private:
    void enableEditCommands(bool cut, bool paste, bool undo, bool redo);
    void updateClipboardState();
    void updateSelectionCommands();
    /// True when path is free, or the user agrees to replace the file there.
    bool replaceExistingFile(const QString &path);

    DocumentHost &m_host;
    std::unique_ptr<QPrinter> m_printer;
    bool m_clipboardHasText = false;
};
