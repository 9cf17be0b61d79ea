#include "wizards/formselect.h"

#include "wizards/htmlattribute.h"

#include <algorithm>

namespace {

const QString kLineBreak = QStringLiteral("\r\n");

} // namespace

QString optionValueSeparator()
{
    return QStringLiteral(" :V=");
}

QString selectListEntry(const QString &text, const QString &value)
{
    if (text.isEmpty())
        return {};
    return value.isEmpty() ? text : text + optionValueSeparator() + value;
}

QString buildSelectList(const SelectListOptions &options)
{
    QString tag = QStringLiteral("<SELECT");
    if (!options.name.isEmpty())
        tag += htmlAttribute("NAME", options.name);
    tag += htmlAttribute("SIZE", QString::number(options.size));
    if (options.multiple)
        tag += QStringLiteral(" MULTIPLE");
    QString lines = tag + QStringLiteral(">") + kLineBreak;

    const QString separator = optionValueSeparator();
    for (const QString &entry : options.entries) {
        const qsizetype at = entry.indexOf(separator);
        if (at >= 0)
            lines += QStringLiteral("    <OPTION VALUE=\"%1\">%2</OPTION>")
                         .arg(entry.mid(at + separator.size()), entry.left(at));
        else
            lines += QStringLiteral("    <OPTION>") + entry + QStringLiteral("</OPTION>");
        lines += kLineBreak;
    }
    return lines + QStringLiteral("</SELECT>") + kLineBreak;
}

void sortSelectEntries(QStringList &entries)
{
    std::stable_sort(entries.begin(), entries.end(), [](const QString &a, const QString &b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
}

int moveSelectEntry(QStringList &entries, int index, int step)
{
    const int to = index + step;
    if (index < 0 || index >= entries.size() || to < 0 || to >= entries.size())
        return index;
    entries.swapItemsAt(index, to);
    return to;
}
