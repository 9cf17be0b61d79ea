#include "editor/editoroptionsdialog.h"

#include "editor/schemelexer.h"
#include "editor/scripteditor.h"
#include "widgets/colourbutton.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeySequenceEdit>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTabWidget>
#include <QVBoxLayout>

EditorOptionsDialog::EditorOptionsDialog(const EditorSettings &settings, Prompter &prompter, CustomColours &colours,
                                         QWidget *parent)
    : QDialog(parent), m_settings(settings), m_prompter(prompter), m_colours(colours)
{
    setObjectName(QStringLiteral("EditorOptionsDialog"));
    setWindowTitle(QStringLiteral("Editor options"));
    auto *tabs = new QTabWidget(this);
    tabs->setObjectName(QStringLiteral("PGC_Options"));
    tabs->addTab(buildStylesPage(), QStringLiteral("Styles"));
    tabs->addTab(buildDisplayPage(), QStringLiteral("Display"));
    tabs->addTab(buildPrintingPage(), QStringLiteral("Printing"));
    tabs->addTab(buildKeysPage(), QStringLiteral("Key assignments"));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *column = new QVBoxLayout(this);
    column->addWidget(tabs);
    column->addWidget(buttons);
    resize(720, 560);
    m_styles->setCurrentRow(0);
}

QString EditorOptionsDialog::sampleText()
{
    return QStringLiteral(
        "<!-- Quillon: HTML with JavaScript and VBScript -->\r\n"
        "<HTML>\r\n<HEAD>\r\n<TITLE>New Page</TITLE>\r\n"
        "<SCRIPT LANGUAGE=\"JavaScript\">\r\n"
        "// greet the visitor\r\n"
        "function greet(name) { alert(\"Hello, \" + name + \"!\"); return 1; }\r\n"
        "</SCRIPT>\r\n"
        "<SCRIPT LANGUAGE=\"VBScript\">\r\n"
        "' the same in VBScript\r\n"
        "Sub Greet(name) : MsgBox \"Hello, \" & name : End Sub\r\n"
        "</SCRIPT>\r\n</HEAD>\r\n<BODY>\r\n"
        "<P ALIGN=\"center\">Plain HTML body text&nbsp;</P>\r\n"
        "<A HREF=\"http://www.example.com/\">An example page</A>\r\n"
        "</BODY>\r\n</HTML>\r\n");
}

QWidget *EditorOptionsDialog::buildStylesPage()
{
    auto *page = new QWidget(this);
    m_styles = new QListWidget(page);
    m_styles->setObjectName(QStringLiteral("LST_Styles"));
    m_styles->setAccessibleName(QStringLiteral("Styles"));
    for (const StyleLook &look : m_settings.styles) {
        if (!look.editable)
            continue;
        m_styles->addItem(look.name);
        m_styleIds.push_back(look.id);
    }
    m_attribute = new QComboBox(page);
    m_attribute->setObjectName(QStringLiteral("CMB_Attribute"));
    m_attribute->addItems({QStringLiteral("None"), QStringLiteral("Bold"), QStringLiteral("Italic"), QStringLiteral("Underline")});
    auto chooser = [this](const QColor &current) { return chooseColourInDialog(m_prompter, m_colours, current); };
    m_foreground = new ColourButton(page);
    m_foreground->setObjectName(QStringLiteral("BTN_Foreground"));
    m_foreground->setOtherColourChooser(chooser);
    m_background = new ColourButton(page);
    m_background->setObjectName(QStringLiteral("BTN_Background"));
    m_background->setOtherColourChooser(chooser);
    m_foregroundAsDefault = new QCheckBox(QStringLiteral("Foreground as default"), page);
    m_foregroundAsDefault->setObjectName(QStringLiteral("CHK_ForegroundDefault"));
    m_backgroundAsDefault = new QCheckBox(QStringLiteral("Background as default"), page);
    m_backgroundAsDefault->setObjectName(QStringLiteral("CHK_BackgroundDefault"));
    m_sample = new ScriptEditor(page);
    m_sample->setObjectName(QStringLiteral("MEM_Sample"));
    m_sample->setWholeText(sampleText());
    m_sample->setReadOnly(true);
    installScheme(*m_sample, m_settings);

    // The colour scheme, one click away: the sample shows it at once.
    m_scheme = new QButtonGroup(page);
    auto *schemes = new QHBoxLayout;
    schemes->addWidget(new QLabel(QStringLiteral("Colours:"), page));
    const std::pair<ColourScheme, const char *> choices[] = {{ColourScheme::FollowDesktop, "Follow the desktop"},
                                                             {ColourScheme::Light, "Light"},
                                                             {ColourScheme::Dark, "Dark"}};
    for (const auto &[scheme, caption] : choices) {
        auto *button = new QRadioButton(QString::fromLatin1(caption), page);
        button->setObjectName(QStringLiteral("RAD_Scheme%1").arg(int(scheme)));
        button->setChecked(scheme == m_settings.colourScheme);
        m_scheme->addButton(button, int(scheme));
        schemes->addWidget(button);
    }
    schemes->addStretch(1);

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Attribute:"), m_attribute);
    form->addRow(QStringLiteral("Foreground:"), m_foreground);
    form->addRow(QStringLiteral("Background:"), m_background);
    form->addRow(m_foregroundAsDefault);
    form->addRow(m_backgroundAsDefault);
    auto *top = new QHBoxLayout;
    top->addWidget(m_styles, 1);
    top->addLayout(form, 1);
    auto *column = new QVBoxLayout(page);
    column->addLayout(schemes);
    column->addLayout(top);
    auto *note = new QLabel(
        QStringLiteral("Sample (the Dark colours lighten any colour too dark to read on their paper):"), page);
    note->setWordWrap(true);
    column->addWidget(note);
    column->addWidget(m_sample, 2);
    connect(m_scheme, &QButtonGroup::idClicked, this, &EditorOptionsDialog::takeSchemeAndFont);

    connect(m_styles, &QListWidget::currentRowChanged, this, &EditorOptionsDialog::showStyle);
    connect(m_attribute, &QComboBox::currentIndexChanged, this, &EditorOptionsDialog::takeStyle);
    connect(m_foreground, &ColourButton::colourPicked, this, &EditorOptionsDialog::takeStyle);
    connect(m_background, &ColourButton::colourPicked, this, &EditorOptionsDialog::takeStyle);
    connect(m_foregroundAsDefault, &QCheckBox::toggled, this, &EditorOptionsDialog::takeStyle);
    connect(m_backgroundAsDefault, &QCheckBox::toggled, this, &EditorOptionsDialog::takeStyle);
    return page;
}

QWidget *EditorOptionsDialog::buildKeysPage()
{
    auto *page = new QWidget(this);
    m_keys = new QTableWidget(0, 4, page);
    m_keys->setObjectName(QStringLiteral("GRD_Keys"));
    m_keys->setHorizontalHeaderLabels(
        {QStringLiteral("Command"), QStringLiteral("Key #1"), QStringLiteral("Key #2"), QStringLiteral("Note")});
    m_keys->verticalHeader()->hide();
    m_keys->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_keys->horizontalHeader()->setSectionResizeMode(3, QHeaderView::Stretch);
    // Room for a pair such as "Ctrl+K, I".
    const int keyWidth = fontMetrics().horizontalAdvance(QStringLiteral("Ctrl+Alt+Backspace")) + 24;
    m_keys->setColumnWidth(1, keyWidth);
    m_keys->setColumnWidth(2, keyWidth);
    for (int command = 0; command < kEditorCommandCount; ++command) {
        const QString name = editorCommandName(command);
        if (name.isEmpty())
            continue;
        const int row = m_keys->rowCount();
        m_keys->insertRow(row);
        auto *item = new QTableWidgetItem(name);
        item->setFlags(Qt::ItemIsEnabled);
        item->setData(Qt::UserRole, command);
        m_keys->setItem(row, 0, item);
        for (int slot = 0; slot < 2; ++slot) {
            auto *edit = new QKeySequenceEdit(QKeySequence::fromString(m_settings.keys[size_t(command)][size_t(slot)],
                                                                       QKeySequence::PortableText), m_keys);
            edit->setObjectName(QStringLiteral("Key_%1_%2").arg(command).arg(slot + 1));
            edit->setAccessibleName(QStringLiteral("%1, key #%2").arg(name).arg(slot + 1));
            m_keys->setCellWidget(row, slot + 1, edit);
            connect(edit, &QKeySequenceEdit::keySequenceChanged, this, [this, row] { noteKeyClashes(row); });
        }
        auto *note = new QLabel(m_keys);
        note->setObjectName(QStringLiteral("LBL_KeyNote_%1").arg(command));
        note->setContentsMargins(4, 0, 4, 0);
        m_keys->setCellWidget(row, 3, note);
    }
    auto *column = new QVBoxLayout(page);
    column->addWidget(m_keys);
    return page;
}

QWidget *EditorOptionsDialog::buildDisplayPage()
{
    auto *page = new QWidget(this);
    m_fontName = new QComboBox(page);
    m_fontName->setObjectName(QStringLiteral("CMB_FontName"));
    // The first entry follows the system: the file then names no family.
    m_fontName->addItem(QStringLiteral("The system's fixed-width font (%1)")
                            .arg(QFontDatabase::systemFont(QFontDatabase::FixedFont).family()),
                        QString());
    for (const QString &family : QFontDatabase::families()) {
        if (QFontDatabase::isFixedPitch(family) && !QFontDatabase::isPrivateFamily(family))
            m_fontName->addItem(family, family);
    }
    if (!m_settings.fontFamily.isEmpty() && m_fontName->findData(m_settings.fontFamily) < 0)
        m_fontName->addItem(m_settings.fontFamily, m_settings.fontFamily);  // a font not installed here
    m_fontName->setCurrentIndex(qMax(0, m_fontName->findData(m_settings.fontFamily)));
    const auto spin = [page](const char *name, SettingRange range, int value) {
        auto *box = new QSpinBox(page);
        box->setObjectName(QString::fromLatin1(name));
        box->setRange(range.least, range.most);
        box->setValue(value);
        box->setMaximumWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 48);
        return box;
    };
    m_fontSize = spin("SPN_FontSize", kFontSizeRange, m_settings.fontSize);
    m_tabWidth = spin("SPN_TabWidth", kTabWidthRange, m_settings.tabWidth);
    m_blockIndent = spin("SPN_BlockIndent", kBlockIndentRange, m_settings.blockIndent);
    m_rightMargin = spin("SPN_RightMargin", kRightMarginRange, m_settings.rightMargin);
    m_rightMargin->setSpecialValueText(QStringLiteral("None"));
    m_wordWrap = new QCheckBox(QStringLiteral("&Wordwrap"), page);
    m_wordWrap->setObjectName(QStringLiteral("CHK_WordWrap"));
    m_wordWrap->setChecked(m_settings.wordWrap);
    m_lineNumbers = new QCheckBox(QStringLiteral("&Line numbers in the gutter"), page);
    m_lineNumbers->setObjectName(QStringLiteral("CHK_LineNumbers"));
    m_lineNumbers->setChecked(m_settings.lineNumbers);

    auto *fontBox = new QGroupBox(QStringLiteral("Font"), page);
    auto *fontForm = new QFormLayout(fontBox);
    fontForm->addRow(QStringLiteral("&Name:"), m_fontName);
    fontForm->addRow(QStringLiteral("&Size:"), m_fontSize);
    auto *textBox = new QGroupBox(QStringLiteral("Text"), page);
    auto *textForm = new QFormLayout(textBox);
    textForm->addRow(QStringLiteral("&Tab width:"), m_tabWidth);
    textForm->addRow(QStringLiteral("&Block indent:"), m_blockIndent);
    textForm->addRow(QStringLiteral("&Right margin at column:"), m_rightMargin);
    textForm->addRow(m_wordWrap);
    textForm->addRow(m_lineNumbers);
    auto *column = new QVBoxLayout(page);
    column->addWidget(fontBox);
    column->addWidget(textBox);
    column->addStretch(1);
    connect(m_fontName, &QComboBox::currentIndexChanged, this, &EditorOptionsDialog::takeSchemeAndFont);
    connect(m_fontSize, &QSpinBox::valueChanged, this, &EditorOptionsDialog::takeSchemeAndFont);
    return page;
}

QWidget *EditorOptionsDialog::buildPrintingPage()
{
    auto *page = new QWidget(this);
    m_printColours = new QCheckBox(QStringLiteral("Print in &colour (unchecked: black on white)"), page);
    m_printColours->setObjectName(QStringLiteral("CHK_PrintColours"));
    m_printColours->setChecked(m_settings.printColours);
    m_printLineNumbers = new QCheckBox(QStringLiteral("Print &line numbers"), page);
    m_printLineNumbers->setObjectName(QStringLiteral("CHK_PrintLineNumbers"));
    m_printLineNumbers->setChecked(m_settings.printLineNumbers);
    auto *note = new QLabel(QStringLiteral("A printout is always made in the Light colours, on white paper."), page);
    note->setWordWrap(true);
    auto *column = new QVBoxLayout(page);
    column->addWidget(m_printColours);
    column->addWidget(m_printLineNumbers);
    column->addWidget(note);
    column->addStretch(1);
    return page;
}

void EditorOptionsDialog::takeSchemeAndFont()
{
    m_settings.colourScheme = static_cast<ColourScheme>(qMax(0, m_scheme->checkedId()));
    if (m_fontName && m_fontSize) {
        m_settings.fontFamily = m_fontName->currentData().toString();
        m_settings.fontSize = m_fontSize->value();
    }
    applyScheme(*m_sample, m_settings);
}

StyleLook *EditorOptionsDialog::currentLook()
{
    const int row = m_styles->currentRow();
    if (row < 0 || size_t(row) >= m_styleIds.size())
        return nullptr;
    return m_settings.style(m_styleIds[size_t(row)]);
}

void EditorOptionsDialog::showStyle(int)
{
    const StyleLook *look = currentLook();
    if (!look)
        return;
    m_showing = true;
    m_attribute->setCurrentIndex(int(look->attribute));
    m_foreground->setColour(QColor(QRgb(look->foreground)));
    m_background->setColour(QColor(QRgb(look->background)));
    m_foregroundAsDefault->setChecked(look->foregroundAsDefault);
    m_backgroundAsDefault->setChecked(look->backgroundAsDefault);
    // The Default style has nothing to default to.
    const bool isDefault = look->id == SchemeStyle::Default;
    m_foregroundAsDefault->setEnabled(!isDefault);
    m_backgroundAsDefault->setEnabled(!isDefault);
    m_showing = false;
}

void EditorOptionsDialog::takeStyle()
{
    StyleLook *look = currentLook();
    if (m_showing || !look)
        return;
    look->attribute = static_cast<FontAttribute>(m_attribute->currentIndex());
    look->foreground = m_foreground->colour().rgb() & 0xFFFFFF;
    look->background = m_background->colour().rgb() & 0xFFFFFF;
    look->foregroundAsDefault = m_foregroundAsDefault->isChecked();
    look->backgroundAsDefault = m_backgroundAsDefault->isChecked();
    applyScheme(*m_sample, m_settings);
}

void EditorOptionsDialog::setWindowKeys(std::vector<WindowKey> keys)
{
    m_windowKeys = std::move(keys);
    for (int row = 0; row < m_keys->rowCount(); ++row)
        noteKeyClashes(row);
}

void EditorOptionsDialog::noteKeyClashes(int row)
{
    QStringList notes;
    for (int slot = 0; slot < 2; ++slot) {
        const auto *edit = static_cast<QKeySequenceEdit *>(m_keys->cellWidget(row, slot + 1));
        const QString key = edit->keySequence().toString(QKeySequence::PortableText);
        const QString taker = windowCommandTaking(key, m_windowKeys);
        if (!taker.isEmpty())
            notes << QStringLiteral("%1 runs the window's \"%2\"")
                         .arg(edit->keySequence().toString(QKeySequence::NativeText), taker);
    }
    auto *note = static_cast<QLabel *>(m_keys->cellWidget(row, 3));
    note->setText(notes.join(QStringLiteral("; ")));
    note->setToolTip(notes.isEmpty() ? QString()
                                     : QStringLiteral("The window's command wins: the editor never gets this key"));
}

EditorSettings EditorOptionsDialog::settings() const
{
    EditorSettings settings = m_settings;
    settings.colourScheme = static_cast<ColourScheme>(qMax(0, m_scheme->checkedId()));
    settings.fontFamily = m_fontName->currentData().toString();
    settings.fontSize = m_fontSize->value();
    settings.tabWidth = m_tabWidth->value();
    settings.blockIndent = m_blockIndent->value();
    settings.rightMargin = m_rightMargin->value();
    settings.wordWrap = m_wordWrap->isChecked();
    settings.lineNumbers = m_lineNumbers->isChecked();
    settings.printColours = m_printColours->isChecked();
    settings.printLineNumbers = m_printLineNumbers->isChecked();
    for (int row = 0; row < m_keys->rowCount(); ++row) {
        const int command = m_keys->item(row, 0)->data(Qt::UserRole).toInt();
        for (int slot = 0; slot < 2; ++slot) {
            const auto *edit = static_cast<QKeySequenceEdit *>(m_keys->cellWidget(row, slot + 1));
            QKeySequence key = edit->keySequence();
            if (key.count() > 2)  // the editor knows single keys and pairs
                key = QKeySequence(key[0], key[1]);
            settings.keys[size_t(command)][size_t(slot)] = key.toString(QKeySequence::PortableText);
        }
    }
    return settings;
}
