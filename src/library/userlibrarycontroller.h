#pragma once
// The user library in the window: the tree TRE_Wlasne with its buttons,
// saving the current script into a category, categories added, renamed and
// deleted, scripts deleted, loaded, inserted and previewed.  Every change
// is written to the library folder at once.

#include "library/libraryimport.h"
#include "library/libraryservice.h"
#include "library/userlibrary.h"
#include "library/userlibrarytree.h"
#include "ports/ports.h"

#include <QHash>
#include <QObject>

#include <memory>
#include <optional>
#include <vector>

class QSplitter;
class QTreeWidgetItem;
class QVBoxLayout;
class UserLibraryStore;
class UserLibraryTree;
struct LibraryNode;

class UserLibraryController final : public QObject, public LibraryBranch, public TreeClipboard {
    Q_OBJECT
public:
    UserLibraryController(const Ports &ports, const QString &folder, QVBoxLayout *panel, QObject *parent = nullptr);
    ~UserLibraryController() override;

    UserLibraryTree *tree() const { return m_tree; }
    /// The splitter that holds the tree, with room below it.
    QSplitter *treeSplitter() const { return m_splitter; }
    UserLibraryStore &store() const { return *m_store; }
    bool treeHasFocus() const;

    /// Builds the tree from the library folder and its index.
    void Okresl_Skrypty();
    /// The selected script's two fragments (GetLibraryScript for the user
    /// library); false after "Cannot edit selected script ..." when its file
    /// cannot be read.
    bool produceScript(LibraryTexts &texts) override;
    bool libraryHasFocus() const override { return treeHasFocus(); }
    /// Replaces the editors' contents with the selected script of a library,
    /// after asking.
    void Wczytaj_Skrypt(LibraryKind library);

    // Commands.
    void BTN_ZapiszClick();     // save the current script into the library
    void BTN_AddCategClick();
    void BTN_Del_ItemClick();
    void BTN_Edit_Script_UserClick();
    void BTN_User_InsertClick();
    void BTN_Preview_Script_UserClick();
    /// Starts editing the selected node's name in place.
    void renameSelected();
    /// Copies the selected script as "name (2)" beside it.
    void duplicateSelected();
    /// Export...: the selected categories and scripts (the whole library
    /// when nothing is selected) to a library archive the user names.
    void exportSelected();
    /// Export library...: the whole library to an archive.
    void exportLibrary();
    /// Import...: the scripts of a library archive the user picks.
    void importArchive();
    /// Script files dropped on a category: each becomes a script of it.
    void importDroppedFiles(const NodeRef &category, const QStringList &paths);
    /// Moves scripts into category before the script before (null: to its
    /// end), or one category (category null) before the category before.
    void moveNodes(const std::vector<NodeRef> &moved, const NodeRef &category, const NodeRef &before);

    // Cut and Paste while the tree has the focus: the selected scripts (or
    // one category) are moved to where they are pasted.
    bool hasClipboardFocus() const override;
    void cutSelection() override;
    void pasteCut() override;

    /// The categories shown open, as their rows and names (to be kept
    /// between runs).
    QStringList openCategories() const;
    /// Opens the categories of an earlier openCategories().
    void setOpenCategories(const QStringList &open);

signals:
    /// The tree was built anew from the store.
    void treeRebuilt();

private:
    NodeRef selectedRef() const;
    /// The file of the selected script ("" when no script is selected).
    QString selectedScriptPath() const;
    void rebuildTree(const NodeRef &selected);
    bool refreshFromDisk();
    std::unique_ptr<UserLibraryStore::Change> beginChange();
    /// A change under the library's lock, with the nodes it works on found
    /// again after whatever another copy did meanwhile.
    struct HeldChange {
        std::unique_ptr<UserLibraryStore::Change> change;
        std::vector<LibraryNode *> nodes;  // one a reference, in their order; nullptr for a null one
        bool ok = false;
        bool reloaded() const { return change && change->reloaded(); }
        explicit operator bool() const { return ok; }
    };
    enum class WhenGone { Report, Quiet };
    /// Begins a change and finds refs again: not ok, after saying why, when
    /// the lock could not be had or a node is gone (said unless Quiet).  The
    /// tree is built anew when another copy had changed the library.
    HeldChange holdChange(const std::vector<NodeRef> &refs = {}, WhenGone whenGone = WhenGone::Report);
    void updateButtons();
    void categoryEdited(QTreeWidgetItem *item);
    /// A script's name edited in place: the script is renamed.
    void scriptEdited(const NodeRef &ref, const QString &typed);
    /// Shows the warning for a name the rules refuse; false when there is
    /// no problem.
    bool reportNameProblem(NameProblem problem);
    /// Deletes a category and the askedCount scripts it held when asked.
    void deleteCategoryWithScripts(const NodeRef &ref, int askedCount);
    /// Deletes several selected scripts after one question.
    void deleteSeveral(const QList<QTreeWidgetItem *> &items);
    std::vector<NodeRef> refsOf(const QList<QTreeWidgetItem *> &items) const;
    /// Nodes dragged within the tree: they are moved once the drag is over.
    void nodesDropped(const QList<QTreeWidgetItem *> &dragged, const UserLibraryTree::DropPlace &place);
    /// Draws what was cut in italics.
    void showCut();
    LibraryNode *nodeOf(QTreeWidgetItem *item) const { return m_nodes.value(item); }
    QTreeWidgetItem *itemOf(const LibraryNode *node) const { return m_items.value(node); }
    bool writeIndexOrReport();
    /// Says why the index could not be written; false then.
    bool indexWrittenOrReported(const UserLibraryStore::SaveOutcome &written);
    /// The message of the start when the index could not be read: "Cannot
    /// open file <index>" and why.
    void reportUnreadableIndex();
    /// Refuses a change while the index on disk cannot be read, saying why
    /// each time; false when it can be read.
    bool refusedForUnreadableIndex();
    /// Why a change could not have the library's lock: another copy holds
    /// it, or the system's reason it could not be made.
    void reportNotLocked(const UserLibraryStore::Change &change);
    void reportChangedMeanwhile();
    void exportScripts(const std::vector<const LibraryNode *> &chosen, const QString &proposedName);
    /// What to do with each clash of an import, asked one by one (or once
    /// for all); nullopt when the user cancels the import.
    std::optional<QHash<QString, ClashChoice>> askAboutClashes(const ArchiveContents &import);
    /// Asks about the clashes and writes the import; into is the category
    /// all of it goes to, or null for the import's own categories.  Returns
    /// what was imported (ok false when nothing was).
    ImportOutcome importContents(const ArchiveContents &import, const NodeRef &into);

    const Ports &m_ports;
    std::unique_ptr<UserLibraryStore> m_store;
    UserLibraryTree *m_tree = nullptr;
    QSplitter *m_splitter = nullptr;
    QHash<QTreeWidgetItem *, LibraryNode *> m_nodes;
    QHash<const LibraryNode *, QTreeWidgetItem *> m_items;
    bool m_loadedOnce = false;
    bool m_rebuilding = false;
    QString m_archiveFolder;  // where the last archive was exported or imported
    std::vector<NodeRef> m_cut;  // the nodes cut, to be moved where they are pasted
};
