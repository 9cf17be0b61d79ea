#pragma once
// The "Dialog boxes" wizard's text: one call of alert, confirm or prompt.
// The texts go between the double quotes as typed, without escaping.

#include <QString>

enum class DialogBoxKind { Alert, Confirm, Prompt };

struct DialogBoxOptions {
    DialogBoxKind kind = DialogBoxKind::Alert;
    QString message;
    QString defaultText;  // the prompt's default answer; only prompt uses it
};

/// alert("message"); confirm("message"); or prompt("message","default");
QString dialogBoxCall(const DialogBoxOptions &options);
