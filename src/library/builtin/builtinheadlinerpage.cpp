#include "library/builtin/builtinheadlinerpage.h"

#include "library/builtin/builtinlists.h"
#include "library/builtin/listdialogs.h"
#include "platform/prompter.h"
#include "ports/ports.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

// --- TAB_HeadLiner --------------------------------------------------------------------------

HeadlinerPage::HeadlinerPage(HeadlinerSettings &settings, const Ports &ports, QWidget *parent)
    : BuiltInSettingsPage(QStringLiteral("TAB_HeadLiner"), parent), m_settings(settings), m_ports(ports)
{
    m_title = newEdit(QStringLiteral("EDT_HeadL_Name"), this);
    auto *titleLabel = new QLabel(QStringLiteral("Headline title:"), this);
    titleLabel->setBuddy(m_title);
    auto *titleRow = new QHBoxLayout;
    titleRow->addWidget(titleLabel);
    titleRow->addWidget(m_title, 1);

    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("LST_HEadLiner"));
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setMouseTracking(true);  // hot tracking
    m_list->setHeaderLabels({QStringLiteral("Headline text"), QStringLiteral("URL"), QStringLiteral("Effect"),
                             QStringLiteral("Frame name"), QStringLiteral("Wait")});
    // The headline's text and address share the room the page has; the
    // other columns keep their design widths.
    m_list->header()->setStretchLastSection(false);
    m_list->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_list->header()->setSectionResizeMode(1, QHeaderView::Stretch);
    const int widths[] = {105, 80, 65, 70, 60};
    // ... widened to their caption and, for the effect, its longest name.
    int longestEffect = 0;
    for (const QString &effect : headlineEffects())
        longestEffect = qMax(longestEffect, m_list->fontMetrics().horizontalAdvance(effect) + 12);
    for (int c = 2; c < 5; ++c)
        m_list->setColumnWidth(c,
                               std::max({widths[c], m_list->header()->sectionSizeHint(c), c == 2 ? longestEffect : 0}));
    m_list->header()->setMinimumSectionSize(40);
    m_list->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
    m_list->setMinimumHeight(m_list->header()->sizeHint().height() + 5 * m_list->fontMetrics().height() + 12);

    auto *buttons = new QVBoxLayout;
    QToolButton *add =
        newListButton(QStringLiteral("BTN_Head_Ad"), QStringLiteral("Add item"), QStringLiteral("add-category"), this);
    QToolButton *remove = newListButton(QStringLiteral("BTN_Head_Del"), QStringLiteral("Delete item"),
                                        QStringLiteral("delete-item"), this);
    QToolButton *edit = newListButton(QStringLiteral("BTN_Head_Edit"), QStringLiteral("Edit selected item"),
                                      QStringLiteral("edit"), this);
    QToolButton *clear =
        newListButton(QStringLiteral("BTN_Head_Clear"), QStringLiteral("Clear list"), QStringLiteral("ANULUJ"), this);
    for (QToolButton *button : {add, remove, edit, clear})
        buttons->addWidget(button);
    buttons->addStretch(1);

    auto *listRow = new QHBoxLayout;
    listRow->addWidget(m_list, 1);
    listRow->addLayout(buttons);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(6, 6, 6, 6);
    column->addLayout(titleRow);
    column->addLayout(listRow, 1);

    connect(add, &QToolButton::clicked, this, &HeadlinerPage::BTN_Head_AdClick);
    connect(remove, &QToolButton::clicked, this, &HeadlinerPage::BTN_Head_DelClick);
    connect(edit, &QToolButton::clicked, this, &HeadlinerPage::BTN_Head_EditClick);
    connect(clear, &QToolButton::clicked, this, &HeadlinerPage::BTN_Head_ClearClick);
    connect(m_title, &QLineEdit::textChanged, this, [this](const QString &text) { m_settings.title = text; });
    refresh();
}

void HeadlinerPage::refresh()
{
    m_title->setText(QString(m_settings.title));
    showRows(-1);
}

void HeadlinerPage::showRows(int current)
{
    m_list->clear();
    QList<QTreeWidgetItem *> items;
    for (const Headline &h : std::as_const(m_settings.rows))
        items << new QTreeWidgetItem(QStringList{h.text, h.url, h.effect, h.frame, h.wait});
    m_list->addTopLevelItems(items);
    if (current >= 0 && current < items.size()) {
        m_list->setCurrentItem(items.at(current));
        items.at(current)->setSelected(true);
    }
}

int HeadlinerPage::selectedRow() const
{
    const QList<QTreeWidgetItem *> selected = m_list->selectedItems();
    return selected.isEmpty() ? -1 : m_list->indexOfTopLevelItem(selected.front());
}

void HeadlinerPage::BTN_Head_AdClick()
{
    THeadLinDlg dialog(m_ports.prompter->parentWindow());
    if (m_ports.prompter->execDialog(dialog) != QDialog::Accepted)
        return;
    m_settings.rows.append(headlineFrom(dialog.fields()));
    showRows(int(m_settings.rows.size()) - 1);
}

void HeadlinerPage::BTN_Head_DelClick()
{
    const int row = selectedRow();
    if (row < 0)
        return;
    m_settings.rows.removeAt(row);
    showRows(-1);
}

void HeadlinerPage::BTN_Head_EditClick()
{
    const int row = selectedRow();
    if (row < 0)
        return;
    THeadLinDlg dialog(m_ports.prompter->parentWindow());
    dialog.setFields(headlineFieldsFor(m_settings.rows.at(row)));
    if (m_ports.prompter->execDialog(dialog) != QDialog::Accepted)
        return;
    m_settings.rows[row] = headlineFrom(dialog.fields());
    showRows(row);
}

void HeadlinerPage::BTN_Head_ClearClick()
{
    if (m_ports.prompter->AskYesNo(QStringLiteral("Please confirm"),
                                   QStringLiteral("Are you sure you want to delete all items of Headliner script?")) !=
        AnswerYes)
        return;
    m_settings.rows.clear();
    showRows(-1);
}
