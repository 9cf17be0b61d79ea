// The embedded browser itself (the Qt WebEngine plugin) in a Preview pane:
// previews run their scripts, cannot read the user's files, cannot reach
// this machine's services, cannot close anything, and what they open comes
// up in a small window of ours, a few at most.

#include "preview/browserloader.h"
#include "preview/internalbrowser.h"
#include "preview/previewpage.h"
#include "preview/previewpane.h"
#include "testfiles.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QImage>
#include <QLineEdit>
#include <QNetworkDatagram>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QUdpSocket>
#include <QUrl>

#include <memory>

namespace {

constexpr int kTimeout = 30000;

QList<QWidget *> popupWindows()
{
    QList<QWidget *> found;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("PreviewPopupWindow") && w->isVisible())
            found << w;
    return found;
}


QString fileUrl(const QString &path)
{
    return QUrl::fromLocalFile(path).toString();
}

/// Services on this machine, as a previewed page might find them: TCP and
/// UDP on 127.0.0.1 (and ::1 where it can be had).  Each records whatever
/// reaches it and answers HTTP with a small page.
class LocalServices final {
public:
    LocalServices()
    {
        m_tcp.listen(QHostAddress::LocalHost);
        m_tcp6.listen(QHostAddress::LocalHostIPv6);
        m_udp.bind(QHostAddress::LocalHost);
        m_udp6.bind(QHostAddress::LocalHostIPv6);
        for (QTcpServer *server : {&m_tcp, &m_tcp6})
            QObject::connect(server, &QTcpServer::newConnection, server, [this, server] { accept(server); });
        for (QUdpSocket *socket : {&m_udp, &m_udp6})
            QObject::connect(socket, &QUdpSocket::readyRead, socket, [this, socket] {
                while (socket->hasPendingDatagrams())
                    m_arrived << QStringLiteral("(UDP datagram to %1)")
                                     .arg(socket->receiveDatagram().destinationAddress().toString());
            });
    }

    bool ready() const { return m_tcp.isListening() && m_udp.state() == QAbstractSocket::BoundState; }
    quint16 port() const { return m_tcp.serverPort(); }
    quint16 port6() const { return m_tcp6.isListening() ? m_tcp6.serverPort() : 0; }
    quint16 udpPort() const { return m_udp.localPort(); }
    quint16 udpPort6() const { return m_udp6.state() == QAbstractSocket::BoundState ? m_udp6.localPort() : 0; }
    /// The first line of every request and a mark for every connection or
    /// datagram, in the order they came.
    const QStringList &arrived() const { return m_arrived; }

private:
    void accept(QTcpServer *server)
    {
        while (QTcpSocket *socket = server->nextPendingConnection()) {
            const qsizetype mark = m_arrived.size();
            m_arrived << QStringLiteral("(connection)");
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket, mark] {
                if (m_arrived[mark] != QLatin1String("(connection)") || !socket->canReadLine())
                    return;
                m_arrived[mark] = QString::fromLatin1(socket->readLine()).trimmed();
                socket->write("HTTP/1.0 200 OK\r\nContent-Type: text/html\r\n\r\n<TITLE>local service</TITLE>");
                socket->disconnectFromHost();
            });
        }
    }

    QTcpServer m_tcp;
    QTcpServer m_tcp6;
    QUdpSocket m_udp;
    QUdpSocket m_udp6;
    QStringList m_arrived;
};

} // namespace

class TestWebPreview final : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void showFile_writtenPreview_runsHeadAndBodyScripts();
    void showFile_polishLetters_shownAsWritten();
    void script_readingLocalFile_getsNothing();
    void link_toAnotherLocalPage_isFollowed();
    void pagesFolder_givesStylesPicturesAndFiles_andNothingOutside();
    void windowClose_inPage_reachesHandlerAndNothingCloses();
    void windowOpen_inPage_opensOneSmallWindowOfOurs();
    void windowOpen_smallWindow_closesItselfAlone();
    void windowOpen_smallWindow_cannotReadLocalFiles();
    void windowOpen_manyWindows_fiveEachPreview_data();
    void windowOpen_manyWindows_fiveEachPreview();
    void network_pageReachingThisMachine_nothingArrives_data();
    void network_pageReachingThisMachine_nothingArrives();
    void network_directChannelsInAnyFrame_areGone_data();
    void network_directChannelsInAnyFrame_areGone();
    void addressBox_enterWithLocalServiceAddress_reachesIt();
    void addressBox_enterWithPath_navigatesThere();
    void addressBox_enterWithFileAddress_navigatesThere();
    void addressBox_enterOnEmptyBox_showsEmptyPage();
    void back_noHistory_doesNothing();
    void backAndForward_withHistory_moveThroughIt();

private:
    QString preview(const QString &head, const QString &body);
    QString page(const QString &name, const QByteArray &html);
    InternalBrowser *browser() const { return m_pane->browser(); }
    QString answer(const QString &expression);
    void pressEnterWith(const QString &text);

    InternalBrowserFactory *m_factory = nullptr;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<PreviewFile> m_file;
    PreviewPane *m_pane = nullptr;
    int m_closeRequests = 0;
    // The latest answer the page gave to each expression asked.
    std::shared_ptr<QHash<QString, QString>> m_answers;
};

void TestWebPreview::initTestCase()
{
    QString error;
    m_factory = loadInternalBrowser(&error);
    QVERIFY2(m_factory, qPrintable(error));
}

void TestWebPreview::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_file = std::make_unique<PreviewFile>(m_dir->path());
    m_closeRequests = 0;
    m_answers = std::make_shared<QHash<QString, QString>>();
    m_pane = new PreviewPane([this] { return m_factory; });
    m_pane->setCloseRequestHandler([this] { ++m_closeRequests; });
    m_pane->resize(800, 600);
    m_pane->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_pane));
}

void TestWebPreview::cleanup()
{
    delete m_pane;
    m_pane = nullptr;
    m_file.reset();
    m_dir.reset();
}

/// Asks the shown page for String(expression) and returns the answer it
/// gave last time, so that QTRY_* can poll it.
QString TestWebPreview::answer(const QString &expression)
{
    browser()->runJavaScript(QStringLiteral("String(%1)").arg(expression),
                             [answers = m_answers, expression](const QVariant &value) {
                                 answers->insert(expression, value.toString());
                             });
    return m_answers->value(expression);
}

QString TestWebPreview::preview(const QString &head, const QString &body)
{
    const QString path = m_file->WritePreviewPage(head, body).path;
    m_pane->showFile(path);
    return path;
}

QString TestWebPreview::page(const QString &name, const QByteArray &html)
{
    const QString path = m_dir->filePath(name);
    writeFile(path, html);
    return path;
}

void TestWebPreview::pressEnterWith(const QString &text)
{
    QLineEdit *box = m_pane->addressBox();
    box->clear();
    QTest::keyClicks(box, text);
    QTest::keyClick(box, Qt::Key_Return);
}

void TestWebPreview::showFile_writtenPreview_runsHeadAndBodyScripts()
{
    QVERIFY(!browser());
    const QString path =
        preview(QStringLiteral("<SCRIPT>document.title = 'ran ' + (6 * 7); window.mark = 'head';</SCRIPT>"),
                QStringLiteral("<SCRIPT>window.mark += '+body';</SCRIPT>"));
    QVERIFY(browser());
    QTRY_COMPARE_WITH_TIMEOUT(answer(QStringLiteral("window.mark")), QStringLiteral("head+body"),
                              kTimeout);
    QTRY_COMPARE_WITH_TIMEOUT(answer(QStringLiteral("document.title")), QStringLiteral("ran 42"),
                              kTimeout);
    QCOMPARE(browser()->currentAddress(), fileUrl(path));
}

void TestWebPreview::showFile_polishLetters_shownAsWritten()
{
    preview(QString(), QStringLiteral("<P ID=\"p\">Zażółć gęślą jaźń</P>"));
    QTRY_COMPARE_WITH_TIMEOUT(answer(QStringLiteral("(document.getElementById('p') || {}).textContent")),
                              QStringLiteral("Zażółć gęślą jaźń"), kTimeout);
}

void TestWebPreview::script_readingLocalFile_getsNothing()
{
    const QString secret = page(QStringLiteral("secret.txt"), "the-secret-words");
    const QString url = fileUrl(secret);
    preview(QStringLiteral("<SCRIPT>\n"
                           "window.xhr = 'pending'; window.fetched = 'pending';\n"
                           "try {\n"
                           "  var r = new XMLHttpRequest();\n"
                           "  r.onload = function () { window.xhr = 'read:' + r.responseText; };\n"
                           "  r.onerror = function () { window.xhr = 'blocked'; };\n"
                           "  r.open('GET', '%1'); r.send();\n"
                           "} catch (e) { window.xhr = 'blocked'; }\n"
                           "fetch('%1').then(function (x) { return x.text(); })\n"
                           "  .then(function (t) { window.fetched = 'read:' + t; },\n"
                           "        function () { window.fetched = 'blocked'; });\n"
                           "</SCRIPT>")
                .arg(url),
            QString());
    QTRY_COMPARE_WITH_TIMEOUT(answer(QStringLiteral("window.xhr")), QStringLiteral("blocked"),
                              kTimeout);
    QTRY_COMPARE_WITH_TIMEOUT(answer(QStringLiteral("window.fetched")), QStringLiteral("blocked"),
                              kTimeout);
}

// The preview of a document that has a file: its relative addresses lead
// into the file's folder, whose files the page may load and read; a file
// outside it stays out of reach, and so does the folder once the next
// preview is of a script without a file.
void TestWebPreview::pagesFolder_givesStylesPicturesAndFiles_andNothingOutside()
{
    const QDir root(m_dir->path());
    QVERIFY(root.mkpath(QStringLiteral("site/css")) && root.mkpath(QStringLiteral("site/img")));
    const QString site = root.filePath(QStringLiteral("site"));
    page(QStringLiteral("site/css/site.css"), "#p { color: rgb(1, 2, 3); }");
    page(QStringLiteral("site/data.txt"), "in-the-folder");
    QImage picture(7, 5, QImage::Format_RGB32);
    picture.fill(Qt::red);
    QVERIFY(picture.save(root.filePath(QStringLiteral("site/img/a.png"))));
    const QString secret = fileUrl(page(QStringLiteral("secret.txt"), "the-secret-words"));
    const QString reads =
        QStringLiteral(
            "<SCRIPT>\n"
            "function read(address, name) {\n"
            "  window[name] = 'pending';\n"
            "  fetch(address).then(function (x) { return x.text(); })\n"
            "    .then(function (t) { window[name] = 'read:' + t; }, function () { window[name] = 'blocked'; });\n"
            "}\n"
            "read('data.txt', 'inside'); read('%1', 'outside');\n"
            "</SCRIPT>")
            .arg(secret);
    const QString head = QStringLiteral("<LINK REL=\"stylesheet\" HREF=\"css/site.css\">\r\n");
    const QString body = QStringLiteral("<P ID=\"p\">x</P><IMG ID=\"i\" SRC=\"img/a.png\">\r\n") + reads;
    const QString path = m_file->WritePreviewPage(head, body, site).path;
    m_pane->showFile(path, true, site);
    QTRY_COMPARE_WITH_TIMEOUT(answer(QStringLiteral("getComputedStyle(document.getElementById('p')).color")),
                              QStringLiteral("rgb(1, 2, 3)"), kTimeout);
    QTRY_COMPARE_WITH_TIMEOUT(answer(QStringLiteral("document.getElementById('i').naturalWidth")), QStringLiteral("7"),
                              kTimeout);
    QTRY_COMPARE_WITH_TIMEOUT(answer(QStringLiteral("window.inside")), QStringLiteral("read:in-the-folder"), kTimeout);
    QTRY_COMPARE_WITH_TIMEOUT(answer(QStringLiteral("window.outside")), QStringLiteral("blocked"), kTimeout);

    // The next preview has no file: the folder is closed again.
    m_answers->clear();
    preview(QString(), QString(reads).replace(QStringLiteral("'data.txt'"),
                                              u'\'' + fileUrl(root.filePath(QStringLiteral("site/data.txt"))) + u'\''));
    QTRY_COMPARE_WITH_TIMEOUT(answer(QStringLiteral("window.inside")), QStringLiteral("blocked"), kTimeout);
    QTRY_COMPARE_WITH_TIMEOUT(answer(QStringLiteral("window.outside")), QStringLiteral("blocked"), kTimeout);
}

void TestWebPreview::link_toAnotherLocalPage_isFollowed()
{
    const QString other = page(QStringLiteral("other.html"), "<SCRIPT>window.where = 'other';</SCRIPT>");
    preview(QString(), QStringLiteral("<A ID=\"go\" HREF=\"%1\">on</A>").arg(fileUrl(other)));
    QTRY_COMPARE_WITH_TIMEOUT(answer(QStringLiteral("!!document.getElementById('go')")),
                              QStringLiteral("true"), kTimeout);
    browser()->runJavaScript(QStringLiteral("document.getElementById('go').click()"), {});
    QTRY_COMPARE_WITH_TIMEOUT(answer(QStringLiteral("window.where")), QStringLiteral("other"),
                              kTimeout);
    QCOMPARE(browser()->currentAddress(), fileUrl(other));
}

void TestWebPreview::windowClose_inPage_reachesHandlerAndNothingCloses()
{
    preview(QString(), QStringLiteral("<SCRIPT>window.alive = 'yes'; window.close();</SCRIPT>"));
    QTRY_COMPARE_WITH_TIMEOUT(m_closeRequests, 1, kTimeout);
    QVERIFY(m_pane->isVisible());
    QVERIFY(browser()->widget()->isVisible());
    // The page is still there and still answers.
    QTRY_COMPARE_WITH_TIMEOUT(answer(QStringLiteral("window.alive")), QStringLiteral("yes"),
                              kTimeout);
    QVERIFY(popupWindows().isEmpty());
}

void TestWebPreview::windowOpen_inPage_opensOneSmallWindowOfOurs()
{
    const QString small = page(QStringLiteral("small.html"), "<TITLE>Small one</TITLE><P>hello</P>");
    preview(QString(), QStringLiteral("<SCRIPT>window.popup = window.open('%1', 'small');</SCRIPT>").arg(fileUrl(small)));
    QTRY_COMPARE_WITH_TIMEOUT(popupWindows().size(), 1, kTimeout);
    QWidget *popup = popupWindows().constFirst();
    QVERIFY(popup->isWindow());
    QCOMPARE(popup->size(), QSize(640, 480));
    QTRY_COMPARE_WITH_TIMEOUT(popup->windowTitle(), QStringLiteral("Small one"), kTimeout);
    QCOMPARE(m_closeRequests, 0);
    QVERIFY(browser()->widget()->isVisible());
}

void TestWebPreview::windowOpen_smallWindow_closesItselfAlone()
{
    const QString small = page(QStringLiteral("small.html"),
                               "<TITLE>Small one</TITLE><SCRIPT>\n"
                               "window.addEventListener('message', function () { window.close(); });\n"
                               "</SCRIPT>");
    preview(QString(), QStringLiteral("<SCRIPT>window.popup = window.open('%1', 'small');</SCRIPT>").arg(fileUrl(small)));
    QTRY_COMPARE_WITH_TIMEOUT(popupWindows().size(), 1, kTimeout);
    QTRY_COMPARE_WITH_TIMEOUT(popupWindows().constFirst()->windowTitle(), QStringLiteral("Small one"), kTimeout);
    // Ask the small window's own script to close its window.
    browser()->runJavaScript(QStringLiteral("window.popup.postMessage('shut', '*')"), {});
    QTRY_VERIFY_WITH_TIMEOUT(popupWindows().isEmpty(), kTimeout);
    QCOMPARE(m_closeRequests, 0);
    QVERIFY(m_pane->isVisible());
    QVERIFY(browser()->widget()->isVisible());
    QTRY_COMPARE_WITH_TIMEOUT(answer(QStringLiteral("typeof window.popup")), QStringLiteral("object"),
                              kTimeout);
}

void TestWebPreview::windowOpen_smallWindow_cannotReadLocalFiles()
{
    const QString secret = page(QStringLiteral("secret.txt"), "the-secret-words");
    const QString small = page(QStringLiteral("small.html"),
                               QStringLiteral("<SCRIPT>\n"
                                              "fetch('%1').then(function (x) { return x.text(); })\n"
                                              "  .then(function (t) { window.opener.postMessage('read:' + t, '*'); },\n"
                                              "        function () { window.opener.postMessage('blocked', '*'); });\n"
                                              "</SCRIPT>")
                                   .arg(fileUrl(secret))
                                   .toUtf8());
    preview(QString(), QStringLiteral("<SCRIPT>window.answer = 'pending';\n"
                                      "window.addEventListener('message', function (e) { window.answer = e.data; });\n"
                                      "window.open('%1', 'small');</SCRIPT>")
                           .arg(fileUrl(small)));
    QTRY_COMPARE_WITH_TIMEOUT(answer(QStringLiteral("window.answer")), QStringLiteral("blocked"),
                              kTimeout);
}

void TestWebPreview::windowOpen_manyWindows_fiveEachPreview_data()
{
    QTest::addColumn<QString>("body");
    QTest::newRow("by the page") << QStringLiteral(
        "<SCRIPT>for (var i = 0; i < 25; ++i) window.open('', '_blank');</SCRIPT>");
    // The windows opened by the page's one window count too.
    QTest::newRow("by its window") << QStringLiteral(
        "<SCRIPT>window.open('', '_blank').document.write(\n"
        "    '<SCRIPT>for (var i = 0; i < 25; ++i) window.open(\"\", \"_blank\");<\\/SCRIPT>');</SCRIPT>");
}

void TestWebPreview::windowOpen_manyWindows_fiveEachPreview()
{
    QFETCH(QString, body);
    preview(QString(), body);
    QTRY_COMPARE_WITH_TIMEOUT(popupWindows().size(), 5, kTimeout);
    QVERIFY(!QTest::qWaitFor([] { return popupWindows().size() > 5; }, 1000));
    // A new preview may open its own five; the first five stay.
    preview(QString(), body);
    QTRY_COMPARE_WITH_TIMEOUT(popupWindows().size(), 10, kTimeout);
    QVERIFY(!QTest::qWaitFor([] { return popupWindows().size() > 10; }, 1000));
}

void TestWebPreview::network_pageReachingThisMachine_nothingArrives_data()
{
    QTest::addColumn<QString>("host");
    QTest::addColumn<bool>("ipv6");
    QTest::newRow("127.0.0.1") << QStringLiteral("127.0.0.1") << false;
    QTest::newRow("localhost") << QStringLiteral("localhost") << false;
    QTest::newRow("[::1]") << QStringLiteral("[::1]") << true;
    QTest::newRow("hex number") << QStringLiteral("0x7f000001") << false;
    QTest::newRow("decimal number") << QStringLiteral("2130706433") << false;
}

void TestWebPreview::network_pageReachingThisMachine_nothingArrives()
{
    QFETCH(QString, host);
    QFETCH(bool, ipv6);
    LocalServices services;
    QVERIFY(services.ready());
    if (ipv6 && !services.port6())
        QSKIP("No IPv6 loopback here");
    const quint16 port = ipv6 ? services.port6() : services.port();
    // Every way a page has to send something somewhere; the page keeps
    // the attempts that have not come to an end yet.
    preview(QString(), QStringLiteral(R"(<SCRIPT>
var base = 'http://%1:%2', socketBase = 'ws://%1:%2', stun = 'stun:127.0.0.1:%3';
window.pending = {};
function attempt(name, tryIt) {
    pending[name] = true;
    var done = function () { delete pending[name]; };
    try { tryIt(done); } catch (e) { done(); }
}
function element(tag, properties) {
    return document.body.appendChild(Object.assign(document.createElement(tag), properties));
}
attempt('img', function (done) { element('img', {onload: done, onerror: done, src: base + '/img?data=secret'}); });
attempt('script', function (done) { element('script', {onload: done, onerror: done, src: base + '/script'}); });
attempt('style', function (done) { element('link', {rel: 'stylesheet', onload: done, onerror: done, href: base + '/style'}); });
attempt('iframe', function (done) { element('iframe', {onload: done, src: base + '/frame'}); });
attempt('fetch', function (done) { fetch(base + '/fetch', {method: 'POST', body: 'secret', mode: 'no-cors'}).then(done, done); });
attempt('xhr', function (done) {
    var request = new XMLHttpRequest();
    request.onloadend = done;
    request.open('GET', base + '/xhr');
    request.send();
});
attempt('websocket', function (done) { new WebSocket(socketBase + '/socket?data=secret').onclose = done; });
attempt('eventsource', function (done) {
    var source = new EventSource(base + '/events');
    source.onerror = function () { source.close(); done(); };
});
attempt('beacon', function (done) { navigator.sendBeacon(base + '/beacon', 'secret'); done(); });
attempt('form', function (done) {
    element('iframe', {name: 'sink', onload: done});
    var form = element('form', {method: 'post', action: base + '/form', target: 'sink'});
    form.appendChild(Object.assign(document.createElement('input'), {name: 'data', value: 'secret'}));
    form.submit();
});
attempt('open', function (done) { window.open(base + '/open'); done(); });
attempt('location', function (done) { window.open('').location = base + '/location'; done(); });
attempt('webrtc', function (done) {
    var Peer = window.RTCPeerConnection || window.webkitRTCPeerConnection;
    var peer = new Peer({iceServers: [{urls: stun}]});
    peer.createDataChannel('data');
    peer.onicegatheringstatechange = function () { if (peer.iceGatheringState === 'complete') done(); };
    peer.createOffer().then(function (offer) { return peer.setLocalDescription(offer); }).catch(done);
});
// QUIC over UDP, from the page and from a worker (which has WebTransport
// too); the first packets go out at once.
var transports = "new WebTransport('https://127.0.0.1:%4/x'); new WebTransport('https://[::1]:%5/x');";
attempt('webtransport', function (done) { new Function(transports)(); done(); });
attempt('webtransport in a worker', function (done) {
    var worker = new Worker(URL.createObjectURL(new Blob(['try { ' + transports + ' } catch (e) {} postMessage(0);'])));
    worker.onmessage = worker.onerror = done;
});
</SCRIPT>)")
                                      .arg(host)
                                      .arg(port)
                                      .arg(services.udpPort())
                                      .arg(services.udpPort())
                                      .arg(services.udpPort6() ? services.udpPort6() : services.udpPort()));
    QTRY_COMPARE_WITH_TIMEOUT(answer(QStringLiteral("Object.keys(window.pending).join(' ') || 'none'")),
                              QStringLiteral("none"), kTimeout);
    QVERIFY2(!QTest::qWaitFor([&] { return !services.arrived().isEmpty(); }, 2000),
             qPrintable(services.arrived().join(QLatin1String(", "))));

    // The services do hear what is sent to them.
    QTcpSocket control;
    control.connectToHost(ipv6 ? QHostAddress::LocalHostIPv6 : QHostAddress::LocalHost, port);
    control.write("GET /control HTTP/1.0\r\n\r\n");
    QUdpSocket().writeDatagram("control", QHostAddress::LocalHost, services.udpPort());
    int sent = 2;
    if (services.udpPort6()) {
        QUdpSocket().writeDatagram("control", QHostAddress::LocalHostIPv6, services.udpPort6());
        ++sent;
    }
    QTRY_COMPARE_WITH_TIMEOUT(services.arrived().size(), sent, kTimeout);
    QVERIFY(services.arrived().contains(QStringLiteral("GET /control HTTP/1.0")));
}

void TestWebPreview::network_directChannelsInAnyFrame_areGone_data()
{
    QTest::addColumn<QString>("frame");
    QTest::newRow("page") << QStringLiteral("page");
    QTest::newRow("srcdoc frame") << QStringLiteral("srcdoc");
    QTest::newRow("empty frame") << QStringLiteral("empty");
    QTest::newRow("frame made by script") << QStringLiteral("made");
    QTest::newRow("frame added as markup") << QStringLiteral("markup");
    QTest::newRow("frame in an empty frame") << QStringLiteral("nested");
    QTest::newRow("window opened by script") << QStringLiteral("opened");
    // WebTransport only: workers never had WebRTC.
    QTest::newRow("worker") << QStringLiteral("worker");
}

void TestWebPreview::network_directChannelsInAnyFrame_areGone()
{
    QFETCH(QString, frame);
    // Each frame is asked as soon as a script can reach it.
    preview(QStringLiteral(R"(<SCRIPT>
window.found = {};
function channelsIn(w) {
    return ['RTCPeerConnection', 'webkitRTCPeerConnection', 'RTCDataChannel', 'RTCSessionDescription',
            'RTCIceCandidate', 'WebTransport', 'WebTransportError', 'WebSocketStream', 'TCPSocket', 'UDPSocket']
        .filter(function (name) { return typeof w[name] !== 'undefined'; }).join(' ') || 'none';
}
found.page = channelsIn(window);
var worker = new Worker(URL.createObjectURL(new Blob(["postMessage(['WebTransport', 'WebTransportError', " +
    "'WebSocketStream'].filter(function (name) { return typeof self[name] !== 'undefined'; }).join(' ') || 'none');"])));
worker.onmessage = function (event) { found.worker = event.data; };
worker.onerror = function () { found.worker = 'no worker'; };
</SCRIPT>)"),
            QStringLiteral(R"(<IFRAME SRCDOC="<SCRIPT>parent.found.srcdoc = parent.channelsIn(window);</SCRIPT>"></IFRAME>
<IFRAME NAME="empty"></IFRAME>
<SCRIPT>
found.empty = channelsIn(frames.empty);
found.made = channelsIn(document.body.appendChild(document.createElement('iframe')).contentWindow);
document.body.insertAdjacentHTML('beforeend', '<IFRAME></IFRAME>');
found.markup = channelsIn(frames[frames.length - 1]);
var inner = frames.empty.document;
inner.body.appendChild(inner.createElement('iframe'));
found.nested = channelsIn(frames.empty[0]);
found.opened = channelsIn(window.open(''));
</SCRIPT>)"));
    QTRY_COMPARE_WITH_TIMEOUT(answer(QStringLiteral("(window.found || {}).") + frame), QStringLiteral("none"), kTimeout);
}

void TestWebPreview::addressBox_enterWithLocalServiceAddress_reachesIt()
{
    LocalServices services;
    QVERIFY(services.ready());
    pressEnterWith(QStringLiteral("http://127.0.0.1:%1/typed").arg(services.port()));
    QTRY_VERIFY_WITH_TIMEOUT(services.arrived().contains(QStringLiteral("GET /typed HTTP/1.1")), kTimeout);
    QTRY_COMPARE_WITH_TIMEOUT(answer(QStringLiteral("document.title")), QStringLiteral("local service"), kTimeout);
}

void TestWebPreview::addressBox_enterWithPath_navigatesThere()
{
    const QString other = page(QStringLiteral("typed.html"), "<SCRIPT>window.where = 'typed';</SCRIPT>");
    pressEnterWith(other);
    QVERIFY(browser());
    QTRY_COMPARE_WITH_TIMEOUT(answer(QStringLiteral("window.where")), QStringLiteral("typed"),
                              kTimeout);
    QCOMPARE(browser()->currentAddress(), fileUrl(other));
}

void TestWebPreview::addressBox_enterWithFileAddress_navigatesThere()
{
    preview(QString(), QStringLiteral("<SCRIPT>window.where = 'preview';</SCRIPT>"));
    QTRY_COMPARE_WITH_TIMEOUT(answer(QStringLiteral("window.where")), QStringLiteral("preview"),
                              kTimeout);
    const QString other = page(QStringLiteral("typed.html"), "<SCRIPT>window.where = 'address';</SCRIPT>");
    pressEnterWith(fileUrl(other));
    QTRY_COMPARE_WITH_TIMEOUT(answer(QStringLiteral("window.where")), QStringLiteral("address"),
                              kTimeout);
}

void TestWebPreview::addressBox_enterOnEmptyBox_showsEmptyPage()
{
    preview(QString(), QStringLiteral("<P>something</P>"));
    QTRY_COMPARE_WITH_TIMEOUT(answer(QStringLiteral("document.body.textContent")),
                              QStringLiteral("something"), kTimeout);
    pressEnterWith(QString());
    QTRY_COMPARE_WITH_TIMEOUT(browser()->currentAddress(), QStringLiteral("about:blank"), kTimeout);
    QTRY_COMPARE_WITH_TIMEOUT(answer(QStringLiteral("document.body.textContent")), QString(),
                              kTimeout);
}

void TestWebPreview::back_noHistory_doesNothing()
{
    const QString path = preview(QString(), QStringLiteral("<SCRIPT>window.keep = 'first';</SCRIPT>"));
    QTRY_COMPARE_WITH_TIMEOUT(answer(QStringLiteral("window.keep")), QStringLiteral("first"),
                              kTimeout);
    QTest::mouseClick(m_pane->findChild<QToolButton *>(QStringLiteral("BTN_IE_BAck")), Qt::LeftButton);
    // Mark the page after the click: a reload or another page would lose it.
    browser()->runJavaScript(QStringLiteral("window.keep = 'after back'"), {});
    QTRY_COMPARE_WITH_TIMEOUT(answer(QStringLiteral("window.keep")), QStringLiteral("after back"),
                              kTimeout);
    QCOMPARE(browser()->currentAddress(), fileUrl(path));
    QTRY_COMPARE_WITH_TIMEOUT(answer(QStringLiteral("history.length")), QStringLiteral("1"), kTimeout);
}

void TestWebPreview::backAndForward_withHistory_moveThroughIt()
{
    const QString first = preview(QString(), QStringLiteral("<SCRIPT>window.where = 'first';</SCRIPT>"));
    QTRY_COMPARE_WITH_TIMEOUT(answer(QStringLiteral("window.where")), QStringLiteral("first"),
                              kTimeout);
    const QString second = page(QStringLiteral("second.html"), "<SCRIPT>window.where = 'second';</SCRIPT>");
    pressEnterWith(second);
    QTRY_COMPARE_WITH_TIMEOUT(answer(QStringLiteral("window.where")), QStringLiteral("second"),
                              kTimeout);
    QTest::mouseClick(m_pane->findChild<QToolButton *>(QStringLiteral("BTN_IE_BAck")), Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(browser()->currentAddress(), fileUrl(first), kTimeout);
    QTest::mouseClick(m_pane->findChild<QToolButton *>(QStringLiteral("ToolbarButton973")), Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(browser()->currentAddress(), fileUrl(second), kTimeout);
}

QTEST_MAIN(TestWebPreview)
#include "tst_webpreview.moc"
