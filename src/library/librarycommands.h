#pragma once
// What the strips of both libraries do with the script selected in one of
// them: Edit, Insert and Preview; and Copy script from library, which takes
// the script of whichever library has the focus.

#include "library/libraryservice.h"

#include <QString>

class Prompter;
class ScriptEditors;
class ScriptPreview;

/// Edit: the library's script replaces the editors' after the question.
/// The script is had first; when it cannot be, the editors keep what they
/// hold.  slowToRead shows the busy cursor while it is read.
void loadLibraryScript(LibraryKind library, LibraryService &libraries, ScriptEditors &editors, Prompter &prompter,
                       bool slowToRead = false);

/// Insert: the library's BODY fragment at BODY_ED's caret (a selection
/// stays as it is; the caret ends after the fragment) and its HEAD fragment
/// at the end of HEAD_ED, as one undo step of both editors, so the script
/// counts as modified afterwards.
void insertLibraryScriptAtCaret(LibraryKind library, LibraryService &libraries, ScriptEditors &editors,
                                bool slowToRead = false);

/// Preview: the library's script (named scriptName) on the Preview tab;
/// without an embedded browser the editors' script in the default browser.
/// Copy script from library: the script selected in the focused library on
/// the clipboard, as Copy to clipboard puts the editors' script there.  With
/// no library focused the user is told to select one.
void copyLibraryScript(LibraryService &libraries, Prompter &prompter);

void previewLibraryScript(LibraryKind library, LibraryService &libraries, ScriptPreview &preview,
                          const QString &scriptName);
