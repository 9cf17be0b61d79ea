#include "wizards/dialogboxwizard.h"

QString dialogBoxCall(const DialogBoxOptions &options)
{
    switch (options.kind) {
    case DialogBoxKind::Confirm:
        return QStringLiteral("confirm(\"") + options.message + QStringLiteral("\");");
    case DialogBoxKind::Prompt:
        return QStringLiteral("prompt(\"") + options.message + QStringLiteral("\",\"") + options.defaultText +
               QStringLiteral("\");");
    case DialogBoxKind::Alert:
        break;
    }
    return QStringLiteral("alert(\"") + options.message + QStringLiteral("\");");
}
