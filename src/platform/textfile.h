#pragma once
// Text files as the program reads them.
//
// Files are bytes.  A file is read as UTF-8 when its bytes are valid UTF-8
// and as Windows-1250 otherwise, so that scripts and library indexes written
// by older installations open with their Polish letters.  The program always
// writes UTF-8 without a byte-order mark.

#include <QByteArray>
#include <QString>

#include "platform/fileaccess.h"

/// Files larger than this are refused instead of being read into memory.
inline constexpr qint64 kMaxTextFileBytes = 64 * 1024 * 1024;

enum class TextEncoding { Utf8, Windows1250 };

/// Decodes bytes as UTF-8 when valid (a leading byte-order mark is dropped),
/// else as Windows-1250.
QString decodeText(const QByteArray &bytes, TextEncoding *used = nullptr);

/// Decodes one line on its own: UTF-8 when valid, else Windows-1250.
/// Nothing is dropped.
QString decodeLine(QByteArrayView bytes);

/// Windows-1250 to Unicode; the five unassigned bytes become U+FFFD.
QString decodeWindows1250(const QByteArray &bytes);

/// What the program writes: UTF-8, no byte-order mark.
QByteArray encodeText(const QString &text);

/// The bytes read as lines: a line ends at CR LF, a lone CR or a lone LF;
/// every line, the last one included, is then ended with CR LF.  The text
/// ends at the first NUL byte.  An empty input stays empty.
QByteArray joinLinesWithCrLf(QByteArray bytes);

struct TextFileRead {
    enum class Status { Ok, CannotOpen, TooLarge };
    Status status = Status::CannotOpen;
    QByteArray bytes;  // the raw file
    QString error;     // the system's reason when it could not be read
    bool ok() const { return status == Status::Ok; }
};

/// Reads a whole file, refusing one larger than maxBytes.  Only a regular
/// file is read: a named pipe, a device or a folder is refused at once
/// instead of blocking the program (CannotOpen, with the reason).  With
/// LinkPolicy::Refuse a symbolic link is refused too.
TextFileRead readFileBytes(const QString &path, qint64 maxBytes = kMaxTextFileBytes,
                           LinkPolicy links = LinkPolicy::Follow);

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
