#pragma once
// Text files as the program reads them.
//
// Files are bytes.  A file is read as UTF-8 when its bytes are valid UTF-8
// and as Windows-1250 otherwise, so that scripts and library indexes written
// by older installations open with their Polish letters.  The program always
// writes UTF-8 without a byte-order mark.

#include "platform/fileaccess.h"

#include <QByteArray>
#include <QString>

/// Files larger than this are refused instead of being read into memory.
inline constexpr qint64 kMaxTextFileBytes = qint64(64) * 1024 * 1024;
/// A read that has not come to its end by then is given up: a file of /proc
/// that says it is empty may never end, or wait for data that never comes.
inline constexpr int kReadTimeoutMs = 5000;

enum class TextEncoding { Utf8, Windows1250 };

/// Decodes bytes as UTF-8 when valid (a leading byte-order mark is dropped),
/// else as Windows-1250.
QString decodeText(const QByteArray &bytes, TextEncoding *used = nullptr);

/// Decodes one line on its own: UTF-8 when valid, else Windows-1250.
/// Nothing is dropped.
QString decodeLine(QByteArrayView bytes);

/// Windows-1250 to Unicode; the five unassigned bytes become U+FFFD.
QString decodeWindows1250(const QByteArray &bytes);

/// Unicode to Windows-1250.  A character the code page cannot hold is
/// written as "?" and, when unencodable is given, added to it (each once).
QByteArray encodeWindows1250(QStringView text, QString *unencodable = nullptr);

/// What the program writes: UTF-8, no byte-order mark.
QByteArray encodeText(const QString &text);

/// The bytes read as lines: a line ends at CR LF, a lone CR or a lone LF;
/// every line, the last one included, is then ended with CR LF.  The text
/// ends at the first NUL byte.  An empty input stays empty.
QByteArray joinLinesWithCrLf(QByteArray bytes);

struct TextFileRead {
    enum class Status { Ok, CannotOpen, TooLarge, TooSlow };
    Status status = Status::CannotOpen;
    QByteArray bytes;  // the raw file
    QString error;     // the system's reason when it could not be read
    bool ok() const { return status == Status::Ok; }
};

/// Reads a whole file, refusing one larger than maxBytes.  Only a regular
/// file is read: a named pipe, a device or a folder is refused at once
/// instead of blocking the program (CannotOpen, with the reason).  With
/// LinkPolicy::Refuse a symbolic link is refused too.  A file whose size
/// lies (many of /proc and /sys say 0) is read without ever blocking: one
/// that gives more than maxBytes is TooLarge, one whose end has not come
/// within timeoutMs is TooSlow.
TextFileRead readFileBytes(const QString &path, qint64 maxBytes = kMaxTextFileBytes,
                           LinkPolicy links = LinkPolicy::Follow, int timeoutMs = kReadTimeoutMs);

#ifdef Q_OS_UNIX
/// What readFileBytes does once the file is open: reads the non-blocking
/// descriptor fd to its end, waiting for data at most until timeoutMs have
/// passed since the start, and stops as soon as it has more than maxBytes.
/// sizeHint is what the file says it holds.  fd stays open.
TextFileRead readDescriptorBytes(int fd, qint64 maxBytes, int timeoutMs, qint64 sizeHint = 0);
#endif

/// Why a file was not read, for a message: the system's reason, or that it
/// is too large or never came to its end.
QString unreadableReason(const TextFileRead &read);

/// The text of a file read as lines (joinLinesWithCrLf, then decodeText).
struct TextLinesRead {
    TextFileRead::Status status = TextFileRead::Status::CannotOpen;
    QString text;
    QString error;
    bool ok() const { return status == TextFileRead::Status::Ok; }
};
TextLinesRead readTextLines(const QString &path, qint64 maxBytes = kMaxTextFileBytes);

/// Converts every line break of a text to CR LF (no line break is added at
/// the end).
QString toCrLf(const QString &text);
