#include "document/documentfile.h"

#include "platform/textfile.h"

FileForm fileFormOf(const QByteArray &bytes)
{
    FileForm form;
    const qsizetype nul = bytes.indexOf('\0');
    const QByteArrayView text = nul >= 0 ? QByteArrayView(bytes).first(nul) : QByteArrayView(bytes);
    if (text.isValidUtf8())
        form.encoding = text.startsWith("\xEF\xBB\xBF") ? FileForm::Encoding::Utf8WithBom : FileForm::Encoding::Utf8;
    else
        form.encoding = FileForm::Encoding::Windows1250;
    qsizetype crlf = 0, lf = 0, cr = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            if (i + 1 < text.size() && text[i + 1] == '\n') {
                ++crlf;
                ++i;
            } else {
                ++cr;
            }
        } else if (text[i] == '\n') {
            ++lf;
        }
    }
    if (lf > crlf && lf >= cr)
        form.lineBreak = FileForm::LineBreak::Lf;
    else if (cr > crlf && cr > lf)
        form.lineBreak = FileForm::LineBreak::Cr;
    form.markers = text.contains(kHeadMarker.toLatin1()) || text.contains(kBodyMarker.toLatin1());
    return form;
}

FileBytes composeFileBytes(const ScriptFragments &fragments, const FileForm &form)
{
    QString text = form.markers ? composeScriptFile(fragments.head, fragments.body) : fragments.body;
    // The editors' text has CR LF throughout.
    if (form.lineBreak == FileForm::LineBreak::Lf)
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    else if (form.lineBreak == FileForm::LineBreak::Cr)
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\r"));
    return encodeFileText(text, form.encoding);
}

FileBytes encodeFileText(const QString &text, FileForm::Encoding encoding)
{
    FileBytes out;
    switch (encoding) {
    case FileForm::Encoding::Utf8:
        out.bytes = text.toUtf8();
        break;
    case FileForm::Encoding::Utf8WithBom:
        out.bytes = QByteArray("\xEF\xBB\xBF") + text.toUtf8();
        break;
    case FileForm::Encoding::Windows1250:
        out.bytes = encodeWindows1250(text, &out.unencodable);
        break;
    }
    return out;
}

DocumentFile::DocumentFile(QByteArray bytes)
    : m_bytes(std::move(bytes)), m_fragments(readScriptBytes(m_bytes)), m_form(fileFormOf(m_bytes)), m_bytesForm(m_form)
{
}

FileBytes DocumentFile::bytesFor(const ScriptFragments &now) const
{
    if (now == m_fragments && m_bytesForm == m_form)
        return {m_bytes, QString()};
    return composeFileBytes(now, m_form);
}

void DocumentFile::saved(QByteArray bytes, const ScriptFragments &now)
{
    m_bytes = std::move(bytes);
    m_fragments = now;
    m_bytesForm = m_form;
}
