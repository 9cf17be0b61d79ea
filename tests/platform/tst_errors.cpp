// guarded(): slots that drop the signal's arguments they do not take, and
// exceptions that stop at the general handler.
#include "platform/errors.h"

#include <QObject>
#include <QTest>

#include <stdexcept>

namespace {

struct TakesTwo {
    void operator()(int, const QString &) {}
};
using TwoArguments = decltype(guarded(TakesTwo{}));
// Qt tries a slot with fewer and fewer of a signal's arguments: only the
// calls the wrapped callable can take are offered.
static_assert(std::is_invocable_v<TwoArguments &, int, QString>);
static_assert(!std::is_invocable_v<TwoArguments &, int, QString, double>);  // Qt drops the third
static_assert(!std::is_invocable_v<TwoArguments &, int>);
static_assert(!std::is_invocable_v<TwoArguments &>);

}  // namespace

class TestErrors : public QObject {
    Q_OBJECT

private slots:
    void guardedSlots_takeWhatTheyCan_andStopExceptions()
    {
        QStringList reported;
        setGeneralErrorHandler([&reported](const QString &message) { reported << message; });
        QObject sender;
        QString named;
        int bare = 0;
        connect(&sender, &QObject::objectNameChanged, this, guarded([&named](const QString &name) { named = name; }));
        connect(&sender, &QObject::objectNameChanged, this, guarded([&bare] { ++bare; }));
        connect(&sender, &QObject::objectNameChanged, this, guarded([](const QString &name) {
            if (name == QLatin1String("bad"))
                throw std::runtime_error("the slot failed");
        }));
        connect(&sender, &QObject::objectNameChanged, this, guarded([](const QString &name) {
            if (name == QLatin1String("bad"))
                throw 42;
        }));
        sender.setObjectName(QStringLiteral("first"));
        QCOMPARE(named, QStringLiteral("first"));
        QCOMPARE(bare, 1);
        QVERIFY(reported.isEmpty());
        sender.setObjectName(QStringLiteral("bad"));
        QCOMPARE(named, QStringLiteral("bad"));
        QCOMPARE(bare, 2);
        QCOMPARE(reported, (QStringList{QStringLiteral("the slot failed"), QStringLiteral("Unknown error")}));
        setGeneralErrorHandler({});
    }
};

QTEST_GUILESS_MAIN(TestErrors)
#include "tst_errors.moc"
