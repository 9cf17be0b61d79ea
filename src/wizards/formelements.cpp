#include "wizards/formelements.h"

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

QString attribute(const char *name, const QString &value)
{
    return QStringLiteral(" %1=\"%2\"").arg(QLatin1String(name), value);
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
    const FormElementKind kind = *options.kind;
    const bool sized = kind == FormElementKind::Text || kind == FormElementKind::Textarea ||
                       kind == FormElementKind::Password || kind == FormElementKind::Image;
    const bool placed = kind != FormElementKind::Hidden && kind != FormElementKind::Image;
    const bool checkable = kind == FormElementKind::Checkbox || kind == FormElementKind::Radio;

    QString element = QStringLiteral("<INPUT") + attribute("TYPE", QLatin1String(infoOf(kind).typeWord));
    if (!options.name.isEmpty())
        element += attribute("NAME", options.name);
    if (!options.value.isEmpty())
        element += attribute("VALUE", options.value);
    if (sized && options.size != 0)
        element += attribute("SIZE", QString::number(options.size));
    if (sized && options.maxLength != 0)
        element += attribute("MAXLENGTH", QString::number(options.maxLength));
    if (placed && options.align != ElementAlign::Unset)
        element += attribute("ALIGN", formElementAlignItems().at(int(options.align) - 1).toUpper());
    if (placed && !options.tabHandling)
        element += QStringLiteral(" NOTAB");
    if (checkable && options.checked)
        element += QStringLiteral(" CHECKED");
    if (kind == FormElementKind::Image && !options.imageUrl.isEmpty())
        element += attribute("SRC", options.imageUrl);
    if (options.hotkey && !options.key.isEmpty())
        element += attribute("ACCESSKEY", options.key);
    return element + QStringLiteral(">");
}
