// The texts of the window wizard (window.open) and of the dialog-box
// wizard (alert, confirm, prompt).

#include "wizards/dialogboxwizard.h"
#include "wizards/windowwizard.h"

#include <QTest>

Q_DECLARE_METATYPE(WindowOptions)
Q_DECLARE_METATYPE(DialogBoxOptions)

class TestWindowWizard : public QObject {
    Q_OBJECT

private slots:
    void windowOpenCall_data()
    {
        QTest::addColumn<WindowOptions>("options");
        QTest::addColumn<QString>("expected");

        QTest::newRow("everything at its default") << WindowOptions{} << QStringLiteral("window.open('', '', '');");

        WindowOptions full;
        full.url = QStringLiteral("a.htm");
        full.title = QStringLiteral("W");
        full.toolbar = full.scrollbars = true;
        full.width = 300;
        full.height = 200;
        QTest::newRow("document, name, two features and a size")
            << full << QStringLiteral("window.open('a.htm', 'W', 'toolbar,scrollbars,height=200,width=300');");

        WindowOptions width;
        width.width = 100;
        QTest::newRow("only the width") << width << QStringLiteral("window.open('', '', 'width=100');");

        WindowOptions height;
        height.height = 80;
        QTest::newRow("only the height drops its comma") << height << QStringLiteral("window.open('', '', 'height=80');");

        WindowOptions all;
        all.toolbar = all.menu = all.scrollbars = all.resizable = all.statusLine = all.location = all.directories =
            all.history = true;
        QTest::newRow("all eight features in their order")
            << all
            << QStringLiteral("window.open('', '', "
                              "'toolbar,menubar,scrollbars,resizable,status,location,directories,copyhistory');");

        WindowOptions some;
        some.history = some.menu = some.statusLine = true;
        some.title = QStringLiteral("help");
        some.height = 5;
        QTest::newRow("keywords differ from the captions")
            << some << QStringLiteral("window.open('', 'help', 'menubar,status,copyhistory,height=5');");

        WindowOptions apostrophe;
        apostrophe.url = QStringLiteral("it's.htm");
        QTest::newRow("an apostrophe goes in unchanged")
            << apostrophe << QStringLiteral("window.open('it's.htm', '', '');");
    }
    void windowOpenCall()
    {
        QFETCH(WindowOptions, options);
        QFETCH(QString, expected);
        QCOMPARE(::windowOpenCall(options), expected);
    }

    void dialogBoxCall_data()
    {
        QTest::addColumn<DialogBoxOptions>("options");
        QTest::addColumn<QString>("expected");
        const QString message = QStringLiteral("Hello");
        const QString answer = QStringLiteral("yes");
        QTest::newRow("alert ignores the default")
            << DialogBoxOptions{DialogBoxKind::Alert, message, answer} << QStringLiteral("alert(\"Hello\");");
        QTest::newRow("confirm ignores the default")
            << DialogBoxOptions{DialogBoxKind::Confirm, message, answer} << QStringLiteral("confirm(\"Hello\");");
        QTest::newRow("prompt's two arguments")
            << DialogBoxOptions{DialogBoxKind::Prompt, message, answer} << QStringLiteral("prompt(\"Hello\",\"yes\");");
        QTest::newRow("empty prompt") << DialogBoxOptions{DialogBoxKind::Prompt, QString(), QString()}
                                      << QStringLiteral("prompt(\"\",\"\");");
    }
    void dialogBoxCall()
    {
        QFETCH(DialogBoxOptions, options);
        QFETCH(QString, expected);
        QCOMPARE(::dialogBoxCall(options), expected);
    }
};

QTEST_APPLESS_MAIN(TestWindowWizard)
#include "tst_windowwizard.moc"
