#pragma once
// A document opened from a file, and how that file holds its text, so that
// Save writes it back in the form it came in.
//
// The editors always hold CR LF line breaks and Unicode text; the file may
// hold LF or CR, UTF-8 with or without a byte-order mark or Windows-1250,
// the section markers of a script file or none.  A document saved with no
// edit is written back byte for byte as it was read; an edited one in the
// file's encoding and its most common line break.

#include "document/scripttext.h"

#include <QByteArray>
#include <QString>

#include <optional>

struct FileForm {
    enum class Encoding { Utf8, Utf8WithBom, Windows1250 };
    enum class LineBreak { CrLf, Lf, Cr };
    Encoding encoding = Encoding::Utf8;
    LineBreak lineBreak = LineBreak::CrLf;  // the file's most common one (CR LF when it has none)
    bool markers = false;                   // the section markers of a script file
    bool operator==(const FileForm &) const = default;
};

/// How the bytes of a file hold their text.
FileForm fileFormOf(const QByteArray &bytes);

/// Bytes of a text, and the characters its encoding could not hold (each
/// written as "?").
struct FileBytes {
    QByteArray bytes;
    QString unencodable;
};

/// A text in an encoding, its line breaks as they are.
FileBytes encodeFileText(const QString &text, FileForm::Encoding encoding);

/// What Save writes for fragments in form: with markers the script file
/// text, else the BODY fragment alone (a HEAD fragment with text has no
/// place then: the caller asks first).  Characters the encoding cannot hold
/// are written as "?" and listed in unencodable.
FileBytes composeFileBytes(const ScriptFragments &fragments, const FileForm &form);

/// What the document's file holds, kept from Open (or the last Save) to
/// the next Save.
class DocumentFile final {
public:
    DocumentFile() = default;
    explicit DocumentFile(QByteArray bytes);

    const ScriptFragments &fragments() const { return m_fragments; }
    const FileForm &form() const { return m_form; }
    void setForm(const FileForm &form) { m_form = form; }

    /// The bytes Save writes for the editors' fragments: the file's own
    /// bytes when they are what it was read as, else the fragments in the
    /// file's form.
    FileBytes bytesFor(const ScriptFragments &now) const;
    /// The file now holds bytes, written for these fragments.
    void saved(QByteArray bytes, const ScriptFragments &now);

private:
    /// The file's bytes with only the lines that differ from body written
    /// anew; nothing when the file's lines cannot be matched to the text's.
    std::optional<FileBytes> keepingUntouchedLines(const QString &body) const;

    QByteArray m_bytes;
    ScriptFragments m_fragments;
    FileForm m_form;
    FileForm m_bytesForm;  // the form m_bytes are in (m_form until setForm changes it)
};
