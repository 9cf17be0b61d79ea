#pragma once
// Script files dropped from the file manager onto a library tree: a drop
// on a category (or on one of its scripts) hands the files to the library.
// Only local files ending in .js, .html or .htm are taken; the drop is a
// copy, so the file manager keeps its files.

#include <QStringList>

#include <functional>

class QMimeData;
class QTreeWidget;
class QTreeWidgetItem;

/// The local script files a drag carries; empty when it carries anything
/// else as well.
QStringList droppedScriptFiles(const QMimeData *mime);

/// Makes tree take dropped script files: dropped gets the category item and
/// the files' paths, during the drop.  Other drags go on to the tree when it
/// took drops before, and are refused when it did not.
void acceptScriptFileDrops(QTreeWidget *tree,
                           std::function<void(QTreeWidgetItem *category, const QStringList &paths)> dropped);
