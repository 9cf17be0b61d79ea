#include "platform/webbrowsers.h"

#include "platform/logging.h"
#include "platform/textfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSet>
#include <QStandardPaths>
#include <QTimer>

#include <algorithm>
#include <vector>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
extern char **environ;
#endif

namespace {

// The value of key in the [Desktop Entry] group, untranslated, as written.
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

// The escapes every string value may hold.  A backslash before anything
// else stays, for the quoting rules of Exec to judge.
QString unescapeStringValue(const QString &value)
{
    QString text;
    text.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c != u'\\' || i + 1 == value.size()) {
            text += c;
            continue;
        }
        switch (value.at(i + 1).unicode()) {
        case 's': text += u' '; break;
        case 'n': text += u'\n'; break;
        case 't': text += u'\t'; break;
        case 'r': text += u'\r'; break;
        case '\\': text += u'\\'; break;
        default: text += c; continue;
        }
        ++i;
    }
    return text;
}

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n';
}

// What the lookup expands the field codes with: only the words matter.
ExecFields sampleFields(const InstalledBrowser &browser)
{
    return {QStringLiteral("file:///"), QStringLiteral("/"), browser.name, browser.icon, browser.desktopFile};
}

// The program env runs in a command starting with env; empty when there is
// none.
QString programRunByEnv(const QStringList &arguments)
{
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &word = arguments.at(i);
        if (word == QLatin1String("-u") || word == QLatin1String("--unset") || word == QLatin1String("-C") ||
            word == QLatin1String("--chdir"))
            ++i;  // the option's value follows
        else if (!word.startsWith(u'-') && !word.contains(u'='))
            return word;
    }
    return {};
}

constexpr qsizetype kErrorTextChars = 1000;
constexpr qint64 kErrorBytesRead = 16 * 1024;

} // namespace

ExecCommand commandOfExecLine(const QString &exec, const ExecFields &fields)
{
    const auto failure = [](const QString &why) {
        ExecCommand failed;
        failed.error = why;
        return failed;
    };
    const QString line = unescapeStringValue(exec);
    static const QString reserved = QStringLiteral("'\\><~|&;$*?#()`");
    static const QString escapedInQuotes = QStringLiteral("\"`$\\");
    ExecCommand command;
    QString word;
    bool inWord = false;
    bool quoted = false;
    bool fileNamed = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line.at(i);
        if (quoted) {
            if (c == u'"') {
                quoted = false;
            } else if (c == u'\\' && i + 1 < line.size()) {
                const QChar next = line.at(++i);
                if (!escapedInQuotes.contains(next))
                    return failure(QStringLiteral("inside quotes a backslash may only stand before \", `, $ or \\"));
                word += next;
            } else if (c == u'%') {
                if (i + 1 < line.size() && line.at(i + 1) == u'%') {
                    word += u'%';
                    ++i;
                } else {
                    return failure(QStringLiteral("the field code %1 stands inside quotes").arg(line.mid(i, 2)));
                }
            } else {
                word += c;
            }
            continue;
        }
        if (isBlank(c)) {
            if (inWord)
                command.arguments << word;
            word.clear();
            inWord = false;
        } else if (c == u'"') {
            quoted = true;
            inWord = true;
        } else if (c == u'%') {
            if (i + 1 == line.size())
                return failure(QStringLiteral("the line ends in a lone %"));
            const QChar code = line.at(++i);
            switch (code.unicode()) {
            case '%': word += u'%'; break;
            case 'u':
            case 'U': word += fields.url; fileNamed = true; break;
            case 'f':
            case 'F': word += fields.path; fileNamed = true; break;
            case 'c': word += fields.name; break;
            case 'k': word += fields.desktopFile; break;
            case 'i':
                if (inWord || (i + 1 < line.size() && !isBlank(line.at(i + 1))))
                    return failure(QStringLiteral("%i must be a word of its own"));
                if (!fields.icon.isEmpty())
                    command.arguments << QStringLiteral("--icon") << fields.icon;
                continue;
            case 'd':
            case 'D':
            case 'n':
            case 'N':
            case 'v':
            case 'm':
                continue;  // deprecated, dropped: a word of nothing else is no word
            default: return failure(QStringLiteral("%%1 is no field code").arg(code));
            }
            inWord = true;
        } else if (reserved.contains(c)) {
            return failure(QStringLiteral("the character %1 must be inside quotes").arg(c));
        } else {
            word += c;
            inWord = true;
        }
    }
    if (quoted)
        return failure(QStringLiteral("a double quote is not closed"));
    if (inWord)
        command.arguments << word;
    if (command.arguments.isEmpty())
        return failure(QStringLiteral("there is no command"));
    // A command without a file's field code gets the address as its last
    // argument, as the desktop's launchers do.
    if (!fileNamed)
        command.arguments << fields.url;
    return command;
}

QString withoutDirectionControls(const QString &text)
{
    QString shown;
    shown.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        const bool control = u == 0x061C || u == 0x200E || u == 0x200F || (u >= 0x202A && u <= 0x202E) ||
                             (u >= 0x2066 && u <= 0x2069);
        if (!control)
            shown += c;
    }
    return shown;
}

QString browserErrorText(const QByteArray &bytes)
{
    QString text;
    for (const QChar c : withoutDirectionControls(decodeText(bytes)))
        if (c == u'\n' || c == u'\t' || c.category() != QChar::Other_Control)
            text += c;
    text = text.trimmed();
    if (text.size() <= kErrorTextChars)
        return text;
    // The end says most: where the program gave up.
    text = text.right(kErrorTextChars);
    const qsizetype lineStart = text.indexOf(u'\n');
    if (lineStart >= 0 && lineStart < kErrorTextChars / 2)
        text = text.mid(lineStart + 1);
    return QStringLiteral("...\n") + text;
}

std::optional<InstalledBrowser> browserOfDesktopEntry(const QByteArray &entry, QString *whyNot)
{
    const QList<QByteArray> lines = entry.split('\n');
    if (entryValue(lines, "Type") != QLatin1String("Application"))
        return std::nullopt;
    const auto yes = [](const QString &value) { return value == QLatin1String("true"); };
    if (yes(entryValue(lines, "Hidden")) || yes(entryValue(lines, "NoDisplay")))
        return std::nullopt;
    const bool browser = listHas(entryValue(lines, "Categories"), QStringLiteral("WebBrowser")) ||
                         listHas(entryValue(lines, "MimeType"), QStringLiteral("x-scheme-handler/http"));
    if (!browser)
        return std::nullopt;
    const auto leftOut = [whyNot](const QString &why) -> std::optional<InstalledBrowser> {
        if (whyNot)
            *whyNot = why;
        return std::nullopt;
    };
    InstalledBrowser found;
    found.name = withoutDirectionControls(unescapeStringValue(entryValue(lines, "Name"))).trimmed();
    found.exec = entryValue(lines, "Exec");
    found.icon = unescapeStringValue(entryValue(lines, "Icon"));
    if (found.name.isEmpty())
        return leftOut(QStringLiteral("it has no Name"));
    if (found.exec.isEmpty())
        return leftOut(QStringLiteral("it has no Exec line"));
    const ExecCommand command = commandOfExecLine(found.exec, sampleFields(found));
    if (!command.ok())
        return leftOut(QStringLiteral("its Exec line cannot be used: ") + command.error);
    found.executable = command.arguments.first();
    return found;
}

BrowserLookup lookUpBrowsers(const QList<std::pair<QString, QByteArray>> &entries,
                             const std::function<QString(const QString &)> &findProgram)
{
    BrowserLookup lookup;
    QSet<QString> seenFiles;
    QSet<QString> seenCommands;  // the command lines, words joined by NUL
    QList<InstalledBrowser> found;
    for (const auto &[path, bytes] : entries) {
        const QString fileName = QFileInfo(path).fileName();
        if (seenFiles.contains(fileName))
            continue;  // hidden by the entry of the same name in a folder before
        seenFiles.insert(fileName);
        QString whyNot;
        std::optional<InstalledBrowser> browser = browserOfDesktopEntry(bytes, &whyNot);
        if (!browser) {
            if (!whyNot.isEmpty())
                lookup.skipped.append({path, whyNot});
            continue;
        }
        browser->desktopFile = path;
        browser->id = fileName;
        // Only browsers whose program is there: the desktop's entries may
        // name programs since removed.
        QStringList command = commandOfExecLine(browser->exec, sampleFields(*browser)).arguments;
        QString needed = command.first();
        if (QFileInfo(needed).fileName() == QLatin1String("env"))
            needed = programRunByEnv(command);
        const QString started = findProgram(browser->executable);
        if (started.isEmpty() || needed.isEmpty() || findProgram(needed).isEmpty()) {
            lookup.skipped.append({path, QStringLiteral("its program %1 is not installed")
                                             .arg(needed.isEmpty() ? browser->executable : needed)});
            continue;
        }
        browser->executable = started;
        command.first() = started;
        const QString commandLine = command.join(QChar(0));
        if (seenCommands.contains(commandLine)) {
            lookup.skipped.append({path, QStringLiteral("it starts the same command as an entry before")});
            continue;
        }
        seenCommands.insert(commandLine);
        found << *browser;
    }
    lookup.defaultBrowser = !found.isEmpty();
    std::stable_sort(found.begin(), found.end(), [](const InstalledBrowser &a, const InstalledBrowser &b) {
        return a.name.compare(b.name, Qt::CaseInsensitive) < 0;
    });
    lookup.browsers = found;
    return lookup;
}

QList<InstalledBrowser> offeredBrowsers(const QList<InstalledBrowser> &installed, const QStringList &chosenIds)
{
    QList<InstalledBrowser> offered;
    for (const QString &id : chosenIds) {
        const auto chosen = std::find_if(installed.begin(), installed.end(),
                                         [&id](const InstalledBrowser &browser) { return browser.id == id; });
        if (chosen != installed.end() && !offered.contains(*chosen) && offered.size() < 2)
            offered << *chosen;
    }
    for (const InstalledBrowser &browser : installed)
        if (offered.size() < 2 && !offered.contains(browser))
            offered << browser;
    return offered;
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
                entries.append({file.filePath(), read.bytes});
            else
                qCInfo(lcStartup, "browser entry %s not read: %s", qPrintable(file.filePath()), qPrintable(read.error));
        }
    }
    const BrowserLookup lookup = lookUpBrowsers(entries, [](const QString &program) {
        const QString path = QFileInfo(program).isAbsolute() ? program : QStandardPaths::findExecutable(program);
        return !path.isEmpty() && QFileInfo(path).isExecutable() ? path : QString();
    });
    for (const InstalledBrowser &browser : lookup.browsers)
        qCInfo(lcStartup, "browser: %s (%s)", qPrintable(browser.name), qPrintable(browser.desktopFile));
    for (const SkippedBrowserEntry &entry : lookup.skipped)
        qCInfo(lcStartup, "browser entry %s left out: %s", qPrintable(entry.desktopFile), qPrintable(entry.reason));
    return lookup;
}

#ifdef Q_OS_UNIX
namespace {

// Follows a started browser: for the first moments closely, to tell a
// failure at once apart; then, rarely, only to collect its exit status
// when it ends, so it leaves no zombie behind.
class StartWatch final : public QObject {
public:
    StartWatch(pid_t pid, int errorFile, int watchMs, WebBrowsers::StartWatcher watched)
        : QObject(QCoreApplication::instance()), m_pid(pid), m_errorFile(errorFile), m_watchMs(watchMs),
          m_watched(std::move(watched))
    {
        m_timer.setInterval(kPollMs);
        connect(&m_timer, &QTimer::timeout, this, [this] { poll(); });
        m_elapsed.start();
        m_timer.start();
    }
    ~StartWatch() override { closeErrorFile(); }

private:
    static constexpr int kPollMs = 50;
    static constexpr int kReapMs = 5000;

    void poll()
    {
        int status = 0;
        const pid_t ended = ::waitpid(m_pid, &status, WNOHANG);
        if (ended == 0) {
            if (m_watched && m_elapsed.elapsed() >= m_watchMs) {
                closeErrorFile();
                m_timer.setInterval(kReapMs);
                tell({});  // it came up
            }
            return;
        }
        if (ended < 0 && errno == EINTR)
            return;
        // Ended (or collected by someone else, which says nothing of how).
        BrowserStart start;
        start.failed = ended == m_pid && !(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        if (start.failed && m_errorFile >= 0)
            start.errorOutput = browserErrorText(readErrorFileEnd());
        m_timer.stop();
        deleteLater();
        tell(start);
    }

    QByteArray readErrorFileEnd() const
    {
        struct stat info {};
        if (::fstat(m_errorFile, &info) != 0)
            return {};
        const qint64 from = qMax<qint64>(0, info.st_size - kErrorBytesRead);
        QByteArray bytes(info.st_size - from, Qt::Uninitialized);
        const ssize_t got = ::pread(m_errorFile, bytes.data(), bytes.size(), from);
        bytes.resize(got > 0 ? got : 0);
        return bytes;
    }

    void closeErrorFile()
    {
        if (m_errorFile >= 0)
            ::close(m_errorFile);
        m_errorFile = -1;
    }

    // The last thing done: what is told may open a box and run events.
    void tell(const BrowserStart &start)
    {
        WebBrowsers::StartWatcher watched = std::move(m_watched);
        m_watched = nullptr;
        if (watched)
            watched(start);
    }

    pid_t m_pid;
    int m_errorFile;
    int m_watchMs;
    WebBrowsers::StartWatcher m_watched;
    QTimer m_timer{this};
    QElapsedTimer m_elapsed;
};

} // namespace
#endif

bool DesktopBrowsers::launch(const InstalledBrowser &browser, const BrowserTarget &target, StartWatcher watched)
{
    const ExecCommand command = commandOfExecLine(
        browser.exec, {target.url, target.path, browser.name, browser.icon, browser.desktopFile});
    if (!command.ok())
        return false;
    const QString program = browser.executable.isEmpty() ? command.arguments.first() : browser.executable;
#ifdef Q_OS_UNIX
    // What the browser says on its standard error goes into a file of its
    // own that nobody else can open (it is removed at once); a pipe would
    // break the browser's writes once this program has ended.
    QByteArray errorName = QFile::encodeName(QDir::tempPath() + QStringLiteral("/quillon-browser-XXXXXX"));
    const int errorFile = ::mkostemp(errorName.data(), O_CLOEXEC);
    if (errorFile >= 0)
        ::unlink(errorName.constData());

    QList<QByteArray> words;
    for (const QString &argument : command.arguments)
        words << argument.toLocal8Bit();
    std::vector<char *> argv;
    for (QByteArray &word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    if (errorFile >= 0)
        posix_spawn_file_actions_adddup2(&files, errorFile, STDERR_FILENO);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none;
    sigemptyset(&none);
    posix_spawnattr_setsigmask(&attributes, &none);
    sigset_t defaults;
    sigemptyset(&defaults);
    for (const int signal : {SIGPIPE, SIGCHLD, SIGHUP, SIGINT, SIGQUIT, SIGTERM})
        sigaddset(&defaults, signal);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    short flags = POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF;
#ifdef POSIX_SPAWN_SETSID
    // Its own session: the browser outlives this program and its terminal.
    flags |= POSIX_SPAWN_SETSID;
#endif
    posix_spawnattr_setflags(&attributes, flags);
    pid_t pid = 0;
    const QByteArray programFile = QFile::encodeName(program);
    const int failed = ::posix_spawn(&pid, programFile.constData(), &files, &attributes, argv.data(), environ);
    posix_spawn_file_actions_destroy(&files);
    posix_spawnattr_destroy(&attributes);
    if (failed != 0) {
        if (errorFile >= 0)
            ::close(errorFile);
        qCWarning(lcPlatform, "cannot start %s: %s", qPrintable(program), qPrintable(qt_error_string(failed)));
        return false;
    }
    new StartWatch(pid, errorFile, m_watchMs, std::move(watched));
    return true;
#else
    if (!QProcess::startDetached(program, command.arguments.mid(1)))
        return false;
    QTimer::singleShot(m_watchMs, QCoreApplication::instance(), [watched = std::move(watched)] { watched({}); });
    return true;
#endif
}
