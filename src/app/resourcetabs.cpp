#include "app/resourcetabs.h"

#include "analysis/elementlistview.h"
#include "analysis/languagetreewidget.h"
#include "widgets/actions.h"
#include "widgets/panels.h"

#include <QLabel>
#include <QScreen>
#include <QSplitter>
#include <QStyle>
#include <QStyleOption>
#include <QTabBar>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

// What the window needs beside the resource tabs: the two vertical
// toolbars, the editors' least width and the right panel.
constexpr int kRoomBesideTheTabs = 360;

}  // namespace

ResourceTabs::ResourceTabs(ActionRegistry &actions, QWidget *parent) : QTabWidget(parent)
{
    setObjectName(QStringLiteral("PGC_Lib"));
    setDocumentMode(false);
    // On a small screen the tabs scroll rather than widen the window.
    setUsesScrollButtons(true);
    setIconSize(QSize(16, 16));

    // "Libraries": the built-in library above the user library.
    m_libraries = new QWidget(this);
    m_libraries->setObjectName(QStringLiteral("TAB_BuildIn"));
    auto *librariesLayout = new QVBoxLayout(m_libraries);
    librariesLayout->setContentsMargins(0, 0, 0, 0);
    m_splitter = new QSplitter(Qt::Vertical, m_libraries);
    m_splitter->setObjectName(QStringLiteral("Splitter1"));
    m_splitter->setChildrenCollapsible(false);
    m_splitter->setHandleWidth(3);
    librariesLayout->addWidget(m_splitter);

    QWidget *builtInPanel = makeCaptionedPanel(QStringLiteral("PNL_BuiltInLib"), QStringLiteral("Built-in library"),
                                               m_splitter, &m_builtIn);
    m_builtInStrip = makeButtonStrip(QStringLiteral("PNL_BuiltInStrip"), actions, builtInPanel);
    m_builtIn->addWidget(m_builtInStrip);
    builtInPanel->setMinimumHeight(70);

    QWidget *userPanel = makeCaptionedPanel(QStringLiteral("PNL_UserLib"), QStringLiteral("User library"), m_splitter,
                                            &m_userLibrary);
    userPanel->setMinimumHeight(70);
    m_splitter->setStretchFactor(0, 0);
    m_splitter->setStretchFactor(1, 1);
    m_splitter->setSizes({230, 300});

    // "Languages": the tree of insertable language elements.
    m_languages = new QWidget(this);
    m_languages->setObjectName(QStringLiteral("TAB_Scripting"));
    QVBoxLayout *languages = nullptr;
    QWidget *languagesPanel = makeCaptionedPanel(QStringLiteral("PNL_Languages"), QStringLiteral("Languages elements"),
                                                 m_languages, &languages);
    (new QVBoxLayout(m_languages))->addWidget(languagesPanel);
    m_languages->layout()->setContentsMargins(0, 0, 0, 0);
    m_languageTree = new LanguageTreeWidget(languagesPanel);
    languages->addWidget(m_languageTree, 1);
    languages->addWidget(makeButtonStrip(QStringLiteral("PNL_LanguagesStrip"), actions, languagesPanel));

    // "Functions": the elements of the current script.
    m_functions = new QWidget(this);
    m_functions->setObjectName(QStringLiteral("TAB_Func"));
    QVBoxLayout *functions = nullptr;
    QWidget *functionsPanel = makeCaptionedPanel(QStringLiteral("PNL_Functions"), QStringLiteral("Current script elements"),
                                                 m_functions, &functions);
    // Under them, what the script doctor found in the script.
    auto *functionsSplitter = new QSplitter(Qt::Vertical, m_functions);
    functionsSplitter->setObjectName(QStringLiteral("Splitter_Problems"));
    functionsSplitter->setChildrenCollapsible(false);
    (new QVBoxLayout(m_functions))->addWidget(functionsSplitter);
    m_functions->layout()->setContentsMargins(0, 0, 0, 0);
    functionsSplitter->addWidget(functionsPanel);
    m_functionList = new ElementListView(functionsPanel);
    functions->addWidget(m_functionList, 1);
    functions->addWidget(makeButtonStrip(QStringLiteral("PNL_FunctionsStrip"), actions, functionsPanel));
    functionsSplitter->addWidget(
        makeCaptionedPanel(QStringLiteral("PNL_Problems"), QStringLiteral("Problems"), functionsSplitter, &m_problems));
    functionsSplitter->setStretchFactor(0, 3);
    functionsSplitter->setStretchFactor(1, 2);

    addTab(m_libraries, appIcon(QStringLiteral("FORMULARZ")), QStringLiteral("Libraries"));
    addTab(m_languages, appIcon(QStringLiteral("JSKRYPT")), QStringLiteral("Languages"));
    addTab(m_functions, appIcon(QStringLiteral("FUNKCJA1")), QStringLiteral("Functions"));
    setCurrentIndex(0);
}

QSize ResourceTabs::minimumSizeHint() const
{
    QSize size = QTabWidget::minimumSizeHint();
    // The frame around the pages, as QTabWidget reserves it.
    QStyleOptionTabWidgetFrame frame;
    initStyleOption(&frame);
    const int frameWidth = 2 * style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &frame, this);
    int wanted = tabBar()->sizeHint().width();
    const QList<QToolBar *> strips = findChildren<QToolBar *>();
    for (const QToolBar *strip : strips)
        wanted = qMax(wanted, strip->sizeHint().width() + frameWidth);
    // Never more than the screen leaves beside the editors, the toolbars at
    // their sides and the right panel; at a large scale on a small screen
    // (where that is less than two fifths of it) two fifths, and the tabs
    // scroll.
    if (const QScreen *where = screen()) {
        const int screenWidth = where->availableGeometry().width();
        wanted = qMin(wanted, qMax(screenWidth * 2 / 5, screenWidth - kRoomBesideTheTabs));
    }
    size.setWidth(qMax(size.width(), wanted));
    return size;
}
