#include "platform/webbrowsers.h"

#include "platform/textfile.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>

#include <algorithm>

namespace {

// The value of key in the [Desktop Entry] group, untranslated.
QString entryValue(const QList<QByteArray> &lines, const QByteArray &key)
{
    bool inGroup = false;
    for (const QByteArray &raw : lines) {
        const QByteArray line = raw.trimmed();
        if (line.startsWith('[')) {
            inGroup = line == "[Desktop Entry]";
            continue;
        }
        if (!inGroup || !line.startsWith(key))
            continue;
        const QByteArray rest = line.mid(key.size()).trimmed();
        if (rest.startsWith('='))
            return QString::fromUtf8(rest.mid(1).trimmed());
    }
    return {};
}

bool listHas(const QString &list, const QString &item)
{
    return list.split(QLatin1Char(';'), Qt::SkipEmptyParts).contains(item);
}

} // namespace

QString programOfExecLine(const QString &exec)
{
    // Split into words, double quotes holding spaces.
    QStringList words;
    QString word;
    bool quoted = false;
    bool inWord = false;
    for (qsizetype i = 0; i < exec.size(); ++i) {
        const QChar c = exec.at(i);
        if (c == QLatin1Char('"')) {
            quoted = !quoted;
            inWord = true;
        } else if (c == QLatin1Char('\\') && quoted && i + 1 < exec.size()) {
            word += exec.at(++i);
        } else if (c.isSpace() && !quoted) {
            if (inWord)
                words << word;
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord)
        words << word;
    qsizetype first = 0;
    if (first < words.size() && words[first] == QLatin1String("env")) {
        ++first;
        while (first < words.size() && words[first].contains(QLatin1Char('=')) && !words[first].startsWith(QLatin1Char('/')))
            ++first;
    }
    return first < words.size() ? words[first] : QString();
}

std::optional<InstalledBrowser> browserOfDesktopEntry(const QByteArray &entry)
{
    const QList<QByteArray> lines = entry.split('\n');
    if (entryValue(lines, "Type") != QLatin1String("Application"))
        return std::nullopt;
    const auto yes = [](const QString &value) { return value == QLatin1String("true"); };
    if (yes(entryValue(lines, "Hidden")) || yes(entryValue(lines, "NoDisplay")))
        return std::nullopt;
    const bool browser = listHas(entryValue(lines, "Categories"), QStringLiteral("WebBrowser")) ||
                         listHas(entryValue(lines, "MimeType"), QStringLiteral("x-scheme-handler/http"));
    const QString name = entryValue(lines, "Name");
    const QString program = programOfExecLine(entryValue(lines, "Exec"));
    if (!browser || name.isEmpty() || program.isEmpty())
        return std::nullopt;
    return InstalledBrowser{name, program};
}

BrowserLookup lookUpBrowsers(const QList<std::pair<QString, QByteArray>> &entries,
                             const std::function<QString(const QString &)> &findProgram)
{
    BrowserLookup lookup;
    QSet<QString> seenFiles;
    QSet<QString> seenPrograms;
    QList<InstalledBrowser> found;
    for (const auto &[fileName, bytes] : entries) {
        if (seenFiles.contains(fileName))
            continue;  // hidden by the entry of the same name in a folder before
        seenFiles.insert(fileName);
        std::optional<InstalledBrowser> browser = browserOfDesktopEntry(bytes);
        if (!browser)
            continue;
        // Only browsers whose program is there: the desktop's entries may
        // name programs since removed.
        browser->executable = findProgram(browser->executable);
        if (browser->executable.isEmpty() || seenPrograms.contains(browser->executable))
            continue;
        seenPrograms.insert(browser->executable);
        found << *browser;
    }
    lookup.defaultBrowser = !found.isEmpty();
    std::sort(found.begin(), found.end(), [](const InstalledBrowser &a, const InstalledBrowser &b) {
        return a.name.compare(b.name, Qt::CaseInsensitive) < 0;
    });
    lookup.browsers = found.mid(0, 2);
    return lookup;
}

BrowserLookup DesktopBrowsers::findBrowsers()
{
    QList<std::pair<QString, QByteArray>> entries;
    const QStringList folders = QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation);
    for (const QString &folder : folders) {
        const QFileInfoList files = QDir(folder).entryInfoList({QStringLiteral("*.desktop")}, QDir::Files);
        for (const QFileInfo &file : files) {
            const TextFileRead read = readFileBytes(file.filePath(), 1024 * 1024);
            if (read.ok())
                entries.append({file.fileName(), read.bytes});
        }
    }
    return lookUpBrowsers(entries, [](const QString &program) {
        const QString path = QFileInfo(program).isAbsolute() ? program : QStandardPaths::findExecutable(program);
        return !path.isEmpty() && QFileInfo(path).isExecutable() ? path : QString();
    });
}

bool DesktopBrowsers::launch(const QString &executable, const QString &address)
{
    return QProcess::startDetached(executable, {address});
}
