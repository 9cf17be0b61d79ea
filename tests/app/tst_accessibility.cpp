// What a screen reader finds: every control the keyboard reaches in the
// main window and in every dialog its menus open has a name, and a combo
// box is named by its label, not by the value it shows.

#include "testwindow.h"
#include "widgets/actions.h"

#include <QAccessible>
#include <QAccessibleInterface>
#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QMenu>
#include <QMenuBar>

namespace {

/// The controls under root that the keyboard reaches and that have no
/// name, or that are named by the value they hold, described for the
/// failure message.
QStringList unnamedControls(QWidget *root)
{
    QStringList unnamed;
    QList<QWidget *> widgets = root->findChildren<QWidget *>();
    widgets.prepend(root);
    for (QWidget *widget : std::as_const(widgets)) {
        if (!widget->isVisibleTo(root) || !(widget->focusPolicy() & Qt::TabFocus) || widget->isWindow())
            continue;
        QAccessibleInterface *face = QAccessible::queryAccessibleInterface(widget);
        if (!face || face->state().invisible || !face->state().focusable)
            continue;
        const QString name = face->text(QAccessible::Name).trimmed();
        const auto *combo = qobject_cast<QComboBox *>(widget);
        const bool namedByValue = combo && !combo->currentText().isEmpty() && name == combo->currentText() &&
                                  widget->accessibleName().isEmpty();
        if (name.isEmpty() || namedByValue)
            unnamed << QStringLiteral("%1 %2 in %3")
                           .arg(QString::fromLatin1(widget->metaObject()->className()), widget->objectName(),
                                widget->parentWidget() ? widget->parentWidget()->objectName() : QString());
    }
    return unnamed;
}

/// The items a screen reader finds under face that are hidden on the
/// screen (a menu item whose action is hidden, a separator left over),
/// described for the failure message; menus are walked into.
void hiddenItems(QAccessibleInterface *face, QStringList &found, int depth = 0)
{
    if (!face || depth > 40)
        return;
    for (int i = 0; i < face->childCount(); ++i) {
        QAccessibleInterface *child = face->child(i);
        if (!child)
            continue;
        if (auto *action = qobject_cast<QAction *>(child->object()); action && !action->isVisible())
            found << QStringLiteral("\"%1\" (%2) in %3")
                         .arg(child->text(QAccessible::Name), action->objectName(),
                              face->object() ? face->object()->objectName() : QString());
        hiddenItems(child, found, depth + 1);
    }
}

void collectItems(QMenu *menu, QList<QAction *> &items)
{
    for (QAction *item : menu->actions()) {
        if (item->menu())
            collectItems(item->menu(), items);
        else if (!item->isSeparator())
            items << item;
    }
}

}  // namespace

class TestAccessibility : public QObject {
    Q_OBJECT
private slots:
    void mainWindow_everyControlHasAName()
    {
        TestWindow t;
        QAccessible::setActive(true);
        const QStringList unnamed = unnamedControls(t.window.get());
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(u'\n')));
    }

    // Hidden items are left out: the browsers not found ("Microsoft
    // Internet Explorer" and "Netscape Navigator" stand for them until the
    // lookup), the line before them, the recent files not there yet.
    void mainWindow_showsNoHiddenItem()
    {
        QAccessible::setActive(true);
        {
            TestWindow t;
            QVERIFY(!t.action("POP_Prev_Ed_Msie")->isVisible());
            QStringList found;
            hiddenItems(QAccessible::queryAccessibleInterface(t.window.get()), found);
            // Every menu of the window, the drop-downs and pop-ups included.
            for (QMenu *menu : t.window->findChildren<QMenu *>())
                hiddenItems(QAccessible::queryAccessibleInterface(menu), found);
            QVERIFY2(found.isEmpty(), qPrintable(found.join(u'\n')));
        }
        // A browser found: its item is read, in its place after the default
        // browser's and the line.
        FakeBrowsers::installed = {true, {{QStringLiteral("Firefox"), QStringLiteral("/usr/bin/firefox")}}};
        TestWindow withBrowser;
        FakeBrowsers::installed = {true, {}};
        QMenu *preview = withBrowser.window->actions().menu(QStringLiteral("POP_PRev_Ed"));
        emit preview->aboutToShow();
        QAccessibleInterface *menu = QAccessible::queryAccessibleInterface(preview);
        QStringList read;
        for (int i = 0; i < menu->childCount(); ++i)
            read << menu->child(i)->text(QAccessible::Name);
        QCOMPARE(read.size(), 3);
        QCOMPARE(read.value(0), QStringLiteral("default system browser"));
        QCOMPARE(menu->child(1)->role(), QAccessible::Separator);
        QCOMPARE(read.value(2), QStringLiteral("Firefox"));
    }

    // Every dialog any menu item opens, looked at as it shows.
    void everyDialog_everyControlHasAName()
    {
        TestWindow t;
        QAccessible::setActive(true);
        QStringList unnamed;
        QStringList dialogs;
        t.prompter.otherDialogs = [&](QDialog &dialog) {
            dialog.show();
            QApplication::processEvents();
            dialogs << dialog.objectName();
            for (const QString &control : unnamedControls(&dialog))
                unnamed << dialog.objectName() + QStringLiteral(": ") + control;
            dialog.hide();
            return int(QDialog::Rejected);
        };
        QList<QAction *> items;
        for (QMenu *menu : t.window->findChild<QMenuBar *>()->findChildren<QMenu *>(Qt::FindDirectChildrenOnly))
            collectItems(menu, items);
        // Not the ones that end the program or open the help or a browser.
        const QStringList skipped{QStringLiteral("app.close"), QStringLiteral("file.print")};
        for (QAction *item : std::as_const(items)) {
            const QString command = t.window->actions().commandOf(item);
            if (skipped.contains(command) || command.startsWith(u"help.") || command.startsWith(u"preview.") ||
                !item->isEnabled() || !item->isVisible())
                continue;
            t.window->mainBook()->setCurrentIndex(0);
            t.prompter.yesNoAnswers = {AnswerNo};
            item->trigger();
            QApplication::processEvents();
        }
        QVERIFY2(dialogs.size() >= 12, qPrintable(dialogs.join(u' ')));
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(u'\n')));
    }
};

QUILLON_GUI_TEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
