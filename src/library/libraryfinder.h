#pragma once
// The search field of the Libraries tab: as the user types, both library
// trees show only the scripts that match (the user library's by name and
// text, the built-in library's by name), their categories opened and the
// matched part of each name in bold.  Escape clears the field and brings
// the trees back as they were; Enter or Down moves into the results.

#include "ports/ports.h"

#include <QHash>
#include <QObject>
#include <QStyledItemDelegate>

#include <vector>

class QBoxLayout;
class QLineEdit;
class QTreeWidget;
class QTreeWidgetItem;
class UserLibraryStore;
class UserLibraryTree;

/// Draws an item's text with the part a search matched in bold.
class MatchDelegate final : public QStyledItemDelegate {
    Q_OBJECT
public:
    /// The item data role holding the matched part: a QPoint (start, length).
    static constexpr int MatchRole = Qt::UserRole + 40;

    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
};

class LibraryFinder final : public QObject {
    Q_OBJECT
public:
    struct Trees {
        UserLibraryTree *user;
        QTreeWidget *builtIn;
    };
    /// The field goes first into layout.
    LibraryFinder(const Ports &ports, UserLibraryStore &store, const Trees &trees, QBoxLayout *layout,
                  QObject *parent = nullptr);

    QLineEdit *field() const { return m_field; }
    bool isFiltering() const { return m_filtering; }

    /// Filters the trees again (the user tree was built anew).
    void refilter();
    /// Empties the field; the trees come back as they were.
    void clear();
    /// Gives the field the focus, its text selected.
    void focusField();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void filter(const QString &typed);
    void rememberExpansion();
    void restoreExpansion();
    void showAll();
    /// Focuses the first script the search left visible.
    void enterResults();

    const Ports &m_ports;
    UserLibraryStore &m_store;
    Trees m_trees;
    QLineEdit *m_field = nullptr;
    bool m_filtering = false;
    /// The categories open before the search began, as (row, text).
    std::vector<std::pair<int, QString>> m_expanded;
};
