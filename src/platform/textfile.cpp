#include "platform/textfile.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QStringDecoder>

#include <cstring>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

// Windows-1250, bytes 0x80 to 0xFF.  0 marks the unassigned bytes.
constexpr char16_t kCp1250High[128] = {
    0x20AC, 0,      0x201A, 0,      0x201E, 0x2026, 0x2020, 0x2021, // 80
    0,      0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179, // 88
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90
    0,      0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A, // 98
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7, // A0
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B, // A8
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7, // B0
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C, // B8
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7, // C0
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E, // C8
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7, // D0
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF, // D8
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7, // E0
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F, // E8
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7, // F0
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9, // F8
};

} // namespace

QString decodeWindows1250(const QByteArray &bytes)
{
    QString out(bytes.size(), Qt::Uninitialized);
    QChar *dst = out.data();
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        char16_t u = b < 0x80 ? char16_t(b) : kCp1250High[b - 0x80];
        if (u == 0)
            u = 0xFFFD;
        *dst++ = QChar(u);
    }
    return out;
}

QByteArray encodeWindows1250(QStringView text, QString *unencodable)
{
    // The code page's letters above 0x7F, found by a look through its table.
    static const QHash<char16_t, char> high = [] {
        QHash<char16_t, char> map;
        for (int b = 0; b < 128; ++b)
            if (kCp1250High[b] != 0)
                map.insert(kCp1250High[b], char(0x80 + b));
        return map;
    }();
    QByteArray out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x80) {
            out += char(u);
            continue;
        }
        const auto it = high.constFind(u);
        if (it != high.constEnd()) {
            out += *it;
            continue;
        }
        out += '?';
        if (unencodable && !unencodable->contains(c))
            *unencodable += c;
    }
    return out;
}

QString decodeText(const QByteArray &bytes, TextEncoding *used)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError()) {
        if (used)
            *used = TextEncoding::Utf8;
        return text;
    }
    if (used)
        *used = TextEncoding::Windows1250;
    return decodeWindows1250(bytes);
}

QString decodeLine(QByteArrayView bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return decodeWindows1250(bytes.toByteArray());
}

QByteArray encodeText(const QString &text)
{
    return text.toUtf8();
}

QByteArray joinLinesWithCrLf(QByteArray bytes)
{
    if (const char *nul = static_cast<const char *>(std::memchr(bytes.constData(), 0, size_t(bytes.size()))))
        bytes.truncate(nul - bytes.constData());
    if (bytes.isEmpty())
        return bytes;

    // Most files already end every line with CR LF: hand those back
    // untouched.  memchr finds the breaks far faster than a loop over bytes.
    const char *p = bytes.constData();
    const qsizetype n = bytes.size();
    const char *end = p + n;
    bool crLfOnly = n >= 2 && p[n - 2] == '\r' && p[n - 1] == '\n';
    qsizetype lineFeeds = 0;
    for (const char *q = p; crLfOnly && (q = static_cast<const char *>(std::memchr(q, '\n', size_t(end - q)))); ++q) {
        if (q == p || q[-1] != '\r')
            crLfOnly = false;
        ++lineFeeds;
    }
    if (crLfOnly) {
        qsizetype returns = 0;
        for (const char *q = p; (q = static_cast<const char *>(std::memchr(q, '\r', size_t(end - q)))); ++q)
            ++returns;
        if (returns == lineFeeds)
            return bytes;
    }

    QByteArray out;
    out.reserve(n + n / 16 + 2);
    qsizetype run = 0;  // start of the text not yet copied
    for (qsizetype i = 0; i < n; ++i) {
        const char c = p[i];
        if (c != '\r' && c != '\n')
            continue;
        out.append(p + run, i - run);
        out.append("\r\n", 2);
        if (c == '\r' && i + 1 < n && p[i + 1] == '\n')
            ++i;
        run = i + 1;
    }
    out.append(p + run, n - run);
    if (!(out.size() >= 2 && out.endsWith("\r\n")))
        out.append("\r\n", 2);
    return out;
}

#ifdef Q_OS_UNIX

TextFileRead readDescriptorBytes(int fd, qint64 maxBytes, int timeoutMs, qint64 sizeHint)
{
    TextFileRead result;
    result.status = TextFileRead::Status::CannotOpen;
    const QDeadlineTimer deadline(timeoutMs);
    // A regular file is read in pieces, so that the time limit is looked at
    // between them; the file may grow while it is read, and the bound still
    // holds.
    constexpr qint64 kPiece = 4 * 1024 * 1024;
    QByteArray bytes(qsizetype(qBound<qint64>(0, sizeHint, maxBytes + 1)), Qt::Uninitialized);
    qint64 done = 0;
    for (;;) {
        if (done > maxBytes) {
            result.status = TextFileRead::Status::TooLarge;
            return result;
        }
        if (done == bytes.size())
            bytes.resize(qsizetype(qMin<qint64>(maxBytes + 1, qMax<qint64>(bytes.size() * 2, 4096))));
        const ssize_t n = ::read(fd, bytes.data() + done, size_t(qMin<qint64>(bytes.size() - done, kPiece)));
        if (n > 0) {
            done += n;
        } else if (n == 0) {
            break;
        } else if (errno == EAGAIN || errno == EWOULDBLOCK) {
            // Nothing yet: wait for more, but not beyond the limit.
            pollfd wait = {fd, POLLIN, 0};
            const int waited = ::poll(&wait, 1, int(deadline.remainingTime()));
            if (waited < 0 && errno != EINTR) {
                result.error = systemErrorText(errno);
                return result;
            }
        } else if (errno != EINTR) {
            result.error = systemErrorText(errno);
            return result;
        }
        if (deadline.hasExpired()) {
            result.status = TextFileRead::Status::TooSlow;
            return result;
        }
    }
    bytes.truncate(qsizetype(done));
    result.status = TextFileRead::Status::Ok;
    result.bytes = std::move(bytes);
    return result;
}

TextFileRead readFileBytes(const QString &path, qint64 maxBytes, LinkPolicy links, int timeoutMs)
{
    TextFileRead result;
    result.status = TextFileRead::Status::CannotOpen;
    // Opened without blocking: a named pipe would otherwise wait for a
    // writer for ever, and a file of /proc for data.  Its type is checked
    // before anything is read.
    int flags = O_RDONLY | O_NONBLOCK | O_CLOEXEC;
    if (links == LinkPolicy::Refuse)
        flags |= O_NOFOLLOW;
    int fd = -1;
    do {
        fd = ::open(QFile::encodeName(path).constData(), flags);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        result.error = (errno == ELOOP && links == LinkPolicy::Refuse)
                           ? refusedLinkText(path)
                           : systemErrorText(errno);
        return result;
    }
    struct stat st = {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        result.error = S_ISDIR(st.st_mode) ? QStringLiteral("%1 is a folder").arg(path)
                                           : QStringLiteral("%1 is not a regular file").arg(path);
        ::close(fd);
        return result;
    }
    if (st.st_size > maxBytes) {
        ::close(fd);
        result.status = TextFileRead::Status::TooLarge;
        return result;
    }
    result = readDescriptorBytes(fd, maxBytes, timeoutMs, st.st_size);
    ::close(fd);
    return result;
}

#else

TextFileRead readFileBytes(const QString &path, qint64 maxBytes, LinkPolicy links, int)
{
    TextFileRead result;
    const QFileInfo info(path);
    if ((links == LinkPolicy::Refuse && info.isSymLink()) || !info.isFile()) {
        result.status = TextFileRead::Status::CannotOpen;
        result.error = QStringLiteral("%1 is not a regular file").arg(path);
        return result;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.status = TextFileRead::Status::CannotOpen;
        result.error = file.errorString();
        return result;
    }
    if (file.size() > maxBytes) {
        result.status = TextFileRead::Status::TooLarge;
        return result;
    }
    QByteArray bytes = file.read(maxBytes + 1);
    if (file.error() != QFileDevice::NoError) {
        result.status = TextFileRead::Status::CannotOpen;
        result.error = file.errorString();
        return result;
    }
    if (bytes.size() > maxBytes) {
        result.status = TextFileRead::Status::TooLarge;
        return result;
    }
    result.status = TextFileRead::Status::Ok;
    result.bytes = std::move(bytes);
    return result;
}

#endif

QString unreadableReason(const TextFileRead &read)
{
    switch (read.status) {
    case TextFileRead::Status::TooLarge:
        return QStringLiteral("The file is larger than %1 MiB, too large for a script.")
            .arg(kMaxTextFileBytes / (1024 * 1024));
    case TextFileRead::Status::TooSlow:
        return QStringLiteral("The file did not come to its end within %1 seconds; it may be a device or a file "
                              "that never ends.")
            .arg(kReadTimeoutMs / 1000);
    default:
        return read.error;
    }
}

TextLinesRead readTextLines(const QString &path, qint64 maxBytes)
{
    TextFileRead raw = readFileBytes(path, maxBytes);
    TextLinesRead result;
    result.status = raw.status;
    result.error = raw.error;
    if (raw.ok())
        result.text = decodeText(joinLinesWithCrLf(std::move(raw.bytes)));
    return result;
}

QString toCrLf(const QString &text)
{
    const qsizetype n = text.size();
    const QChar *p = text.constData();
    qsizetype i = 0;
    for (; i < n; ++i) {
        if (p[i] == u'\r') {
            if (i + 1 < n && p[i + 1] == u'\n') {
                ++i;
                continue;
            }
            break;
        }
        if (p[i] == u'\n')
            break;
    }
    if (i == n)
        return text;
    QString out;
    out.reserve(n + n / 16 + 2);
    out.append(p, i);
    for (; i < n; ++i) {
        if (p[i] == u'\r') {
            out.append(u"\r\n");
            if (i + 1 < n && p[i + 1] == u'\n')
                ++i;
        } else if (p[i] == u'\n') {
            out.append(u"\r\n");
        } else {
            out.append(p[i]);
        }
    }
    return out;
}
