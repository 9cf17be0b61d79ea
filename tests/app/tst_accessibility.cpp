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
