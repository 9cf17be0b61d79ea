#include "wizards/formelementsdialog.h"

#include "platform/helpsystem.h"
#include "widgets/actions.h"
#include "widgets/handcursor.h"
#include "wizards/formdialogparts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

// A picture per kind, from those the program has.
const char *kindIcon(FormElementKind kind)
{
    switch (kind) {
    case FormElementKind::Text:
    case FormElementKind::Password:
        return "edit";
    case FormElementKind::Textarea:
        return "textarea";
    case FormElementKind::Hidden:
        return "LOKALNE";
    case FormElementKind::Checkbox:
    case FormElementKind::Radio:
        return "OK";
    case FormElementKind::Image:
        return "OBRAZG";
    default:
        return "form-other";
    }
}

} // namespace

TFInneDlg::TFInneDlg(HelpSystem &help, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TFInneDlg"));
    keepHelpReachable(this);
    setWindowTitle(QStringLiteral("Form elements"));

    m_kinds = new QTreeWidget(this);
    m_kinds->setObjectName(QStringLiteral("Lista_El"));
    m_kinds->setAccessibleName(QStringLiteral("Kind of element"));
    m_kinds->setHeaderHidden(true);
    m_kinds->setRootIsDecorated(false);
    m_kinds->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_kinds->setSelectionMode(QAbstractItemView::SingleSelection);
    int widest = 0;
    for (const FormElementKindInfo &info : formElementKinds()) {
        auto *item = new QTreeWidgetItem(m_kinds, {QString::fromLatin1(info.listText)});
        item->setIcon(0, appIcon(QString::fromLatin1(kindIcon(info.kind))));
        widest = qMax(widest, m_kinds->fontMetrics().horizontalAdvance(item->text(0)));
    }
    // Room for the icon, the frame and a scroll bar besides the longest text.
    m_kinds->setMinimumWidth(widest + 64);

    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("Edit_Name"));
    m_value = new QLineEdit(this);
    m_value->setObjectName(QStringLiteral("Edit_Value"));
    m_maxLength = makeWizardSpin(this, "Spin_Maxlength", "Edit2", 0, FormElementOptions::kMaxNumber, 1, 0);
    m_size = makeWizardSpin(this, "Spin_Rozmiar", "Edit1", 0, FormElementOptions::kMaxNumber, 1, 0);
    m_checked = new QCheckBox(QStringLiteral("&Checked ?"), this);
    m_checked->setObjectName(QStringLiteral("Check_Checked"));
    m_tab = new QCheckBox(QStringLiteral("&TAB key handling ?"), this);
    m_tab->setObjectName(QStringLiteral("Check_Tab"));
    m_tab->setChecked(true);
    m_align = new QComboBox(this);
    m_align->setObjectName(QStringLiteral("Lista_Align"));
    m_align->addItems(formElementAlignItems());
    m_align->setCurrentIndex(-1);
    m_hotkey = new QCheckBox(QStringLiteral("&Hotkey"), this);
    m_hotkey->setObjectName(QStringLiteral("CHK_Keys"));
    m_key = new QComboBox(this);
    m_key->setObjectName(QStringLiteral("LST_keys"));
    m_key->setAccessibleName(QStringLiteral("Hotkey"));
    m_key->addItems(accessKeyItems());
    m_key->setCurrentIndex(-1);
    m_key->setEnabled(false);
    m_image = new QLineEdit(this);
    m_image->setObjectName(QStringLiteral("Edit_Obrazek"));

    m_fields = new QFormLayout;
    m_fields->addRow(QStringLiteral("&Name:"), m_name);
    m_fields->addRow(QStringLiteral("&Value:"), m_value);
    m_fields->addRow(QStringLiteral("Max &length:"), m_maxLength);
    m_fields->addRow(QStringLiteral("&Size:"), m_size);
    m_fields->addRow(QStringLiteral("&Align:"), m_align);
    m_fields->addRow(QString(), m_checked);
    m_fields->addRow(QString(), m_tab);
    m_fields->addRow(m_hotkey, m_key);
    m_fields->addRow(QStringLiteral("Image &URL:"), m_image);

    connect(m_hotkey, &QCheckBox::toggled, m_key, &QWidget::setEnabled);
    // Another kind starts without an alignment.
    connect(m_kinds, &QTreeWidget::itemSelectionChanged, this, [this] {
        m_align->setCurrentIndex(-1);
        Ustaw_Pola();
    });

    auto *picture = makeWizardPicture(this, QStringLiteral("form-other"),
                                      QStringLiteral("With this tool you can define needed form fields."));
    auto *left = new QVBoxLayout;
    left->addWidget(picture);
    left->addWidget(m_kinds, 1);
    auto *columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addLayout(m_fields, 1);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(columns, 1);
    layout->addWidget(makeWizardButtons(this, true, [&help] { help.ShowHelpTopic(940); }));

    m_kinds->setCurrentItem(m_kinds->topLevelItem(0));
    Ustaw_Pola();
    applyHandCursorSetting(this);
    resize(qMax(520, sizeHint().width()), qMax(340, sizeHint().height()));
}

std::optional<FormElementKind> TFInneDlg::chosenKind() const
{
    const QList<QTreeWidgetItem *> selected = m_kinds->selectedItems();
    if (selected.isEmpty())
        return std::nullopt;
    const int row = m_kinds->indexOfTopLevelItem(selected.first());
    const auto kinds = formElementKinds();
    if (row < 0 || row >= int(kinds.size()))
        return std::nullopt;
    return kinds[std::size_t(row)].kind;
}

void TFInneDlg::Ustaw_Pola()
{
    const int shown = formElementFields(chosenKind());
    m_fields->setRowVisible(m_size, shown & FieldSize);
    m_fields->setRowVisible(m_maxLength, shown & FieldMaxLength);
    m_fields->setRowVisible(m_align, shown & FieldAlign);
    m_fields->setRowVisible(m_tab, shown & FieldTabHandling);
    m_fields->setRowVisible(m_checked, shown & FieldChecked);
    m_fields->setRowVisible(m_image, shown & FieldImageUrl);
}

FormElementOptions TFInneDlg::options() const
{
    FormElementOptions options;
    options.kind = chosenKind();
    options.name = m_name->text();
    options.value = m_value->text();
    options.size = m_size->value();
    options.maxLength = m_maxLength->value();
    options.align = static_cast<ElementAlign>(m_align->currentIndex() + 1);
    options.tabHandling = m_tab->isChecked();
    options.checked = m_checked->isChecked();
    options.imageUrl = m_image->text();
    options.hotkey = m_hotkey->isChecked();
    options.key = m_key->currentIndex() >= 0 ? m_key->currentText() : QString();
    return options;
}

QString TFInneDlg::Parametry() const
{
    return buildFormElement(options());
}
