#include "library/userlibrarycontroller.h"

#include "document/scripteditors.h"
#include "editor/scripteditor.h"
#include "library/librarycommands.h"
#include "library/libraryfiledrop.h"
#include "library/renamedialog.h"
#include "library/treecontextmenu.h"
#include "library/userlibrary.h"
#include "library/userlibrarytree.h"
#include "platform/errors.h"
#include "platform/prompter.h"
#include "widgets/actions.h"
#include "widgets/busycursor.h"
#include "widgets/panels.h"
#include "widgets/statuspanels.h"

#include <QAction>
#include <QMenu>
#include <QSplitter>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString kErrorCaption = QStringLiteral("Error!");

} // namespace

UserLibraryController::UserLibraryController(const Ports &ports, const QString &folder, QVBoxLayout *panel,
                                             QObject *parent)
    : QObject(parent), m_ports(ports), m_store(std::make_unique<UserLibraryStore>(folder))
{
    ports.libraries->registerBranch(LibraryKind::User, this);
    QWidget *panelWidget = panel->parentWidget();
    m_splitter = new QSplitter(Qt::Vertical, panelWidget);
    m_splitter->setObjectName(QStringLiteral("Splitter_UserLib"));
    m_splitter->setChildrenCollapsible(false);
    m_splitter->setHandleWidth(3);
    m_tree = new UserLibraryTree(m_splitter);
    m_splitter->addWidget(m_tree);
    panel->addWidget(m_splitter, 1);
    ActionRegistry &actions = *ports.actions;
    QToolBar *strip = makeButtonStrip(QStringLiteral("PNL_UserStrip"), actions, panelWidget);
    panel->addWidget(strip);
    // The preview button's arrow offers the other browsers.
    if (auto *button = qobject_cast<QToolButton *>(strip->widgetForAction(actions.action(QStringLiteral("BTN_Preview_Script_User"))))) {
        button->setMenu(actions.menu(QStringLiteral("Pop_Prev")));
        button->setPopupMode(QToolButton::MenuButtonPopup);
    }

    // The tree as the window's design holds it, until the folder is read.
    m_tree->addTopLevelItem(m_tree->newCategoryItem(QStringLiteral("User scripts")));

    actions.bind("library.saveScript", this, &UserLibraryController::BTN_ZapiszClick);
    actions.bind("library.addCategory", this, &UserLibraryController::BTN_AddCategClick);
    actions.bind("library.deleteItem", this, &UserLibraryController::BTN_Del_ItemClick);
    actions.bind("library.edit", this, &UserLibraryController::BTN_Edit_Script_UserClick);
    actions.bind("library.insert", this, &UserLibraryController::BTN_User_InsertClick);
    actions.bind("library.preview", this, &UserLibraryController::BTN_Preview_Script_UserClick);
    actions.bind("library.rename", this, &UserLibraryController::renameSelected);
    actions.bind("library.duplicate", this, &UserLibraryController::duplicateSelected);
    actions.bind("library.export", this, &UserLibraryController::exportSelected);
    actions.bind("library.exportAll", this, &UserLibraryController::exportLibrary);
    actions.bind("library.import", this, &UserLibraryController::importArchive);
    // Files dropped from the file manager come in once the drop is over.
    acceptScriptFileDrops(m_tree, [this](QTreeWidgetItem *category, const QStringList &paths) {
        const NodeRef ref = m_store->refOf(nodeOf(category));
        QTimer::singleShot(0, this, guarded([this, ref, paths] { importDroppedFiles(ref, paths); }));
    });
    attachContextMenu(m_tree, actions.menu(QStringLiteral("POP_UserLib")));
    connect(m_tree, &UserLibraryTree::openRequested, this, guarded([this] { BTN_Edit_Script_UserClick(); }));
    connect(m_tree, &UserLibraryTree::deleteRequested, this, guarded([this] { BTN_Del_ItemClick(); }));
    connect(m_tree, &UserLibraryTree::nodesDropped, this, &UserLibraryController::nodesDropped);
    // Copy script from library serves both libraries; the user library,
    // which has the menus' commands, binds it.
    actions.bind("clipboard.fromLibrary", this, [this] { copyLibraryScript(*m_ports.libraries, *m_ports.prompter); });

    connect(m_tree, &QTreeWidget::itemDoubleClicked, this,
            guarded([this](QTreeWidgetItem *, int) { BTN_Preview_Script_UserClick(); }));
    connect(m_tree, &QTreeWidget::itemSelectionChanged, this, &UserLibraryController::updateButtons);
    connect(m_tree, &QTreeWidget::currentItemChanged, this, &UserLibraryController::updateButtons);
    connect(m_tree, &QTreeWidget::itemChanged, this, guarded([this](QTreeWidgetItem *item, int) {
                if (m_rebuilding)
                    return;
                if (UserLibraryTree::isCategory(item)) {
                    categoryEdited(item);
                    return;
                }
                LibraryNode *node = nodeOf(item);
                if (!node || item->text(0) == node->text)
                    return;
                // The rename may ask and rebuild the tree: it runs once the
                // edit that changed the item is over.
                const NodeRef ref = m_store->refOf(node);
                const QString typed = item->text(0);
                QTimer::singleShot(0, this, guarded([this, ref, typed] { scriptEdited(ref, typed); }));
            }));
    connect(m_tree, &UserLibraryTree::focusEntered, this, [this] { m_ports.settingsPages->hideSettingsPages(); });

    ports.drops->registerDropSource(
        m_tree, [this] { return UserLibraryTree::isScript(m_tree->selectedItem()); },
        [this](ScriptEditor *) { Wczytaj_Skrypt(LibraryKind::User); });
    updateButtons();
}

UserLibraryController::~UserLibraryController() = default;

bool UserLibraryController::treeHasFocus() const
{
    return m_tree->hasFocus();
}

// --- the tree ------------------------------------------------------------------------

NodeRef UserLibraryController::selectedRef() const
{
    if (QTreeWidgetItem *item = m_tree->selectedItem())
        if (LibraryNode *node = nodeOf(item))
            return m_store->refOf(node);
    return {};
}

void UserLibraryController::rebuildTree(const NodeRef &selected)
{
    // The items' nodes may be gone already (the store re-read its index):
    // the selection to keep was taken before that.
    const QStringList open = openCategories();
    m_rebuilding = true;
    m_tree->setUpdatesEnabled(false);
    m_tree->clear();
    m_nodes.clear();
    m_items.clear();
    QList<QTreeWidgetItem *> roots;
    roots.reserve(int(m_store->tree().roots.size()));
    // Walk the tree without recursion: a hand-edited index can nest deeply.
    struct Pending {
        LibraryNode *node;
        QTreeWidgetItem *parentItem;
    };
    std::vector<Pending> stack;
    for (auto it = m_store->tree().roots.rbegin(); it != m_store->tree().roots.rend(); ++it)
        stack.push_back({it->get(), nullptr});
    std::vector<QTreeWidgetItem *> rootItems;
    while (!stack.empty()) {
        const Pending next = stack.back();
        stack.pop_back();
        QTreeWidgetItem *item = next.parentItem ? m_tree->newScriptItem(next.parentItem, next.node->text)
                                                : m_tree->newCategoryItem(next.node->text);
        if (!next.parentItem)
            rootItems.push_back(item);
        m_nodes.insert(item, next.node);
        m_items.insert(next.node, item);
        for (auto it = next.node->children.rbegin(); it != next.node->children.rend(); ++it)
            stack.push_back({it->get(), item});
    }
    for (QTreeWidgetItem *item : rootItems)
        roots << item;
    m_tree->addTopLevelItems(roots);
    // The categories that were open stay open.
    setOpenCategories(open);
    m_tree->setUpdatesEnabled(true);
    m_rebuilding = false;

    if (!selected.isNull())
        if (LibraryNode *node = m_store->resolve(selected))
            m_tree->selectItem(itemOf(node));
    if (!m_cut.empty())
        showCut();
    updateButtons();
    emit treeRebuilt();
}

QStringList UserLibraryController::openCategories() const
{
    QStringList open;
    for (int i = 0; i < m_tree->topLevelItemCount(); ++i)
        if (const QTreeWidgetItem *category = m_tree->topLevelItem(i); category->isExpanded())
            open << QString::number(i) + u':' + category->text(0);
    return open;
}

void UserLibraryController::setOpenCategories(const QStringList &open)
{
    // "row:name": the category at that row when it still has that name,
    // else the first of that name.
    for (const QString &entry : open) {
        const qsizetype colon = entry.indexOf(u':');
        if (colon < 0)
            continue;
        bool isNumber = false;
        const int row = entry.left(colon).toInt(&isNumber);
        const QString name = entry.mid(colon + 1);
        QTreeWidgetItem *category = isNumber ? m_tree->topLevelItem(row) : nullptr;
        if (!category || category->text(0) != name) {
            category = nullptr;
            for (int i = 0; i < m_tree->topLevelItemCount() && !category; ++i)
                if (m_tree->topLevelItem(i)->text(0) == name)
                    category = m_tree->topLevelItem(i);
        }
        if (category) {
            category->setExpanded(true);
            m_tree->updateImage(category);
        }
    }
}

bool UserLibraryController::refreshFromDisk()
{
    const NodeRef selected = selectedRef();
    if (!m_store->reloadIfChanged())
        return false;
    rebuildTree(selected);
    return true;
}

std::unique_ptr<UserLibraryStore::Change> UserLibraryController::beginChange()
{
    const NodeRef selected = selectedRef();
    std::unique_ptr<UserLibraryStore::Change> change = m_store->beginChange();
    if (change->reloaded())
        rebuildTree(selected);
    return change;
}

UserLibraryController::HeldChange UserLibraryController::holdChange(const std::vector<NodeRef> &refs, WhenGone whenGone)
{
    HeldChange held;
    held.change = beginChange();
    if (!held.change->locked()) {
        reportNotLocked(*held.change);
        return held;
    }
    for (const NodeRef &ref : refs) {
        LibraryNode *node = ref.isNull() ? nullptr : m_store->resolve(ref);
        if (!ref.isNull() && !node) {
            if (whenGone == WhenGone::Report)
                reportChangedMeanwhile();
            return held;
        }
        held.nodes.push_back(node);
    }
    held.ok = true;
    return held;
}

void UserLibraryController::updateButtons()
{
    const bool script = UserLibraryTree::isScript(m_tree->selectedItem());
    ActionRegistry &actions = *m_ports.actions;
    for (const char *id : {"BTN_Edit_Script_User", "BTN_Preview_Script_User", "BTN_User_Insert"})
        actions.action(QString::fromLatin1(id))->setEnabled(script);
}

void UserLibraryController::Okresl_Skrypty()
{
    const NodeRef selected = selectedRef();
    m_nodes.clear();
    m_items.clear();
    const UserLibraryStore::LoadResult result = m_store->load();
    const bool first = !m_loadedOnce;
    m_loadedOnce = true;
    switch (result.status) {
    case UserLibraryStore::LoadResult::FolderNotCreated:
        // The tree keeps what it held; at start-up that is the window's one
        // category "User scripts".
        if (first && m_store->tree().isEmpty())
            m_store->tree().addRoot(QStringLiteral("User scripts"));
        m_ports.prompter->ShowMessageBox(IconError, kErrorCaption,
                                         QStringLiteral("Scripts folder ") + m_store->folder() +
                                             QStringLiteral(" doesn't exist!\r\nI couldn't create this folder!"));
        break;
    case UserLibraryStore::LoadResult::InvalidIndex:
        reportUnhandledError(QStringLiteral("Invalid TreeNode Level\r\nThe user library index %1 was read only up to that "
                                            "line; the whole file is kept as %2 when the library is next changed.")
                                 .arg(m_store->indexPath(), m_store->backupPath()));
        break;
    case UserLibraryStore::LoadResult::IndexReadInPart:
        m_ports.prompter->ShowMessageBox(
            IconWarning, QStringLiteral("Warning!"),
            QStringLiteral("The user library index %1 holds a character that ends its reading at line %2; the lines "
                           "after it are not shown. The whole file is kept as %3 before the library is next changed.")
                .arg(m_store->indexPath())
                .arg(result.failedLine)
                .arg(m_store->backupPath()));
        break;
    case UserLibraryStore::LoadResult::IndexUnreadable:
        reportUnreadableIndex();
        break;
    case UserLibraryStore::LoadResult::IndexNotWritten:
        reportUnhandledError(QStringLiteral("Cannot create file %1").arg(m_store->indexPath()) +
                             (result.error.isEmpty() ? QString() : QStringLiteral("\r\n") + result.error));
        break;
    default:
        break;
    }
    rebuildTree(selected);
    if (result.status == UserLibraryStore::LoadResult::FolderCreated && m_tree->topLevelItemCount() > 0)
        m_tree->selectItem(m_tree->topLevelItem(0));
}

void UserLibraryController::reportUnreadableIndex()
{
    const QString why = m_store->unreadableIndexReason();
    reportUnhandledError(QStringLiteral("Cannot open file %1").arg(m_store->indexPath()) +
                         (why.isEmpty() ? QString() : QStringLiteral("\r\n") + why));
}

bool UserLibraryController::refusedForUnreadableIndex()
{
    if (!m_store->indexUnreadable())
        return false;
    reportUnreadableIndex();
    return true;
}

bool UserLibraryController::writeIndexOrReport()
{
    return indexWrittenOrReported(m_store->writeIndexFile());
}

bool UserLibraryController::indexWrittenOrReported(const UserLibraryStore::SaveOutcome &written)
{
    if (written.ok)
        return true;
    m_ports.prompter->ShowMessageBox(
        IconError, kErrorCaption,
        QStringLiteral("Cannot create file %1").arg(m_store->indexPath()) +
            (written.error.isEmpty() ? QString() : QStringLiteral("\r\n") + written.error));
    return false;
}

void UserLibraryController::reportNotLocked(const UserLibraryStore::Change &change)
{
    if (!change.error().isEmpty()) {
        m_ports.prompter->ShowMessageBox(IconError, kErrorCaption,
                                         QStringLiteral("The user library could not be changed: its lock file %1 "
                                                        "could not be made.\r\n%2")
                                             .arg(m_store->lockPath(), change.error()));
        return;
    }
    m_ports.prompter->ShowMessageBox(
        IconWarning, QStringLiteral("Warning!"),
        QStringLiteral("The user library is being changed by another copy of Quillon. Please try again."));
}

void UserLibraryController::reportChangedMeanwhile()
{
    m_ports.prompter->ShowMessageBox(
        IconWarning, QStringLiteral("Warning!"),
        QStringLiteral("Another copy of Quillon changed the user library meanwhile. The tree now shows its new "
                       "contents; please repeat the command."));
}

bool UserLibraryController::reportNameProblem(NameProblem problem)
{
    Prompter &prompter = *m_ports.prompter;
    switch (problem) {
    case NameProblem::Empty:
        prompter.ShowMessageBox(IconWarning, QStringLiteral("Warning!"),
                                QStringLiteral("Please don't use blank names!"));
        return true;
    case NameProblem::Backslash:
        prompter.ShowMessageBox(IconWarning, QStringLiteral("Warning!"),
                                QStringLiteral("Please don't use \"\\\" in the script names"));
        return true;
    case NameProblem::Slash:
        prompter.ShowMessageBox(IconWarning, QStringLiteral("Warning!"),
                                QStringLiteral("Please don't use \"/\" in the script names"));
        return true;
    case NameProblem::ControlChar:
        prompter.ShowMessageBox(
            IconWarning, QStringLiteral("Warning!"),
            QStringLiteral("Please don't use line breaks or other control characters in the script names"));
        return true;
    case NameProblem::Direction:
        prompter.ShowMessageBox(IconWarning, QStringLiteral("Warning!"),
                                QStringLiteral("Please don't use direction-control characters in the script names"));
        return true;
    case NameProblem::InvalidText:
        prompter.ShowMessageBox(
            IconWarning, QStringLiteral("Warning!"),
            QStringLiteral("Please don't use characters that are not valid text in the script names"));
        return true;
    case NameProblem::None:
        break;
    }
    return false;
}

// --- saving the current script ------------------------------------------------------------

void UserLibraryController::BTN_ZapiszClick()
{
    refreshFromDisk();
    if (refusedForUnreadableIndex())
        return;
    Prompter &prompter = *m_ports.prompter;
    QTreeWidgetItem *selected = m_tree->selectedItem();
    if (!selected) {
        prompter.ShowMessageBox(IconInformation, QStringLiteral("Information"),
                                QStringLiteral("Please select a category from \"User library\" tree"));
        return;
    }
    QString proposed;
    QTreeWidgetItem *categoryItem = selected;
    if (UserLibraryTree::isScript(selected)) {
        proposed = selected->text(0);
        categoryItem = selected->parent();
        m_tree->selectItem(categoryItem);
    }
    const NodeRef category = m_store->refOf(nodeOf(categoryItem));

    const std::optional<QString> typed =
        TDlg_Rename::ask(prompter, QStringLiteral("New script"), QStringLiteral("New script name:"), proposed);
    if (!typed)
        return;
    const QString name = cleanScriptName(*typed);
    if (reportNameProblem(checkScriptName(name)))
        return;

    // Every script of that name, in any category, is asked about.
    const std::vector<LibraryNode *> sameName = m_store->tree().scriptsNamed(name);
    for (std::size_t i = 0; i < sameName.size(); ++i) {
        const QString question = QStringLiteral("In the user library there is a script with the name \"%1\".\r\n"
                                                "Do you want to replace it?")
                                     .arg(name);
        if (prompter.AskYesNo(QStringLiteral("Information"), question) != AnswerYes)
            return;
    }
    const bool replaces = !sameName.empty();
    const NodeRef replaced = replaces ? m_store->refOf(sameName.front()) : NodeRef();

    // Another copy may have changed the library while the questions were
    // open: go on only when what was asked about still holds.
    const HeldChange held = holdChange({category, replaced});
    if (!held)
        return;
    if (held.reloaded() && !replaces && !m_store->tree().scriptsNamed(name).empty()) {
        reportChangedMeanwhile();
        return;
    }
    LibraryNode *categoryNode = held.nodes[0];
    LibraryNode *replacedNode = held.nodes[1];
    // A replaced script keeps the file of the node it replaces, so node and
    // file stay linked where file names tell letter case apart.
    const QString fileName = replacedNode ? replacedNode->text : name;

    ScriptEditors &editors = *m_ports.editors;
    const QString head = editors.head()->wholeText();
    const QString body = editors.body()->wholeText();
    UserLibraryStore::SaveOutcome written = m_store->writeScriptFile(fileName, head, body);
    if (!written.ok && written.folderMissing) {
        if (prompter.AskYesNo(kErrorCaption, QStringLiteral("Scripts folder doesn't exist! Create it now?")) != AnswerYes) {
            prompter.ShowMessageBox(IconError, kErrorCaption, QStringLiteral("An error occured during saving script!"));
            return;
        }
        QString error;
        if (!m_store->createFolder(&error)) {
            prompter.ShowMessageBox(IconError, kErrorCaption, error);
            return;
        }
        written = m_store->writeScriptFile(fileName, head, body);
        if (!written.ok) {
            prompter.ShowMessageBox(IconError, kErrorCaption, written.error);
            return;
        }
    } else if (!written.ok) {
        // Nothing may claim to be saved that is not.
        prompter.ShowMessageBox(IconError, kErrorCaption,
                                QStringLiteral("An error occured during saving script!") +
                                    (written.error.isEmpty() ? QString() : QStringLiteral("\r\n") + written.error));
        return;
    }

    editors.head()->clearModifiedState();
    editors.body()->clearModifiedState();
    m_ports.status->setText(StatusPanels::Modified, QStringLiteral("no changes"));

    if (!replacedNode) {
        // The file is on disk before the index names it.
        LibraryNode *node = categoryNode->addChild(name);
        if (!writeIndexOrReport()) {
            m_store->tree().remove(node);
            return;
        }
        QTreeWidgetItem *item = m_tree->newScriptItem(itemOf(categoryNode), name);
        m_nodes.insert(item, node);
        m_items.insert(node, item);
        m_tree->selectItem(item);
    } else {
        writeIndexOrReport();
    }
}

// --- categories ----------------------------------------------------------------------------

void UserLibraryController::BTN_AddCategClick()
{
    refreshFromDisk();
    if (refusedForUnreadableIndex())
        return;
    if (!holdChange())
        return;
    LibraryNode *node = m_store->tree().addRoot(QStringLiteral("New category"));
    if (!writeIndexOrReport()) {
        m_store->tree().remove(node);
        return;
    }
    m_rebuilding = true;
    QTreeWidgetItem *item = m_tree->newCategoryItem(node->text);
    m_tree->addTopLevelItem(item);
    m_nodes.insert(item, node);
    m_items.insert(node, item);
    m_rebuilding = false;
    m_tree->selectItem(item);
    m_tree->setFocus();
    m_tree->editItem(item, 0);
}

void UserLibraryController::categoryEdited(QTreeWidgetItem *item)
{
    if (!UserLibraryTree::isCategory(item))
        return;
    LibraryNode *node = nodeOf(item);
    if (!node)
        return;
    const QString name = cleanCategoryName(item->text(0));
    if (name != item->text(0)) {
        m_rebuilding = true;
        item->setText(0, name);
        m_rebuilding = false;
    }
    if (name == node->text)
        return;
    const NodeRef ref = m_store->refOf(node);
    const HeldChange held = holdChange({ref});
    if (!held) {
        // The item is still the one edited unless the tree was built anew.
        if (!held.reloaded()) {
            m_rebuilding = true;
            item->setText(0, node->text);
            m_rebuilding = false;
        }
        return;
    }
    LibraryNode *target = held.nodes[0];
    const QString before = target->text;
    target->text = name;
    if (!writeIndexOrReport())
        target->text = before;
    if (held.reloaded() || target->text != name)
        rebuildTree(m_store->refOf(target));
}

// --- using a script ----------------------------------------------------------------------------

bool UserLibraryController::produceScript(LibraryTexts &texts)
{
    QTreeWidgetItem *item = m_tree->selectedItem();
    if (!item)
        return false;
    const UserLibraryStore::ScriptRead read = m_store->readScript(item->text(0));
    if (read.status == TextFileRead::Status::TooLarge) {
        m_ports.prompter->ShowMessageBox(IconError, QStringLiteral("Error"),
                                         QStringLiteral("Cannot edit selected script. It is larger than %1 MiB, too "
                                                        "large for a script")
                                             .arg(kMaxTextFileBytes / (qint64(1024) * 1024)));
        return false;
    }
    if (!read.ok()) {
        m_ports.prompter->ShowMessageBox(
            IconError, QStringLiteral("Error"),
            QStringLiteral("Cannot edit selected script. Its file is missing or corrupted"));
        return false;
    }
    texts = {read.head, read.body};
    return true;
}

QString UserLibraryController::selectedScriptPath() const
{
    const QTreeWidgetItem *item = m_tree->selectedItem();
    return UserLibraryTree::isScript(item) ? m_store->scriptPath(item->text(0)) : QString();
}

void UserLibraryController::Wczytaj_Skrypt(LibraryKind library)
{
    loadLibraryScript(library, *m_ports.libraries, *m_ports.editors, *m_ports.prompter,
                      library == LibraryKind::User && takesAWhileToOpen(selectedScriptPath()));
}

void UserLibraryController::BTN_Edit_Script_UserClick()
{
    m_ports.pages->showEditorPage();
    if (UserLibraryTree::isScript(m_tree->selectedItem()))
        Wczytaj_Skrypt(LibraryKind::User);
}

void UserLibraryController::BTN_User_InsertClick()
{
    m_ports.pages->showEditorPage();
    if (!UserLibraryTree::isScript(m_tree->selectedItem()))
        return;
    insertLibraryScriptAtCaret(LibraryKind::User, *m_ports.libraries, *m_ports.editors,
                               takesAWhileToOpen(selectedScriptPath()));
}

void UserLibraryController::BTN_Preview_Script_UserClick()
{
    QTreeWidgetItem *item = m_tree->selectedItem();
    if (!item) {
        m_ports.prompter->ShowMessageBox(IconError, QStringLiteral("Information"),
                                         QStringLiteral("Please select a script from User library!"));
        return;
    }
    if (!UserLibraryTree::isCategory(item))
        previewLibraryScript(LibraryKind::User, *m_ports.libraries, *m_ports.preview, item->text(0));
}
