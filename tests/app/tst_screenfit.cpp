// Dialogs fitted to a small screen: cut down to its free area and moved
// onto it; controls that cannot be squeezed that far scroll, with the
// dialog's buttons still in view; a dialog that fits is left alone.

#include "widgets/screenfit.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QScrollArea>
#include <QTest>
#include <QVBoxLayout>

namespace {

/// A dialog of a field of least size least above an OK and Cancel row,
/// at pos and size.
struct Dialog {
    QDialog dialog;
    QWidget *field = new QWidget(&dialog);
    QDialogButtonBox *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);

    Dialog(QSize least, QPoint pos, QSize size)
    {
        field->setMinimumSize(least);
        field->setFocusPolicy(Qt::StrongFocus);
        auto *column = new QVBoxLayout(&dialog);
        column->addWidget(field);
        column->addWidget(buttons);
        dialog.move(pos);
        dialog.resize(size);
    }
};

}  // namespace

class TestScreenFit final : public QObject {
    Q_OBJECT

private slots:
    void fitDialogToArea_data()
    {
        QTest::addColumn<QSize>("least");
        QTest::addColumn<QPoint>("pos");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("scrolls");
        const QSize small(100, 80);
        QTest::newRow("fits") << small << QPoint(50, 60) << QSize(300, 200) << false;
        QTest::newRow("too large, squeezable") << small << QPoint(0, 0) << QSize(900, 700) << false;
        QTest::newRow("off the right edge") << small << QPoint(450, 60) << QSize(300, 200) << false;
        QTest::newRow("above the top") << small << QPoint(50, -100) << QSize(300, 200) << false;
        QTest::newRow("controls too wide") << QSize(700, 80) << QPoint(10, 10) << QSize(720, 200) << true;
        QTest::newRow("controls too tall") << QSize(100, 500) << QPoint(10, 10) << QSize(300, 560) << true;
    }
    void fitDialogToArea()
    {
        QFETCH(QSize, least);
        QFETCH(QPoint, pos);
        QFETCH(QSize, size);
        QFETCH(bool, scrolls);
        const QRect area(20, 30, 600, 400);
        Dialog d(least, pos, size);
        const QRect before = d.dialog.geometry();
        ::fitDialogToArea(&d.dialog, area);
        QVERIFY2(area.contains(d.dialog.geometry()), qPrintable(QStringLiteral("%1,%2 %3x%4")
                                                                    .arg(d.dialog.x())
                                                                    .arg(d.dialog.y())
                                                                    .arg(d.dialog.width())
                                                                    .arg(d.dialog.height())));
        if (area.contains(before))
            QCOMPARE(d.dialog.geometry(), before);  // left alone
        auto *scroller = d.dialog.findChild<QScrollArea *>();
        QCOMPARE(scroller != nullptr, scrolls);
        if (scrolls) {
            // The controls scroll; the buttons stay below, outside the scroll area.
            QVERIFY(scroller->widget()->isAncestorOf(d.field));
            QVERIFY(!scroller->isAncestorOf(d.buttons));
            QCOMPARE(d.buttons->parentWidget(), &d.dialog);
            // Tab goes as it went: the field, then the buttons.
            QCOMPARE(d.field->nextInFocusChain(), d.buttons);
            d.dialog.show();
            QVERIFY(QTest::qWaitForWindowExposed(&d.dialog));
            // Laid out, it keeps the size it was given.
            QVERIFY(d.dialog.width() <= area.width() && d.dialog.height() <= area.height());
            QVERIFY(d.buttons->isVisible());
            QVERIFY(d.dialog.rect().contains(d.buttons->geometry()));
        }
    }
};

QTEST_MAIN(TestScreenFit)
#include "tst_screenfit.moc"
