#include "library/builtin/builtinlibrary.h"

#include "document/scripteditors.h"
#include "editor/scripteditor.h"
#include "library/builtin/builtingenerator.h"
#include "library/builtin/builtinheadlinerpage.h"
#include "library/builtin/builtinlistpage.h"
#include "library/builtin/builtinpages.h"
#include "library/librarycommands.h"
#include "library/treecontextmenu.h"
#include "platform/errors.h"
#include "platform/prompter.h"
#include "widgets/actions.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QKeyEvent>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QSpinBox>
#include <QSplitter>
#include <QStackedWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

// --- TRE_Skrypty ------------------------------------------------------------------------------

BuiltInTree::BuiltInTree(QWidget *parent) : QTreeWidget(parent)
{
    setObjectName(QStringLiteral("TRE_Skrypty"));
    setHeaderHidden(true);
    setColumnCount(1);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragOnly);
    setAcceptDrops(false);
    setStatusTip(QStringLiteral("Scripts of the built-in library"));

    // The selection stays visible while the tree does not have the focus.
    QPalette p = palette();
    p.setColor(QPalette::Inactive, QPalette::Highlight, p.color(QPalette::Active, QPalette::Highlight));
    p.setColor(QPalette::Inactive, QPalette::HighlightedText, p.color(QPalette::Active, QPalette::HighlightedText));
    setPalette(p);

    const QIcon icon = appIcon(QStringLiteral("JSKRYPT"));
    QList<QTreeWidgetItem *> items;
    for (const QString &name : builtInScriptNames()) {
        auto *item = new QTreeWidgetItem(QStringList{name});
        item->setIcon(0, icon);
        item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsDragEnabled | Qt::ItemNeverHasChildren);
        items << item;
    }
    addTopLevelItems(items);
}

void BuiltInTree::mousePressEvent(QMouseEvent *event)
{
    // A right click selects the node under the mouse as a left one does.
    if (event->button() == Qt::RightButton)
        if (QTreeWidgetItem *item = itemAt(event->position().toPoint())) {
            setCurrentItem(item);
            item->setSelected(true);
        }
    QTreeWidget::mousePressEvent(event);
    emit pressed();
}

void BuiltInTree::keyPressEvent(QKeyEvent *event)
{
    QTreeWidget::keyPressEvent(event);
    // Space is the keyboard's click on the current script: it shows the
    // settings as a click does (moving with the arrows leaves them hidden).
    if (currentItem() && (event->key() == Qt::Key_Space || event->key() == Qt::Key_Select) &&
        !(event->modifiers() & ~Qt::KeypadModifier))
        emit pressed();
}

void BuiltInTree::startDrag(Qt::DropActions)
{
    QTreeWidget::startDrag(Qt::CopyAction);
}

// --- the library --------------------------------------------------------------------------------

BuiltInLibrary::BuiltInLibrary(const Places &places, const Ports &ports, QObject *parent)
    : QObject(parent), m_places(places), m_ports(ports), m_libraries(*ports.libraries), m_prompter(*ports.prompter)
{
    m_libraries.registerBranch(LibraryKind::BuiltIn, this);
    QWidget *panel = places.panel->parentWidget();
    m_tree = new BuiltInTree(panel);
    places.panel->insertWidget(places.panel->indexOf(places.strip), m_tree, 1);

    // NoteBook's pages, in the order of BuiltInPage.
    QStackedWidget *book = places.noteBook;
    m_pageWidgets = {
        new ListPage(m_settings.list, ports, book),
        new ScrollPage(m_settings.scroll, book),
        new PrinterPage(m_settings.printer, m_prompter, book),
        new NavigatorPage(m_settings.navigator, m_prompter, book),
        new ColoursPage(m_settings.colours, ports, book),
        new EmptyPage(book),
        new AnimTextPage(m_settings.animText, book),
        new DayTimePage(m_settings.dayTime, book),
        new DayPage(m_settings.day, book),
        new HeadlinerPage(m_settings.headliner, ports, book),
    };
    for (BuiltInSettingsPage *page : m_pageWidgets) {
        book->addWidget(page);
        watchEdits(page);
    }
    showPage(page(BuiltInPage::Empty));
    book->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);

    connect(m_tree, &QTreeWidget::itemSelectionChanged, this, &BuiltInLibrary::selectionChanged);
    connect(m_tree, &BuiltInTree::pressed, this, &BuiltInLibrary::showSettingsPages);
}

BuiltInLibrary::~BuiltInLibrary() = default;

void BuiltInLibrary::watchEdits(QWidget *page)
{
    // Every control of a page writes its setting as it changes; whatever
    // changed, the settings are told once that is over.
    const auto edited = [this] {
        if (m_editTold)
            return;
        m_editTold = true;
        QTimer::singleShot(0, this, [this] {
            m_editTold = false;
            emit settingsEdited();
        });
    };
    for (auto *edit : page->findChildren<QLineEdit *>())
        connect(edit, &QLineEdit::textChanged, this, edited);
    for (auto *spin : page->findChildren<QSpinBox *>())
        connect(spin, &QSpinBox::valueChanged, this, edited);
    for (auto *box : page->findChildren<QComboBox *>())
        connect(box, &QComboBox::currentIndexChanged, this, edited);
    for (auto *button : page->findChildren<QAbstractButton *>()) {
        connect(button, &QAbstractButton::clicked, this, edited);
        connect(button, &QAbstractButton::toggled, this, edited);
    }
    // Lists edited through their buttons and dialogs.
    for (auto *view : page->findChildren<QAbstractItemView *>()) {
        QAbstractItemModel *model = view->model();
        connect(model, &QAbstractItemModel::dataChanged, this, edited);
        connect(model, &QAbstractItemModel::rowsInserted, this, edited);
        connect(model, &QAbstractItemModel::rowsRemoved, this, edited);
        connect(model, &QAbstractItemModel::rowsMoved, this, edited);
        connect(model, &QAbstractItemModel::modelReset, this, edited);
    }
}

void BuiltInLibrary::attachCommands()
{
    ActionRegistry &actions = *m_ports.actions;
    actions.bind("builtin.edit", this, &BuiltInLibrary::BTN_Edit_LibClick);
    actions.bind("builtin.insert", this, &BuiltInLibrary::ToolbarButton971Click);
    actions.bind("builtin.preview", this, &BuiltInLibrary::TRE_SkryptyDblClick);
    connect(m_tree, &QTreeWidget::itemDoubleClicked, this,
            guarded([this](QTreeWidgetItem *, int) { TRE_SkryptyDblClick(); }));
    // The preview button's arrow offers the other browsers.
    QWidget *previewButton = m_places.strip->widgetForAction(actions.action(QStringLiteral("BTN_Preview_Built")));
    if (auto *button = qobject_cast<QToolButton *>(previewButton)) {
        button->setMenu(actions.menu(QStringLiteral("Pop_Prev")));
        button->setPopupMode(QToolButton::MenuButtonPopup);
    }
    m_ports.drops->registerDropSource(
        m_tree, [this] { return selectedId() >= 0; }, [this](ScriptEditor *) { loadIntoEditors(); });
    attachContextMenu(m_tree, actions.menu(QStringLiteral("POP_BuiltInLib")));
}

int BuiltInLibrary::selectedId() const
{
    QTreeWidgetItem *item = m_tree->currentItem();
    if (!item || !item->isSelected())
        return -1;
    return m_tree->indexOfTopLevelItem(item);
}

bool BuiltInLibrary::isBrowserExitSelected() const
{
    return selectedId() == kBrowserExitId;
}

void BuiltInLibrary::selectionChanged()
{
    const int id = selectedId();
    if (id < 0)
        return;
    selectBuiltInScript(m_settings, id);
    showPage(page(builtInPageOf(id)));
}

void BuiltInLibrary::showPage(BuiltInSettingsPage *shown)
{
    shown->refresh();
    // NoteBook is as tall as the page it shows, not as its tallest page.
    for (BuiltInSettingsPage *each : m_pageWidgets) {
        const QSizePolicy::Policy policy = each == shown ? QSizePolicy::Preferred : QSizePolicy::Ignored;
        each->setSizePolicy(policy, policy);
    }
    m_places.noteBook->setCurrentWidget(shown);
    m_places.noteBook->updateGeometry();
}

void BuiltInLibrary::hideSettingsPages()
{
    m_places.noteBook->hide();
}

void BuiltInLibrary::showSettingsPages()
{
    QStackedWidget *book = m_places.noteBook;
    if (book->isVisible())
        return;
    book->show();
    // The room beside NoteBook is shared out once the layout has given
    // NoteBook its place.
    // (NoteBook may sit in a panel that scrolls it: the layout is further up.)
    for (QWidget *area = book->parentWidget(); area; area = area->parentWidget())
        if (area->layout()) {
            area->layout()->activate();
            break;
        }
    QSplitter *splitter = m_places.editorSplitter;
    const int room = splitter->height() - splitter->handleWidth();
    if (room > 0)
        splitter->setSizes({room / 2, room - room / 2});
}

bool BuiltInLibrary::libraryHasFocus() const
{
    return m_tree->hasFocus();
}

bool BuiltInLibrary::produceScript(LibraryTexts &texts)
{
    const int id = selectedId();
    if (id < 0) {
        m_prompter.ShowMessageBox(IconInformation, QStringLiteral("Information!"),
                                  QStringLiteral("Please select a script!"));
        return false;
    }
    const std::optional<GeneratedScript> script = generateBuiltInScript(id, m_settings);
    if (!script) {
        m_prompter.ShowMessageBox(IconInformation, QStringLiteral("Information"),
                                  QStringLiteral("The script isn't configured! Please correct settings."));
        return false;
    }
    texts = {script->head, script->body};
    return true;
}

std::optional<LibraryTexts> BuiltInLibrary::peekScript() const
{
    const int id = selectedId();
    if (id < 0)
        return std::nullopt;
    const std::optional<GeneratedScript> script = generateBuiltInScript(id, m_settings);
    if (!script)
        return std::nullopt;
    return LibraryTexts{script->head, script->body};
}

void BuiltInLibrary::loadIntoEditors()
{
    loadLibraryScript(LibraryKind::BuiltIn, m_libraries, *m_ports.editors, m_prompter);
}

void BuiltInLibrary::BTN_Edit_LibClick()
{
    m_ports.pages->showEditorPage();
    if (selectedId() >= 0)
        loadIntoEditors();
}

void BuiltInLibrary::ToolbarButton971Click()
{
    m_ports.pages->showEditorPage();
    insertLibraryScriptAtCaret(LibraryKind::BuiltIn, m_libraries, *m_ports.editors);
}

void BuiltInLibrary::TRE_SkryptyDblClick()
{
    QTreeWidgetItem *item = m_tree->currentItem();
    previewLibraryScript(LibraryKind::BuiltIn, m_libraries, *m_ports.preview, item ? item->text(0) : QString());
}
