#include "wizards/htmlwizards.h"

#include "document/scripteditors.h"
#include "editor/schemelexer.h"
#include "editor/scripteditor.h"
#include "platform/helpsystem.h"
#include "platform/prompter.h"
#include "ports/ports.h"
#include "widgets/actions.h"
#include "wizards/formbuilderdialog.h"
#include "wizards/formelementsdialog.h"
#include "wizards/formplacement.h"
#include "wizards/formselectdialog.h"
#include "wizards/formtextareadialog.h"
#include "wizards/htmlformat.h"

HtmlWizards::HtmlWizards(const Ports &ports, QObject *parent)
    : QObject(parent), m_ports(ports), m_prompter(*ports.prompter), m_editors(*ports.editors), m_help(*ports.help)
{
    ActionRegistry &actions = *ports.actions;
    actions.bindTagged("html.format", this, &HtmlWizards::Przycisk_BoldClick);
    actions.bind("html.formBuilder", this, &HtmlWizards::Przycisk_FormyClick);
    actions.bind("html.selectList", this, &HtmlWizards::Przycisk_FSelectClick);
    actions.bind("html.textarea", this, &HtmlWizards::Przycisk_FTextClick);
    actions.bind("html.otherElements", this, &HtmlWizards::Przycisk_FInneClick);
}

QWidget *HtmlWizards::dialogParent() const
{
    return m_prompter.parentWindow();
}

void HtmlWizards::Przycisk_BoldClick(int tag)
{
    if (const std::optional<HtmlTagPair> tags = htmlFormatTags(tag))
        m_ports.insertion->WrapAndInsert(tags->opening, tags->closing);
}

void HtmlWizards::Przycisk_FormyClick()
{
    TFormularzDlg builder(m_prompter, m_help, dialogParent());
    shareScheme(*m_editors.head(), *builder.memo());
    if (m_prompter.execDialog(builder) != QDialog::Accepted)
        return;
    const QString tag = builder.openingTag();
    const QString contents = builder.memo()->wholeText();
    if (!contents.isEmpty()) {
        putInCurrentEditor(formWithContents(tag, contents));
        return;
    }
    m_ports.insertion->WrapAndInsert(tag + QStringLiteral("\r\n"), formClosingTag());
}

void HtmlWizards::Przycisk_FSelectClick()
{
    TFSelectDlg builder(m_help, dialogParent());
    if (m_prompter.execDialog(builder) != QDialog::Accepted)
        return;
    const QString lines = buildSelectList(builder.options());
    QString formTag;
    switch (placeElement(formTag)) {
    case Placement::Alone:
        putInCurrentEditor(selectListAlone(lines));
        break;
    case Placement::InNewForm:
        putInCurrentEditor(selectListInForm(formTag, lines));
        break;
    case Placement::Cancelled:
        break;
    }
}

void HtmlWizards::Przycisk_FTextClick()
{
    TFTextDlg builder(m_help, dialogParent());
    if (m_prompter.execDialog(builder) != QDialog::Accepted)
        return;
    const QString opening = buildTextareaOpening(builder.options());
    QString formTag;
    switch (placeElement(formTag)) {
    case Placement::Alone:
        m_ports.insertion->WrapAndInsert(opening, textareaClosingTag());
        break;
    case Placement::InNewForm:
        putInCurrentEditor(textareaInForm(formTag, opening));
        break;
    case Placement::Cancelled:
        break;
    }
}

void HtmlWizards::Przycisk_FInneClick()
{
    TFInneDlg builder(m_help, dialogParent());
    if (m_prompter.execDialog(builder) != QDialog::Accepted)
        return;
    // With no kind chosen nothing was built: the selection is left alone
    // rather than replaced by nothing.
    const QString element = builder.Parametry();
    if (element.isEmpty())
        return;
    QString formTag;
    switch (placeElement(formTag)) {
    case Placement::Alone:
        m_ports.insertion->WrapAndInsert(element, QString());
        break;
    case Placement::InNewForm:
        putInCurrentEditor(elementInForm(formTag, element));
        break;
    case Placement::Cancelled:
        break;
    }
}

HtmlWizards::Placement HtmlWizards::placeElement(QString &formTag)
{
    ScriptEditor *editor = m_editors.current();
    if (!editor)
        return Placement::Cancelled;
    if (insideForm(editor->wholeText(), editor->caretLine() - 1))
        return Placement::Alone;
    const int answer = m_prompter.AskYesNo(QStringLiteral("Information"),
                                           QStringLiteral("Each form element should be inserted between <FORM> "
                                                          "tags.\r\nDo you want to define <FORM> tag?"));
    if (answer != AnswerYes)
        return Placement::Alone;
    TFormularzDlg builder(m_prompter, m_help, dialogParent());
    shareScheme(*m_editors.head(), *builder.memo());
    builder.hideElementsPage();
    if (m_prompter.execDialog(builder) != QDialog::Accepted)
        return Placement::Cancelled;
    formTag = builder.openingTag();
    return Placement::InNewForm;
}

void HtmlWizards::putInCurrentEditor(const PlacedText &placed)
{
    ScriptEditor *editor = m_editors.current();
    if (!editor)
        return;
    const int start = editor->selStart();
    editor->beginUndoAction();
    editor->replaceSelection(placed.text);
    editor->setSel(start + placed.selectFrom, placed.selectLength);
    editor->endUndoAction();
}
