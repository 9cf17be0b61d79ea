#include "editor/highlighter.h"

#include <QFontDatabase>
#include <Qsci/qscilexerhtml.h>
#include <Qsci/qsciscintilla.h>

#include <utility>

QFont editorTextFont()
{
    return editorTextFont(QString(), 10);
}

QFont editorTextFont(const QString &family, int pointSize)
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    if (!family.isEmpty())
        font.setFamily(family);
    font.setPointSize(pointSize);
    return font;
}

std::unique_ptr<QsciLexer> makeHtmlHighlighter()
{
    const QFont font = editorTextFont();
    auto lexer = std::make_unique<QsciLexerHTML>();
    lexer->setFoldCompact(false);
    lexer->setDefaultFont(font);
    for (int style = 0; style <= 127; ++style) {
        if (lexer->description(style).isEmpty())
            continue;
        QFont styleFont = font;
        styleFont.setBold(lexer->font(style).bold());
        styleFont.setItalic(lexer->font(style).italic());
        lexer->setFont(styleFont, style);
    }
    return lexer;
}

namespace {

using Sci = QsciScintillaBase;

// Every attribute of a style besides its font name: the message that reads
// it and the one that sets it.
constexpr std::array<std::pair<unsigned int, unsigned int>, 12> kStyleAttributes{{
    {Sci::SCI_STYLEGETSIZEFRACTIONAL, Sci::SCI_STYLESETSIZEFRACTIONAL},
    {Sci::SCI_STYLEGETWEIGHT, Sci::SCI_STYLESETWEIGHT},
    {Sci::SCI_STYLEGETITALIC, Sci::SCI_STYLESETITALIC},
    {Sci::SCI_STYLEGETUNDERLINE, Sci::SCI_STYLESETUNDERLINE},
    {Sci::SCI_STYLEGETFORE, Sci::SCI_STYLESETFORE},
    {Sci::SCI_STYLEGETBACK, Sci::SCI_STYLESETBACK},
    {Sci::SCI_STYLEGETEOLFILLED, Sci::SCI_STYLESETEOLFILLED},
    {Sci::SCI_STYLEGETCASE, Sci::SCI_STYLESETCASE},
    {Sci::SCI_STYLEGETVISIBLE, Sci::SCI_STYLESETVISIBLE},
    {Sci::SCI_STYLEGETCHANGEABLE, Sci::SCI_STYLESETCHANGEABLE},
    {Sci::SCI_STYLEGETHOTSPOT, Sci::SCI_STYLESETHOTSPOT},
    {Sci::SCI_STYLEGETCHARACTERSET, Sci::SCI_STYLESETCHARACTERSET},
}};

// The default style is left out: every lexer sets it.
constexpr int kFirstPredefined = Sci::STYLE_DEFAULT + 1;
constexpr int kLastPredefined = Sci::STYLE_LASTPREDEFINED;

} // namespace

PredefinedStyles::PredefinedStyles(const QsciScintilla &editor)
{
    for (int style = kFirstPredefined; style <= kLastPredefined; ++style) {
        const auto s = static_cast<unsigned long>(style);
        Look look;
        // The name comes with its terminating zero.
        look.font = QByteArray(qsizetype(editor.SendScintilla(Sci::SCI_STYLEGETFONT, s)) + 1, '\0');
        editor.SendScintilla(Sci::SCI_STYLEGETFONT, s, look.font.data());
        look.font.chop(1);
        static_assert(std::tuple_size_v<decltype(look.values)> == kStyleAttributes.size());
        for (size_t a = 0; a < kStyleAttributes.size(); ++a)
            look.values[a] = editor.SendScintilla(kStyleAttributes[a].first, s);
        m_looks.push_back(std::move(look));
    }
}

void PredefinedStyles::applyTo(QsciScintilla &editor) const
{
    for (int style = kFirstPredefined; style <= kLastPredefined; ++style) {
        const auto s = static_cast<unsigned long>(style);
        const Look &look = m_looks[size_t(style - kFirstPredefined)];
        editor.SendScintilla(Sci::SCI_STYLESETFONT, s, look.font.constData());
        for (size_t a = 0; a < kStyleAttributes.size(); ++a)
            editor.SendScintilla(kStyleAttributes[a].second, s, look.values[a]);
    }
}
