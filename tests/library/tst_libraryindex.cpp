// The user library index uscripts.dat: how a tree is written, how an index
// is read back (levels, line ends, the end marker, code pages), hostile
// indexes, and the tree's own operations at any depth.

#include "library/libraryindex.h"
#include "treeshape.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>

namespace {

/// True when every child points back at its parent and roots have none.
bool parentsConsistent(const LibraryTree &tree)
{
    std::vector<const LibraryNode *> stack;
    for (const auto &root : tree.roots) {
        if (root->parent)
            return false;
        stack.push_back(root.get());
    }
    while (!stack.empty()) {
        const LibraryNode *node = stack.back();
        stack.pop_back();
        for (const auto &child : node->children) {
            if (child->parent != node)
                return false;
            stack.push_back(child.get());
        }
    }
    return true;
}

void buildWorkAndMisc(LibraryTree &tree)
{
    LibraryNode *work = tree.addRoot(QStringLiteral("Work"));
    work->addChild(QStringLiteral("menu"));
    work->addChild(QStringLiteral("clock"));
    tree.addRoot(QStringLiteral("Misc"));
}

int depthOf(const LibraryNode *node)
{
    int depth = 0;
    for (const LibraryNode *n = node->parent; n; n = n->parent)
        ++depth;
    return depth;
}

} // namespace

class TestLibraryIndex : public QObject {
    Q_OBJECT

private slots:
    // --- writing -----------------------------------------------------------------

    void writeIndex_workAndMisc_givesFourCrLfLines()
    {
        LibraryTree tree;
        buildWorkAndMisc(tree);
        QCOMPARE(writeIndex(tree), QByteArray("Work\r\n menu\r\n clock\r\nMisc\r\n"));
    }

    void writeIndex_emptyTree_givesNoBytes()
    {
        LibraryTree tree;
        QCOMPARE(writeIndex(tree).size(), 0);
    }

    void writeIndex_polishLetters_areUtf8WithoutByteOrderMark()
    {
        LibraryTree tree;
        tree.addRoot(QStringLiteral("Łódź"))->addChild(QStringLiteral("zażółć gęślą jaźń"));
        const QByteArray bytes = writeIndex(tree);
        QCOMPARE(bytes, QStringLiteral("Łódź\r\n zażółć gęślą jaźń\r\n").toUtf8());
        QVERIFY(!bytes.startsWith("\xef\xbb\xbf"));
    }

    void writeIndex_deeperNodes_indentOneSpacePerLevel()
    {
        LibraryTree tree;
        tree.addRoot(QStringLiteral("a"))->addChild(QStringLiteral("b"))->addChild(QStringLiteral("c"));
        tree.addRoot(QStringLiteral("d"));
        QCOMPARE(writeIndex(tree), QByteArray("a\r\n b\r\n  c\r\nd\r\n"));
    }

    void writeIndex_textsThatWouldBreakTheFormat_readBackAsTheSameShape()
    {
        // A leading blank would read as a deeper level, a line break would
        // split the line, a lone 0x1A would end the reading, a NUL would cut
        // the file.
        LibraryTree tree;
        LibraryNode *spaced = tree.addRoot(QStringLiteral("  spaced"));
        spaced->addChild(QStringLiteral("line\r\nbreak"));
        spaced->addChild(QStringLiteral("\ttabbed"));
        LibraryNode *marker = tree.addRoot(QString(QChar(0x1A)));
        marker->addChild(QStringLiteral("nul") + QChar(0) + QStringLiteral("inside"));
        tree.addRoot(QStringLiteral("last"));

        const QByteArray bytes = writeIndex(tree);
        LibraryTree back;
        const IndexReadResult read = readIndex(bytes, back);
        QVERIFY(read.ok);
        QCOMPARE(shape(back), (QStringList{"0:spaced", "1:linebreak", "1:tabbed", "0:", "1:nulinside", "0:last"}));
    }

    // --- reading: the basic format -----------------------------------------------

    void readIndex_workAndMisc_givesTwoCategories()
    {
        LibraryTree tree;
        const IndexReadResult read = readIndex("Work\r\n menu\r\n clock\r\nMisc\r\n", tree);
        QVERIFY(read.ok);
        QVERIFY(read.error.isEmpty());
        QCOMPARE(read.failedLine, 0);
        QCOMPARE(shape(tree), (QStringList{"0:Work", "1:menu", "1:clock", "0:Misc"}));
        QVERIFY(parentsConsistent(tree));
        QVERIFY(tree.roots[0]->isCategory());
        QVERIFY(!tree.roots[0]->children[0]->isCategory());
    }

    void readIndex_writtenTree_roundTrips()
    {
        LibraryTree tree;
        buildWorkAndMisc(tree);
        tree.addRoot(QString());  // categories may be empty strings
        LibraryNode *polish = tree.addRoot(QStringLiteral("Łódź trailing  "));
        polish->addChild(QStringLiteral("a.b"));
        polish->addChild(QStringLiteral("inner  spaces\tand tab "));
        polish->addChild(QStringLiteral("deeper"))->addChild(QStringLiteral("deepest"));

        const QByteArray bytes = writeIndex(tree);
        LibraryTree back;
        QVERIFY(readIndex(bytes, back).ok);
        QCOMPARE(shape(back), shape(tree));
        QCOMPARE(writeIndex(back), bytes);
    }

    void readIndex_trailingSpaces_belongToTheText()
    {
        LibraryTree tree;
        QVERIFY(readIndex("Work  \r\n menu \r\n", tree).ok);
        QCOMPARE(shape(tree), (QStringList{"0:Work  ", "1:menu "}));
    }

    void readIndex_tabIndentation_countsOneLevelPerCharacter()
    {
        LibraryTree tree;
        QVERIFY(readIndex("Work\r\n\tmenu\r\n\t deeper\r\n \tother\r\nMisc\r\n", tree).ok);
        QCOMPARE(shape(tree), (QStringList{"0:Work", "1:menu", "2:deeper", "2:other", "0:Misc"}));
    }

    void readIndex_emptyInput_givesEmptyTree()
    {
        LibraryTree tree;
        tree.addRoot(QStringLiteral("old"));
        QVERIFY(readIndex(QByteArray(), tree).ok);
        QVERIFY(tree.isEmpty());
    }

    void readIndex_existingTree_isReplaced()
    {
        LibraryTree tree;
        tree.addRoot(QStringLiteral("old"))->addChild(QStringLiteral("stale"));
        QVERIFY(readIndex("new\r\n", tree).ok);
        QCOMPARE(shape(tree), QStringList{"0:new"});
    }

    void readIndex_emptyLines_becomeNodesWithEmptyText()
    {
        LibraryTree tree;
        QVERIFY(readIndex("Work\r\n\r\n x\r\n \r\n", tree).ok);
        QCOMPARE(shape(tree), (QStringList{"0:Work", "0:", "1:x", "1:"}));
    }

    // --- reading: levels -------------------------------------------------------------

    void readIndex_oneSpaceFirstLine_givesTopLevelNode()
    {
        LibraryTree tree;
        const IndexReadResult read = readIndex(" Work\r\n  menu\r\n Misc\r\n", tree);
        QVERIFY(read.ok);
        // The first line's level (1) is what the next lines are measured
        // against.
        QCOMPARE(shape(tree), (QStringList{"0:Work", "1:menu", "0:Misc"}));
    }

    void readIndex_twoSpaceFirstLine_reportsInvalidLevel()
    {
        LibraryTree tree;
        const IndexReadResult read = readIndex("  Work\r\nMisc\r\n", tree);
        QVERIFY(!read.ok);
        QCOMPARE(read.error, QStringLiteral("Invalid TreeNode Level"));
        QCOMPARE(read.failedLine, 1);
        QVERIFY(tree.isEmpty());
    }

    void readIndex_indentedFirstLineThenLevelZero_runsOutOfParents()
    {
        // After a first line at level 1, a level-0 line must go up twice
        // from a top-level node: the chain of parents ends first.
        LibraryTree tree;
        const IndexReadResult read = readIndex(" Work\r\nMisc\r\n", tree);
        QVERIFY(!read.ok);
        QCOMPARE(read.error, QStringLiteral("Invalid TreeNode Level"));
        QCOMPARE(read.failedLine, 2);
        QCOMPARE(shape(tree), QStringList{"0:Work"});
    }

    void readIndex_levelJump_stopsAndKeepsEarlierNodes()
    {
        LibraryTree tree;
        const IndexReadResult read = readIndex("Work\r\n menu\r\n   deep\r\nMisc\r\n", tree);
        QVERIFY(!read.ok);
        QCOMPARE(read.error, QStringLiteral("Invalid TreeNode Level"));
        QCOMPARE(read.failedLine, 3);
        QCOMPARE(shape(tree), (QStringList{"0:Work", "1:menu"}));
        QVERIFY(parentsConsistent(tree));
    }

    void readIndex_goingUpSeveralLevels_findsTheRightParent()
    {
        LibraryTree tree;
        QVERIFY(readIndex("A\r\n b\r\n  c\r\n   d\r\n e\r\nF\r\n g\r\n", tree).ok);
        QCOMPARE(shape(tree), (QStringList{"0:A", "1:b", "2:c", "3:d", "1:e", "0:F", "1:g"}));
        QVERIFY(parentsConsistent(tree));
    }

    // --- reading: line ends, end marker, NUL, code pages ---------------------------------

    void readIndex_lineEnds_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("CR LF") << QByteArray("Work\r\n menu\r\n clock\r\nMisc\r\n");
        QTest::newRow("CR only") << QByteArray("Work\r menu\r clock\rMisc\r");
        QTest::newRow("LF only") << QByteArray("Work\n menu\n clock\nMisc\n");
        QTest::newRow("mixed") << QByteArray("Work\r menu\n clock\r\nMisc");
        QTest::newRow("no final break") << QByteArray("Work\r\n menu\r\n clock\r\nMisc");
    }
    void readIndex_lineEnds()
    {
        QFETCH(QByteArray, bytes);
        LibraryTree tree;
        QVERIFY(readIndex(bytes, tree).ok);
        QCOMPARE(shape(tree), (QStringList{"0:Work", "1:menu", "1:clock", "0:Misc"}));
    }

    void readIndex_lfCrPair_isTwoLineEnds()
    {
        LibraryTree tree;
        QVERIFY(readIndex("Work\n\rMisc\n", tree).ok);
        QCOMPARE(shape(tree), (QStringList{"0:Work", "0:", "0:Misc"}));
    }

    void readIndex_endMarkerLine_endsTheReading()
    {
        LibraryTree tree;
        const IndexReadResult read = readIndex("Work\r\n menu\r\n\x1a\r\nMisc\r\n   garbage\r\n", tree);
        QVERIFY(read.ok);
        QCOMPARE(shape(tree), (QStringList{"0:Work", "1:menu"}));
    }

    void readIndex_endMarkerWithinText_isOrdinaryText()
    {
        LibraryTree tree;
        QVERIFY(readIndex("Work\r\n \x1a\r\n\x1ax\r\n", tree).ok);
        QCOMPARE(shape(tree), (QStringList{"0:Work", QStringLiteral("1:") + QChar(0x1A), QStringLiteral("0:") + QChar(0x1A) + u'x'}));
    }

    void readIndex_nulByte_endsTheText()
    {
        LibraryTree tree;
        QVERIFY(readIndex(QByteArray("Work\r\n me\0nu\r\nMisc\r\n", 20), tree).ok);
        QCOMPARE(shape(tree), (QStringList{"0:Work", "1:me"}));
    }

    void readIndex_windows1250_readsPolishLetters()
    {
        // "Zakładki" / " Łódź" / " zażółć" in Windows-1250 (not valid UTF-8).
        LibraryTree tree;
        QVERIFY(readIndex("Zak\xb3" "adki\r\n \xa3\xf3" "d\x9f\r\n za\xbf\xf3\xb3\xe6\r\n", tree).ok);
        QCOMPARE(shape(tree), (QStringList{"0:Zakładki", "1:Łódź", "1:zażółć"}));
    }

    void readIndex_utf8_readsPolishLetters()
    {
        LibraryTree tree;
        QVERIFY(readIndex(QStringLiteral("Zakładki\r\n Łódź\r\n").toUtf8(), tree).ok);
        QCOMPARE(shape(tree), (QStringList{"0:Zakładki", "1:Łódź"}));
    }

    void readIndex_invalidUtf8OnOneLine_decodesOnlyThatLineAsWindows1250()
    {
        // "Żółw" in UTF-8, then a line in Windows-1250 ("Łódź"), then UTF-8
        // again: one old line leaves the other names alone.
        LibraryTree tree;
        QVERIFY(readIndex("\xc5\xbb\xc3\xb3\xc5\x82w\r\n \xa3\xf3" "d\x9f\r\n \xc5\xbc\xc3\xb3\xc5\x82w\r\n", tree).ok);
        QCOMPARE(shape(tree), (QStringList{"0:Żółw", "1:Łódź", "1:żółw"}));
        // And the tree writes back as UTF-8 throughout.
        QCOMPARE(writeIndex(tree), QStringLiteral("Żółw\r\n Łódź\r\n żółw\r\n").toUtf8());
    }

    void readIndex_whatIsLeftUnread_data()
    {
        QTest::addColumn<QByteArray>("index");
        QTest::addColumn<QStringList>("tree");
        QTest::addColumn<bool>("readInPart");
        QTest::addColumn<int>("stoppedAt");
        QTest::newRow("whole") << QByteArray("Work\r\n menu\r\n") << QStringList{"0:Work", "1:menu"} << false << 0;
        QTest::newRow("0x1A line, then scripts") << QByteArray("Work\r\n\x1a\r\nMisc\r\n clock\r\n")
                                                 << QStringList{"0:Work"} << true << 2;
        QTest::newRow("0x1A line at the very end") << QByteArray("Work\r\n menu\r\n\x1a") << QStringList{"0:Work", "1:menu"}
                                                   << false << 0;
        QTest::newRow("0x1A line, blank lines after") << QByteArray("Work\r\n\x1a\r\n\r\n  \r\n") << QStringList{"0:Work"}
                                                      << false << 0;
        QTest::newRow("NUL inside a name") << QByteArray("Work\r\n me\0nu\r\nMisc\r\n", 20) << QStringList{"0:Work", "1:me"}
                                           << true << 2;
        QTest::newRow("NUL at a line start") << QByteArray("Work\r\n\0Misc\r\n", 13) << QStringList{"0:Work"} << true << 2;
        QTest::newRow("NUL at the end only") << QByteArray("Work\r\n\0\0", 8) << QStringList{"0:Work"} << false << 0;
        QTest::newRow("bad level") << QByteArray("Work\r\n   deep\r\nMisc\r\n") << QStringList{"0:Work"} << true << 2;
    }
    void readIndex_whatIsLeftUnread()
    {
        QFETCH(QByteArray, index);
        QFETCH(QStringList, tree);
        QFETCH(bool, readInPart);
        QFETCH(int, stoppedAt);
        LibraryTree read;
        const IndexReadResult result = readIndex(index, read);
        QCOMPARE(shape(read), tree);
        QCOMPARE(result.readInPart, readInPart);
        QCOMPARE(result.stoppedAtLine, stoppedAt);
    }

    // --- hostile indexes --------------------------------------------------------------

    void readIndex_thousandsOfLevels_readWithoutRecursion()
    {
        constexpr int depth = 5000;
        QByteArray bytes;
        bytes.reserve(qsizetype(depth) * (depth + 8) / 2 + depth * 8);
        for (int level = 0; level < depth; ++level) {
            bytes.append(qsizetype(level), level % 2 ? '\t' : ' ');
            bytes.append("n\r\n");
        }
        {
            LibraryTree tree;
            const IndexReadResult read = readIndex(bytes, tree);
            QVERIFY(read.ok);
            QCOMPARE(tree.nodeCount(), depth);
            const std::vector<LibraryNode *> scripts = tree.scripts();
            QCOMPARE(int(scripts.size()), depth - 1);
            QCOMPARE(depthOf(scripts.back()), depth - 1);
            // Written back with spaces only, one per level.
            const QByteArray written = writeIndex(tree);
            QByteArray spaced = bytes;
            spaced.replace('\t', ' ');
            QCOMPARE(written, spaced);
        }  // destroyed here, at full depth
    }

    void readIndex_hugeIndentation_reportsInvalidLevel()
    {
        QByteArray bytes("Work\r\n");
        bytes.append(10 * 1024 * 1024, ' ');
        bytes.append("x\r\nMisc\r\n");
        LibraryTree tree;
        const IndexReadResult read = readIndex(bytes, tree);
        QVERIFY(!read.ok);
        QCOMPARE(read.failedLine, 2);
        QCOMPARE(shape(tree), QStringList{"0:Work"});
    }

    void readIndex_tenMegabyteLine_readsAsOneNode()
    {
        QByteArray bytes("Work\r\n ");
        bytes.append(10 * 1024 * 1024, 'x');
        bytes.append("\r\nMisc\r\n");
        LibraryTree tree;
        QVERIFY(readIndex(bytes, tree).ok);
        QCOMPARE(tree.roots.size(), std::size_t(2));
        QCOMPARE(tree.roots[0]->children.size(), std::size_t(1));
        QCOMPARE(tree.roots[0]->children[0]->text.size(), qsizetype(10 * 1024 * 1024));
        QCOMPARE(tree.roots[1]->text, QStringLiteral("Misc"));
    }

    void readIndex_binaryBytes_giveATreeOrTheError_data()
    {
        QTest::addColumn<quint32>("seed");
        for (quint32 seed = 1; seed <= 24; ++seed)
            QTest::newRow(qPrintable(QStringLiteral("seed %1").arg(seed))) << seed;
    }
    void readIndex_binaryBytes_giveATreeOrTheError()
    {
        QFETCH(quint32, seed);
        QRandomGenerator random(seed);
        QByteArray bytes(64 * 1024, Qt::Uninitialized);
        for (char &c : bytes) {
            // Mostly the bytes that matter to the reader, some of anything,
            // and no NUL (it would end the text at once).
            const quint32 pick = random.bounded(10u);
            static const char interesting[] = {' ', '\t', '\r', '\n', '\x1a', 'a'};
            c = pick < 6 ? interesting[pick] : char(random.bounded(1u, 256u));
        }
        LibraryTree tree;
        const IndexReadResult read = readIndex(bytes, tree);
        QVERIFY(read.ok || read.error == QStringLiteral("Invalid TreeNode Level"));
        QVERIFY(read.ok || read.failedLine > 0);
        QVERIFY(parentsConsistent(tree));
        // Whatever was read can be written and read back unchanged, except
        // for a top-level text that is a lone 0x1A (a line after an indented
        // first line can give one): no line can hold that, so it is written
        // empty.
        QStringList expected = shape(tree);
        expected.replaceInStrings(QRegularExpression(QStringLiteral("^0:\\x{1a}$")), QStringLiteral("0:"));
        LibraryTree back;
        QVERIFY(readIndex(writeIndex(tree), back).ok);
        QCOMPARE(shape(back), expected);
    }

    // --- the tree -----------------------------------------------------------------------

    void scriptsNamed_ignoresLetterCaseAndCategories()
    {
        LibraryTree tree;
        buildWorkAndMisc(tree);
        tree.roots[1]->addChild(QStringLiteral("ŁÓDŹ"));
        tree.addRoot(QStringLiteral("clock"));  // a category of that name is not a script

        const std::vector<LibraryNode *> clocks = tree.scriptsNamed(QStringLiteral("Clock"));
        QCOMPARE(clocks.size(), std::size_t(1));
        QCOMPARE(clocks.front(), tree.roots[0]->children[1].get());
        QCOMPARE(tree.scriptsNamed(QStringLiteral("łódź")).size(), std::size_t(1));
        QVERIFY(tree.scriptsNamed(QStringLiteral("Work")).empty());
        QVERIFY(tree.scriptsNamed(QStringLiteral("cloc")).empty());
    }

    void scripts_areInTreeOrder()
    {
        LibraryTree tree;
        buildWorkAndMisc(tree);
        tree.roots[1]->addChild(QStringLiteral("x"));
        QStringList names;
        for (const LibraryNode *node : tree.scripts())
            names << node->text;
        QCOMPARE(names, (QStringList{"menu", "clock", "x"}));
        QCOMPARE(tree.nodeCount(), 5);
    }

    void rowOf_givesPositionAmongSiblings()
    {
        LibraryTree tree;
        buildWorkAndMisc(tree);
        QCOMPARE(tree.rowOf(tree.roots[1].get()), 1);
        QCOMPARE(tree.rowOf(tree.roots[0]->children[1].get()), 1);
        QCOMPARE(tree.rowOf(tree.roots[0]->children[0].get()), 0);
        LibraryTree other;
        LibraryNode *stranger = other.addRoot(QStringLiteral("x"));
        QCOMPARE(tree.rowOf(stranger), -1);
        QCOMPARE(tree.rowOf(nullptr), -1);
    }

    void remove_takesTheNodeAndItsChildren()
    {
        LibraryTree tree;
        buildWorkAndMisc(tree);
        tree.remove(tree.roots[0]->children[0].get());
        QCOMPARE(shape(tree), (QStringList{"0:Work", "1:clock", "0:Misc"}));
        tree.remove(tree.roots[0].get());
        QCOMPARE(shape(tree), QStringList{"0:Misc"});
        tree.remove(nullptr);
        QCOMPARE(tree.nodeCount(), 1);
        tree.clear();
        QVERIFY(tree.isEmpty());
    }

    void deepTree_removedClearedAndDestroyed_withoutRecursion()
    {
        // Far deeper than a stack of nested destructor calls could hold.
        constexpr int depth = 300000;
        auto build = [](LibraryTree &tree) {
            LibraryNode *node = tree.addRoot(QStringLiteral("top"));
            for (int i = 1; i < depth; ++i)
                node = node->addChild(QStringLiteral("n"));
            return node;
        };
        {
            LibraryTree tree;
            LibraryNode *deepest = build(tree);
            QCOMPARE(depthOf(deepest), depth - 1);
            QCOMPARE(tree.nodeCount(), depth);
            QCOMPARE(int(tree.scriptsNamed(QStringLiteral("N")).size()), depth - 1);
        }  // the destructor
        {
            LibraryTree tree;
            build(tree);
            tree.clear();
            QVERIFY(tree.isEmpty());
        }
        {
            LibraryTree tree;
            build(tree);
            tree.addRoot(QStringLiteral("kept"));
            tree.remove(tree.roots[0].get());
            QCOMPARE(shape(tree), QStringList{"0:kept"});
        }
        {
            // A subtree held on its own, out of any tree.
            auto loose = std::make_unique<LibraryNode>();
            LibraryNode *node = loose.get();
            for (int i = 1; i < depth; ++i)
                node = node->addChild(QStringLiteral("n"));
            loose.reset();
            QVERIFY(!loose);
        }
    }
};

QTEST_APPLESS_MAIN(TestLibraryIndex)
#include "tst_libraryindex.moc"
