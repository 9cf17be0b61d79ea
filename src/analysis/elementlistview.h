#pragma once
// LST_Functions, the Functions tab's list of script elements: a model of
// the scanned elements and the table that shows them ("Element",
// "Section"), read-only, one row selected at a time.  A script of some
// megabytes yields tens of thousands of rows, so the list is a view over
// the scan's result, with rows of one fixed height.

#include "analysis/elementscanner.h"

#include <QAbstractTableModel>
#include <QTableView>

#include <vector>

class ElementListModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { ElementColumn, SectionColumn, ColumnCount };

    explicit ElementListModel(QObject *parent = nullptr);

    /// Shows elements in their order.
    void setElements(std::vector<ScriptElement> elements);
    /// The element of a row, or null.
    const ScriptElement *elementAt(int row) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    std::vector<ScriptElement> m_elements;
};

class ElementListView final : public QTableView {
    Q_OBJECT
public:
    explicit ElementListView(QWidget *parent = nullptr);

    ElementListModel *elements() const { return m_model; }
    /// The selected element, or null.
    const ScriptElement *selectedElement() const;

signals:
    /// A double click on a row, or Enter: go to the selected element.
    void jumpRequested();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    ElementListModel *m_model;
};
