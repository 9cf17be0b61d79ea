#pragma once
// The user library in the window: the tree TRE_Wlasne with its buttons,
// saving the current script into a category, categories added, renamed and
// deleted, scripts deleted, loaded, inserted and previewed.  Every change
// is written to the library folder at once.

#include "document/documenthost.h"
#include "library/userlibrary.h"

#include <QHash>
#include <QObject>

#include <memory>

class EditController;
class PreviewController;
class QTreeWidgetItem;
class QVBoxLayout;
class UserLibraryStore;
class UserLibraryTree;
struct LibraryNode;

class UserLibraryController final : public QObject {
    Q_OBJECT
public:
    UserLibraryController(DocumentHost &host, EditController &editing, PreviewController &preview,
                          const QString &folder, QVBoxLayout *panel, QObject *parent = nullptr);
    ~UserLibraryController() override;

    UserLibraryTree *tree() const { return m_tree; }
    UserLibraryStore &store() const { return *m_store; }
    bool treeHasFocus() const;

    /// Builds the tree from the library folder and its index.
    void Okresl_Skrypty();
    /// The selected script into the library HEAD and BODY texts.
    bool GetLibraryScript();
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

private:
    NodeRef selectedRef() const;
    void rebuildTree(const NodeRef &selected);
    bool refreshFromDisk();
    std::unique_ptr<UserLibraryStore::Change> beginChange();
    void updateButtons();
    void categoryEdited(QTreeWidgetItem *item);
    LibraryNode *nodeOf(QTreeWidgetItem *item) const { return m_nodes.value(item); }
    QTreeWidgetItem *itemOf(const LibraryNode *node) const { return m_items.value(node); }
    bool writeIndexOrReport();
    void reportBusy();
    void reportChangedMeanwhile();

    DocumentHost &m_host;
    EditController &m_editing;
    PreviewController &m_preview;
    std::unique_ptr<UserLibraryStore> m_store;
    UserLibraryTree *m_tree = nullptr;
    QHash<QTreeWidgetItem *, LibraryNode *> m_nodes;
    QHash<const LibraryNode *, QTreeWidgetItem *> m_items;
    bool m_loadedOnce = false;
    bool m_rebuilding = false;
};
