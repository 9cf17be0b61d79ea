#include "wizards/formbuilderdialog.h"

#include "editor/highlighter.h"
#include "editor/positions.h"
#include "editor/scripteditor.h"
#include "platform/helpsystem.h"
#include "platform/prompter.h"
#include "widgets/actions.h"
#include "widgets/handcursor.h"
#include "wizards/formdialogparts.h"
#include "wizards/formelementsdialog.h"
#include "wizards/formselectdialog.h"
#include "wizards/formtextarea.h"
#include "wizards/formtextareadialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QComboBox *makeChoice(QWidget *parent, const char *name, const QStringList &items, bool editable)
{
    auto *choice = new QComboBox(parent);
    choice->setObjectName(QString::fromLatin1(name));
    choice->setEditable(editable);
    choice->addItems(items);
    if (editable) {
        // Typed text is taken as it stands, not added to the items.
        choice->setInsertPolicy(QComboBox::NoInsert);
        choice->setCurrentIndex(-1);
        choice->setEditText(QString());
    }
    return choice;
}

} // namespace

TFormularzDlg::TFormularzDlg(Prompter &prompter, HelpSystem &help, QWidget *parent)
    : QDialog(parent), m_prompter(prompter), m_help(help)
{
    setObjectName(QStringLiteral("TFormularzDlg"));
    keepHelpReachable(this);
    setWindowTitle(QStringLiteral("Form builder"));

    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("Notebook"));
    m_pages->addTab(buildSettingsPage(), appIcon(QStringLiteral("FORMULARZ")), QStringLiteral("Form settings"));
    m_pages->addTab(buildElementsPage(), appIcon(QStringLiteral("OK")), QStringLiteral("Form elements"));

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_pages, 1);
    layout->addWidget(makeWizardButtons(this, false, [this] { m_help.ShowHelpTopic(760); }));

    applyHandCursorSetting(this);
    // Wide enough for the memo to show its margin at column 80.
    const int memoWidth = QFontMetrics(editorTextFont()).horizontalAdvance(QString(82, u'9')) + 150;
    resize(qMax(memoWidth, sizeHint().width()), qMax(440, sizeHint().height()));
}

QWidget *TFormularzDlg::buildSettingsPage()
{
    auto *page = new QWidget(this);
    page->setObjectName(QStringLiteral("TAB_Formularz"));
    m_action = makeChoice(page, "Edit_Action", formActionItems(), true);
    m_method = makeChoice(page, "Lista_Method", formMethodItems(), false);
    m_method->setCurrentText(FormOptions{}.method);
    m_target = makeChoice(page, "Lista_Target", formTargetItems(), true);
    m_encoding = makeChoice(page, "Lista_Enctype", formEncodingItems(), true);

    auto *fields = new QFormLayout;
    fields->addRow(QStringLiteral("&Action:"), m_action);
    fields->addRow(QStringLiteral("&Method:"), m_method);
    fields->addRow(QStringLiteral("&Target window:"), m_target);
    fields->addRow(QStringLiteral("&Encoding:"), m_encoding);

    auto *row = new QHBoxLayout(page);
    row->addWidget(makeWizardPicture(page, QStringLiteral("FORMULARZ"),
                                     QStringLiteral("With this tool you can create a form")));
    row->addLayout(fields, 1);
    return page;
}

QWidget *TFormularzDlg::buildElementsPage()
{
    auto *page = new QWidget(this);
    page->setObjectName(QStringLiteral("TAB_Inne"));

    m_memo = new ScriptEditor(page);
    m_memo->setObjectName(QStringLiteral("memo"));
    m_memo->setEdgeMode(QsciScintilla::EdgeLine);
    m_memo->setEdgeColumn(80);
    m_memo->setTabWidth(4);
    m_memo->setAutoIndent(true);
    m_memo->setSelectionBackgroundColor(QColor(0x00, 0x00, 0x80));
    m_memo->setSelectionForegroundColor(Qt::white);
    rejectOnEscape(this, m_memo);

    const auto elementButton = [page](const char *name, const char *icon, const char *hint) {
        auto *button = new QToolButton(page);
        button->setObjectName(QString::fromLatin1(name));
        button->setIcon(appIcon(QString::fromLatin1(icon)));
        button->setIconSize(QSize(22, 22));
        button->setToolTip(QString::fromLatin1(hint));
        button->setStatusTip(QString::fromLatin1(hint));
        button->setAutoRaise(true);
        return button;
    };
    QToolButton *other = elementButton("BTN_Inne", "form-other", "Form elements");
    QToolButton *textarea = elementButton("BTN_Textarea", "textarea", "Textarea");
    QToolButton *list = elementButton("BTN_Lista", "select-list", "List of choices");
    connect(other, &QToolButton::clicked, this, &TFormularzDlg::BTN_InneClick);
    connect(textarea, &QToolButton::clicked, this, &TFormularzDlg::BTN_TextareaClick);
    connect(list, &QToolButton::clicked, this, &TFormularzDlg::BTN_ListaClick);

    m_wordWrap = new QCheckBox(QStringLiteral("&Wordwrap"), page);
    m_wordWrap->setObjectName(QStringLiteral("CHK_WordWrap"));
    connect(m_wordWrap, &QCheckBox::toggled, this, &TFormularzDlg::CHK_WordWrapClick);

    auto *strip = new QHBoxLayout;
    strip->addWidget(other);
    strip->addWidget(textarea);
    strip->addWidget(list);
    strip->addStretch(1);
    strip->addWidget(m_wordWrap);

    auto *column = new QVBoxLayout(page);
    column->addLayout(strip);
    column->addWidget(m_memo, 1);
    return page;
}

void TFormularzDlg::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    m_pages->setCurrentIndex(0);
    m_action->setFocus();
}

void TFormularzDlg::hideElementsPage()
{
    m_pages->setTabVisible(1, false);
    // The settings alone make a small dialog: the memo's page no longer
    // counts for its size.
    m_pages->widget(1)->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    resize(qMax(460, sizeHint().width()), minimumSizeHint().height());
}

FormOptions TFormularzDlg::options() const
{
    FormOptions options;
    options.action = m_action->currentText();
    options.method = m_method->currentText();
    options.encoding = m_encoding->currentText();
    options.target = m_target->currentText();
    return options;
}

void TFormularzDlg::CHK_WordWrapClick()
{
    m_memo->setWordWrapOn(m_wordWrap->isChecked());
}

void TFormularzDlg::Wstawx(const QString &opening, const QString &closing)
{
    m_memo->wrapSelection(opening, closing);
}

void TFormularzDlg::backToMemo()
{
    // Only a dialog on the screen takes the focus from the main window.
    if (isVisible())
        m_memo->setFocus();
}

void TFormularzDlg::BTN_ListaClick()
{
    TFSelectDlg builder(m_help, this);
    if (m_prompter.execDialog(builder) != QDialog::Accepted)
        return;
    const QString lines = buildSelectList(builder.options());
    const int start = m_memo->selStart();
    m_memo->replaceSelection(lines);
    m_memo->setSel(start, positionLength(lines));
    backToMemo();
}

void TFormularzDlg::BTN_TextareaClick()
{
    TFTextDlg builder(m_help, this);
    if (m_prompter.execDialog(builder) == QDialog::Accepted)
        Wstawx(buildTextareaOpening(builder.options()), textareaClosingTag());
    backToMemo();
}

void TFormularzDlg::BTN_InneClick()
{
    TFInneDlg builder(m_help, this);
    if (m_prompter.execDialog(builder) != QDialog::Accepted)
        return;
    // With no kind chosen there is nothing to put in, and the selection
    // stays.
    const QString element = builder.Parametry();
    if (!element.isEmpty())
        Wstawx(element, QString());
    backToMemo();
}
