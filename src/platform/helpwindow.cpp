#include "platform/helpwindow.h"

#include "platform/helpset.h"
#include "platform/prompter.h"
#include "platform/shell.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QTextBrowser>
#include <QToolBar>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QUrlQuery>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const QString kRoot = QStringLiteral(":/help/");
const QString kHome = QStringLiteral("index.html");
const QString kHelpOnHelp = QStringLiteral("helponhelp.html");
// The address of the page shown for a topic number the help does not know.
const QString kMissingTopic = QStringLiteral("topic-not-available.html");

/// The page name of an address inside the help ("editor.html#find" gives "editor.html").
QString pageOf(const QUrl &address)
{
    return address.path().section(u'/', -1);
}

/// A text browser that takes its pages from the help, generated ones included.
class HelpBrowser final : public QTextBrowser {
public:
    HelpBrowser(const HelpWindow &help, const QString &styleSheet, QWidget *parent)
        : QTextBrowser(parent), m_help(help)
    {
        setSearchPaths({kRoot});
        setOpenLinks(false);
        // The one stylesheet of the help; generated pages get it too.
        document()->setDefaultStyleSheet(styleSheet);
    }

    QVariant loadResource(int type, const QUrl &name) override
    {
        if (type == QTextDocument::HtmlResource)
            return m_help.htmlForAddress(name);
        return QTextBrowser::loadResource(type, name);
    }

private:
    const HelpWindow &m_help;
};

QToolBar *navigationBar(QWidget *parent, QTextBrowser *browser)
{
    auto *bar = new QToolBar(parent);
    bar->setIconSize(QSize(18, 18));
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    QAction *back = bar->addAction(parent->style()->standardIcon(QStyle::SP_ArrowBack), QStringLiteral("Back"));
    back->setObjectName(QStringLiteral("HelpBack"));
    back->setShortcut(QKeySequence::Back);
    QAction *forward =
        bar->addAction(parent->style()->standardIcon(QStyle::SP_ArrowForward), QStringLiteral("Forward"));
    forward->setObjectName(QStringLiteral("HelpForward"));
    forward->setShortcut(QKeySequence::Forward);
    back->setEnabled(false);
    forward->setEnabled(false);
    QObject::connect(back, &QAction::triggered, browser, &QTextBrowser::backward);
    QObject::connect(forward, &QAction::triggered, browser, &QTextBrowser::forward);
    QObject::connect(browser, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    QObject::connect(browser, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
    return bar;
}

/// Lets the user pick one of the pages a keyword leads to.
class TopicChooser final : public QDialog {
public:
    TopicChooser(const QString &keyword, const QStringList &titles, QWidget *parent) : QDialog(parent)
    {
        setObjectName(QStringLiteral("HelpTopicsFound"));
        setWindowTitle(QStringLiteral("Topics found"));
        auto *layout = new QVBoxLayout(this);
        layout->addWidget(new QLabel(QStringLiteral("\"%1\" is described on these pages:").arg(keyword), this));
        m_list = new QListWidget(this);
        m_list->setObjectName(QStringLiteral("HelpTopicList"));
        m_list->addItems(titles);
        m_list->setCurrentRow(0);
        layout->addWidget(m_list);
        auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
        layout->addWidget(buttons);
        connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
        connect(m_list, &QListWidget::itemActivated, this, &QDialog::accept);
    }
    int chosenRow() const { return m_list->currentRow(); }

private:
    QListWidget *m_list;
};

} // namespace

HelpWindow::HelpWindow(DesktopShell &shell, Prompter &prompter, QObject *parent)
    : QObject(parent), m_shell(shell), m_prompter(&prompter)
{
}

HelpWindow::HelpWindow(DesktopShell &shell, QObject *parent)
    : QObject(parent), m_shell(shell), m_ownPrompter(std::make_unique<QtPrompter>()),
      m_prompter(m_ownPrompter.get())
{
}

HelpWindow::~HelpWindow()
{
    delete m_main.data();
    delete m_topic.data();
}

void HelpWindow::setGeneratedPage(const QString &pageName, std::function<QString()> html)
{
    if (html)
        m_generated.insert(pageName, std::move(html));
    else
        m_generated.remove(pageName);
}

void HelpWindow::loadTables() const
{
    if (m_loaded)
        return;
    m_loaded = true;
    m_set = loadHelpSet(kRoot);
}

QString HelpWindow::pageForTopic(int topic) const
{
    loadTables();
    return m_set.topics.value(topic);
}

QList<int> HelpWindow::topics() const
{
    loadTables();
    QList<int> numbers = m_set.topics.keys();
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

QString HelpWindow::helpRoot()
{
    return kRoot;
}

QStringList HelpWindow::contentsPages() const
{
    loadTables();
    QStringList pages;
    for (const HelpContentsEntry &entry : std::as_const(m_set.contents))
        pages << entry.page;
    return pages;
}

QStringList HelpWindow::staticPages() const
{
    loadTables();
    return m_set.pages;
}

bool HelpWindow::hasPage(const QString &page) const
{
    loadTables();
    return m_generated.contains(page) || m_set.pages.contains(page);
}

QMultiMap<QString, QString> HelpWindow::keywordIndex() const
{
    loadTables();
    return m_set.keywords;
}

QString HelpWindow::pageHtml(const QString &page) const
{
    if (const auto it = m_generated.constFind(page); it != m_generated.constEnd())
        return (*it)();
    if (hasPage(page))
        return readHelpFile(kRoot, page);
    return helpNotAvailablePage(QStringLiteral("The page \"%1\" is not part of this help.").arg(page));
}

QString HelpWindow::htmlForAddress(const QUrl &address) const
{
    const QString page = pageOf(address);
    if (page == kMissingTopic) {
        const QString topic = QUrlQuery(address).queryItemValue(QStringLiteral("topic"));
        return helpNotAvailablePage(QStringLiteral("There is no help for topic number %1.").arg(topic));
    }
    return pageHtml(page);
}

QString HelpWindow::pageTitle(const QString &page) const
{
    const QString title = helpPageTitle(pageHtml(page));
    return title.isEmpty() ? page : title;
}

QTextBrowser *HelpWindow::makeBrowser(QWidget *parent)
{
    loadTables();
    auto *browser = new HelpBrowser(*this, m_set.styleSheet, parent);
    connect(browser, &QTextBrowser::anchorClicked, this, [this, browser](const QUrl &url) { follow(browser, url); });
    return browser;
}

void HelpWindow::follow(QTextBrowser *browser, const QUrl &url)
{
    const QString scheme = url.scheme().toLower();
    if (scheme == u"http" || scheme == u"https" || scheme == u"mailto") {
        const int code = m_shell.openUrl(url.toString());
        if (code < 32)
            m_prompter->ShowMessageBox(IconError, QStringLiteral("Error!"),
                                       QStringLiteral("Cannot run the default system browser - error code %1")
                                           .arg(code));
        return;
    }
    // Only pages of the help are followed; other schemes (file:, javascript:) are ignored.
    if (!scheme.isEmpty())
        return;
    browser->setSource(browser->source().resolved(url));
}

void HelpWindow::showPage(QTextBrowser *browser, const QUrl &address)
{
    // Showing the page already shown makes it again: a generated page may have changed.
    if (browser->source() == address)
        browser->reload();
    else
        browser->setSource(address);
}

void HelpWindow::ensureMain()
{
    if (m_main)
        return;
    loadTables();
    auto *window = new QWidget(nullptr, Qt::Window);
    window->setObjectName(QStringLiteral("QuillonHelp"));
    window->setWindowTitle(QStringLiteral("Quillon Help"));
    // The program ends when its main window closes, whatever help is open.
    window->setAttribute(Qt::WA_QuitOnClose, false);
    auto *splitter = new QSplitter(window);

    m_side = new QTabWidget(splitter);
    m_side->setObjectName(QStringLiteral("HelpSide"));
    m_contentsTree = new QTreeWidget(m_side);
    m_contentsTree->setObjectName(QStringLiteral("HelpContents"));
    m_contentsTree->setHeaderHidden(true);
    QList<QTreeWidgetItem *> parents;
    for (const HelpContentsEntry &entry : std::as_const(m_set.contents)) {
        auto *item = new QTreeWidgetItem(QStringList{entry.title});
        item->setData(0, Qt::UserRole, entry.page);
        while (parents.size() > entry.level)
            parents.removeLast();
        if (parents.isEmpty())
            m_contentsTree->addTopLevelItem(item);
        else
            parents.last()->addChild(item);
        parents.append(item);
    }
    m_contentsTree->expandAll();
    m_side->addTab(m_contentsTree, QStringLiteral("Contents"));

    auto *indexPage = new QWidget(m_side);
    auto *indexLayout = new QVBoxLayout(indexPage);
    m_search = new QLineEdit(indexPage);
    m_search->setObjectName(QStringLiteral("HelpIndexSearch"));
    m_search->setPlaceholderText(QStringLiteral("Type a keyword"));
    m_search->setClearButtonEnabled(true);
    m_indexList = new QListWidget(indexPage);
    m_indexList->setObjectName(QStringLiteral("HelpIndex"));
    indexLayout->addWidget(m_search);
    indexLayout->addWidget(m_indexList);
    m_side->addTab(indexPage, QStringLiteral("Index"));
    filterIndex(QString());

    auto *right = new QWidget(splitter);
    auto *rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    m_mainBrowser = makeBrowser(right);
    m_mainBrowser->setObjectName(QStringLiteral("HelpBrowser"));
    QToolBar *bar = navigationBar(right, m_mainBrowser);
    QAction *home = bar->addAction(right->style()->standardIcon(QStyle::SP_DirHomeIcon), QStringLiteral("Home"));
    home->setObjectName(QStringLiteral("HelpHome"));
    connect(home, &QAction::triggered, this, [this] { showPage(m_mainBrowser, QUrl(kHome)); });
    QAction *print = bar->addAction(right->style()->standardIcon(QStyle::SP_FileIcon), QStringLiteral("Print"));
    print->setObjectName(QStringLiteral("HelpPrint"));
    connect(print, &QAction::triggered, this, &HelpWindow::printPage);
    rightLayout->addWidget(bar);
    rightLayout->addWidget(m_mainBrowser);
    splitter->addWidget(m_side);
    splitter->addWidget(right);
    splitter->setStretchFactor(1, 1);
    // The contents never cut a title off: the side is at least as wide as
    // the longest one needs in the current font (a scroll bar beside it).
    const QAbstractItemView *contentsView = m_contentsTree;  // where the width of a column is public
    m_contentsTree->setMinimumWidth(contentsView->sizeHintForColumn(0) + 2 * m_contentsTree->frameWidth() +
                                    m_contentsTree->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr,
                                                                         m_contentsTree));
    const int side = qMax(230, m_side->minimumSizeHint().width());
    splitter->setSizes({side, 600});
    auto *windowLayout = new QHBoxLayout(window);
    windowLayout->setContentsMargins(4, 4, 4, 4);
    windowLayout->addWidget(splitter);
    QSize size(qMax(900, side + 670), 640);
    // A large font or scale must not make the window larger than the screen
    // (room left for the frame of a window manager).
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableGeometry().size() - QSize(16, 40));
    window->resize(size);

    const auto openItem = [this](QTreeWidgetItem *item) {
        if (item)
            showPage(m_mainBrowser, QUrl(item->data(0, Qt::UserRole).toString()));
    };
    connect(m_contentsTree, &QTreeWidget::itemActivated, this, openItem);
    connect(m_contentsTree, &QTreeWidget::itemClicked, this, openItem);
    connect(m_mainBrowser, &QTextBrowser::sourceChanged, this, &HelpWindow::selectContentsItem);
    connect(m_search, &QLineEdit::textChanged, this, &HelpWindow::filterIndex);
    connect(m_search, &QLineEdit::returnPressed, this, [this] {
        if (QListWidgetItem *item = m_indexList->currentItem())
            openKeyword(item->text());
    });
    connect(m_indexList, &QListWidget::itemActivated, this,
            [this](QListWidgetItem *item) { openKeyword(item->text()); });
    // Picking the Index tab is picking the search: the keys go to its field.
    connect(m_side, &QTabWidget::currentChanged, this, [this, indexPage](int index) {
        if (m_side->widget(index) == indexPage)
            m_search->setFocus(Qt::TabFocusReason);
    });
    m_main = window;
}

void HelpWindow::selectContentsItem(const QUrl &address)
{
    const QString page = pageOf(address);
    for (QTreeWidgetItemIterator it(m_contentsTree); *it; ++it)
        if ((*it)->data(0, Qt::UserRole).toString() == page) {
            const QSignalBlocker quiet(m_contentsTree);
            m_contentsTree->setCurrentItem(*it);
            return;
        }
}

void HelpWindow::filterIndex(const QString &text)
{
    if (!m_indexList)
        return;
    const HelpIndexMatch match = matchHelpIndex(m_set.indexWords, text);
    m_indexList->clear();
    m_indexList->addItems(match.words);
    m_indexList->setCurrentRow(match.best);
}

void HelpWindow::openKeyword(const QString &keyword)
{
    ensureMain();
    const QStringList pages = helpKeywordPages(m_set.keywords, keyword);
    if (pages.isEmpty())
        return;
    QString page = pages.first();
    if (pages.size() > 1) {
        QStringList titles;
        for (const QString &candidate : std::as_const(pages))
            titles << pageTitle(candidate);
        TopicChooser chooser(keyword, titles, m_main);
        if (m_prompter->execDialog(chooser) != QDialog::Accepted || chooser.chosenRow() < 0)
            return;
        page = pages.value(chooser.chosenRow(), page);
    }
    showPage(m_mainBrowser, QUrl(page));
    raiseMain();
}

void HelpWindow::raiseMain()
{
    m_main->show();
    m_main->raise();
    m_main->activateWindow();
}

void HelpWindow::printPage()
{
    QPrinter printer;
    QPrintDialog dialog(&printer, m_main);
    dialog.setObjectName(QStringLiteral("HelpPrintDialog"));
    if (m_prompter->execDialog(dialog) == QDialog::Accepted)
        m_mainBrowser->print(&printer);
}

void HelpWindow::showContents()
{
    ensureMain();
    m_side->setCurrentIndex(0);
    showPage(m_mainBrowser, QUrl(kHome));
    raiseMain();
}

void HelpWindow::showKeywordSearch(const QString &keyword)
{
    ensureMain();
    m_side->setCurrentIndex(1);
    if (m_mainBrowser->source().isEmpty())
        showPage(m_mainBrowser, QUrl(kHome));
    m_search->setText(keyword);
    raiseMain();
    m_search->setFocus();
    m_search->selectAll();
}

void HelpWindow::showHelpOnHelp()
{
    ensureMain();
    m_side->setCurrentIndex(0);
    showPage(m_mainBrowser, QUrl(kHelpOnHelp));
    raiseMain();
}

void HelpWindow::ensureTopicWindow()
{
    if (m_topic)
        return;
    auto *window = new QWidget(nullptr, Qt::Window);
    window->setObjectName(QStringLiteral("prawe"));
    window->setWindowTitle(QStringLiteral("Quillon Help"));
    window->setAttribute(Qt::WA_QuitOnClose, false);
    auto *layout = new QVBoxLayout(window);
    layout->setContentsMargins(2, 2, 2, 2);
    m_topicBrowser = makeBrowser(window);
    m_topicBrowser->setObjectName(QStringLiteral("TopicBrowser"));
    QToolBar *bar = navigationBar(window, m_topicBrowser);
    QAction *contents = bar->addAction(window->style()->standardIcon(QStyle::SP_FileDialogContentsView),
                                       QStringLiteral("Contents"));
    contents->setObjectName(QStringLiteral("HelpContentsButton"));
    connect(contents, &QAction::triggered, this, &HelpWindow::showContents);
    connect(m_topicBrowser, &QTextBrowser::sourceChanged, this, &HelpWindow::updateTopicCaption);
    layout->addWidget(bar);
    layout->addWidget(m_topicBrowser);

    // A narrow window standing at the right edge of the screen the program is on.
    QScreen *screen = nullptr;
    if (QWidget *active = QApplication::activeWindow())
        screen = active->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    // Room for the frame the window manager adds around the client area.
    const int frame = 8;
    const int width = qMin(440, area.width() / 2);
    const int height = qMax(200, area.height() - 4 * frame - 30);
    window->setGeometry(area.right() - width - frame + 1, area.top() + 30 + frame, width, height);
    m_topic = window;
}

void HelpWindow::updateTopicCaption()
{
    const QString title = m_topicBrowser->documentTitle();
    m_topic->setWindowTitle(title.isEmpty() ? QStringLiteral("Quillon Help")
                                            : title + QStringLiteral(" - Quillon Help"));
}

void HelpWindow::ShowHelpTopic(int topic)
{
    ensureTopicWindow();
    const QString page = pageForTopic(topic);
    QUrl address(page);
    if (page.isEmpty() || !hasPage(page)) {
        address = QUrl(kMissingTopic);
        QUrlQuery query;
        query.addQueryItem(QStringLiteral("topic"), QString::number(topic));
        address.setQuery(query);
    }
    showPage(m_topicBrowser, address);
    updateTopicCaption();
    m_topic->show();
    m_topic->raise();
    m_topic->activateWindow();
}
