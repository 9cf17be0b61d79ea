#include "wizards/formselectdialog.h"

#include "platform/helpsystem.h"
#include "widgets/actions.h"
#include "widgets/handcursor.h"
#include "wizards/formdialogparts.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

TFSelectDlg::TFSelectDlg(HelpSystem &help, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TFSelectDlg"));
    keepHelpReachable(this);
    setWindowTitle(QStringLiteral("List of choices"));

    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("Edit_Nazwa"));
    m_size = makeWizardSpin(this, "Spin_Rozmiar", "Edit1", SelectListOptions::kMinSize, SelectListOptions::kMaxSize, 1,
                            SelectListOptions{}.size);
    m_multiple = new QCheckBox(QStringLiteral("&Multiple selections"), this);
    m_multiple->setObjectName(QStringLiteral("Check_Multiple"));
    m_option = new QLineEdit(this);
    m_option->setObjectName(QStringLiteral("EDT_Elem"));
    m_value = new QLineEdit(this);
    m_value->setObjectName(QStringLiteral("EDT_Value"));
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("Lista_Elementy"));
    m_list->setAccessibleName(QStringLiteral("Choices"));
    m_list->setMinimumHeight(120);

    auto *fields = new QFormLayout;
    fields->addRow(QStringLiteral("&Name:"), m_name);
    fields->addRow(QStringLiteral("&Size:"), m_size);
    fields->addRow(QString(), m_multiple);
    fields->addRow(QStringLiteral("Op&tion:"), m_option);
    fields->addRow(QStringLiteral("&Value:"), m_value);

    const auto listButton = [this](const char *name, const char *icon, const char *hint,
                                   void (TFSelectDlg::*handler)()) {
        auto *button = new QToolButton(this);
        button->setObjectName(QString::fromLatin1(name));
        button->setIcon(appIcon(QString::fromLatin1(icon)));
        button->setToolTip(QString::fromLatin1(hint));
        button->setStatusTip(QString::fromLatin1(hint));
        button->setAutoRaise(true);
        connect(button, &QToolButton::clicked, this, handler);
        return button;
    };
    auto *listButtons = new QVBoxLayout;
    listButtons->addWidget(listButton("Przycisk_Dodaj", "option-add", "Add option to the list",
                                      &TFSelectDlg::Przycisk_DodajClick));
    listButtons->addWidget(listButton("Przycisk_Usun", "delete-item", "Delete option from the list",
                                      &TFSelectDlg::Przycisk_UsunClick));
    listButtons->addWidget(listButton("Przycisk_Wyczysc", "option-clear",
                                      "Clear list (delete all options)", &TFSelectDlg::Przycisk_WyczyscClick));
    listButtons->addWidget(listButton("BTN_Sort", "option-sort", "Sort", &TFSelectDlg::BTN_SortClick));
    listButtons->addWidget(listButton("MoveUpButton", "option-up", "Move up", &TFSelectDlg::MoveUpButtonClick));
    listButtons->addWidget(
        listButton("MoveDownButton", "option-down", "Move down", &TFSelectDlg::MoveDownButtonClick));
    listButtons->addStretch(1);

    // Enter in either edit adds the option.
    connect(m_option, &QLineEdit::returnPressed, this, &TFSelectDlg::Przycisk_DodajClick);
    connect(m_value, &QLineEdit::returnPressed, this, &TFSelectDlg::Przycisk_DodajClick);
    connect(m_list, &QListWidget::itemSelectionChanged, this, &TFSelectDlg::UpdateTextBoxes);

    auto *listRow = new QHBoxLayout;
    listRow->addWidget(m_list, 1);
    listRow->addLayout(listButtons);

    auto *top = new QHBoxLayout;
    top->addWidget(makeWizardPicture(this, QStringLiteral("select-list"),
                                     QStringLiteral("With this tool you can create a scrolling list box of choices")));
    top->addLayout(fields, 1);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(listRow, 1);
    layout->addWidget(makeWizardButtons(this, false, [&help] { help.ShowHelpTopic(820); }));

    applyHandCursorSetting(this);
    resize(qMax(420, sizeHint().width()), qMax(420, sizeHint().height()));
}

SelectListOptions TFSelectDlg::options() const
{
    SelectListOptions options;
    options.name = m_name->text();
    options.size = m_size->value();
    options.multiple = m_multiple->isChecked();
    options.entries = entries();
    return options;
}

QStringList TFSelectDlg::entries() const
{
    QStringList entries;
    for (int row = 0; row < m_list->count(); ++row)
        entries << m_list->item(row)->text();
    return entries;
}

void TFSelectDlg::setEntries(const QStringList &entries, int selected)
{
    const QSignalBlocker quiet(m_list);
    m_list->clear();
    m_list->addItems(entries);
    if (selected >= 0 && selected < m_list->count())
        m_list->setCurrentRow(selected);
}

void TFSelectDlg::Przycisk_DodajClick()
{
    const QString entry = selectListEntry(m_option->text(), m_value->text());
    if (entry.isEmpty())
        return;
    m_list->addItem(entry);
    m_option->clear();
    m_value->clear();
    if (isVisible())
        m_option->setFocus();
    UpdateTextBoxes();
}

void TFSelectDlg::Przycisk_UsunClick()
{
    const QList<QListWidgetItem *> selected = m_list->selectedItems();
    if (!selected.isEmpty())
        delete m_list->takeItem(m_list->row(selected.first()));
    UpdateTextBoxes();
}

void TFSelectDlg::Przycisk_WyczyscClick()
{
    m_list->clear();
    UpdateTextBoxes();
}

void TFSelectDlg::BTN_SortClick()
{
    QStringList sorted = entries();
    sortSelectEntries(sorted);
    setEntries(sorted, -1);
    UpdateTextBoxes();
}

void TFSelectDlg::MoveUpButtonClick()
{
    moveSelected(-1);
}

void TFSelectDlg::MoveDownButtonClick()
{
    moveSelected(+1);
}

void TFSelectDlg::moveSelected(int step)
{
    const QList<QListWidgetItem *> selected = m_list->selectedItems();
    if (!selected.isEmpty()) {
        QStringList list = entries();
        const int to = moveSelectEntry(list, m_list->row(selected.first()), step);
        setEntries(list, to);
    }
    UpdateTextBoxes();
}

void TFSelectDlg::UpdateTextBoxes()
{
    const QList<QListWidgetItem *> selected = m_list->selectedItems();
    m_option->setText(selected.isEmpty() ? QString() : selected.first()->text());
}
