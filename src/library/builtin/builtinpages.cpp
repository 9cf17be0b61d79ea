#include "library/builtin/builtinpages.h"

#include "library/renamedialog.h"
#include "platform/prompter.h"
#include "ports/ports.h"
#include "widgets/actions.h"
#include "widgets/colourbutton.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

/// A group box filling its page, its contents laid out by the caller.
QGroupBox *addGroup(QWidget *page, const QString &caption)
{
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(6, 4, 6, 6);
    auto *group = new QGroupBox(caption, page);
    layout->addWidget(group);
    return group;
}

QSpinBox *newSpin(const QString &name, int low, int high, QWidget *parent)
{
    auto *spin = new QSpinBox(parent);
    spin->setObjectName(name);
    spin->setRange(low, high);
    spin->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    return spin;
}

/// Labelled edits one under the other: a label wraps its words when the
/// page is narrow, so its edit keeps a useful width.
QGridLayout *newLabelledEdits(QWidget *parent)
{
    auto *grid = new QGridLayout(parent);
    grid->setContentsMargins(10, 8, 10, 8);
    grid->setColumnStretch(0, 2);
    grid->setColumnStretch(1, 3);
    return grid;
}

void addLabelledEdit(QGridLayout *grid, QLabel *label, QLineEdit *edit)
{
    const int row = grid->rowCount();
    label->setWordWrap(true);
    label->setBuddy(edit);
    grid->addWidget(label, row, 0);
    grid->addWidget(edit, row, 1);
}

/// A group box whose radio button stands at its top left corner; a click
/// on the box outside its controls checks the radio button.
class OptionGroup final : public QGroupBox {
public:
    OptionGroup(const QString &caption, const QString &radioName, QWidget *parent) : QGroupBox(parent)
    {
        m_radio = new QRadioButton(caption, this);
        m_radio->setObjectName(radioName);
        QFont bold = m_radio->font();
        bold.setBold(true);
        m_radio->setFont(bold);
    }
    QRadioButton *radio() const { return m_radio; }

protected:
    void mousePressEvent(QMouseEvent *event) override
    {
        if (event->button() == Qt::LeftButton)
            m_radio->setChecked(true);
        QGroupBox::mousePressEvent(event);
    }

private:
    QRadioButton *m_radio;
};

}  // namespace

// --- TAB_Scroll ---------------------------------------------------------------------------

ScrollPage::ScrollPage(ScrollSettings &settings, QWidget *parent)
    : BuiltInSettingsPage(QStringLiteral("TAB_Scroll"), parent), m_settings(settings)
{
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(6, 4, 6, 6);

    auto *statusGroup = new OptionGroup(QStringLiteral("in status line"), QStringLiteral("CHK_Scr1"), this);
    m_statusOption = statusGroup->radio();
    m_statusText = newEdit(QStringLiteral("EDT_Scroll1"), statusGroup);
    m_speed = new QComboBox(statusGroup);
    m_speed->setObjectName(QStringLiteral("LST_Scroll1_Speed"));
    m_speed->addItems({QStringLiteral("very slow"), QStringLiteral("slow"), QStringLiteral("medium"),
                       QStringLiteral("fast"), QStringLiteral("very fast")});
    m_speed->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    auto *statusForm = new QFormLayout(statusGroup);
    statusForm->addRow(m_statusOption);
    statusForm->addRow(QStringLiteral("Scrolling text:"), m_statusText);
    statusForm->addRow(QStringLiteral("Speed:"), m_speed);

    auto *fieldGroup = new OptionGroup(QStringLiteral("in text field"), QStringLiteral("CHK_SCR2"), this);
    m_fieldOption = fieldGroup->radio();
    m_fieldText = newEdit(QStringLiteral("EDT_Scroll2"), fieldGroup);
    m_width =
        newSpin(QStringLiteral("Spin_Scroll_Szer"), ScrollSettings::kMinWidth, ScrollSettings::kMaxWidth, fieldGroup);
    auto *fieldForm = new QFormLayout(fieldGroup);
    fieldForm->addRow(m_fieldOption);
    fieldForm->addRow(QStringLiteral("Scrolling text:"), m_fieldText);
    fieldForm->addRow(QStringLiteral("Width of the text field:"), m_width);

    auto *options = new QButtonGroup(this);
    options->addButton(m_statusOption);
    options->addButton(m_fieldOption);
    row->addWidget(statusGroup, 1);
    row->addWidget(fieldGroup, 1);

    connect(m_statusOption, &QRadioButton::toggled, this, [this](bool on) { m_settings.statusLine = on; });
    connect(m_statusText, &QLineEdit::textChanged, this, [this](const QString &text) { m_settings.statusText = text; });
    connect(m_speed, &QComboBox::currentIndexChanged, this, [this](int index) { m_settings.speed = index; });
    connect(m_fieldText, &QLineEdit::textChanged, this, [this](const QString &text) { m_settings.fieldText = text; });
    connect(m_width, &QSpinBox::valueChanged, this, [this](int value) { m_settings.fieldWidth = value; });
    refresh();
}

void ScrollPage::refresh()
{
    const ScrollSettings values = m_settings;
    m_statusOption->setChecked(values.statusLine);
    m_fieldOption->setChecked(!values.statusLine);
    m_statusText->setText(values.statusText);
    m_speed->setCurrentIndex(values.speed);
    m_fieldText->setText(values.fieldText);
    m_width->setValue(values.fieldWidth);
}

// --- TAB_Drukarz --------------------------------------------------------------------------

QuotelessEdit::QuotelessEdit(Prompter &prompter, QWidget *parent) : QLineEdit(parent), m_prompter(prompter)
{
    // Typed, pasted or dropped: the text never keeps a double quote.
    connect(this, &QLineEdit::textEdited, this, &QuotelessEdit::dropQuotes);
}

void QuotelessEdit::dropQuotes(const QString &text)
{
    if (!text.contains(u'"'))
        return;
    const int caret = cursorPosition();
    const int quotesBeforeCaret = int(text.left(caret).count(u'"'));
    QString cleaned = text;
    cleaned.remove(u'"');
    setText(cleaned);
    setCursorPosition(caret - quotesBeforeCaret);
    m_prompter.ShowMessageBox(IconWarning, QStringLiteral("Warning!"), QStringLiteral("Illegal character"));
}

PrinterPage::PrinterPage(PrinterSettings &settings, Prompter &prompter, QWidget *parent)
    : BuiltInSettingsPage(QStringLiteral("TAB_Drukarz"), parent), m_settings(settings)
{
    QGroupBox *group = addGroup(this, QStringLiteral(" Printing text inside text field "));
    auto *label = new QLabel(QStringLiteral("Printing text (don't exceed 70 characters)"), group);
    auto *note = new QLabel(QStringLiteral("Please, don't use quotation marks (\")"), group);
    note->setEnabled(false);
    m_text = new QuotelessEdit(prompter, group);
    m_text->setObjectName(QStringLiteral("EDT_Drukarz"));
    label->setBuddy(m_text);
    m_width =
        newSpin(QStringLiteral("Spin_Drukarz_Szer"), PrinterSettings::kMinWidth, PrinterSettings::kMaxWidth, group);
    m_fit = new QCheckBox(QStringLiteral("Fit width"), group);
    m_fit->setObjectName(QStringLiteral("Check_Drukarz"));
    m_fit->setStatusTip(QStringLiteral("Check if you want to set the width automatically"));

    auto *grid = new QGridLayout(group);
    grid->addWidget(label, 0, 0, 1, 3);
    grid->addWidget(m_text, 1, 0, 1, 3);
    grid->addWidget(note, 2, 0, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Width of the text field:"), group), 3, 0);
    grid->addWidget(m_width, 3, 1);
    grid->addWidget(m_fit, 3, 2);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(4, 1);

    // The edit's text, not the signal's: a refused quote is gone from it
    // before the signal that still carries it arrives.
    connect(m_text, &QLineEdit::textChanged, this, [this] {
        m_settings.setText(m_text->text());
        const QSignalBlocker quiet(m_width);
        m_width->setValue(m_settings.width);
    });
    connect(m_width, &QSpinBox::valueChanged, this, [this](int value) { m_settings.width = value; });
    connect(m_fit, &QCheckBox::clicked, this, [this](bool checked) {
        m_settings.setFitWidth(checked);
        const QSignalBlocker quiet(m_width);
        m_width->setValue(m_settings.width);
    });
    refresh();
}

void PrinterPage::refresh()
{
    const PrinterSettings values = m_settings;
    const QSignalBlocker quietText(m_text);
    const QSignalBlocker quietWidth(m_width);
    m_text->setText(values.text);
    m_width->setValue(values.width);
    m_fit->setChecked(values.fitWidth);
}

// --- Tab_Nawigator --------------------------------------------------------------------------

NavigatorPage::NavigatorPage(NavigatorSettings &settings, Prompter &prompter, QWidget *parent)
    : BuiltInSettingsPage(QStringLiteral("Tab_Nawigator"), parent), m_settings(settings), m_prompter(prompter)
{
    QGroupBox *group = addGroup(this, QStringLiteral(" Site navigation "));
    auto *buttons = new QHBoxLayout;
    for (int i = 0; i < 3; ++i) {
        auto *button = new QPushButton(group);
        button->setObjectName(QStringLiteral("Przycisk%1").arg(i + 1));
        button->setStatusTip(QStringLiteral("Click here to change the caption of the button"));
        button->setMinimumWidth(90);
        connect(button, &QPushButton::clicked, this, [this, i] { renameButton(i); });
        buttons->addWidget(button);
        m_buttons[std::size_t(i)] = button;
    }
    buttons->addStretch(1);

    m_url = new AddressEdit(group);
    m_url->setObjectName(QStringLiteral("LST_URLe"));
    auto *browse = new QToolButton(group);
    browse->setObjectName(QStringLiteral("BTN_Nawigator"));
    browse->setIcon(appIcon(QStringLiteral("open"), QStringLiteral("document-open")));
    browse->setStatusTip(QStringLiteral("Click here to select a file"));
    browse->setToolTip(browse->statusTip());
    auto *urlRow = new QHBoxLayout;
    auto *urlLabel = new QLabel(QStringLiteral("URL:"), group);
    urlLabel->setBuddy(m_url);
    urlRow->addWidget(urlLabel);
    urlRow->addWidget(m_url, 1);
    urlRow->addWidget(browse);

    auto *column = new QVBoxLayout(group);
    column->addLayout(buttons);
    column->addLayout(urlRow);
    column->addStretch(1);

    const QStringList filters{QStringLiteral("HTML documents (*.htm *.html)"), QStringLiteral("Text files (*.txt)"),
                              QStringLiteral("CSS files (*.css)"), QStringLiteral("All files (*)")};
    const auto chooseFile = [this, filters] { chooseFileInto(m_prompter, filters, m_url); };
    connect(browse, &QToolButton::clicked, this, chooseFile);
    connect(m_url, &AddressEdit::doubleClicked, this, chooseFile);
    connect(m_url, &QLineEdit::textChanged, this, [this](const QString &text) { m_settings.url = text; });
    refresh();
}

void NavigatorPage::renameButton(int which)
{
    static const QString captions[3] = {QStringLiteral("\"Back\" button"), QStringLiteral("\"Main page\" button"),
                                        QStringLiteral("\"Forward\" button")};
    QString *caption[3] = {&m_settings.backCaption, &m_settings.mainCaption, &m_settings.forwardCaption};
    const std::optional<QString> typed =
        TDlg_Rename::ask(m_prompter, captions[which], QStringLiteral("I need button description"), *caption[which]);
    if (!typed || typed->isEmpty())
        return;
    *caption[which] = *typed;
    refresh();
}

void NavigatorPage::refresh()
{
    m_buttons[0]->setText(m_settings.backCaption);
    m_buttons[1]->setText(m_settings.mainCaption);
    m_buttons[2]->setText(m_settings.forwardCaption);
    const QString url = m_settings.url;
    m_url->setText(url);
}

// --- TAB_Kolory --------------------------------------------------------------------------

ColoursPage::ColoursPage(ColourSettings &settings, const Ports &ports, QWidget *parent)
    : BuiltInSettingsPage(QStringLiteral("TAB_Kolory"), parent), m_settings(settings)
{
    QGroupBox *group = addGroup(this, QStringLiteral(" Flashing background colors "));
    m_start = new ColourButton(group);
    m_start->setObjectName(QStringLiteral("Przycisk_Tlo_Kolor1"));
    m_start->setStatusTip(QStringLiteral("Click here to select start color"));
    m_end = new ColourButton(group);
    m_end->setObjectName(QStringLiteral("Przycisk_Tlo_Kolor2"));
    m_end->setStatusTip(QStringLiteral("Click here to select end color"));
    m_speed = newSpin(QStringLiteral("Spin_Speed"), ColourSettings::kMinSpeed, ColourSettings::kMaxSpeed, group);

    Prompter *prompter = ports.prompter;
    CustomColours *custom = ports.customColours;
    for (ColourButton *button : {m_start, m_end})
        button->setOtherColourChooser(
            [prompter, custom](const QColor &current) { return chooseColourInDialog(*prompter, *custom, current); });

    auto *form = new QFormLayout(group);
    form->addRow(QStringLiteral("Start color:"), m_start);
    form->addRow(QStringLiteral("End color:"), m_end);
    form->addRow(QStringLiteral("Speed:"), m_speed);

    // A pick sets the button's flag: only the user's choice counts.
    connect(m_start, &ColourButton::colourPicked, this, [this](const QColor &colour) {
        m_settings.startColour = colour.rgb() & 0xFFFFFF;
        m_settings.startChosen = true;
    });
    connect(m_end, &ColourButton::colourPicked, this, [this](const QColor &colour) {
        m_settings.endColour = colour.rgb() & 0xFFFFFF;
        m_settings.endChosen = true;
    });
    connect(m_speed, &QSpinBox::valueChanged, this, [this](int value) { m_settings.speed = value; });
    refresh();
}

void ColoursPage::refresh()
{
    m_start->setColour(QColor(QRgb(m_settings.startColour)));
    m_end->setColour(QColor(QRgb(m_settings.endColour)));
    m_speed->setValue(m_settings.speed);
}

// --- TAB_Pusty ---------------------------------------------------------------------------

EmptyPage::EmptyPage(QWidget *parent) : BuiltInSettingsPage(QStringLiteral("TAB_Pusty"), parent)
{
    auto *layout = new QVBoxLayout(this);
    auto *label = new QLabel(QStringLiteral("This script does not have any settings"), this);
    label->setObjectName(QStringLiteral("LBL_Pusty"));
    label->setAlignment(Qt::AlignCenter);
    layout->addWidget(label);
}

// --- TAB_AnimTekst ------------------------------------------------------------------------

AnimTextPage::AnimTextPage(AnimTextSettings &settings, QWidget *parent)
    : BuiltInSettingsPage(QStringLiteral("TAB_AnimTekst"), parent), m_settings(settings)
{
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(10, 8, 10, 8);
    m_label = new QLabel(this);
    m_label->setObjectName(QStringLiteral("Label12"));
    m_text = newEdit(QStringLiteral("EDT_AnimTekst"), this);
    m_label->setBuddy(m_text);

    m_date = new QWidget(this);
    m_date->setObjectName(QStringLiteral("PNL_Date"));
    m_day = newSpin(QStringLiteral("UP_Day"), AnimTextSettings::kMinDay, AnimTextSettings::kMaxDay, m_date);
    m_month = new QComboBox(m_date);
    m_month->setObjectName(QStringLiteral("Date_Month"));
    for (const QString &month : monthNames())
        m_month->addItem(month);
    m_year = newSpin(QStringLiteral("Up_Year"), AnimTextSettings::kMinYear, AnimTextSettings::kMaxYear, m_date);
    auto *dateRow = new QHBoxLayout(m_date);
    dateRow->setContentsMargins(0, 0, 0, 0);
    dateRow->addWidget(new QLabel(QStringLiteral("Day:"), m_date));
    dateRow->addWidget(m_day);
    dateRow->addSpacing(12);
    dateRow->addWidget(new QLabel(QStringLiteral("Month:"), m_date));
    dateRow->addWidget(m_month);
    dateRow->addSpacing(12);
    dateRow->addWidget(new QLabel(QStringLiteral("Year:"), m_date));
    dateRow->addWidget(m_year);
    dateRow->addStretch(1);

    column->addWidget(m_label);
    column->addWidget(m_text);
    column->addWidget(m_date);
    column->addStretch(1);

    connect(m_text, &QLineEdit::textChanged, this, [this](const QString &text) { m_settings.text = text; });
    connect(m_day, &QSpinBox::valueChanged, this, [this](int value) { m_settings.day = value; });
    connect(m_month, &QComboBox::currentIndexChanged, this, [this](int index) { m_settings.month = index; });
    connect(m_year, &QSpinBox::valueChanged, this, [this](int value) { m_settings.year = value; });
    refresh();
}

void AnimTextPage::refresh()
{
    const AnimTextSettings values = m_settings;
    m_label->setText(values.label);
    m_text->setText(values.text);
    m_date->setVisible(values.dateShown);
    m_day->setValue(values.day);
    m_month->setCurrentIndex(values.month);
    m_year->setValue(values.year);
}

// --- TAB_PoraDnia -------------------------------------------------------------------------

DayTimePage::DayTimePage(DayTimeSettings &settings, QWidget *parent)
    : BuiltInSettingsPage(QStringLiteral("TAB_PoraDnia"), parent), m_settings(settings)
{
    static const char *const editNames[5] = {"EDT_Przed5", "EDT_PRzed8", "EDT_Przed12", "EDT_Przed18", "EDT_Po18"};
    QGridLayout *grid = newLabelledEdits(this);
    for (int i = 0; i < 5; ++i) {
        auto *label = new QLabel(this);
        label->setObjectName(QStringLiteral("lb%1").arg(i + 1));
        QLineEdit *edit = newEdit(QString::fromLatin1(editNames[i]), this);
        addLabelledEdit(grid, label, edit);
        connect(edit, &QLineEdit::textChanged, this,
                [this, i](const QString &text) { m_settings.texts[std::size_t(i)] = text; });
        m_labels[std::size_t(i)] = label;
        m_edits[std::size_t(i)] = edit;
    }
    grid->setRowStretch(grid->rowCount(), 1);
    refresh();
}

void DayTimePage::refresh()
{
    const DayTimeSettings values = m_settings;
    for (std::size_t i = 0; i < 5; ++i) {
        m_labels[i]->setText(values.labels[i]);
        m_edits[i]->setText(values.texts[i]);
        m_labels[i]->setVisible(int(i) < values.shown);
        m_edits[i]->setVisible(int(i) < values.shown);
    }
}

// --- Tab_Day -----------------------------------------------------------------------------

DayPage::DayPage(DaySettings &settings, QWidget *parent)
    : BuiltInSettingsPage(QStringLiteral("Tab_Day"), parent), m_settings(settings)
{
    static const char *const editNames[6] = {"EDT_Poniedzialek", "EDT_Wtorek", "EDT_Sroda",
                                             "EDT_Czwartek",     "EDT_Piatek", "EDT_Weekend"};
    static const char *const labels[6] = {
        "This text will be displayed on Mondays",    "This text will be displayed on Tuesdays",
        "This text will be displayed on Wednesdays", "This text will be displayed on Thursdays",
        "This text will be displayed on Fridays",    "This text will be displayed on Saturdays and on Sundays"};
    QGridLayout *grid = newLabelledEdits(this);
    for (int i = 0; i < 6; ++i) {
        auto *label = new QLabel(QString::fromLatin1(labels[i]), this);
        QLineEdit *edit = newEdit(QString::fromLatin1(editNames[i]), this);
        addLabelledEdit(grid, label, edit);
        connect(edit, &QLineEdit::textChanged, this,
                [this, i](const QString &text) { m_settings.texts[std::size_t(i)] = text; });
        m_edits[std::size_t(i)] = edit;
    }
    grid->setRowStretch(grid->rowCount(), 1);
    refresh();
}

void DayPage::refresh()
{
    const DaySettings values = m_settings;
    for (std::size_t i = 0; i < 6; ++i)
        m_edits[i]->setText(values.texts[i]);
}
