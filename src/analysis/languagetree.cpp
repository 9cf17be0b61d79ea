#include "analysis/languagetree.h"

#include <QFile>

#include <algorithm>
#include <iterator>

namespace {

constexpr const char *kImageNames[] = {
    "FUNKCJA1",  // method
    "FUNKCJA2",  // property
    "KLUCZOWE",  // reserved word
    "OKNO",      // window
    "FORMULARZ", // form
    "NAWIGATOR", // navigator
    "DATA",      // date and time
    "MATH",      // math
    "STRINGI",   // string
    "HISTORIA",  // history
    "LOKALNE",   // location
    "DOKUMENT",  // document
    "OBRAZG",    // image
    "RAMKI",     // frame
    "ODNOSNIK",  // link
    "WTYCZKA",   // plugins
    "EVENTS",    // event
    "JSICO",     // JavaScript
    "VBICO",     // VBScript
};

constexpr const char *kCategories[] = {"Window", "History",  "Location", "Document",      "Form", "Image",  "Link",
                                       "Frame",  "Navigator", "Plugins", "Date and time", "Math", "String", "Reserved words"};

int imageIndex(QByteArrayView name)
{
    for (size_t i = 0; i < std::size(kImageNames); ++i)
        if (name == QByteArrayView(kImageNames[i]))
            return int(i);
    return -1;
}

LanguageTreeData failure(int lineNumber, const QString &what)
{
    return {{}, QStringLiteral("line %1: %2").arg(lineNumber).arg(what)};
}

} // namespace

std::span<const char *const> languageImageNames()
{
    return kImageNames;
}

LanguageTreeData parseLanguageTree(QByteArrayView data)
{
    LanguageTreeData tree;
    // The last node read at each depth: a new node goes under the one a
    // level up.  Adding a node moves its siblings, but those and their
    // children are left behind in the path at that moment.
    std::vector<LanguageNode *> path;
    int lineNumber = 0;
    qsizetype at = 0;
    while (at < data.size()) {
        qsizetype end = data.indexOf('\n', at);
        if (end < 0)
            end = data.size();
        QByteArrayView line = data.sliced(at, end - at);
        at = end + 1;
        ++lineNumber;
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.trimmed().isEmpty() || line.startsWith('#'))
            continue;
        qsizetype indent = 0;
        while (indent < line.size() && line[indent] == ' ')
            ++indent;
        if (indent % 2 != 0)
            return failure(lineNumber, QStringLiteral("an odd indent"));
        const size_t depth = size_t(indent / 2);
        if (depth > path.size())
            return failure(lineNumber, QStringLiteral("indented more than one level below the node before"));
        const qsizetype tab = line.lastIndexOf('\t');
        if (tab <= indent)
            return failure(lineNumber, QStringLiteral("no text and picture name"));
        const int image = imageIndex(line.sliced(tab + 1).trimmed());
        if (image < 0)
            return failure(lineNumber, QStringLiteral("an unknown picture name"));
        std::vector<LanguageNode> &siblings = depth == 0 ? tree.roots : path[depth - 1]->children;
        siblings.push_back({QString::fromUtf8(line.sliced(indent, tab - indent)), image, {}});
        path.resize(depth);
        path.push_back(&siblings.back());
    }
    return tree;
}

// Outside any namespace, as Q_INIT_RESOURCE wants: the core is a static
// library, so its resources are registered by hand before the first use.
static void registerAnalysisResources()
{
    Q_INIT_RESOURCE(analysis);
}

LanguageTreeData readLanguageTree()
{
    static const bool registered = (registerAnalysisResources(), true);
    Q_UNUSED(registered);
    QFile file(QStringLiteral(":/analysis/languages.txt"));
    if (!file.open(QIODevice::ReadOnly))
        return {{}, file.errorString()};
    return parseLanguageTree(file.readAll());
}

bool isLanguageGroup(const QString &text, bool isRoot)
{
    return isRoot || std::any_of(std::begin(kCategories), std::end(kCategories),
                                 [&](const char *name) { return text == QLatin1StringView(name); });
}
