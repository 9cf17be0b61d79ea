#include "library/libraryfiledrop.h"

#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QTreeWidget>
#include <QUrl>

namespace {

QTreeWidgetItem *categoryAt(QTreeWidget *tree, const QPoint &at)
{
    QTreeWidgetItem *item = tree->itemAt(at);
    return item && item->parent() ? item->parent() : item;
}

class FileDropFilter final : public QObject {
public:
    FileDropFilter(QTreeWidget *tree, std::function<void(QTreeWidgetItem *, const QStringList &)> dropped)
        : QObject(tree), m_tree(tree), m_dropped(std::move(dropped)), m_passOthers(tree->acceptDrops())
    {
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        const QEvent::Type type = event->type();
        if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
            return false;
        auto *drop = static_cast<QDropEvent *>(event);
        const QStringList files = droppedScriptFiles(drop->mimeData());
        if (files.isEmpty()) {
            if (m_passOthers)
                return false;
            drop->ignore();
            return true;
        }
        if (type == QEvent::DragEnter) {
            // Where it may land is told on every move.
            drop->setDropAction(Qt::CopyAction);
            drop->accept();
            return true;
        }
        QTreeWidgetItem *category = categoryAt(m_tree, drop->position().toPoint());
        if (!category || !(drop->possibleActions() & Qt::CopyAction)) {
            drop->ignore();
            return true;
        }
        drop->setDropAction(Qt::CopyAction);
        drop->accept();
        if (type == QEvent::Drop)
            m_dropped(category, files);
        return true;
    }

private:
    QTreeWidget *m_tree;
    std::function<void(QTreeWidgetItem *, const QStringList &)> m_dropped;
    bool m_passOthers;
};

}  // namespace

QStringList droppedScriptFiles(const QMimeData *mime)
{
    QStringList files;
    if (!mime || !mime->hasUrls())
        return files;
    for (const QUrl &url : mime->urls()) {
        const QString suffix = QFileInfo(url.path()).suffix().toLower();
        if (!url.isLocalFile() || (suffix != u"js" && suffix != u"html" && suffix != u"htm"))
            return {};
        files << url.toLocalFile();
    }
    return files;
}

void acceptScriptFileDrops(QTreeWidget *tree, std::function<void(QTreeWidgetItem *, const QStringList &)> dropped)
{
    auto *filter = new FileDropFilter(tree, std::move(dropped));
    tree->setAcceptDrops(true);
    tree->viewport()->setAcceptDrops(true);
    tree->viewport()->installEventFilter(filter);
}
