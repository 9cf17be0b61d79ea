#pragma once
// The script as a document: New, Open, Save, Save as, Copy to clipboard,
// Print, Printer setup, and the status read-out that follows the editors.
//
// A document opened from a file (or saved as one) knows that file: the
// window's title names it, and Save writes the editors back to it in the
// form it came in (documentfile.h).  New, and a script loaded from a
// library or restored after a crash, have no file.

#include "document/recentfiles.h"
#include "ports/ports.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class ActionRegistry;
class DocumentFile;
class Prompter;
class QPrinter;
class QSettings;
class ScriptEditor;
class ScriptEditors;
class StatusPanels;

class DocumentController final : public QObject, public DocumentPlace {
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
    /// Writes the editors to the document's file in its own form (Save as
    /// when there is none); true once written.
    bool save();
    void saveAs();
    /// The document's file; empty when it has none.
    const QString &filePath() const { return m_path; }
    QString documentFolder() const override;
    /// The window's caption: the application's title alone, or the file's
    /// name (with Qt's "[*]" where the modified mark goes) and folder
    /// before it.
    QString windowTitle() const;
    void copyFromEditor();
    /// Prints the focused editor's fragment to the printer chosen last (the
    /// system's default at first), without a dialog.  With no printer
    /// installed the printout is a PDF file in the print folder, named so
    /// that no file there is overwritten, and the user is told its place.
    void print();
    void printerSetup();
    /// Where a printout without a printer goes (the documents folder).
    void setPrintFolder(const QString &folder) { m_printFolder = folder; }
    /// Where the recent files and the folder Save as went to last are kept
    /// between runs (a group of the settings store); reads them at once.
    void setSettingsStore(std::function<std::unique_ptr<QSettings>()> store);
    /// Opens the file at index of the recent files (0 the newest), after
    /// the question Open asks; a file that has gone is said so and dropped
    /// from the list.
    void openRecentFile(int index);
    const RecentFiles &recentFiles() const { return m_recent; }

    /// Brings the status bar and the command states up to date with the
    /// focused editor (which also becomes the current editor).
    void HEAD_EDChange();

    /// The printer the Print command uses.
    QPrinter &printer();

signals:
    /// Save as has ended, with a file written or not: a file may have gone
    /// into the user library's folder.
    void saveAsDone();
    /// The document's file changed (opened, saved as, or gone with a new
    /// script): the window's title follows.
    void fileChanged();

private:
    void enableEditCommands(bool cut, bool paste, bool undo, bool redo);
    void updateClipboardState();
    void updateSelectionCommands();
    /// Cut and Paste are the user library tree's while it has the focus
    /// (always enabled there), the editors' again when it loses it.
    void followClipboardFocus();
    /// Line, column and modified state of the focused editor.
    void updateCaretReadOut();
    /// True when path is free, or the user agrees to replace the file there.
    bool replaceExistingFile(const QString &path);
    /// A new PDF file's place in the print folder.
    QString unusedPrintFile() const;
    /// Writes bytes to path through the checked save helper; a failure is
    /// shown ("Cannot create file …") and false returned.
    bool writeFile(const QString &path, const QByteArray &bytes);
    /// The document has no file any more (New, a library script…).
    void forgetFile();
    /// BODY is coloured as the file's kind when the file holds one text
    /// alone (a .js file as JavaScript), else both editors as a page.
    void colourByKindOfFile();
    /// path goes on top of the recent files, kept at once.
    void rememberFile(const QString &path);
    /// The File menu's recent files show the list; the store keeps it.
    void recentFilesChanged();
    /// The File menu's recent files show the list.
    void showRecentFiles();

    const Ports &m_ports;  // its pages and library texts are read when used
    Prompter &m_prompter;
    ActionRegistry &m_actions;
    ScriptEditors &m_editors;
    StatusPanels &m_status;
    std::unique_ptr<QPrinter> m_printer;
    QString m_printFolder;
    QString m_path;                        // the document's file
    std::unique_ptr<DocumentFile> m_file;  // what that file holds
    QString m_lastFolder;                  // where Save as went last
    RecentFiles m_recent;
    std::function<std::unique_ptr<QSettings>()> m_store;
    bool m_settingScript = false;          // Open is putting the file's script in
    bool m_clipboardHasText = false;
    bool m_treeHasClipboard = false;  // Cut and Paste are the library tree's
    bool m_caretReadOutPending = false;
};
