// The Languages tab's tree as the program ships it: every group with its
// number of children, the pictures of groups and leaves, and the reader's
// handling of faulty data.

#include "analysis/languagetree.h"

#include <QRegularExpression>
#include <QTest>

namespace {

const LanguageNode *find(const std::vector<LanguageNode> &nodes, const QStringList &path)
{
    const std::vector<LanguageNode> *level = &nodes;
    const LanguageNode *found = nullptr;
    for (const QString &step : path) {
        found = nullptr;
        for (const LanguageNode &node : *level)
            if (node.text == step && !node.children.empty())
                found = &node;
        if (!found)
            return nullptr;
        level = &found->children;
    }
    return found;
}

QString imageName(int index)
{
    const auto names = languageImageNames();
    return index >= 0 && size_t(index) < names.size() ? QString::fromLatin1(names[size_t(index)]) : QStringLiteral("?");
}

// The picture a leaf should have: events, reserved words, calls, the rest.
QString expectedLeafImage(const QStringList &path, const QString &text)
{
    static const QRegularExpression event(QStringLiteral("^on[A-Za-z]+=\"\\.\\.\"$"));
    if (event.match(text).hasMatch())
        return QStringLiteral("EVENTS");
    if (path.last() == QStringLiteral("Reserved words"))
        return QStringLiteral("KLUCZOWE");
    if (path.first() == QStringLiteral("JavaScript") &&
        (text == QStringLiteral("navigator.plugins") || text == QStringLiteral("navigator.userAgent")))
        return QStringLiteral("FUNKCJA1");
    return text.contains(u'(') ? QStringLiteral("FUNKCJA1") : QStringLiteral("FUNKCJA2");
}

struct Walk {
    int leaves = 0;
    QStringList faults;
};

void walk(const std::vector<LanguageNode> &nodes, const QStringList &path, Walk &w)
{
    for (const LanguageNode &node : nodes) {
        const QStringList here = path + QStringList{node.text};
        const bool group = isLanguageGroup(node.text, path.isEmpty());
        if (group != !node.children.empty())
            w.faults << here.join(QStringLiteral(" > ")) + QStringLiteral(": group name and children disagree");
        if (node.children.empty()) {
            ++w.leaves;
            const QString expected = expectedLeafImage(path, node.text);
            if (imageName(node.image) != expected)
                w.faults << QStringLiteral("%1: %2, not %3").arg(here.join(QStringLiteral(" > ")), imageName(node.image), expected);
        }
        walk(node.children, here, w);
    }
}

} // namespace

class TestLanguageTree : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_tree = readLanguageTree();
        QVERIFY2(m_tree.error.isEmpty(), qPrintable(m_tree.error));
    }

    void groups_haveTheirChildren_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("children");
        QTest::addColumn<QString>("image");
        const auto row = [](const QByteArray &path, int children, const char *image) {
            QTest::newRow(path.constData()) << QString::fromUtf8(path) << children << QString::fromLatin1(image);
        };
        for (const char *root : {"JavaScript", "VBScript"}) {
            const QByteArray r(root);
            row(root, 6, r == "JavaScript" ? "JSICO" : "VBICO");
            row(r + " > Window", 23, "OKNO");
            row(r + " > Window > History", 4, "HISTORIA");
            row(r + " > Window > Location", 10, "LOKALNE");
            row(r + " > Window > Document", 22, "DOKUMENT");
            row(r + " > Window > Document > Form", 8, "FORMULARZ");
            row(r + " > Window > Document > Image", 10, "OBRAZG");
            row(r + " > Window > Document > Link", 9, "ODNOSNIK");
            row(r + " > Window > Frame", 10, "RAMKI");
            row(r + " > Navigator", 8, "NAWIGATOR");
            row(r + " > Navigator > Plugins", 4, "WTYCZKA");
        }
        row("JavaScript > Date and time", 21, "DATA");
        row("JavaScript > Math", 25, "MATH");
        row("JavaScript > String", 22, "STRINGI");
        row("JavaScript > Reserved words", 43, "KLUCZOWE");
        row("VBScript > Date and time", 22, "DATA");
        row("VBScript > Math", 24, "MATH");
        row("VBScript > String", 37, "STRINGI");
        row("VBScript > Reserved words", 29, "KLUCZOWE");
        row("Events", 1, "EVENTS");
        row("Events > Window", 11, "OKNO");
        row("Events > Window > Document", 22, "DOKUMENT");
        row("Events > Window > Document > Form", 24, "FORMULARZ");
        row("Events > Window > Document > Image", 28, "OBRAZG");
        row("Events > Window > Document > Link", 25, "ODNOSNIK");
        row("Events > Window > Frame", 26, "RAMKI");
    }
    void groups_haveTheirChildren()
    {
        QFETCH(QString, path);
        QFETCH(int, children);
        QFETCH(QString, image);
        const LanguageNode *group = find(m_tree.roots, path.split(QStringLiteral(" > ")));
        QVERIFY(group);
        QCOMPARE(int(group->children.size()), children);
        QCOMPARE(imageName(group->image), image);
    }

    void tree_hasThreeRootsAndEveryLeafItsPicture()
    {
        QCOMPARE(int(m_tree.roots.size()), 3);
        Walk w;
        walk(m_tree.roots, {}, w);
        QVERIFY2(w.faults.isEmpty(), qPrintable(w.faults.join(u'\n')));
        // 591 nodes: 3 roots, 34 categories (14 under each script root, 6
        // under Events) and the elements.
        QCOMPARE(w.leaves, 554);
    }

    void vbscriptCopy_isTheJavaScriptOneSaveTwoPictures()
    {
        for (const char *group : {"Window", "Navigator"}) {
            QStringList js, vb;
            const auto flatten = [](const LanguageNode *node, QStringList &out, auto &self) -> void {
                for (const LanguageNode &child : node->children) {
                    out << child.text;
                    self(&child, out, self);
                }
            };
            flatten(find(m_tree.roots, {QStringLiteral("JavaScript"), QString::fromLatin1(group)}), js, flatten);
            flatten(find(m_tree.roots, {QStringLiteral("VBScript"), QString::fromLatin1(group)}), vb, flatten);
            QVERIFY(!js.isEmpty());
            QCOMPARE(vb, js);
        }
    }

    void parse_reportsFaultyLines_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<int>("line");
        QTest::newRow("odd indent") << QByteArray("A\tJSICO\r\n   b\tFUNKCJA1\r\n") << 2;
        QTest::newRow("two levels down") << QByteArray("# c\nA\tJSICO\n    b\tFUNKCJA1\n") << 3;
        QTest::newRow("first node indented") << QByteArray("  A\tJSICO\n") << 1;
        QTest::newRow("unknown picture") << QByteArray("A\tJSICO\n  b\tNOSUCH\n") << 2;
        QTest::newRow("no picture") << QByteArray("A\n") << 1;
        QTest::newRow("no text") << QByteArray("A\tJSICO\n  \tDATA\n") << 2;
    }
    void parse_reportsFaultyLines()
    {
        QFETCH(QByteArray, data);
        QFETCH(int, line);
        const LanguageTreeData read = parseLanguageTree(data);
        QVERIFY(read.roots.empty());
        QVERIFY2(read.error.startsWith(QStringLiteral("line %1:").arg(line)), qPrintable(read.error));
    }

    void parse_buildsNesting()
    {
        const LanguageTreeData read =
            parseLanguageTree("# pictures by name\r\nA\tJSICO\r\n  b\tFUNKCJA1\r\n    c(..)\tFUNKCJA1\r\n\r\n  d e\tDATA\r\nF\tVBICO");
        QVERIFY2(read.error.isEmpty(), qPrintable(read.error));
        QCOMPARE(int(read.roots.size()), 2);
        const LanguageNode &a = read.roots[0];
        QCOMPARE(a.text, QStringLiteral("A"));
        QCOMPARE(int(a.children.size()), 2);
        QCOMPARE(a.children[0].children[0].text, QStringLiteral("c(..)"));
        QCOMPARE(imageName(a.children[1].image), QStringLiteral("DATA"));
        QCOMPARE(a.children[1].text, QStringLiteral("d e"));
        QCOMPARE(imageName(read.roots[1].image), QStringLiteral("VBICO"));
    }

private:
    LanguageTreeData m_tree;
};

QTEST_GUILESS_MAIN(TestLanguageTree)
#include "tst_languagetree.moc"
