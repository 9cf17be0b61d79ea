#include "library/builtin/builtinlistpage.h"

#include "library/builtin/builtinlists.h"
#include "library/builtin/listdialogs.h"
#include "platform/prompter.h"
#include "ports/ports.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

// --- TAB_Lista ----------------------------------------------------------------------------

ListPage::ListPage(ListSettings &settings, const Ports &ports, QWidget *parent)
    : BuiltInSettingsPage(QStringLiteral("TAB_Lista"), parent), m_settings(settings), m_ports(ports)
{
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(6, 4, 6, 6);
    m_group = new QGroupBox(this);
    m_group->setObjectName(QStringLiteral("GRP_Lista"));
    outer->addWidget(m_group);

    m_firstLabel = new QLabel(m_group);
    m_firstLabel->setObjectName(QStringLiteral("LBL_Opis"));
    m_firstEdit = newEdit(QStringLiteral("Edit_Lista_Opis"), m_group);
    m_firstEdit->setStatusTip(QStringLiteral("Description of the list"));
    m_firstLabel->setBuddy(m_firstEdit);
    m_secondLabel = new QLabel(m_group);
    m_secondLabel->setObjectName(QStringLiteral("LBL_NaPrzycisk"));
    m_secondEdit = newEdit(QStringLiteral("Edit_Lista_Przycisk"), m_group);
    m_secondEdit->setStatusTip(QStringLiteral("Text on button"));
    m_secondLabel->setBuddy(m_secondEdit);
    auto *edits = new QVBoxLayout;
    edits->addWidget(m_firstLabel);
    edits->addWidget(m_firstEdit);
    edits->addWidget(m_secondLabel);
    edits->addWidget(m_secondEdit);
    edits->addStretch(1);

    m_grid = new QTableWidget(1, 2, m_group);
    m_grid->setObjectName(QStringLiteral("LST_Odnosnik"));
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->verticalHeader()->hide();
    m_grid->verticalHeader()->setDefaultSectionSize(qMax(16, m_grid->fontMetrics().height() + 4));
    m_grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_grid->setColumnWidth(0, 166);
    m_grid->setColumnWidth(1, 154);
    // The grid takes the height the page has; the edits and buttons beside
    // it decide that height.
    m_grid->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
    m_grid->setMinimumHeight(m_grid->horizontalHeader()->sizeHint().height() +
                             4 * m_grid->verticalHeader()->defaultSectionSize());

    auto *buttons = new QVBoxLayout;
    QToolButton *add = newListButton(QStringLiteral("BTN_Odnosnik_Dodaj"), QStringLiteral("Add item"),
                                     QStringLiteral("add-category"), m_group);
    QToolButton *remove = newListButton(QStringLiteral("BTN_Odnosnik_Usun"), QStringLiteral("Delete item"),
                                        QStringLiteral("delete-item"), m_group);
    QToolButton *edit = newListButton(QStringLiteral("BTN_Odnosnik_Edytuj"), QStringLiteral("Edit selected item"),
                                      QStringLiteral("edit"), m_group);
    QToolButton *clear = newListButton(QStringLiteral("BTN_Odnosnik_Skasuj"), QStringLiteral("Clear list"),
                                       QStringLiteral("ANULUJ"), m_group);
    for (QToolButton *button : {add, remove, edit, clear})
        buttons->addWidget(button);
    buttons->addStretch(1);

    auto *row = new QHBoxLayout(m_group);
    row->addLayout(edits, 2);
    row->addWidget(m_grid, 5);
    row->addLayout(buttons);

    connect(add, &QToolButton::clicked, this, &ListPage::BTN_Odnosnik_DodajClick);
    connect(remove, &QToolButton::clicked, this, &ListPage::BTN_Odnosnik_UsunClick);
    connect(edit, &QToolButton::clicked, this, &ListPage::BTN_Odnosnik_EdytujClick);
    connect(clear, &QToolButton::clicked, this, &ListPage::BTN_Odnosnik_SkasujClick);
    connect(m_grid, &QTableWidget::cellDoubleClicked, this, [this] { BTN_Odnosnik_EdytujClick(); });
    connect(m_firstEdit, &QLineEdit::textChanged, this, [this](const QString &text) { m_settings.firstEdit = text; });
    connect(m_secondEdit, &QLineEdit::textChanged, this, [this](const QString &text) { m_settings.secondEdit = text; });
    refresh();
}

void ListPage::refresh()
{
    const ListSettings values = m_settings;
    m_group->setTitle(values.groupCaption);
    for (QWidget *widget : {static_cast<QWidget *>(m_firstLabel), static_cast<QWidget *>(m_firstEdit),
                            static_cast<QWidget *>(m_secondLabel), static_cast<QWidget *>(m_secondEdit)})
        widget->setVisible(values.editsShown);
    m_firstLabel->setText(values.firstLabel);
    m_secondLabel->setText(values.secondLabel);
    m_firstEdit->setText(values.firstEdit);
    m_secondEdit->setText(values.secondEdit);
    m_grid->setHorizontalHeaderLabels({values.firstHeader, values.secondHeader});
    showRows(0);
}

void ListPage::showRows(int current)
{
    const QList<ListRow> &rows = m_settings.rows;
    m_grid->setRowCount(int(rows.size()));
    for (int r = 0; r < rows.size(); ++r) {
        m_grid->setItem(r, 0, new QTableWidgetItem(rows.at(r).first));
        m_grid->setItem(r, 1, new QTableWidgetItem(rows.at(r).second));
    }
    m_grid->setCurrentCell(qBound(0, current, int(rows.size()) - 1), 0);
}

int ListPage::currentRow() const
{
    const int row = m_grid->currentRow();
    return row >= 0 && row < m_settings.rows.size() ? row : -1;
}

void ListPage::BTN_Odnosnik_DodajClick()
{
    ListRow row;
    if (citations()) {
        const CitationProblem problem = citationProblem(m_firstEdit->text(), m_secondEdit->text());
        if (problem != CitationProblem::None) {
            m_ports.prompter->ShowMessageBox(IconInformation, QStringLiteral("Information"),
                                             citationProblemText(problem));
            return;
        }
        row = {m_firstEdit->text(), m_secondEdit->text()};
    } else {
        TOdnosnikDlg dialog(*m_ports.prompter, *m_ports.help, m_ports.prompter->parentWindow());
        if (m_ports.prompter->execDialog(dialog) != QDialog::Accepted ||
            !isCompleteLink(dialog.description(), dialog.address()))
            return;
        row = {dialog.description(), dialog.address()};
    }
    showRows(addListRow(m_settings.rows, row));
}

void ListPage::BTN_Odnosnik_UsunClick()
{
    const int row = currentRow();
    if (row < 0)
        return;
    deleteListRow(m_settings.rows, row);
    showRows(row);
}

void ListPage::BTN_Odnosnik_EdytujClick()
{
    const int row = currentRow();
    if (row < 0)
        return;
    const ListRow current = m_settings.rows.at(row);
    if (citations()) {
        m_firstEdit->setText(current.first);
        m_secondEdit->setText(current.second);
        return;
    }
    if (current.first.isEmpty())
        return;
    TOdnosnikDlg dialog(*m_ports.prompter, *m_ports.help, m_ports.prompter->parentWindow());
    dialog.setLink(current.first, current.second);
    if (m_ports.prompter->execDialog(dialog) != QDialog::Accepted ||
        !isCompleteLink(dialog.description(), dialog.address()))
        return;
    m_settings.rows[row] = {dialog.description(), dialog.address()};
    showRows(row);
}

void ListPage::BTN_Odnosnik_SkasujClick()
{
    clearListRows(m_settings.rows);
    showRows(0);
}
