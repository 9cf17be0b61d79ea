#include "wizards/formelements.h"

#include "wizards/htmlattribute.h"

#include <array>

namespace {

constexpr int kTextFields = FieldSize | FieldMaxLength | FieldAlign | FieldTabHandling;
constexpr int kButtonFields = FieldAlign | FieldTabHandling;

constexpr std::array<FormElementKindInfo, 10> kKinds{{
    {FormElementKind::Text, "Edit box \"Text\"", "TEXT", kTextFields},
    {FormElementKind::Textarea, "Textarea", "TEXTAREA", kTextFields},
    {FormElementKind::Password, "Edit Box \"Password\"", "PASSWORD", kTextFields},
    {FormElementKind::Hidden, "Hidden element \"Hidden\"", "HIDDEN", 0},
    {FormElementKind::Checkbox, "Option 1 \"CheckBox\"", "CHECKBOX", kButtonFields | FieldChecked},
    {FormElementKind::Radio, "Option 2 \"Radio\"", "RADIO", kButtonFields | FieldChecked},
    {FormElementKind::Button, "Normal button", "BUTTON", kButtonFields},
    {FormElementKind::Reset, "Button \"Reset\"", "RESET", kButtonFields},
    {FormElementKind::Submit, "Button \"Submit\"", "SUBMIT", kButtonFields},
    {FormElementKind::Image, "Image submit", "IMAGE", FieldSize | FieldMaxLength | FieldImageUrl},
}};

const FormElementKindInfo &infoOf(FormElementKind kind)
{
    return kKinds[static_cast<std::size_t>(kind)];
}


} // namespace

std::span<const FormElementKindInfo> formElementKinds()
{
    return kKinds;
}

int formElementFields(std::optional<FormElementKind> kind)
{
    return kind ? infoOf(*kind).fields : int(AllFormElementFields);
}

QStringList formElementAlignItems()
{
    return {QStringLiteral("top"), QStringLiteral("middle"), QStringLiteral("bottom"), QStringLiteral("left"),
            QStringLiteral("right")};
}

QStringList accessKeyItems()
{
    QStringList keys;
    for (char c = 'A'; c <= 'Z'; ++c)
        keys << QString(QLatin1Char(c));
    for (char c = '0'; c <= '9'; ++c)
        keys << QString(QLatin1Char(c));
    return keys;
}

QString buildFormElement(const FormElementOptions &options)
{
    if (!options.kind)
        return {};
    // An attribute is written only for a kind whose dialog offers its field.
    const FormElementKindInfo &kind = infoOf(*options.kind);
    const auto offers = [&kind](FormElementField field) { return (kind.fields & field) != 0; };

    QString element = QStringLiteral("<INPUT") + htmlAttribute("TYPE", QLatin1String(kind.typeWord));
    if (!options.name.isEmpty())
        element += htmlAttribute("NAME", options.name);
    if (!options.value.isEmpty())
        element += htmlAttribute("VALUE", options.value);
    if (offers(FieldSize) && options.size != 0)
        element += htmlAttribute("SIZE", QString::number(options.size));
    if (offers(FieldMaxLength) && options.maxLength != 0)
        element += htmlAttribute("MAXLENGTH", QString::number(options.maxLength));
    if (offers(FieldAlign) && options.align != ElementAlign::Unset)
        element += htmlAttribute("ALIGN", formElementAlignItems().at(int(options.align) - 1).toUpper());
    if (offers(FieldTabHandling) && !options.tabHandling)
        element += QStringLiteral(" NOTAB");
    if (offers(FieldChecked) && options.checked)
        element += QStringLiteral(" CHECKED");
    if (offers(FieldImageUrl) && !options.imageUrl.isEmpty())
        element += htmlAttribute("SRC", options.imageUrl);
    if (options.hotkey && !options.key.isEmpty())
        element += htmlAttribute("ACCESSKEY", options.key);
    return element + QStringLiteral(">");
}
