#pragma once
// The editor's find dialog and its find-and-replace dialog (one class, two
// modes).  Both stay open while the user searches; the editor shows each
// occurrence found behind them.

#include <QDialog>

class Prompter;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class ScriptEditor;
struct FindOptions;

class FindDialog final : public QDialog {
    Q_OBJECT
public:
    enum Mode { Find, Replace };
    /// initialText fills the search field.
    FindDialog(ScriptEditor *editor, Mode mode, const QString &initialText, QWidget *parent = nullptr);

    FindOptions options() const;
    QString statusText() const;

    /// What the buttons do.
    bool findNext();
    void replaceOne();
    int replaceEverything();

private:
    ScriptEditor *m_editor;
    QLineEdit *m_find;
    QLineEdit *m_replace = nullptr;
    QCheckBox *m_matchCase;
    QCheckBox *m_wholeWords;
    QRadioButton *m_forward;
    QRadioButton *m_backward;
    QLabel *m_status;
};

/// The find dialog and the find-and-replace dialog over editor, shown
/// through the prompter; they start with the selection when it lies on one
/// line, else with the editor's last search text.
void showFindDialog(ScriptEditor &editor, Prompter &prompter);
void showReplaceDialog(ScriptEditor &editor, Prompter &prompter);
