#pragma once
// The textarea builder: a TEXTAREA's opening tag followed by its default
// text; the caller adds "</TEXTAREA>".

#include <QString>
#include <QStringList>

enum class TextareaWrap { Unset, Off, Virtual, Physical };

struct TextareaOptions {
    static constexpr int kMaxSize = 2048;  // columns and rows, from 0
    static constexpr int kSizeStep = 2;

    QString name;     // empty: no NAME
    int columns = 0;  // 0: no COLS
    int rows = 0;     // 0: no ROWS
    TextareaWrap wrap = TextareaWrap::Unset;
    QString text;     // the default text, CR LF between lines
};

/// "off", "virtual", "physical": the wrap choices, in TextareaWrap order
/// after Unset.
QStringList textareaWrapItems();

/// "<TEXTAREA", NAME, COLS, ROWS and WRAP as far as given, ">", then the
/// default text.
QString buildTextareaOpening(const TextareaOptions &options);

QString textareaClosingTag();
