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
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

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

    const HeldChange held = holdChange({ref, replaced});
    if (!held) {
        rebuildTree(ref);
        return;
    }
    node = held.nodes[0];
    LibraryNode *replacedNode = held.nodes[1];
    if (held.reloaded() && replaced.isNull()) {
        std::vector<LibraryNode *> now = m_store->tree().scriptsNamed(name);
        std::erase(now, node);
        if (!now.empty()) {
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
    const HeldChange held = holdChange({m_store->refOf(nodeOf(item))});
    if (!held)
        return;
    LibraryNode *node = held.nodes[0];
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
    if (const QList<QTreeWidgetItem *> chosen = m_tree->selectedInOrder(); chosen.size() > 1) {
        deleteSeveral(chosen);
        return;
    }
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

    // When another copy removed it already, there is nothing to say.
    const NodeRef ref = m_store->refOf(nodeOf(item));
    const HeldChange held = holdChange({ref}, WhenGone::Quiet);
    if (!held)
        return;
    LibraryNode *node = held.nodes[0];
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
    const HeldChange held = holdChange({ref});
    if (!held)
        return;
    LibraryNode *node = held.nodes[0];
    if (!node->isCategory() || int(node->children.size()) != askedCount) {
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

void UserLibraryController::deleteSeveral(const QList<QTreeWidgetItem *> &items)
{
    Prompter &prompter = *m_ports.prompter;
    if (!std::all_of(items.begin(), items.end(),
                     [](const QTreeWidgetItem *i) { return UserLibraryTree::isScript(i); })) {
        prompter.ShowMessageBox(IconInformation, QStringLiteral("Information"),
                                QStringLiteral("Please select either scripts or one category to delete."));
        return;
    }
    if (refusedForUnreadableIndex())
        return;
    const QString question =
        QStringLiteral("Are you really sure you want to delete the %1 selected scripts?").arg(items.size());
    if (prompter.AskYesNo(QStringLiteral("Delete scripts?"), question) != AnswerYes)
        return;
    const HeldChange held = holdChange(refsOf(items));
    if (!held)
        return;
    QStringList notRemoved;
    const UserLibraryStore::SaveOutcome written = m_store->removeScripts(held.nodes, &notRemoved);
    if (!indexWrittenOrReported(written)) {
        rebuildTree(selectedRef());
        return;
    }
    if (!notRemoved.isEmpty())
        prompter.ShowMessageBox(IconError, kErrorCaption,
                                QStringLiteral("An error occured during deleting script file!"));
    rebuildTree(NodeRef());
}

// --- moving ---------------------------------------------------------------------------------

std::vector<NodeRef> UserLibraryController::refsOf(const QList<QTreeWidgetItem *> &items) const
{
    std::vector<NodeRef> refs;
    refs.reserve(std::size_t(items.size()));
    for (QTreeWidgetItem *item : items)
        if (const LibraryNode *node = nodeOf(item))
            refs.push_back(m_store->refOf(node));
    return refs;
}

void UserLibraryController::moveNodes(const std::vector<NodeRef> &moved, const NodeRef &category, const NodeRef &before)
{
    if (moved.empty() || refusedForUnreadableIndex())
        return;
    std::vector<NodeRef> refs = moved;
    refs.push_back(category);
    refs.push_back(before);
    const HeldChange held = holdChange(refs);
    if (!held)
        return;
    const std::vector<LibraryNode *> nodes(held.nodes.begin(), held.nodes.end() - 2);
    LibraryNode *into = held.nodes[held.nodes.size() - 2];
    LibraryNode *beforeNode = held.nodes.back();
    const bool categoryMoves = nodes.front()->isCategory();
    const bool fits = categoryMoves ? nodes.size() == 1 && !into : into != nullptr;
    if (!fits) {
        rebuildTree(selectedRef());
        return;
    }
    const UserLibraryStore::SaveOutcome written = categoryMoves ? m_store->moveCategory(nodes.front(), beforeNode)
                                                                : m_store->moveScripts(nodes, into, beforeNode);
    if (!written.ok && !written.error.isEmpty())
        indexWrittenOrReported(written);
    rebuildTree(m_store->refOf(nodes.front()));
    // What moved stays selected, where it went.
    for (const LibraryNode *node : nodes)
        if (QTreeWidgetItem *item = itemOf(node))
            item->setSelected(true);
}

void UserLibraryController::nodesDropped(const QList<QTreeWidgetItem *> &dragged,
                                         const UserLibraryTree::DropPlace &place)
{
    const std::vector<NodeRef> moved = refsOf(dragged);
    const NodeRef category = place.category ? m_store->refOf(nodeOf(place.category)) : NodeRef();
    const NodeRef before = place.before ? m_store->refOf(nodeOf(place.before)) : NodeRef();
    // The tree is built anew once the drag is over.
    QTimer::singleShot(0, this, guarded([this, moved, category, before] { moveNodes(moved, category, before); }));
}

bool UserLibraryController::hasClipboardFocus() const
{
    return treeHasFocus();
}

void UserLibraryController::cutSelection()
{
    const QList<QTreeWidgetItem *> chosen = m_tree->selectedInOrder();
    const bool scripts = std::all_of(chosen.begin(), chosen.end(),
                                     [](const QTreeWidgetItem *i) { return UserLibraryTree::isScript(i); });
    if (chosen.isEmpty() || (!scripts && chosen.size() > 1))
        return;
    m_cut = refsOf(chosen);
    showCut();
    m_ports.status->showHint(QStringLiteral("Select where the cut nodes go, then paste them there (Ctrl+V)"));
}

void UserLibraryController::pasteCut()
{
    QTreeWidgetItem *target = m_tree->currentItem();
    if (m_cut.empty() || !target)
        return;
    const std::vector<NodeRef> moved = std::exchange(m_cut, {});
    LibraryNode *first = m_store->resolve(moved.front());
    if (!first) {
        showCut();
        return;
    }
    // Scripts go to the end of a category, or before the script pasted on;
    // a category goes before the category pasted on, or after the category
    // of the script pasted on.
    QTreeWidgetItem *category = nullptr;
    QTreeWidgetItem *before = nullptr;
    if (!first->isCategory()) {
        category = UserLibraryTree::isCategory(target) ? target : target->parent();
        before = UserLibraryTree::isScript(target) ? target : nullptr;
    } else if (UserLibraryTree::isCategory(target)) {
        before = target;
    } else {
        before = m_tree->topLevelItem(m_tree->indexOfTopLevelItem(target->parent()) + 1);
    }
    moveNodes(moved, category ? m_store->refOf(nodeOf(category)) : NodeRef(),
              before ? m_store->refOf(nodeOf(before)) : NodeRef());
}

void UserLibraryController::showCut()
{
    // What was cut is drawn in italics until it is pasted.
    QSet<const QTreeWidgetItem *> cut;
    for (const NodeRef &ref : m_cut)
        if (const LibraryNode *node = m_store->resolve(ref))
            cut.insert(itemOf(node));
    for (QTreeWidgetItemIterator it(m_tree); *it; ++it) {
        QFont font = (*it)->font(0);
        if (font.italic() != cut.contains(*it)) {
            font.setItalic(cut.contains(*it));
            (*it)->setFont(0, font);
        }
    }
}
