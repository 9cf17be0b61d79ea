#include "library/libraryfinder.h"

#include "library/libraryfind.h"
#include "library/userlibrary.h"
#include "library/userlibrarytree.h"
#include "widgets/actions.h"

#include <QAction>
#include <QApplication>
#include <QBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QTabWidget>
#include <QTreeWidget>

// --- the bold part ---------------------------------------------------------------------------

void MatchDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const QVariant match = index.data(MatchRole);
    if (!match.isValid()) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QString text = opt.text;
    const QPoint range = match.toPoint();
    opt.text.clear();
    const QWidget *widget = opt.widget;
    QStyle *style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);

    // The text in three runs: before the match, the match in bold, after it.
    QRect rect = style->subElementRect(QStyle::SE_ItemViewItemText, &opt, widget);
    rect.adjust(2, 0, -2, 0);  // the margin the style gives an item's text
    const QPalette::ColorGroup group = !(opt.state & QStyle::State_Enabled) ? QPalette::Disabled
                                       : (opt.state & QStyle::State_Active) ? QPalette::Active
                                                                            : QPalette::Inactive;
    const QPalette::ColorRole role = (opt.state & QStyle::State_Selected) ? QPalette::HighlightedText : QPalette::Text;
    painter->save();
    painter->setPen(opt.palette.color(group, role));
    painter->setClipRect(rect);
    QFont bold = opt.font;
    bold.setBold(true);
    const QString parts[3] = {text.left(range.x()), text.mid(range.x(), range.y()), text.mid(range.x() + range.y())};
    int x = rect.left();
    for (int i = 0; i < 3; ++i) {
        const QFont &font = i == 1 ? bold : opt.font;
        painter->setFont(font);
        const QRect piece(x, rect.top(), rect.right() - x + 1, rect.height());
        painter->drawText(piece, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, parts[i]);
        x += QFontMetrics(font).horizontalAdvance(parts[i]);
    }
    painter->restore();
}

// --- the field ----------------------------------------------------------------------------------

namespace {

const QString kKey = QStringLiteral("Ctrl+J");

void setMatch(QTreeWidgetItem *item, const TextRange &range)
{
    if (range.isNull())
        item->setData(0, MatchDelegate::MatchRole, QVariant());
    else
        item->setData(0, MatchDelegate::MatchRole, QPoint(int(range.start), int(range.length)));
}

}  // namespace

LibraryFinder::LibraryFinder(const Ports &ports, UserLibraryStore &store, const Trees &trees, QBoxLayout *layout,
                             QObject *parent)
    : QObject(parent), m_ports(ports), m_store(store), m_trees(trees)
{
    m_field = new QLineEdit(layout->parentWidget());
    m_field->setObjectName(QStringLiteral("EDT_Szukaj"));
    m_field->setPlaceholderText(QStringLiteral("Find in libraries (%1)").arg(kKey));
    m_field->setToolTip(QStringLiteral("Find scripts by name or text in both libraries (%1); Escape clears, Enter "
                                       "or Down goes to the results")
                            .arg(kKey));
    m_field->setStatusTip(QStringLiteral("Find scripts by name or text in both libraries"));
    m_field->setAccessibleName(QStringLiteral("Find in libraries"));
    m_field->setClearButtonEnabled(true);
    layout->insertWidget(0, m_field);
    m_field->installEventFilter(this);

    for (QTreeWidget *tree : {static_cast<QTreeWidget *>(m_trees.user), m_trees.builtIn})
        tree->setItemDelegate(new MatchDelegate(tree));

    connect(m_field, &QLineEdit::textChanged, this, &LibraryFinder::filter);
    ports.actions->bind("library.find", this, &LibraryFinder::focusField);
}

void LibraryFinder::focusField()
{
    // The field is on the Libraries tab, which comes to the front.
    for (QWidget *w = m_field; w; w = w->parentWidget())
        if (auto *tabs = qobject_cast<QTabWidget *>(w->parentWidget() ? w->parentWidget()->parentWidget() : nullptr))
            if (tabs->indexOf(w) >= 0)
                tabs->setCurrentWidget(w);
    m_field->setFocus(Qt::ShortcutFocusReason);
    m_field->selectAll();
}

void LibraryFinder::clear()
{
    m_field->clear();
}

void LibraryFinder::refilter()
{
    if (m_filtering)
        filter(m_field->text());
}

void LibraryFinder::rememberExpansion()
{
    m_expanded.clear();
    for (int i = 0; i < m_trees.user->topLevelItemCount(); ++i) {
        QTreeWidgetItem *category = m_trees.user->topLevelItem(i);
        if (category->isExpanded())
            m_expanded.emplace_back(i, category->text(0));
    }
}

void LibraryFinder::restoreExpansion()
{
    UserLibraryTree *tree = m_trees.user;
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        tree->topLevelItem(i)->setExpanded(false);
    for (const auto &[row, text] : m_expanded)
        if (QTreeWidgetItem *category = tree->topLevelItem(row); category && category->text(0) == text)
            category->setExpanded(true);
    // The selected script stays in sight.
    if (QTreeWidgetItem *selected = tree->selectedItem()) {
        if (selected->parent())
            selected->parent()->setExpanded(true);
        tree->scrollToItem(selected);
    }
    m_expanded.clear();
}

void LibraryFinder::showAll()
{
    UserLibraryTree *user = m_trees.user;
    for (int i = 0; i < user->topLevelItemCount(); ++i) {
        QTreeWidgetItem *category = user->topLevelItem(i);
        category->setHidden(false);
        for (int j = 0; j < category->childCount(); ++j) {
            category->child(j)->setHidden(false);
            setMatch(category->child(j), {});
        }
    }
    for (int i = 0; i < m_trees.builtIn->topLevelItemCount(); ++i) {
        m_trees.builtIn->topLevelItem(i)->setHidden(false);
        setMatch(m_trees.builtIn->topLevelItem(i), {});
    }
}

void LibraryFinder::filter(const QString &typed)
{
    const FindQuery query(typed);
    UserLibraryTree *user = m_trees.user;
    if (query.isEmpty()) {
        if (m_filtering) {
            user->setUpdatesEnabled(false);
            showAll();
            restoreExpansion();
            user->setUpdatesEnabled(true);
            m_filtering = false;
        }
        return;
    }
    if (!m_filtering) {
        rememberExpansion();
        m_filtering = true;
    }

    // The user library: every script by name and text.
    QStringList names;
    std::vector<QTreeWidgetItem *> items;
    for (int i = 0; i < user->topLevelItemCount(); ++i) {
        QTreeWidgetItem *category = user->topLevelItem(i);
        for (int j = 0; j < category->childCount(); ++j) {
            names << category->child(j)->text(0);
            items.push_back(category->child(j));
        }
    }
    const std::vector<ScriptMatch> found = findScripts(names, &m_store.scriptTexts(), query);
    user->setUpdatesEnabled(false);
    for (QTreeWidgetItem *item : items)
        item->setHidden(true);
    for (const ScriptMatch &match : found) {
        QTreeWidgetItem *item = items[std::size_t(match.index)];
        item->setHidden(false);
        setMatch(item, match.inName);
    }
    for (int i = 0; i < user->topLevelItemCount(); ++i) {
        QTreeWidgetItem *category = user->topLevelItem(i);
        bool any = false;
        for (int j = 0; j < category->childCount() && !any; ++j)
            any = !category->child(j)->isHidden();
        category->setHidden(!any);
        category->setExpanded(any);
    }
    user->setUpdatesEnabled(true);

    // The built-in library: by name.
    QTreeWidget *builtIn = m_trees.builtIn;
    QStringList builtInNames;
    for (int i = 0; i < builtIn->topLevelItemCount(); ++i) {
        builtInNames << builtIn->topLevelItem(i)->text(0);
        builtIn->topLevelItem(i)->setHidden(true);
    }
    for (const ScriptMatch &match : findScripts(builtInNames, nullptr, query)) {
        QTreeWidgetItem *item = builtIn->topLevelItem(int(match.index));
        item->setHidden(false);
        setMatch(item, match.inName);
    }
}

void LibraryFinder::enterResults()
{
    UserLibraryTree *user = m_trees.user;
    for (int i = 0; i < user->topLevelItemCount(); ++i) {
        QTreeWidgetItem *category = user->topLevelItem(i);
        if (category->isHidden())
            continue;
        for (int j = 0; j < category->childCount(); ++j)
            if (!category->child(j)->isHidden()) {
                user->selectItem(category->child(j));
                user->setFocus(Qt::TabFocusReason);
                return;
            }
    }
    QTreeWidget *builtIn = m_trees.builtIn;
    for (int i = 0; i < builtIn->topLevelItemCount(); ++i)
        if (QTreeWidgetItem *item = builtIn->topLevelItem(i); !item->isHidden()) {
            builtIn->setCurrentItem(item);
            item->setSelected(true);
            builtIn->setFocus(Qt::TabFocusReason);
            return;
        }
}

bool LibraryFinder::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_field && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->modifiers() & ~Qt::KeypadModifier)
            return false;
        switch (key->key()) {
        case Qt::Key_Escape:
            if (m_field->text().isEmpty())
                return false;
            clear();
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Down:
            enterResults();
            return true;
        default:
            break;
        }
    }
    return QObject::eventFilter(watched, event);
}
