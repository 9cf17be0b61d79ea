#pragma once
// The other-elements builder: one INPUT element of ten kinds, with the
// attributes that suit its kind.

#include <QString>
#include <QStringList>

#include <optional>
#include <span>

enum class FormElementKind { Text, Textarea, Password, Hidden, Checkbox, Radio, Button, Reset, Submit, Image };

/// The fields of the builder beyond Name and Value (always shown) and the
/// hotkey (never hidden).
enum FormElementField : int {
    FieldSize = 0x01,
    FieldMaxLength = 0x02,
    FieldAlign = 0x04,
    FieldTabHandling = 0x08,
    FieldChecked = 0x10,
    FieldImageUrl = 0x20,
    AllFormElementFields = 0x3f,
};

struct FormElementKindInfo {
    FormElementKind kind;
    const char *listText;  // as the builder's list shows it
    const char *typeWord;  // the TYPE written
    int fields;            // FormElementField flags shown for it
};

/// The ten kinds in the order of the builder's list.
std::span<const FormElementKindInfo> formElementKinds();

/// The fields shown for a kind; every field when none is chosen.
int formElementFields(std::optional<FormElementKind> kind);

enum class ElementAlign { Unset, Top, Middle, Bottom, Left, Right };

/// "top", "middle", "bottom", "left", "right", in ElementAlign order after
/// Unset.
QStringList formElementAlignItems();
/// The keys a hotkey may be: "A" to "Z", then "0" to "9".
QStringList accessKeyItems();

struct FormElementOptions {
    static constexpr int kMaxNumber = 2048;  // size and maximum length, from 0

    std::optional<FormElementKind> kind = FormElementKind::Text;
    QString name;
    QString value;
    int size = 0;       // 0: no SIZE
    int maxLength = 0;  // 0: no MAXLENGTH
    ElementAlign align = ElementAlign::Unset;
    bool tabHandling = true;  // off writes NOTAB
    bool checked = false;
    QString imageUrl;
    bool hotkey = false;
    QString key;  // one of accessKeyItems(), or empty
};

/// The INPUT element for the options; empty when no kind is chosen.
/// Name and value are written whenever given; SIZE and MAXLENGTH only for
/// text, textarea, password and image; ALIGN and NOTAB never for hidden
/// and image; CHECKED only for check boxes and radio buttons; SRC only for
/// images; ACCESSKEY for any kind.
QString buildFormElement(const FormElementOptions &options);
