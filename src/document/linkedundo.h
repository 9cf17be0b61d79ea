#pragma once
// One change across both editors that undoes and redoes as one step.
//
// Each editor keeps its own undo history, so a change made to HEAD_ED and
// BODY_ED together would take two Ctrl+Z.  Here each half is one undo step
// of its editor, marked at both ends with the same token, and undoing (or
// redoing) either half undoes (redoes) the other with it.  The link holds
// only while the other editor has not changed since the two halves were
// last in step: once the user has edited it, undoing a half never reaches
// into the other editor (where the user's own edit would be undone), and
// the two halves go their own ways from then on.

#include <functional>

class ScriptEditor;
class ScriptEditors;

/// Runs headEdit on HEAD_ED and bodyEdit on BODY_ED as one undo step of
/// both.  An empty function leaves its editor alone (the other change is
/// then one undo step of its own editor).
void editBothAsOneStep(ScriptEditors &editors, const std::function<void(ScriptEditor &)> &headEdit,
                       const std::function<void(ScriptEditor &)> &bodyEdit);
