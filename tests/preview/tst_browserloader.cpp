// Deciding whether the embedded browser can be offered, and loading its
// plugin: the decision is cheap and brings no Qt WebEngine into the
// process; only loading does.

#include "preview/browserloader.h"
#include "preview/internalbrowser.h"

#include <QApplication>
#include <QFile>
#include <QTest>

namespace {

/// Whether Qt WebEngine's core library is mapped into this process.
bool webEngineInProcess()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly))
        return false;
    return maps.readAll().contains("libQt6WebEngineCore");
}

class EnvironmentOverride final {
public:
    EnvironmentOverride(const char *name, const QByteArray &value)
        : m_name(name), m_had(qEnvironmentVariableIsSet(name)), m_old(qgetenv(name))
    {
        qputenv(name, value);
    }
    ~EnvironmentOverride()
    {
        if (m_had)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }

private:
    const char *m_name;
    bool m_had;
    QByteArray m_old;
};

} // namespace

class TestBrowserLoader final : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void available_switchedOffByEnvironment_false();
    void available_environmentNotOne_decidesByThePlugin();
    void available_asked_loadsNoWebEngine();
    void load_switchedOffByEnvironment_nullWithReason();
    void load_plugin_givesOneFactoryAndBringsWebEngine();
};

void TestBrowserLoader::initTestCase()
{
    QVERIFY2(!webEngineInProcess(), "the test program itself must not carry Qt WebEngine");
}

void TestBrowserLoader::available_switchedOffByEnvironment_false()
{
    EnvironmentOverride off("QUILLON_NO_WEBENGINE", "1");
    QVERIFY(!internalBrowserAvailable());
}

void TestBrowserLoader::available_environmentNotOne_decidesByThePlugin()
{
    for (const QByteArray &value : {QByteArray("0"), QByteArray(""), QByteArray("yes")}) {
        EnvironmentOverride notOff("QUILLON_NO_WEBENGINE", value);
#ifdef QUILLON_HAS_WEBENGINE
        QVERIFY2(internalBrowserAvailable(), value.constData());
#else
        QVERIFY2(!internalBrowserAvailable(), value.constData());
#endif
    }
}

void TestBrowserLoader::available_asked_loadsNoWebEngine()
{
    internalBrowserAvailable();
    internalBrowserAvailable();
    QVERIFY(!webEngineInProcess());
}

void TestBrowserLoader::load_switchedOffByEnvironment_nullWithReason()
{
    EnvironmentOverride off("QUILLON_NO_WEBENGINE", "1");
    QString error;
    QVERIFY(!loadInternalBrowser(&error));
    QVERIFY(!error.isEmpty());
    QVERIFY(!webEngineInProcess());
}

void TestBrowserLoader::load_plugin_givesOneFactoryAndBringsWebEngine()
{
    QString error;
    InternalBrowserFactory *factory = loadInternalBrowser(&error);
#ifdef QUILLON_HAS_WEBENGINE
    QVERIFY2(factory, qPrintable(error));
    QVERIFY(webEngineInProcess());
    QCOMPARE(loadInternalBrowser(nullptr), factory);
#else
    QVERIFY(!factory);
    QVERIFY(!error.isEmpty());
    QVERIFY(!webEngineInProcess());
#endif
}

QTEST_MAIN(TestBrowserLoader)
#include "tst_browserloader.moc"
