#include "library/libraryimport.h"

#include "document/scripttext.h"
#include "library/libraryindex.h"
#include "library/userlibrary.h"
#include "platform/textfile.h"

#include <QFileInfo>
#include <QSet>

#include <algorithm>
#include <optional>

namespace {

/// One script file the import writes.
struct PlannedScript {
    QString name;             // the file's and the node's name
    const QByteArray *bytes;  // what the file gets
    LibraryNode *replacing;   // the library's script it replaces, or nullptr for a new one
    std::size_t category;     // the import's category it comes from
};

/// What a file held before the import wrote it, to put back.
struct WrittenFile {
    QString name;
    std::optional<QByteArray> before;  // nullopt when there was no file
};

void takeBack(UserLibraryStore &store, const std::vector<WrittenFile> &written)
{
    for (auto it = written.rbegin(); it != written.rend(); ++it) {
        if (it->before)
            store.writeScriptBytes(it->name, *it->before);
        else
            store.removeScriptFile(it->name);
    }
}

LibraryNode *firstCategoryNamed(LibraryTree &tree, const QString &name)
{
    for (const auto &root : tree.roots)
        if (root->text == name)
            return root.get();
    return nullptr;
}

}  // namespace

QStringList importClashes(const ArchiveContents &import, const UserLibraryStore &store)
{
    QStringList clashes;
    for (const ArchiveCategory &category : import.categories)
        for (const ArchiveScript &script : category.scripts)
            if (!store.tree().scriptsNamed(script.name).empty())
                clashes << script.name;
    return clashes;
}

ImportOutcome importIntoLibrary(UserLibraryStore &store, const ArchiveContents &import,
                                const QHash<QString, ClashChoice> &choices, LibraryNode *into)
{
    ImportOutcome outcome;
    LibraryTree &tree = store.tree();

    // The names the import brings, so that a kept copy takes none of them.
    QSet<QString> taken;
    for (const ArchiveCategory &category : import.categories)
        for (const ArchiveScript &script : category.scripts)
            taken.insert(script.name.toCaseFolded());

    // What each script becomes, before anything is written.
    std::vector<PlannedScript> planned;
    QSet<QString> coming;  // the names of the scripts written, case folded
    for (std::size_t c = 0; c < import.categories.size(); ++c) {
        for (const ArchiveScript &script : import.categories[c].scripts) {
            const std::vector<LibraryNode *> same = tree.scriptsNamed(script.name);
            // Two dropped files of one name: the second is a copy.
            ClashChoice choice = ClashChoice::KeepBoth;
            if (!coming.contains(script.name.toCaseFolded())) {
                if (same.empty()) {
                    planned.push_back({script.name, &script.bytes, nullptr, c});
                    coming.insert(script.name.toCaseFolded());
                    continue;
                }
                choice = choices.value(script.name, ClashChoice::Skip);
            }
            if (choice == ClashChoice::Skip) {
                ++outcome.skipped;
                continue;
            }
            if (choice == ClashChoice::Replace) {
                // The file keeps the spelling of the node it replaces, so the
                // two stay linked where file names tell case apart.
                planned.push_back({same.front()->text, &script.bytes, same.front(), c});
                coming.insert(script.name.toCaseFolded());
                ++outcome.replaced;
                continue;
            }
            const QString copy = duplicateScriptName(script.name, tree, taken + coming);
            planned.push_back({copy, &script.bytes, nullptr, c});
            coming.insert(copy.toCaseFolded());
            ++outcome.kept;
        }
    }

    // The files first: the index names no script before its file is there.
    std::vector<WrittenFile> written;
    for (const PlannedScript &script : planned) {
        const QString path = store.scriptPath(script.name);
        const QFileInfo info(path);
        WrittenFile file{script.name, std::nullopt};
        if (info.exists() || info.isSymLink()) {
            // Whatever stands under that name is kept to be put back; what
            // cannot be kept is not written over.
            const TextFileRead before = readFileBytes(path, kMaxTextFileBytes, LinkPolicy::Refuse);
            if (!before.ok()) {
                takeBack(store, written);
                outcome.error = QStringLiteral("The file %1 is in the way: %2").arg(path, unreadableReason(before));
                return outcome;
            }
            file.before = before.bytes;
        }
        const UserLibraryStore::SaveOutcome saved = store.writeScriptBytes(script.name, *script.bytes);
        if (!saved.ok) {
            takeBack(store, written);
            outcome.error = QStringLiteral("The script \"%1\" could not be written: %2").arg(script.name, saved.error);
            return outcome;
        }
        written.push_back(std::move(file));
    }

    // Then the nodes, and the index.
    std::vector<LibraryNode *> addedNodes;
    std::vector<LibraryNode *> addedCategories;
    std::vector<LibraryNode *> targets(import.categories.size(), nullptr);
    const auto categoryFor = [&](std::size_t c) {
        if (!targets[c]) {
            targets[c] = into ? into : firstCategoryNamed(tree, import.categories[c].name);
            if (!targets[c]) {
                targets[c] = tree.addRoot(import.categories[c].name);
                addedCategories.push_back(targets[c]);
            }
        }
        return targets[c];
    };
    // In the import's order, so new categories stand as they stood there.
    auto next = planned.cbegin();
    for (std::size_t c = 0; c < import.categories.size(); ++c) {
        if (import.categories[c].scripts.empty() && !into)
            categoryFor(c);
        for (; next != planned.cend() && next->category == c; ++next) {
            if (next->replacing) {
                outcome.scripts.push_back(next->replacing);
                continue;
            }
            LibraryNode *node = categoryFor(c)->addChild(next->name);
            addedNodes.push_back(node);
            outcome.scripts.push_back(node);
        }
    }
    if (addedNodes.empty() && addedCategories.empty()) {
        // Replaced files only, or nothing at all: the index stays as it is.
        outcome.ok = true;
        return outcome;
    }
    const UserLibraryStore::SaveOutcome index = store.writeIndexFile();
    if (!index.ok) {
        for (auto it = addedNodes.rbegin(); it != addedNodes.rend(); ++it)
            tree.remove(*it);
        for (auto it = addedCategories.rbegin(); it != addedCategories.rend(); ++it)
            tree.remove(*it);
        takeBack(store, written);
        outcome = ImportOutcome();
        outcome.error = QStringLiteral("Cannot create file %1").arg(store.indexPath()) +
                        (index.error.isEmpty() ? QString() : QStringLiteral("\r\n") + index.error);
        return outcome;
    }
    outcome.added = int(addedNodes.size());
    outcome.ok = true;
    return outcome;
}

ExportGather gatherForExport(const UserLibraryStore &store, const std::vector<const LibraryNode *> &chosen)
{
    ExportGather gather;
    const auto isChosen = [&chosen](const LibraryNode *node) {
        return std::find(chosen.begin(), chosen.end(), node) != chosen.end();
    };
    for (const auto &root : store.tree().roots) {
        const bool whole = chosen.empty() || isChosen(root.get());
        ArchiveCategory category{root->text, {}};
        bool any = whole;
        for (const auto &child : root->children) {
            if (!whole && !isChosen(child.get()))
                continue;
            any = true;
            const QString &name = child->text;
            if (checkScriptName(name) != NameProblem::None || cleanScriptName(name) != name) {
                gather.error = QStringLiteral("The script \"%1\" has a name that cannot be exported; please rename "
                                              "it first")
                                   .arg(name);
                return gather;
            }
            const TextFileRead file = readFileBytes(store.scriptPath(name), kMaxTextFileBytes, LinkPolicy::Refuse);
            if (!file.ok()) {
                gather.error =
                    QStringLiteral("Cannot export the script \"%1\". Its file is missing or corrupted").arg(name) +
                    QStringLiteral("\r\n") + unreadableReason(file);
                return gather;
            }
            category.scripts.push_back({name, file.bytes});
        }
        if (any)
            gather.contents.categories.push_back(std::move(category));
    }
    gather.ok = true;
    return gather;
}

DroppedScript scriptFromDroppedFile(const QString &path)
{
    DroppedScript dropped;
    const TextFileRead file = readFileBytes(path, kMaxTextFileBytes, LinkPolicy::Follow);
    if (!file.ok()) {
        dropped.error = unreadableReason(file);
        return dropped;
    }
    // The one script reader: a file without markers is all BODY.
    const ScriptFragments fragments = readScriptBytes(file.bytes);
    dropped.script.name = cleanScriptName(QFileInfo(path).completeBaseName());
    dropped.script.bytes = encodeText(composeScriptFile(fragments.head, fragments.body));
    dropped.ok = true;
    return dropped;
}
