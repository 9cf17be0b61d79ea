#pragma once
// The editing rules of the two lists of the built-in settings pages: the
// link and citation grid (always at least one data row) and the headline
// list with the fields of its dialog.  Pure: the pages and dialogs only
// show what these return.

#include "library/builtin/builtinsettings.h"

#include <QList>
#include <QString>
#include <QStringList>

/// Writes row into the grid: into its only row when that row is empty
/// (a cleared list), else into a new row at the end.  Returns the index of
/// the written row.
int addListRow(QList<ListRow> &rows, const ListRow &row);
/// Removes row index; the rows below move up.  A grid whose last row is
/// removed keeps one empty row.  An index outside the grid changes nothing.
void deleteListRow(QList<ListRow> &rows, int index);
/// Cuts the grid back to one empty row.
void clearListRows(QList<ListRow> &rows);

/// What is missing before a citation can be added from the two edits.
enum class CitationProblem { None, NoAuthor, NoQuotation };
CitationProblem citationProblem(const QString &author, const QString &quotation);
/// The information text for a problem ("" for None).
QString citationProblemText(CitationProblem problem);

/// A link from the link dialog is taken only with both fields filled in.
bool isCompleteLink(const QString &description, const QString &address);

/// The fixed choices of the headline dialog.
const QStringList &headlineEffects();  // "Static", "TypeWriter", ...
const QStringList &headlineFrames();   // "new_window", "top", "self", "parent"

/// The wait of a headline: 10 to 10000 ms, 1000 by default.
inline constexpr int kMinHeadlineWait = 10;
inline constexpr int kMaxHeadlineWait = 10000;
inline constexpr int kHeadlineWaitStep = 50;
inline constexpr int kDefaultHeadlineWait = 1000;

/// The wait column's text as the dialog starts with it: an integer held
/// within the range, 1000 when the text is not a number.
int parseHeadlineWait(const QString &text);
/// The index of text in choices, letter case ignored; -1 when absent.
int findChoiceIgnoringCase(const QStringList &choices, const QString &text);

/// The fields of the headline dialog.
struct HeadlineFields {
    QString text;
    QString url;
    int effect = -1;  // index in headlineEffects(), -1 nothing chosen
    QString frame;    // as the editable frame list shows it
    int wait = kDefaultHeadlineWait;
    friend bool operator==(const HeadlineFields &, const HeadlineFields &) = default;
};

/// The dialog's fields for editing a headline: effect and frame looked up
/// in their lists ignoring case (a frame not in the list starts empty).
HeadlineFields headlineFieldsFor(const Headline &headline);
/// The headline the dialog's fields make.
Headline headlineFrom(const HeadlineFields &fields);
