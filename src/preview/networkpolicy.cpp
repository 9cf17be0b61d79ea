#include "preview/networkpolicy.h"

#include <QDir>
#include <QFileInfo>
#include <QList>
#include <QRegularExpression>
#include <QString>

#include <algorithm>
#include <array>
#include <optional>

namespace {

using Ipv6 = std::array<quint16, 8>;

/// The value of a decimal or hex digit, or -1.
int digitValue(QChar c)
{
    const char16_t u = c.toLower().unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    return -1;
}

/// One part of an IPv4 address as inet_aton reads it: 0x... hex, 0... octal,
/// else decimal.  Values past 32 bits are refused, not wrapped.
std::optional<quint64> ipv4Part(QStringView part)
{
    if (part.isEmpty())
        return std::nullopt;
    int base = 10;
    if (part.size() >= 2 && part[0] == u'0' && (part[1] == u'x' || part[1] == u'X')) {
        base = 16;
        part = part.mid(2); // "0x" alone is 0, as browsers read it
    } else if (part.size() >= 2 && part[0] == u'0') {
        base = 8;
        part = part.mid(1);
    }
    quint64 value = 0;
    for (const QChar c : part) {
        const int digit = digitValue(c);
        if (digit < 0 || digit >= base)
            return std::nullopt;
        value = value * quint64(base) + quint64(digit);
        if (value > 0xffffffffULL)
            return std::nullopt;
    }
    return value;
}

/// An IPv4 address of 1 to 4 parts; the last part fills the bytes that are
/// left, so "127.1" and "2130706433" are both 127.0.0.1.
std::optional<quint32> parseIpv4(QStringView text)
{
    const QList<QStringView> parts = text.split(u'.');
    if (parts.size() > 4)
        return std::nullopt;
    quint64 address = 0;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const std::optional<quint64> value = ipv4Part(parts[i]);
        if (!value)
            return std::nullopt;
        const bool last = i == parts.size() - 1;
        const int bits = last ? 8 * int(4 - i) : 8;
        if (*value >> bits)
            return std::nullopt;
        address = (address << bits) | *value;
    }
    return quint32(address);
}

/// Strict dotted-quad IPv4, as it may end an IPv6 address.
std::optional<quint32> parseDottedQuad(QStringView text)
{
    const QList<QStringView> parts = text.split(u'.');
    if (parts.size() != 4)
        return std::nullopt;
    quint32 address = 0;
    for (const QStringView part : parts) {
        if (part.isEmpty() || part.size() > 3)
            return std::nullopt;
        uint value = 0;
        for (const QChar c : part) {
            const int digit = digitValue(c);
            if (digit < 0 || digit > 9)
                return std::nullopt;
            value = value * 10 + uint(digit);
        }
        if (value > 255)
            return std::nullopt;
        address = (address << 8) | value;
    }
    return address;
}

/// Appends the colon-separated groups of text; an IPv4 address may stand
/// for the last two groups when mayEndInIpv4.
bool appendGroups(QStringView text, bool mayEndInIpv4, QList<quint16> &groups)
{
    if (text.isEmpty())
        return true;
    const QList<QStringView> parts = text.split(u':');
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QStringView part = parts[i];
        if (mayEndInIpv4 && i == parts.size() - 1 && part.contains(u'.')) {
            const std::optional<quint32> v4 = parseDottedQuad(part);
            if (!v4)
                return false;
            groups << quint16(*v4 >> 16) << quint16(*v4 & 0xffff);
            continue;
        }
        if (part.isEmpty() || part.size() > 4)
            return false;
        uint value = 0;
        for (const QChar c : part) {
            const int digit = digitValue(c);
            if (digit < 0)
                return false;
            value = value * 16 + uint(digit);
        }
        groups << quint16(value);
    }
    return true;
}

std::optional<Ipv6> parseIpv6(QStringView text)
{
    const qsizetype gap = text.indexOf(u"::");
    if (gap >= 0 && text.indexOf(u"::", gap + 1) >= 0)
        return std::nullopt;
    QList<quint16> head;
    QList<quint16> tail;
    if (gap < 0) {
        if (!appendGroups(text, true, head) || head.size() != 8)
            return std::nullopt;
    } else {
        const QStringView after = text.mid(gap + 2);
        if (!appendGroups(text.left(gap), false, head) || !appendGroups(after, true, tail) ||
            head.size() + tail.size() > 7)
            return std::nullopt;
    }
    Ipv6 address{};
    std::copy(head.cbegin(), head.cend(), address.begin());
    std::copy(tail.cbegin(), tail.cend(), address.end() - tail.size());
    return address;
}

bool isLocalIpv4(quint32 a)
{
    const auto in = [a](quint32 network, int prefix) { return (a >> (32 - prefix)) == (network >> (32 - prefix)); };
    return in(0x00000000, 8)       // 0/8: "this network", 0.0.0.0 reaches this machine
           || in(0x7f000000, 8)    // 127/8 loopback
           || in(0x0a000000, 8)    // 10/8 private
           || in(0xac100000, 12)   // 172.16/12 private
           || in(0xc0a80000, 16)   // 192.168/16 private
           || in(0xa9fe0000, 16)   // 169.254/16 link-local
           || in(0x64400000, 10);  // 100.64/10 shared by carrier and VPN networks
}

bool isLocalIpv6(const Ipv6 &a)
{
    const bool zeroPrefix = a[0] == 0 && a[1] == 0 && a[2] == 0 && a[3] == 0 && a[4] == 0;
    const quint32 low = (quint32(a[6]) << 16) | a[7];
    // ::a.b.c.d (which holds :: and ::1) and ::ffff:a.b.c.d reach the IPv4
    // address they carry.
    if (zeroPrefix && (a[5] == 0 || a[5] == 0xffff))
        return isLocalIpv4(low);
    return (a[0] & 0xfe00) == 0xfc00     // fc00::/7 unique local
           || (a[0] & 0xffc0) == 0xfe80  // fe80::/10 link-local
           || (a[0] & 0xffc0) == 0xfec0; // fec0::/10 site-local, still routed by some networks
}

bool isLocalName(const QString &name)
{
    if (!name.contains(u'.'))
        return true;
    for (const char *suffix : {"localhost", "local", "localdomain", "home.arpa"}) {
        const QLatin1String s(suffix);
        if (name == s || (name.endsWith(s) && name.at(name.size() - s.size() - 1) == u'.'))
            return true;
    }
    return false;
}

} // namespace

bool isLocalNetworkHost(QStringView host)
{
    QStringView text = host.trimmed();
    if (text.startsWith(u'[') && text.endsWith(u']'))
        text = text.mid(1, text.size() - 2);
    if (text.contains(u':')) {
        // A zone id (fe80::1%eth0, or %25eth0 in a URL) names an interface,
        // not part of the address.
        const qsizetype zone = text.indexOf(u'%');
        const std::optional<Ipv6> v6 = parseIpv6(zone >= 0 ? text.left(zone) : text);
        // Not an address: nothing a browser could connect to.
        return v6 && isLocalIpv6(*v6);
    }
    while (text.endsWith(u'.'))
        text.chop(1);
    if (text.isEmpty())
        return false;
    if (const std::optional<quint32> v4 = parseIpv4(text))
        return isLocalIpv4(*v4);
    return isLocalName(text.toString().toLower());
}

QString previewChromiumFlags(const QString &flags)
{
    static const QRegularExpression features(QStringLiteral("(?:^|\\s)--disable-blink-features=(\\S*)"));
    static const QRegularExpression quic(QStringLiteral("(?:^|\\s)--disable-quic(?:\\s|$)"));
    static const QString transport = QStringLiteral("WebTransport");
    QString result = flags.trimmed();
    QRegularExpressionMatch last;
    for (const QRegularExpressionMatch &match : features.globalMatch(result))
        last = match;
    if (!last.hasMatch()) {
        result += QStringLiteral(" --disable-blink-features=") + transport;
    } else if (!last.captured(1).split(u',').contains(transport)) {
        const bool empty = last.captured(1).isEmpty();
        result.insert(last.capturedEnd(1), empty ? transport : QStringLiteral(",") + transport);
    }
    if (!quic.match(result).hasMatch())
        result += QStringLiteral(" --disable-quic");
    return result.trimmed();
}

bool isReadableUnder(const QString &filePath, const QString &folder)
{
    if (folder.isEmpty() || filePath.isEmpty())
        return false;
    const auto realPlace = [](const QString &path) {
        const QFileInfo info(path);
        const QString canonical = info.canonicalFilePath();
        return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
    };
    const QString root = realPlace(folder);
    const QString file = realPlace(filePath);
    return file.startsWith(root.endsWith(u'/') ? root : root + u'/');
}
