// Every command of the table, from each of its placements (menu item,
// toolbar or strip button, pop-up item) and its key: all reach the one
// handler bound to the command, and all show one enabled and checked state.

#include "app/actiontable.h"
#include "widgets/actions.h"

#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include <memory>

namespace {

/// The registry over the real table in a shown window, with its menus and
/// bars built and every command bound to a recorder of its own key.
struct Bench {
    QMainWindow window;
    ActionRegistry actions{&window, actionTable(), findLayout};
    QList<QToolBar *> bars;
    QStringList reached;
    QWidget *part = new QWidget;       // where the keys of a part work
    QWidget *elsewhere = new QWidget;  // where they do not

    Bench()
    {
        for (const MenuLayout &layout : mainMenuLayout())
            actions.menu(QString::fromLatin1(layout.id));
        for (const MenuLayout &layout : subMenuLayouts())
            actions.menu(QString::fromLatin1(layout.id));
        for (const MenuLayout &layout : barLayouts()) {
            auto *bar = new QToolBar(&window);
            window.addToolBar(bar);
            actions.fillToolbar(bar, QString::fromLatin1(layout.id));
            bars << bar;
        }
        for (const Command &command : commandTable()) {
            const QString key = QString::fromLatin1(command.key);
            actions.bind(command.key, &window, [this, key] { reached << key; });
            // A part's key is given to a part of the window.
            if (command.flags & PartShortcut)
                for (QAction *placement : actions.placements(command.key))
                    if (!placement->shortcut().isEmpty())
                        part->addAction(placement);
        }
        auto *centre = new QWidget(&window);
        part->setParent(centre);
        elsewhere->setParent(centre);
        part->setGeometry(0, 0, 40, 40);
        elsewhere->setGeometry(50, 0, 40, 40);
        for (QWidget *w : {part, elsewhere})
            w->setFocusPolicy(Qt::StrongFocus);
        window.setCentralWidget(centre);
        window.show();
        window.activateWindow();
    }

    QToolButton *buttonOf(QAction *placement) const
    {
        for (QToolBar *bar : bars)
            if (auto *button = qobject_cast<QToolButton *>(bar->widgetForAction(placement)))
                return button;
        return nullptr;
    }
};

} // namespace

class TestCommands final : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_bench = std::make_unique<Bench>();
        QVERIFY(QTest::qWaitForWindowActive(&m_bench->window));
    }
    void cleanupTestCase() { m_bench.reset(); }

    void everyPlacement_reachesTheCommandsHandler_andSharesItsState_data()
    {
        QTest::addColumn<QString>("key");
        for (const Command &command : commandTable())
            QTest::newRow(command.key) << QString::fromLatin1(command.key);
    }
    void everyPlacement_reachesTheCommandsHandler_andSharesItsState()
    {
        QFETCH(QString, key);
        Bench &b = *m_bench;
        const QByteArray keyBytes = key.toLatin1();
        const QList<QAction *> placements = b.actions.placements(keyBytes.constData());
        QVERIFY(!placements.isEmpty());
        const Command *command = nullptr;
        for (const Command &c : commandTable())
            if (key == QLatin1String(c.key))
                command = &c;
        QVERIFY(command);

        for (QAction *placement : placements) {
            b.reached.clear();
            if (QToolButton *button = b.buttonOf(placement)) {
                QVERIFY2(button->isEnabled(), qPrintable(placement->objectName()));
                button->click();
            } else {
                placement->trigger();
            }
            QCOMPARE(b.reached, QStringList{key});
            // One check state: the placement toggled takes the others along.
            if (placement->isCheckable())
                for (QAction *other : placements)
                    QVERIFY2(other->isChecked() == placement->isChecked(), qPrintable(other->objectName()));
        }

        // The command's key, pressed in the window, reaches the handler once;
        // a part's key only from inside the part.
        if (command->shortcut[0]) {
            const QKeySequence sequence(QString::fromLatin1(command->shortcut));
            if (command->flags & PartShortcut) {
                b.elsewhere->setFocus();
                b.reached.clear();
                QTest::keySequence(b.elsewhere, sequence);
                QVERIFY(b.reached.isEmpty());
                b.part->setFocus();
            }
            b.reached.clear();
            QTest::keySequence(QApplication::focusWidget() ? QApplication::focusWidget() : &b.window, sequence);
            QCOMPARE(b.reached, QStringList{key});
        }

        // One enabled state: switched off, no placement works, nor the key.
        b.actions.setEnabled(keyBytes.constData(), false);
        for (QAction *placement : placements)
            QVERIFY2(!placement->isEnabled(), qPrintable(placement->objectName()));
        b.reached.clear();
        for (QAction *placement : placements)
            placement->trigger();
        if (command->shortcut[0])
            QTest::keySequence(QApplication::focusWidget() ? QApplication::focusWidget() : &b.window,
                               QKeySequence(QString::fromLatin1(command->shortcut)));
        QVERIFY(b.reached.isEmpty());
        b.elsewhere->setFocus();
        b.actions.setEnabled(keyBytes.constData(), true);
        for (QAction *placement : placements)  // a hidden item counts as disabled while hidden
            QVERIFY2(placement->isEnabled() || !placement->isVisible(), qPrintable(placement->objectName()));

        if (command->flags & Checkable) {
            for (const bool on : {true, false}) {
                b.actions.setChecked(keyBytes.constData(), on);
                for (QAction *placement : placements)
                    QCOMPARE(placement->isChecked(), on);
            }
        }
    }

private:
    std::unique_ptr<Bench> m_bench;
};

QTEST_MAIN(TestCommands)
#include "tst_commands.moc"
