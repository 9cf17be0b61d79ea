#pragma once
// The form builder's opening tag: a FORM element's ACTION, METHOD, ENCTYPE
// and TARGET, as chosen or typed in its settings page.

#include <QString>
#include <QStringList>

struct FormOptions {
    QString action;                        // empty: no ACTION
    QString method = QStringLiteral("POST"); // written only with an action
    QString encoding;                      // empty: no ENCTYPE
    QString target;                        // empty: no TARGET
};

/// The choices the settings page offers (the action, encoding and target
/// may also be typed).
QStringList formActionItems();
QStringList formMethodItems();
QStringList formEncodingItems();
QStringList formTargetItems();

/// "<FORM", then ACTION, METHOD, ENCTYPE and TARGET as far as given, then
/// " >".  Values are written as they stand.
QString formOpeningTag(const FormOptions &options);

/// The closing tag of a form.
QString formClosingTag();
