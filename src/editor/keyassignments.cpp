#include "editor/keyassignments.h"

#include <array>

namespace {

using C = QsciCommand;

// A command listed twice takes its first key as the key and the second as
// the alternate key.
constexpr std::array kDefaultKeys = {
    // caret and selection, by character, word and line
    KeyAssignment{Qt::Key_Left, C::CharLeft},
    KeyAssignment{Qt::SHIFT | Qt::Key_Left, C::CharLeftExtend},
    KeyAssignment{Qt::SHIFT | Qt::ALT | Qt::Key_Left, C::CharLeftRectExtend},
    KeyAssignment{Qt::Key_Right, C::CharRight},
    KeyAssignment{Qt::SHIFT | Qt::Key_Right, C::CharRightExtend},
    KeyAssignment{Qt::SHIFT | Qt::ALT | Qt::Key_Right, C::CharRightRectExtend},
    KeyAssignment{Qt::CTRL | Qt::Key_Left, C::WordLeft},
    KeyAssignment{Qt::CTRL | Qt::SHIFT | Qt::Key_Left, C::WordLeftExtend},
    KeyAssignment{Qt::CTRL | Qt::Key_Right, C::WordRight},
    KeyAssignment{Qt::CTRL | Qt::SHIFT | Qt::Key_Right, C::WordRightExtend},
    KeyAssignment{Qt::CTRL | Qt::Key_Slash, C::WordPartLeft},
    KeyAssignment{Qt::CTRL | Qt::SHIFT | Qt::Key_Slash, C::WordPartLeftExtend},
    KeyAssignment{Qt::CTRL | Qt::Key_Backslash, C::WordPartRight},
    KeyAssignment{Qt::CTRL | Qt::SHIFT | Qt::Key_Backslash, C::WordPartRightExtend},
    KeyAssignment{Qt::Key_Down, C::LineDown},
    KeyAssignment{Qt::SHIFT | Qt::Key_Down, C::LineDownExtend},
    KeyAssignment{Qt::SHIFT | Qt::ALT | Qt::Key_Down, C::LineDownRectExtend},
    KeyAssignment{Qt::CTRL | Qt::Key_Down, C::LineScrollDown},
    KeyAssignment{Qt::Key_Up, C::LineUp},
    KeyAssignment{Qt::SHIFT | Qt::Key_Up, C::LineUpExtend},
    KeyAssignment{Qt::SHIFT | Qt::ALT | Qt::Key_Up, C::LineUpRectExtend},
    KeyAssignment{Qt::CTRL | Qt::Key_Up, C::LineScrollUp},
    KeyAssignment{Qt::CTRL | Qt::Key_BracketRight, C::ParaDown},
    KeyAssignment{Qt::CTRL | Qt::SHIFT | Qt::Key_BracketRight, C::ParaDownExtend},
    KeyAssignment{Qt::CTRL | Qt::Key_BracketLeft, C::ParaUp},
    KeyAssignment{Qt::CTRL | Qt::SHIFT | Qt::Key_BracketLeft, C::ParaUpExtend},

    // line ends, page and document
    KeyAssignment{Qt::Key_Home, C::VCHome},
    KeyAssignment{Qt::SHIFT | Qt::Key_Home, C::VCHomeExtend},
    KeyAssignment{Qt::SHIFT | Qt::ALT | Qt::Key_Home, C::VCHomeRectExtend},
    KeyAssignment{Qt::ALT | Qt::Key_Home, C::HomeDisplay},
    KeyAssignment{Qt::Key_End, C::LineEnd},
    KeyAssignment{Qt::SHIFT | Qt::Key_End, C::LineEndExtend},
    KeyAssignment{Qt::SHIFT | Qt::ALT | Qt::Key_End, C::LineEndRectExtend},
    KeyAssignment{Qt::ALT | Qt::Key_End, C::LineEndDisplay},
    KeyAssignment{Qt::Key_PageUp, C::PageUp},
    KeyAssignment{Qt::SHIFT | Qt::Key_PageUp, C::PageUpExtend},
    KeyAssignment{Qt::SHIFT | Qt::ALT | Qt::Key_PageUp, C::PageUpRectExtend},
    KeyAssignment{Qt::Key_PageDown, C::PageDown},
    KeyAssignment{Qt::SHIFT | Qt::Key_PageDown, C::PageDownExtend},
    KeyAssignment{Qt::SHIFT | Qt::ALT | Qt::Key_PageDown, C::PageDownRectExtend},
    KeyAssignment{Qt::CTRL | Qt::Key_Home, C::DocumentStart},
    KeyAssignment{Qt::CTRL | Qt::SHIFT | Qt::Key_Home, C::DocumentStartExtend},
    KeyAssignment{Qt::CTRL | Qt::Key_End, C::DocumentEnd},
    KeyAssignment{Qt::CTRL | Qt::SHIFT | Qt::Key_End, C::DocumentEndExtend},

    // deleting
    KeyAssignment{Qt::Key_Delete, C::Delete},
    KeyAssignment{Qt::Key_Backspace, C::DeleteBack},
    KeyAssignment{Qt::SHIFT | Qt::Key_Backspace, C::DeleteBack},
    KeyAssignment{Qt::CTRL | Qt::Key_Backspace, C::DeleteWordLeft},
    KeyAssignment{Qt::CTRL | Qt::Key_Delete, C::DeleteWordRight},
    KeyAssignment{Qt::CTRL | Qt::SHIFT | Qt::Key_Backspace, C::DeleteLineLeft},
    KeyAssignment{Qt::CTRL | Qt::SHIFT | Qt::Key_Delete, C::DeleteLineRight},

    // whole lines and the selection
    KeyAssignment{Qt::CTRL | Qt::Key_L, C::LineCut},
    KeyAssignment{Qt::CTRL | Qt::SHIFT | Qt::Key_L, C::LineDelete},
    KeyAssignment{Qt::CTRL | Qt::SHIFT | Qt::Key_T, C::LineCopy},
    KeyAssignment{Qt::CTRL | Qt::Key_T, C::LineTranspose},
    KeyAssignment{Qt::CTRL | Qt::Key_A, C::SelectAll},
    KeyAssignment{Qt::CTRL | Qt::Key_D, C::SelectionDuplicate},
    KeyAssignment{Qt::CTRL | Qt::Key_U, C::SelectionLowerCase},
    KeyAssignment{Qt::CTRL | Qt::SHIFT | Qt::Key_U, C::SelectionUpperCase},

    // clipboard
    KeyAssignment{Qt::CTRL | Qt::Key_X, C::SelectionCut},
    KeyAssignment{Qt::SHIFT | Qt::Key_Delete, C::SelectionCut},
    KeyAssignment{Qt::CTRL | Qt::Key_C, C::SelectionCopy},
    KeyAssignment{Qt::CTRL | Qt::Key_Insert, C::SelectionCopy},
    KeyAssignment{Qt::CTRL | Qt::Key_V, C::Paste},
    KeyAssignment{Qt::SHIFT | Qt::Key_Insert, C::Paste},

    // typing, undo and zoom
    KeyAssignment{Qt::Key_Insert, C::EditToggleOvertype},
    KeyAssignment{Qt::Key_Return, C::Newline},
    KeyAssignment{Qt::SHIFT | Qt::Key_Return, C::Newline},
    KeyAssignment{Qt::Key_Tab, C::Tab},
    KeyAssignment{Qt::SHIFT | Qt::Key_Tab, C::Backtab},
    KeyAssignment{Qt::Key_Escape, C::Cancel},
    KeyAssignment{Qt::CTRL | Qt::Key_Z, C::Undo},
    KeyAssignment{Qt::ALT | Qt::Key_Backspace, C::Undo},
    KeyAssignment{Qt::CTRL | Qt::Key_Y, C::Redo},
    KeyAssignment{Qt::CTRL | Qt::Key_Plus, C::ZoomIn},
    KeyAssignment{Qt::CTRL | Qt::Key_Minus, C::ZoomOut},
};

} // namespace

std::span<const KeyAssignment> defaultKeyAssignments()
{
    return kDefaultKeys;
}
