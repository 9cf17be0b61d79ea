#include "preview/previewconsole.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QStyle>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

enum Column { TextColumn = 0, PlaceColumn = 1 };
enum Role { LevelRole = Qt::UserRole, FragmentRole, LineRole };

} // namespace

PreviewConsole::PreviewConsole(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("PreviewConsole"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto *strip = new QWidget(this);
    strip->setObjectName(QStringLiteral("PreviewConsoleStrip"));
    auto *row = new QHBoxLayout(strip);
    row->setContentsMargins(4, 2, 4, 2);
    row->setSpacing(4);
    m_fold = new QToolButton(strip);
    m_fold->setObjectName(QStringLiteral("PreviewConsoleFold"));
    m_fold->setAutoRaise(true);
    m_fold->setFocusPolicy(Qt::NoFocus);
    m_fold->setArrowType(Qt::DownArrow);
    m_fold->setToolTip(QStringLiteral("Hide the console"));
    connect(m_fold, &QToolButton::clicked, this, [this] { setCollapsed(!m_collapsed); });
    row->addWidget(m_fold);
    m_title = new QLabel(QStringLiteral("Console"), strip);
    row->addWidget(m_title, 1);
    m_filter = new QComboBox(strip);
    m_filter->setObjectName(QStringLiteral("PreviewConsoleFilter"));
    m_filter->addItem(QStringLiteral("All messages"));
    m_filter->addItem(QStringLiteral("Errors only"));
    m_filter->setToolTip(QStringLiteral("Which messages the console lists"));
    m_filter->setFocusPolicy(Qt::TabFocus);
    connect(m_filter, &QComboBox::currentIndexChanged, this, [this] { applyFilter(); });
    row->addWidget(m_filter);
    auto *clearButton = new QToolButton(strip);
    clearButton->setObjectName(QStringLiteral("PreviewConsoleClear"));
    clearButton->setText(QStringLiteral("Clear"));
    clearButton->setToolTip(QStringLiteral("Remove all messages"));
    clearButton->setAutoRaise(true);
    clearButton->setFocusPolicy(Qt::NoFocus);
    connect(clearButton, &QToolButton::clicked, this, &PreviewConsole::clear);
    row->addWidget(clearButton);
    layout->addWidget(strip);

    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("PreviewConsoleList"));
    m_list->setColumnCount(2);
    m_list->setHeaderLabels({QStringLiteral("Message"), QStringLiteral("Place")});
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setAlternatingRowColors(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->header()->setStretchLastSection(false);
    m_list->header()->setSectionResizeMode(TextColumn, QHeaderView::Stretch);
    m_list->header()->setSectionResizeMode(PlaceColumn, QHeaderView::ResizeToContents);
    // Double click and Enter both activate.
    connect(m_list, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem *item) { activate(item); });
    layout->addWidget(m_list, 1);
}

QIcon PreviewConsole::levelIcon(ConsoleLevel level) const
{
    struct Look {
        const char *theme;
        QStyle::StandardPixmap fallback;
    };
    static const Look looks[] = {{"dialog-information", QStyle::SP_MessageBoxInformation},
                                 {"dialog-warning", QStyle::SP_MessageBoxWarning},
                                 {"dialog-error", QStyle::SP_MessageBoxCritical}};
    const Look &look = looks[int(level)];
    const QString theme = QString::fromLatin1(look.theme);
    return QIcon::hasThemeIcon(theme) ? QIcon::fromTheme(theme) : style()->standardIcon(look.fallback);
}

void PreviewConsole::addMessage(const ConsoleMessage &message)
{
    // A page that logs in a loop must not fill the memory.
    while (m_list->topLevelItemCount() >= kMaxMessages)
        delete m_list->takeTopLevelItem(0);
    auto *item = new QTreeWidgetItem;
    // The list shows a message's first line; the whole text is its tip.
    const QString text = message.text.trimmed();
    item->setText(TextColumn, text.section(u'\n', 0, 0));
    item->setToolTip(TextColumn, text);
    item->setIcon(TextColumn, levelIcon(message.level));
    item->setText(PlaceColumn, message.place.label);
    item->setToolTip(PlaceColumn,
                     message.place.inEditors() ? QStringLiteral("Double click to go there") : message.place.label);
    item->setData(TextColumn, LevelRole, int(message.level));
    item->setData(TextColumn, FragmentRole, message.place.inEditors() ? int(message.place.fragment) : 0);
    item->setData(TextColumn, LineRole, message.place.line);
    if (message.level == ConsoleLevel::Error)
        item->setForeground(TextColumn, palette().color(QPalette::Text).lightness() > 128 ? QColor(255, 120, 120)
                                                                                         : QColor(170, 0, 0));
    m_list->addTopLevelItem(item);
    item->setHidden(errorsOnly() && message.level != ConsoleLevel::Error);
    if (!item->isHidden())
        m_list->scrollToItem(item);
    if (message.level == ConsoleLevel::Error) {
        ++m_errors;
        showErrorsInTitle();
        emit errorCountChanged(m_errors);
    }
}

void PreviewConsole::clear()
{
    m_list->clear();
    if (m_errors != 0) {
        m_errors = 0;
        showErrorsInTitle();
        emit errorCountChanged(0);
    }
}

void PreviewConsole::setCollapsed(bool collapsed)
{
    if (collapsed == m_collapsed)
        return;
    m_collapsed = collapsed;
    m_list->setVisible(!collapsed);
    m_fold->setArrowType(collapsed ? Qt::RightArrow : Qt::DownArrow);
    m_fold->setToolTip(collapsed ? QStringLiteral("Show the console") : QStringLiteral("Hide the console"));
    emit collapsedChanged(collapsed);
}

void PreviewConsole::showErrorsInTitle()
{
    // Seen even when the console is folded away.
    if (m_errors == 0)
        m_title->setText(QStringLiteral("Console"));
    else
        m_title->setText(m_errors == 1 ? QStringLiteral("Console (1 error)")
                                       : QStringLiteral("Console (%1 errors)").arg(m_errors));
}

bool PreviewConsole::errorsOnly() const
{
    return m_filter->currentIndex() == 1;
}

void PreviewConsole::setErrorsOnly(bool on)
{
    m_filter->setCurrentIndex(on ? 1 : 0);
}

void PreviewConsole::applyFilter()
{
    const bool only = errorsOnly();
    for (int i = 0; i < m_list->topLevelItemCount(); ++i) {
        QTreeWidgetItem *item = m_list->topLevelItem(i);
        item->setHidden(only && item->data(TextColumn, LevelRole).toInt() != int(ConsoleLevel::Error));
    }
}

void PreviewConsole::activate(QTreeWidgetItem *item)
{
    if (!item)
        return;
    ScriptPlace place;
    place.fragment = ScriptPlace::Fragment(item->data(TextColumn, FragmentRole).toInt());
    place.line = item->data(TextColumn, LineRole).toInt();
    place.label = item->text(PlaceColumn);
    if (place.inEditors())
        emit placeActivated(place);
}
