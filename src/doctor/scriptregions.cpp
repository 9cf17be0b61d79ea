#include "doctor/scriptregions.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace {

bool isAsciiLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

bool startsWithNoCase(QByteArrayView text, qsizetype at, std::string_view lowerWord)
{
    if (at + static_cast<qsizetype>(lowerWord.size()) > text.size())
        return false;
    for (size_t i = 0; i < lowerWord.size(); ++i) {
        if (asciiLower(text[at + static_cast<qsizetype>(i)]) != lowerWord[i])
            return false;
    }
    return true;
}

// Where "</name" starts a closing tag at or after from, or the text's end.
qsizetype closingTagOf(QByteArrayView text, qsizetype from, std::string_view lowerName)
{
    for (qsizetype at = text.indexOf('<', from); at >= 0; at = text.indexOf('<', at + 1)) {
        if (at + 1 < text.size() && text[at + 1] == '/' && startsWithNoCase(text, at + 2, lowerName)) {
            const qsizetype after = at + 2 + static_cast<qsizetype>(lowerName.size());
            if (after >= text.size() || isSpace(text[after]) || text[after] == '/' || text[after] == '>')
                return at;
        }
    }
    return text.size();
}

// Reads the tag whose "<" is at start; its name starts at start + 1 (or + 2
// for a closing tag).
HtmlTag readTag(QByteArrayView text, qsizetype start)
{
    HtmlTag tag;
    tag.start = static_cast<int>(start);
    qsizetype at = start + 1;
    if (text[at] == '/') {
        tag.closing = true;
        ++at;
    }
    const qsizetype nameStart = at;
    while (at < text.size() && !isSpace(text[at]) && text[at] != '>' && text[at] != '/')
        ++at;
    tag.name = asciiLowered(text.sliced(nameStart, at - nameStart));
    const qsizetype n = text.size();
    while (at < n) {
        while (at < n && (isSpace(text[at]) || text[at] == '/'))
            ++at;
        if (at >= n)
            break;
        if (text[at] == '>') {
            tag.end = static_cast<int>(at + 1);
            return tag;
        }
        HtmlAttribute attribute;
        attribute.nameStart = static_cast<int>(at);
        // A name may start with "=" but ends at the next one.
        ++at;
        while (at < n && !isSpace(text[at]) && text[at] != '>' && text[at] != '/' && text[at] != '=')
            ++at;
        attribute.name = asciiLowered(text.sliced(attribute.nameStart, at - attribute.nameStart));
        qsizetype afterName = at;
        while (afterName < n && isSpace(text[afterName]))
            ++afterName;
        if (afterName < n && text[afterName] == '=') {
            at = afterName + 1;
            while (at < n && isSpace(text[at]))
                ++at;
            if (at < n && (text[at] == '"' || text[at] == '\'')) {
                attribute.quote = text[at];
                attribute.valueStart = static_cast<int>(at + 1);
                qsizetype close = text.indexOf(attribute.quote, at + 1);
                if (close < 0)
                    close = n;
                attribute.valueEnd = static_cast<int>(close);
                at = std::min(close + 1, n);
            } else {
                attribute.valueStart = static_cast<int>(at);
                while (at < n && !isSpace(text[at]) && text[at] != '>')
                    ++at;
                attribute.valueEnd = static_cast<int>(at);
            }
        }
        attribute.end = static_cast<int>(at);
        tag.attributes.push_back(std::move(attribute));
    }
    tag.end = static_cast<int>(n);
    return tag;
}

QByteArrayView trimmed(QByteArrayView text)
{
    while (!text.isEmpty() && isSpace(text.front()))
        text = text.sliced(1);
    while (!text.isEmpty() && isSpace(text.back()))
        text.chop(1);
    return text;
}

// The MIME types whose essence browsers run as classic JavaScript.
bool isJavaScriptType(const QByteArray &lowerType)
{
    static constexpr std::array<std::string_view, 16> kTypes = {
        "application/ecmascript", "application/javascript", "application/x-ecmascript", "application/x-javascript",
        "text/ecmascript",        "text/javascript",        "text/javascript1.0",       "text/javascript1.1",
        "text/javascript1.2",     "text/javascript1.3",     "text/javascript1.4",       "text/javascript1.5",
        "text/jscript",           "text/livescript",        "text/x-ecmascript",        "text/x-javascript",
    };
    QByteArray essence = lowerType;
    if (const qsizetype semicolon = essence.indexOf(';'); semicolon >= 0)
        essence.truncate(semicolon);
    essence = trimmed(essence).toByteArray();
    return std::find(kTypes.begin(), kTypes.end(), std::string_view(essence.constData(), essence.size())) !=
           kTypes.end();
}

QByteArrayView attributeValue(QByteArrayView text, const HtmlAttribute *attribute)
{
    if (!attribute || attribute->valueStart < 0)
        return {};
    return text.sliced(attribute->valueStart, attribute->valueEnd - attribute->valueStart);
}

bool runsAsJavaScript(QByteArrayView text, const HtmlTag &tag)
{
    if (const HtmlAttribute *type = tag.attribute("type")) {
        const QByteArray value = asciiLowered(trimmed(attributeValue(text, type)));
        if (!value.isEmpty())
            return isJavaScriptType(value);
    }
    const QByteArray language = asciiLowered(trimmed(attributeValue(text, tag.attribute("language"))));
    return language.isEmpty() || isJavaScriptType("text/" + language);
}

void appendUtf8(QByteArray &out, char32_t c)
{
    const QString s = QString::fromUcs4(&c, 1);
    out.append(s.toUtf8());
}

// A character reference at text[at] == '&': its length and character, or
// length 0.
std::pair<qsizetype, char32_t> characterReference(QByteArrayView text, qsizetype at)
{
    const qsizetype semicolon = text.indexOf(';', at + 1);
    if (semicolon < 0 || semicolon - at > 10)
        return {0, 0};
    const QByteArrayView name = text.sliced(at + 1, semicolon - at - 1);
    if (name.size() >= 2 && name[0] == '#') {
        bool ok = false;
        const bool hex = name[1] == 'x' || name[1] == 'X';
        const uint value = (hex ? name.sliced(2) : name.sliced(1)).toByteArray().toUInt(&ok, hex ? 16 : 10);
        if (!ok || value == 0 || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
            return {0, 0};
        return {semicolon - at + 1, value};
    }
    struct Named {
        std::string_view name;
        char32_t character;
    };
    static constexpr std::array<Named, 6> kNamed = {{
        {"amp", U'&'},
        {"lt", U'<'},
        {"gt", U'>'},
        {"quot", U'"'},
        {"apos", U'\''},
        {"nbsp", U'\u00A0'},
    }};
    const std::string_view asked(name.data(), name.size());
    for (const Named &named : kNamed) {
        if (named.name == asked)
            return {semicolon - at + 1, named.character};
    }
    return {0, 0};
}

ScriptRegion handlerRegion(QByteArrayView text, const HtmlAttribute &attribute, int tagIndex)
{
    ScriptRegion region;
    region.kind = ScriptRegionKind::Handler;
    region.start = attribute.valueStart;
    region.end = attribute.valueEnd;
    region.tag = tagIndex;
    const QByteArrayView value = text.sliced(attribute.valueStart, attribute.valueEnd - attribute.valueStart);
    region.code.reserve(value.size());
    for (qsizetype at = 0; at < value.size();) {
        if (value[at] == '&') {
            const auto [length, character] = characterReference(value, at);
            if (length > 0) {
                region.decoded.emplace_back(static_cast<int>(region.code.size()), region.start + static_cast<int>(at));
                appendUtf8(region.code, character);
                at += length;
                region.decoded.emplace_back(static_cast<int>(region.code.size()), region.start + static_cast<int>(at));
                continue;
            }
        }
        region.code.append(value[at]);
        ++at;
    }
    return region;
}

}  // namespace

char asciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

QByteArray asciiLowered(QByteArrayView text)
{
    return text.toByteArray().toLower();
}

const HtmlAttribute *HtmlTag::attribute(QByteArrayView lowerName) const
{
    for (const HtmlAttribute &a : attributes) {
        if (a.name == lowerName)
            return &a;
    }
    return nullptr;
}

int ScriptRegion::fragmentOffset(int codeOffset) const
{
    const auto after =
        std::upper_bound(decoded.begin(), decoded.end(), codeOffset,
                         [](int offset, const std::pair<int, int> &entry) { return offset < entry.first; });
    if (after == decoded.begin())
        return start + codeOffset;
    const auto &[codeAt, fragmentAt] = *std::prev(after);
    // Inside a decoded reference every byte maps to its "&".
    const bool inside = std::distance(decoded.begin(), after) % 2 == 1;
    return inside ? fragmentAt : fragmentAt + (codeOffset - codeAt);
}

PageScan scanPage(QByteArrayView text, SourceKind kind)
{
    PageScan scan;
    if (kind == SourceKind::JavaScript) {
        ScriptRegion whole;
        whole.kind = ScriptRegionKind::Whole;
        whole.end = static_cast<int>(text.size());
        whole.code = text.toByteArray();
        scan.scripts.push_back(std::move(whole));
        return scan;
    }
    if (kind != SourceKind::Html)
        return scan;
    const qsizetype n = text.size();
    for (qsizetype at = text.indexOf('<'); at >= 0 && at < n; at = text.indexOf('<', at)) {
        if (text.sliced(at).startsWith("<!--")) {
            const qsizetype close = text.indexOf("-->", at + 4);
            at = close < 0 ? n : close + 3;
            continue;
        }
        if (at + 1 >= n) {
            break;
        }
        const char next = text[at + 1];
        if (next == '!' || next == '?') {
            const qsizetype close = text.indexOf('>', at + 2);
            at = close < 0 ? n : close + 1;
            continue;
        }
        const bool closing = next == '/';
        if (!isAsciiLetter(closing ? (at + 2 < n ? text[at + 2] : ' ') : next)) {
            ++at;
            continue;
        }
        HtmlTag tag = readTag(text, at);
        const int tagIndex = static_cast<int>(scan.tags.size());
        at = tag.end;
        if (!tag.closing) {
            for (const HtmlAttribute &attribute : tag.attributes) {
                if (attribute.name.size() > 2 && attribute.name.startsWith("on") && attribute.valueStart >= 0)
                    scan.scripts.push_back(handlerRegion(text, attribute, tagIndex));
            }
        }
        const QByteArray name = tag.name;
        const bool jsBlock = name == "script" && !tag.closing && runsAsJavaScript(text, tag);
        scan.tags.push_back(std::move(tag));
        if (scan.tags.back().closing)
            continue;
        // Raw text: nothing in it is a tag.
        if (name == "script" || name == "style" || name == "textarea" || name == "title" || name == "xmp") {
            const qsizetype close = closingTagOf(text, at, std::string_view(name.constData(), name.size()));
            if (jsBlock) {
                ScriptRegion block;
                block.kind = ScriptRegionKind::Block;
                block.start = static_cast<int>(at);
                block.end = static_cast<int>(close);
                block.tag = tagIndex;
                block.code = text.sliced(at, close - at).toByteArray();
                scan.scripts.push_back(std::move(block));
            }
            at = close;
        }
    }
    return scan;
}
