#pragma once
// The HTML commands: the formatting tags, the form builder and the three
// form element builders.
//
// An element built from the main window goes where the caret stands; when
// the caret is not inside a form the user is asked whether to build one
// around it.

#include <QObject>
#include <QString>

class ActionRegistry;
class HelpSystem;
class Prompter;
class ScriptEditors;
struct PlacedText;
struct Ports;

class HtmlWizards final : public QObject {
    Q_OBJECT
public:
    explicit HtmlWizards(const Ports &ports, QObject *parent = nullptr);

    /// Tags 1 to 8: bold, italic, underline, strike, align left, centre,
    /// align right, preformatted.
    void Przycisk_BoldClick(int tag);
    void Przycisk_FormyClick();
    void Przycisk_FSelectClick();
    void Przycisk_FTextClick();
    void Przycisk_FInneClick();

private:
    enum class Placement { Alone, InNewForm, Cancelled };
    /// Where an element built for the current editor goes; formTag receives
    /// the new form's opening tag for InNewForm.
    Placement placeElement(QString &formTag);
    /// Replaces the current editor's selection with placed.text and selects
    /// what it says.
    void putInCurrentEditor(const PlacedText &placed);
    QWidget *dialogParent() const;

    const Ports &m_ports;  // its text insertion is read when used
    Prompter &m_prompter;
    ScriptEditors &m_editors;
    HelpSystem &m_help;
};
