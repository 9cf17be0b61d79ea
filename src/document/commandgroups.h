#pragma once
// Menu items, pop-up items and buttons that always show one state
// together.

inline constexpr const char *kWordWrapItems[] = {"MMNU_E_WordWrap", "Wordwrap1", "BTN_Zawijanie"};
inline constexpr const char *kCutCopyItems[] = {"PMNU_Wytnij", "PMNU_Kopiuj", "MMNU_E_Cut", "MMNU_E_Copy", "BTN_Wytnij", "BTN_Kopiuj"};
inline constexpr const char *kPasteItems[] = {"PMNU_Wklej", "MMNU_E_Paste", "BTN_Wklej"};
inline constexpr const char *kUndoItems[] = {"PMNU_Undo", "MMNU_E_Undo", "BTN_Undo"};
inline constexpr const char *kRedoItems[] = {"PMNU_Redo", "MMNU_E_REDO", "BTN_Redo"};
