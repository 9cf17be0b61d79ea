#include "analysis/elementlistview.h"

#include <QHeaderView>
#include <QKeyEvent>

ElementListModel::ElementListModel(QObject *parent) : QAbstractTableModel(parent) {}

void ElementListModel::setElements(std::vector<ScriptElement> elements)
{
    beginResetModel();
    m_elements = std::move(elements);
    endResetModel();
}

const ScriptElement *ElementListModel::elementAt(int row) const
{
    return row >= 0 && size_t(row) < m_elements.size() ? &m_elements[size_t(row)] : nullptr;
}

int ElementListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_elements.size());
}

int ElementListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ElementListModel::data(const QModelIndex &index, int role) const
{
    const ScriptElement *element = elementAt(index.row());
    if (!element || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return {};
    if (index.column() == ElementColumn)
        return element->text;
    if (role == Qt::ToolTipRole)
        return {};
    return element->section == ScriptSection::Head ? QStringLiteral("Head") : QStringLiteral("Body");
}

QVariant ElementListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    return section == ElementColumn ? QStringLiteral("Element") : QStringLiteral("Section");
}

Qt::ItemFlags ElementListModel::flags(const QModelIndex &index) const
{
    return index.isValid() ? Qt::ItemIsSelectable | Qt::ItemIsEnabled : Qt::NoItemFlags;
}

ElementListView::ElementListView(QWidget *parent) : QTableView(parent), m_model(new ElementListModel(this))
{
    setObjectName(QStringLiteral("LST_Functions"));
    setStatusTip(QStringLiteral("Double click to go to the script element"));
    setModel(m_model);
    setShowGrid(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSortingEnabled(false);
    setWordWrap(false);
    setTabKeyNavigation(false);
    setMouseTracking(true);  // the row under the mouse is highlighted
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);

    // One fixed row height, so no row is ever measured.
    QHeaderView *rows = verticalHeader();
    rows->hide();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(fontMetrics().height() + 4);
    QHeaderView *columns = horizontalHeader();
    columns->setHighlightSections(false);
    columns->setSectionsClickable(false);
    columns->setStretchLastSection(false);
    columns->setSectionResizeMode(ElementListModel::ElementColumn, QHeaderView::Stretch);
    columns->setSectionResizeMode(ElementListModel::SectionColumn, QHeaderView::Interactive);
    int sectionWidth = 0;
    for (const QString &text : {QStringLiteral("Section"), QStringLiteral("Head"), QStringLiteral("Body")})
        sectionWidth = qMax(sectionWidth, fontMetrics().horizontalAdvance(text));
    columns->resizeSection(ElementListModel::SectionColumn, sectionWidth + 24);

    connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex &index) {
        if (index.isValid())
            emit jumpRequested();
    });
}

const ScriptElement *ElementListView::selectedElement() const
{
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? nullptr : m_model->elementAt(rows.first().row());
}

void ElementListView::keyPressEvent(QKeyEvent *event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && event->modifiers() == Qt::NoModifier) {
        event->accept();
        emit jumpRequested();
        return;
    }
    QTableView::keyPressEvent(event);
}
