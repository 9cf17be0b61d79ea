// The embedded browser itself (the Qt WebEngine plugin) in a Preview pane:
// previews run their scripts, cannot read the user's files, cannot close
// anything, and what they open comes up in a small window of ours, a few
// at most.

#include "testfiles.h"
#include "preview/browserloader.h"
#include "preview/internalbrowser.h"
#include "preview/previewpage.h"
#include "preview/previewpane.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QUrl>

#include <QHash>

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
    void windowClose_inPage_reachesHandlerAndNothingCloses();
    void windowOpen_inPage_opensOneSmallWindowOfOurs();
    void windowOpen_smallWindow_closesItselfAlone();
    void windowOpen_smallWindow_cannotReadLocalFiles();
    void windowOpen_manyWindows_fiveEachPreview_data();
    void windowOpen_manyWindows_fiveEachPreview();
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
    const QString path = m_file->WritePreviewPage(head, body);
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
