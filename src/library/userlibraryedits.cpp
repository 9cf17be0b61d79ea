// The user library's commands that change its scripts in place: rename,
// duplicate and delete (the rest of the controller is in
// userlibrarycontroller.cpp).
#include "document/scripteditors.h"
#include "editor/scripteditor.h"
#include "library/librarycommands.h"
#include "library/renamedialog.h"
#include "library/treecontextmenu.h"
#include "library/userlibrary.h"
#include "library/userlibrarycontroller.h"
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

}  // namespace

// --- renaming and copying scripts ------------------------------------------------------------

void UserLibraryController::renameSelected()
{
    QTreeWidgetItem *item = m_tree->selectedItem();
    if (!item)
        return;
    m_tree->setFocus();
    m_tree->editItem(item, 0);
}

void UserLibraryController::scriptEdited(const NodeRef &ref, const QString &typed)
{
    // Whatever happens, the tree ends up showing what the store holds.
    LibraryNode *node = m_store->resolve(ref);
    if (!node || node->isCategory()) {
        rebuildTree(NodeRef());
        return;
    }
    const QString name = cleanScriptName(typed);
    if (name == node->text || refusedForUnreadableIndex() || reportNameProblem(checkScriptName(name))) {
        rebuildTree(ref);
        return;
    }
    // A clash asks as saving does; No leaves everything as it was.
    std::vector<LibraryNode *> sameName = m_store->tree().scriptsNamed(name);
    std::erase(sameName, node);
    Prompter &prompter = *m_ports.prompter;
    for (std::size_t i = 0; i < sameName.size(); ++i) {
        const QString question = QStringLiteral("In the user library there is a script with the name \"%1\".\r\n"
                                                "Do you want to replace it?")
                                     .arg(name);
        if (prompter.AskYesNo(QStringLiteral("Information"), question) != AnswerYes) {
            rebuildTree(ref);
            return;
        }
    }
    const NodeRef replaced = sameName.empty() ? NodeRef() : m_store->refOf(sameName.front());

    const std::unique_ptr<UserLibraryStore::Change> change = beginChange();
    if (!change->locked()) {
        rebuildTree(ref);
        reportNotLocked(*change);
        return;
    }
    node = m_store->resolve(ref);
    LibraryNode *replacedNode = replaced.isNull() ? nullptr : m_store->resolve(replaced);
    if (change->reloaded()) {
        std::vector<LibraryNode *> now = m_store->tree().scriptsNamed(name);
        std::erase(now, node);
        if (!node || (replaced.isNull() ? !now.empty() : !replacedNode)) {
            reportChangedMeanwhile();
            return;
        }
    }
    const UserLibraryStore::RenameOutcome outcome = m_store->renameScript(node, name, replacedNode);
    switch (outcome.status) {
    case UserLibraryStore::RenameOutcome::Renamed:
        break;
    case UserLibraryStore::RenameOutcome::Refused:
        reportNameProblem(outcome.problem);
        break;
    case UserLibraryStore::RenameOutcome::FileMissing:
        prompter.ShowMessageBox(IconError, QStringLiteral("Error"),
                                QStringLiteral("Cannot rename selected script. Its file is missing or corrupted"));
        break;
    case UserLibraryStore::RenameOutcome::FileNotWritten:
        prompter.ShowMessageBox(IconError, kErrorCaption,
                                QStringLiteral("An error occured during saving script!") +
                                    (outcome.error.isEmpty() ? QString() : QStringLiteral("\r\n") + outcome.error));
        break;
    case UserLibraryStore::RenameOutcome::IndexNotWritten:
        prompter.ShowMessageBox(IconError, kErrorCaption,
                                QStringLiteral("Cannot create file %1").arg(m_store->indexPath()) +
                                    (outcome.error.isEmpty() ? QString() : QStringLiteral("\r\n") + outcome.error));
        break;
    }
    rebuildTree(m_store->refOf(node));
}

void UserLibraryController::duplicateSelected()
{
    refreshFromDisk();
    QTreeWidgetItem *item = m_tree->selectedItem();
    if (!UserLibraryTree::isScript(item) || refusedForUnreadableIndex())
        return;
    const NodeRef ref = m_store->refOf(nodeOf(item));
    const std::unique_ptr<UserLibraryStore::Change> change = beginChange();
    if (!change->locked()) {
        reportNotLocked(*change);
        return;
    }
    LibraryNode *node = m_store->resolve(ref);
    if (!node) {
        reportChangedMeanwhile();
        return;
    }
    QString why;
    LibraryNode *copy = m_store->duplicateScript(node, &why);
    if (!copy) {
        m_ports.prompter->ShowMessageBox(IconError, kErrorCaption,
                                         why.isEmpty() ? QStringLiteral("The script could not be copied") : why);
        return;
    }
    rebuildTree(m_store->refOf(copy));
}

// --- deleting ------------------------------------------------------------------------------

void UserLibraryController::BTN_Del_ItemClick()
{
    refreshFromDisk();
    QTreeWidgetItem *item = m_tree->selectedItem();
    if (!item)
        return;
    Prompter &prompter = *m_ports.prompter;
    if (UserLibraryTree::isCategory(item) && item->childCount() > 0) {
        // The whole category goes when the user says so; otherwise the
        // refusal stands.
        const int count = item->childCount();
        const QString question =
            QStringLiteral("Do you want to delete the category \"%1\" with its %2?")
                .arg(item->text(0), count == 1 ? QStringLiteral("script") : QStringLiteral("%1 scripts").arg(count));
        if (prompter.AskYesNo(QStringLiteral("Delete category?"), question) == AnswerYes) {
            deleteCategoryWithScripts(m_store->refOf(nodeOf(item)), count);
            return;
        }
        prompter.ShowMessageBox(IconWarning, QStringLiteral("Warning - Category not empty!"),
                                QStringLiteral("You can't delete this category. If you want to delete it, remove all "
                                               "scripts from this category first."));
        return;
    }
    const bool script = UserLibraryTree::isScript(item);
    if (script &&
        prompter.AskYesNo(QStringLiteral("Delete script?"),
                          QStringLiteral("Are you really sure you want to delete selected script?")) != AnswerYes)
        return;

    const NodeRef ref = m_store->refOf(nodeOf(item));
    const std::unique_ptr<UserLibraryStore::Change> change = beginChange();
    if (!change->locked()) {
        reportNotLocked(*change);
        return;
    }
    LibraryNode *node = m_store->resolve(ref);
    if (!node) {
        // Another copy removed it already.
        return;
    }
    if (node->isCategory() && !node->children.empty()) {
        reportChangedMeanwhile();
        return;
    }
    const QString name = node->text;
    // The script leaves the index before its file goes, so a crash between
    // the two leaves a stray file, never an entry without its file.
    const int row = m_store->tree().rowOf(node);
    LibraryNode *parentNode = node->parent;
    m_store->tree().remove(node);
    if (!writeIndexOrReport()) {
        // Put it back where it stood.
        if (parentNode) {
            auto restored = std::make_unique<LibraryNode>();
            restored->text = name;
            restored->parent = parentNode;
            parentNode->children.insert(parentNode->children.begin() + row, std::move(restored));
        } else {
            auto restored = std::make_unique<LibraryNode>();
            restored->text = name;
            m_store->tree().roots.insert(m_store->tree().roots.begin() + row, std::move(restored));
        }
        rebuildTree(ref);
        return;
    }
    if (script && !m_store->removeScriptFile(name))
        prompter.ShowMessageBox(IconError, kErrorCaption,
                                QStringLiteral("An error occured during deleting script file!"));
    rebuildTree(NodeRef());
}

void UserLibraryController::deleteCategoryWithScripts(const NodeRef &ref, int askedCount)
{
    const std::unique_ptr<UserLibraryStore::Change> change = beginChange();
    if (!change->locked()) {
        reportNotLocked(*change);
        return;
    }
    LibraryNode *node = m_store->resolve(ref);
    if (!node || !node->isCategory() || int(node->children.size()) != askedCount) {
        reportChangedMeanwhile();
        return;
    }
    // The scripts leave the index before their files go.
    QStringList names;
    for (const auto &child : node->children)
        names << child->text;
    auto &roots = m_store->tree().roots;
    const int row = m_store->tree().rowOf(node);
    std::unique_ptr<LibraryNode> taken = std::move(roots[std::size_t(row)]);
    roots.erase(roots.begin() + row);
    if (!writeIndexOrReport()) {
        roots.insert(roots.begin() + row, std::move(taken));
        rebuildTree(ref);
        return;
    }
    bool allRemoved = true;
    for (const QString &name : std::as_const(names))
        allRemoved = m_store->removeScriptFile(name) && allRemoved;
    if (!allRemoved)
        m_ports.prompter->ShowMessageBox(IconError, kErrorCaption,
                                         QStringLiteral("An error occured during deleting script file!"));
    rebuildTree(NodeRef());
}
