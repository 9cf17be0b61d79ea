#include "editor/editoroptionsdialog.h"

#include "editor/schemelexer.h"
#include "editor/scripteditor.h"
#include "widgets/colourbutton.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeySequenceEdit>
#include <QLabel>
#include <QListWidget>
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
    column->addLayout(top);
    column->addWidget(new QLabel(QStringLiteral("Sample:"), page));
    column->addWidget(m_sample, 2);

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
    m_keys = new QTableWidget(0, 3, page);
    m_keys->setObjectName(QStringLiteral("GRD_Keys"));
    m_keys->setHorizontalHeaderLabels({QStringLiteral("Command"), QStringLiteral("Key #1"), QStringLiteral("Key #2")});
    m_keys->verticalHeader()->hide();
    m_keys->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
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
            m_keys->setCellWidget(row, slot + 1, edit);
        }
    }
    auto *column = new QVBoxLayout(page);
    column->addWidget(m_keys);
    return page;
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

EditorSettings EditorOptionsDialog::settings() const
{
    EditorSettings settings = m_settings;
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
