#pragma once
// A main window whose user library folder already holds an index and
// script files, with what the library's GUI tests do to its tree: find and
// select nodes, answer the name and clash questions, drop on a node.

#include "library/importclashdialog.h"
#include "library/userlibrarycontroller.h"
#include "library/userlibrarytree.h"
#include "testfiles.h"
#include "testwindow.h"

#include <QApplication>
#include <QDialog>
#include <QDropEvent>
#include <QLineEdit>
#include <QMap>
#include <QMimeData>

#include <memory>

struct LibraryWindow {
    QTemporaryDir folder;
    std::unique_ptr<TestWindow> t;

    explicit LibraryWindow(const QByteArray &index, const QMap<QString, QByteArray> &scripts = {})
    {
        const QString lib = folder.filePath(QStringLiteral("user-scripts/"));
        QVERIFY(writeFile(lib + QStringLiteral("uscripts.dat"), index));
        for (auto it = scripts.cbegin(); it != scripts.cend(); ++it)
            QVERIFY(writeFile(lib + it.key() + QStringLiteral(".js"), it.value()));
        t = std::make_unique<TestWindow>(false, lib);
    }
    UserLibraryTree *tree() const { return t->window->userLibrary().tree(); }
    QString lib() const { return t->libraryFolder(); }
    QByteArray index() const { return readAll(lib() + QStringLiteral("uscripts.dat")); }
    QTreeWidgetItem *category(int row) const { return tree()->topLevelItem(row); }
    /// The category of that name, or its script of that name.
    QTreeWidgetItem *item(const QString &category, const QString &script = QString()) const
    {
        for (int i = 0; i < tree()->topLevelItemCount(); ++i) {
            QTreeWidgetItem *c = tree()->topLevelItem(i);
            if (c->text(0) != category)
                continue;
            if (script.isEmpty())
                return c;
            for (int j = 0; j < c->childCount(); ++j)
                if (c->child(j)->text(0) == script)
                    return c->child(j);
        }
        return nullptr;
    }
    void select(const QString &category, const QString &script = QString()) const
    {
        QTreeWidgetItem *i = item(category, script);
        QVERIFY2(i, qPrintable(category + u'/' + script));
        tree()->selectItem(i);
    }
    /// Answers the name prompt with a name.
    void answerName(const QString &name, QString *proposed = nullptr) const
    {
        t->prompter.dialogHandlers.insert(QStringLiteral("TDlg_Rename"), [name, proposed](QDialog &d) {
            auto *edit = d.findChild<QLineEdit *>(QStringLiteral("Edit_Nazwa"));
            if (proposed)
                *proposed = edit->text();
            edit->setText(name);
            return int(QDialog::Accepted);
        });
    }
    /// Answers the clash question of an import.
    void answerClash(ClashChoice choice, bool forAll, int *asked = nullptr) const
    {
        t->prompter.dialogHandlers.insert(QStringLiteral("TDlg_ImportClash"), [=](QDialog &d) {
            if (asked)
                ++*asked;
            static_cast<TDlg_ImportClash &>(d).choose(choice, forAll);
            return int(QDialog::Accepted);
        });
    }

    /// Drags mime over the point at of the tree's viewport and lets it go
    /// there, as a drop does; the action the tree took it with
    /// (Qt::IgnoreAction when it refused it).
    Qt::DropAction dropAt(QMimeData *mime, const QPoint &at) const
    {
        QWidget *viewport = tree()->viewport();
        const Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction;
        QDragEnterEvent enter(at, offered, mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &enter);
        QDragMoveEvent move(at, offered, mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &move);
        if (!move.isAccepted()) {
            QDragLeaveEvent leave;
            QApplication::sendEvent(viewport, &leave);
            return Qt::IgnoreAction;
        }
        QDropEvent release(QPointF(at), offered, mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &release);
        QCoreApplication::processEvents();
        return release.isAccepted() ? release.dropAction() : Qt::IgnoreAction;
    }
    /// Drops mime on the middle of item; whether the tree took it as the
    /// file manager's copy.
    bool drop(QMimeData *mime, QTreeWidgetItem *item) const
    {
        tree()->scrollToItem(item);
        // The file manager must keep its file: the drop is a copy.
        return dropAt(mime, tree()->visualItemRect(item).center()) == Qt::CopyAction;
    }
};
