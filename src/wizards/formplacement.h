#pragma once
// Where a form element goes: whether the caret stands inside a FORM, and
// the texts that put an element, or a form's contents, into a new form.

#include <QString>
#include <QStringView>

/// Whether line (0-based) of text stands inside a form.  Looking up from
/// that line, a "</FORM>" says outside and a "<FORM " inside; failing
/// that, looking down, a "<FORM " says outside and a "</FORM>" inside;
/// failing that, outside.  Only upper-case tags count, and an opening tag
/// only with an attribute after it.
bool insideForm(QStringView text, int line);

/// A text to put in place of the editor's selection, and what to select in
/// it afterwards: positions from the text's start, a line break counting
/// as one; a length of 0 puts the caret there.
struct PlacedText {
    QString text;
    int selectFrom = 0;
    int selectLength = 0;
};

/// The form builder's result with contents: the tag line, the contents
/// and "</FORM>" on a line of its own; the caret after it.
PlacedText formWithContents(const QString &formTag, const QString &contents);

/// Select-list lines (each ending with a line break) standing alone,
/// selected.
PlacedText selectListAlone(const QString &lines);
/// The select-list lines in a new form, selected (an empty line follows
/// them before "</FORM>").
PlacedText selectListInForm(const QString &formTag, const QString &lines);
/// A textarea in a new form; the caret before "</TEXTAREA>".
PlacedText textareaInForm(const QString &formTag, const QString &opening);
/// An INPUT element in a new form, selected.
PlacedText elementInForm(const QString &formTag, const QString &element);
