#include "doctor/syntaxcheck.h"

#include "doctor/scriptregions.h"

namespace {

bool isWordByte(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '$' ||
           (static_cast<unsigned char>(c) & 0x80) != 0;
}

// The token an error points at: a word, or one character; nothing at the
// end of the code or of a line.
int markedLength(QByteArrayView code, int offset)
{
    if (offset >= code.size() || code[offset] == '\n' || code[offset] == '\r')
        return 0;
    int end = offset;
    while (end < code.size() && isWordByte(code[end]))
        ++end;
    if (end > offset)
        return end - offset;
    int length = 1;
    while (offset + length < code.size() && (static_cast<unsigned char>(code[offset + length]) & 0xC0) == 0x80)
        ++length;
    return length;
}

}  // namespace

std::vector<Finding> findSyntaxErrors(QByteArrayView fragment, SourceKind kind, JsSyntaxChecker &checker)
{
    std::vector<Finding> findings;
    const PageScan scan = scanPage(fragment, kind);
    for (const ScriptRegion &region : scan.scripts) {
        const JsCodeForm form = region.kind == ScriptRegionKind::Handler ? JsCodeForm::Handler : JsCodeForm::Script;
        const std::optional<JsSyntaxError> error = checker.check(region.code, form);
        if (!error)
            continue;
        const int length = markedLength(region.code, error->offset);
        Finding finding;
        finding.kind = FindingKind::Error;
        finding.start = region.fragmentOffset(error->offset);
        finding.end = length > 0 ? region.fragmentOffset(error->offset + length) : finding.start;
        finding.message = error->message;
        findings.push_back(std::move(finding));
    }
    return findings;
}
