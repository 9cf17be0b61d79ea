#include "app/actiontable.h"

#include <QHash>

namespace {

constexpr CommandEntry kActions[] = {
    {"MMNU_F_New", "&New", "Ctrl+N", "New script", -1, "new", "document-new", NoFlags},
    {"MMNU_F_Open", "&Open", "Ctrl+O", "Open a file in the editor", -1, "open", "document-open", NoFlags},
    {"MMNU_F_Zapisz", "&Save to library", "Ctrl+S", "Save script to user library", -1, "save-library", "document-save", NoFlags},
    {"MMNU_F_SaveAs", "S&ave as ...", "Ctrl+Shift+S", "Save script to file", -1, "save-as", "document-save-as", NoFlags},
    {"MMNU_P_PrintSettings", "Printer setup ...", "", "Print settings", -1, "printer-setup", "document-page-setup", NoFlags},
    {"MMNU_P_Print", "&Print", "Ctrl+P", "Print current script", -1, "print", "document-print", NoFlags},
    {"MMNU_F_Exit", "&Exit", "Alt+F4", "Close program", -1, "exit", "application-exit", NoFlags},
    {"MMNU_E_Undo", "&Undo", "Ctrl+Z", "Undo last action", 10, "undo", "edit-undo", NoFlags},
    {"MMNU_E_REDO", "&Redo", "Ctrl+Shift+Z", "Redo last undone action", 11, "redo", "edit-redo", NoFlags},
    {"MMNU_E_Cut", "&Cut", "Ctrl+X", "Cut selected text to the Clipboard", 12, "cut", "edit-cut", NoFlags},
    {"MMNU_E_Copy", "Co&py", "Ctrl+C", "Copy selected text to the Clipboard", 13, "copy", "edit-copy", NoFlags},
    {"MMNU_E_Paste", "Pa&ste", "Ctrl+V", "Paste a text from the Clipboard", 14, "paste", "edit-paste", NoFlags},
    {"MMNU_E_SelectAll", "Select all", "Ctrl+A", "Select the whole text", 15, "select-all", "edit-select-all", NoFlags},
    {"MMNU_E_Indent", "&Indent", "Ctrl+Space", "Indent selected lines", 10, "indent", "format-indent-more", NoFlags},
    {"MMNU_E_UnIndent", "&Unindent", "Ctrl+Shift+Space", "Unindent selected lines", 11, "unindent", "format-indent-less", NoFlags},
    {"Setbookmark1", "Set bookmark ...", "", "Set a bookmark at the caret", -1, "set-bookmark", "", NoFlags},
    {"Gotobookmark1", "Go to bookmark ...", "", "Move the caret to a bookmark", -1, "goto-bookmark", "", NoFlags},
    {"Setbookmark1_0", "0", "", "Set bookmark 0 at the caret", 0, "", "", NoFlags},
    {"Setbookmark1_1", "1", "", "Set bookmark 1 at the caret", 1, "", "", NoFlags},
    {"Setbookmark1_2", "2", "", "Set bookmark 2 at the caret", 2, "", "", NoFlags},
    {"Setbookmark1_3", "3", "", "Set bookmark 3 at the caret", 3, "", "", NoFlags},
    {"Setbookmark1_4", "4", "", "Set bookmark 4 at the caret", 4, "", "", NoFlags},
    {"Setbookmark1_5", "5", "", "Set bookmark 5 at the caret", 5, "", "", NoFlags},
    {"Setbookmark1_6", "6", "", "Set bookmark 6 at the caret", 6, "", "", NoFlags},
    {"Setbookmark1_7", "7", "", "Set bookmark 7 at the caret", 7, "", "", NoFlags},
    {"Setbookmark1_8", "8", "", "Set bookmark 8 at the caret", 8, "", "", NoFlags},
    {"Setbookmark1_9", "9", "", "Set bookmark 9 at the caret", 9, "", "", NoFlags},
    {"Gotobookmark1_0", "0", "", "Go to bookmark 0", 0, "", "", NoFlags},
    {"Gotobookmark1_1", "1", "", "Go to bookmark 1", 1, "", "", NoFlags},
    {"Gotobookmark1_2", "2", "", "Go to bookmark 2", 2, "", "", NoFlags},
    {"Gotobookmark1_3", "3", "", "Go to bookmark 3", 3, "", "", NoFlags},
    {"Gotobookmark1_4", "4", "", "Go to bookmark 4", 4, "", "", NoFlags},
    {"Gotobookmark1_5", "5", "", "Go to bookmark 5", 5, "", "", NoFlags},
    {"Gotobookmark1_6", "6", "", "Go to bookmark 6", 6, "", "", NoFlags},
    {"Gotobookmark1_7", "7", "", "Go to bookmark 7", 7, "", "", NoFlags},
    {"Gotobookmark1_8", "8", "", "Go to bookmark 8", 8, "", "", NoFlags},
    {"Gotobookmark1_9", "9", "", "Go to bookmark 9", 9, "", "", NoFlags},
    {"MMNU_F_Find", "&Find ...", "Ctrl+F", "Find a text", -1, "find", "edit-find", NoFlags},
    {"MMNU_F_FindA", "Find next", "F3", "Find next occurence", -1, "find-next", "", NoFlags},
    {"MMNU_F_Replace", "&Replace", "Ctrl+H", "Find and replace", -1, "replace", "edit-find-replace", NoFlags},
    {"MMNU_Search_Jump", "Jump to line ...", "Ctrl+G", "Jump to line with specified number", -1, "jump-line", "go-jump", NoFlags},
    {"MMNU_HTML_Bold", "&Bold", "Ctrl+B", "Bold", 1, "bold", "format-text-bold", Pending},
    {"MMNU_HTML_Italic", "&Italic", "Ctrl+I", "Italic", 2, "italic", "format-text-italic", Pending},
    {"MMNU_HTML_Underline", "&Underline", "Ctrl+U", "Underline", 3, "underline", "format-text-underline", Pending},
    {"MMNU_HTML_Strike", "&Strike", "", "Crossed out", 4, "strike", "format-text-strikethrough", Pending},
    {"MMNU_HTML_Left", "Align &left", "Ctrl+L", "Align left", 5, "align-left", "format-justify-left", Pending},
    {"MMNU_HTML_Center", "Align &center", "Ctrl+E", "Center", 6, "center", "format-justify-center", Pending},
    {"MMNU_HTML_Right", "Align &right", "Ctrl+R", "Align right", 7, "align-right", "format-justify-right", Pending},
    {"MMNU_HTML_Pre", "&Preformated", "", "Preformated text", 8, "pre", "", Pending},
    {"MMNU_HTML_FormB", "&Form builder", "Ctrl+Shift+F", "Form builder", -1, "form-builder", "", Pending},
    {"MMNU_HTML_List", "List &of choices", "Ctrl+Shift+L", "List of choices", -1, "select-list", "", Pending},
    {"MMNU_HTML_TextArea", "&Textarea", "Ctrl+Shift+T", "Textarea", -1, "textarea", "", Pending},
    {"MMNU_HTML_Other", "Other form elements", "Ctrl+Shift+E", "Other form elements", -1, "form-other", "", Pending},
    {"MMNU_N_Window", "Open new window", "Ctrl+Shift+W", "Open new window", -1, "window", "", Pending},
    {"MMNU_N_Dialog", "Dialog boxes", "Ctrl+D", "Dialog boxes", -1, "dialog", "", Pending},
    {"MMNU_N_Script", "Script header", "Ctrl+F1", "Script header", 1, "script-header", "", Pending},
    {"MMNU_N_NoScript", "<NOSCRIPT> tag", "Ctrl+Shift+N", "<NOSCRIPT> tag", 6, "noscript", "", Pending},
    {"MMNU_N_Comments", "Comments", "Ctrl+Shift+K", "Comments", 7, "comments", "", Pending},
    {"MMNU_N_Func", "Function template", "Ctrl+F2", "Function template", 2, "function", "", Pending},
    {"MMNU_N_FOR", "\"for\" loop", "Ctrl+F3", "\"for...\" loop", 3, "for", "", Pending},
    {"MMNU_N_While", "\"while\" loop", "Ctrl+F4", "\"while\" loop", 9, "while", "", Pending},
    {"MMNU_N_With", "\"with\"", "Ctrl+F5", "\"with\"", 10, "with", "", Pending},
    {"MMNU_N_IF", "\"if\" condition", "Ctrl+F6", "\"If...\" condition", 4, "if", "", Pending},
    {"MMNU_N_ELSE", "\"if..else\" condition", "Ctrl+F7", "\"If...Else\" condition", 5, "else", "", Pending},
    {"MMNU_N_Switch", "\"switch\" condition", "Ctrl+F8", "\"switch\"", 11, "switch", "", Pending},
    {"MMNU_N_DocWrite", "Quick \"document.write()\"", "Ctrl+F9", "document.write()", 8, "docwrite", "", Pending},
    {"MMNU_W_Toolbars", "&Toolbars", "", "Show or hide the toolbars", -1, "", "", NoFlags},
    {"MMNU_W_MainToolbar", "Main toolbar", "", "Main toolbar on/off", -1, "", "", Checkable | Checked},
    {"MMNU_W_ScriptToolbar", "Scripting toolbar", "", "Scripting toolbar on/off", -1, "", "", Checkable | Checked},
    {"MMNU_V_HTMLToolbar", "HTML toolbar", "", "HTML toolbar on/off", -1, "", "", Checkable | Checked},
    {"MMNU_E_WordWrap", "Wordwrap", "", "Wordwrap on/off", -1, "wordwrap", "", Checkable},
    {"MMNU_View_Full_Screen", "Resource tabs", "F9", "Resource tab on/off", -1, "resource-tabs", "", Checkable | Checked},
    {"Podgld1", "See the scri&pt in action!", "F11", "Preview", -1, "PODGLAD", "", NoFlags},
    {"Showeditortab1", "Show editor &tab", "F12", "Show the editor tab", -1, "JSKRYPT", "", NoFlags},
    {"MMNU_E_Settings", "&Settings ...", "F8", "Editor settings", -1, "settings", "preferences-other", Pending},
    {"MMNU_H_Help", "&Help", "F1", "Help file", -1, "help-contents", "help-contents", NoFlags},
    {"MMNU_P_Search", "&Keyword search", "", "Keyword search", -1, "find", "", NoFlags},
    {"MMNU_P_Using", "Help &on help", "", "How to use help?", -1, "POMOC", "", NoFlags},
    {"MMNU_HLP_Keys", "Ke&yboard shortcuts", "F10", "List of all keyboard shortcuts", -1, "keyboard", "", NoFlags},
    {"MMNU_P_About", "&About ...", "", "About program", -1, "about", "help-about", NoFlags},
    {"POP_E_View", "View ...", "", "Show or hide parts of the window", -1, "", "", NoFlags},
    {"POP_Full_Editor", "Resource tabs", "F9", "Resource tab on/off", -1, "", "", Checkable | Checked | ShortcutShownOnly},
    {"POP_E_Pasek", "Main toolbar", "", "Main toolbar on/off", -1, "", "", Checkable | Checked},
    {"POP_E_PasekJS", "Scripting toolbar", "", "Scripting toolbar on/off", -1, "", "", Checkable | Checked},
    {"POP_E_PasekHTML", "HTML toolbar", "", "HTML toolbar on/off", -1, "", "", Checkable | Checked},
    {"PMNU_Undo", "&Undo", "Ctrl+Z", "Undo last action", 10, "undo", "edit-undo", ShortcutShownOnly},
    {"PMNU_Redo", "&Redo", "Ctrl+Shift+Z", "Redo last undone action", 11, "redo", "edit-redo", ShortcutShownOnly},
    {"PMNU_Wytnij", "&Cut", "Ctrl+X", "Cut selected text to the Clipboard", 12, "cut", "edit-cut", ShortcutShownOnly},
    {"PMNU_Kopiuj", "Co&py", "Ctrl+C", "Copy selected text to the Clipboard", 13, "copy", "edit-copy", ShortcutShownOnly},
    {"PMNU_Wklej", "Past&e", "Ctrl+V", "Paste a text from the Clipboard", 14, "paste", "edit-paste", ShortcutShownOnly},
    {"POP_E_SelectAll", "Select all", "Ctrl+A", "Select the whole text", 15, "select-all", "edit-select-all", ShortcutShownOnly},
    {"Wcicie1", "Indent", "Alt+Space", "Indent selected lines", 10, "indent", "format-indent-more", NoFlags},
    {"Cofnijwcicie1", "Unindent", "Shift+Alt+Space", "Unindent selected lines", 11, "unindent", "format-indent-less", NoFlags},
    {"POP_Podglad", "Pre&view", "F11", "Preview", -1, "PODGLAD", "", ShortcutShownOnly},
    {"POP_B_Set", "Set bookmark ...", "", "Set a bookmark at the caret", -1, "set-bookmark", "", NoFlags},
    {"POP_B_Goto", "Go to bookmark ...", "", "Move the caret to a bookmark", -1, "goto-bookmark", "", NoFlags},
    {"POP_B_Set_0", "0", "", "Set bookmark 0 at the caret", 0, "", "", NoFlags},
    {"POP_B_Set_1", "1", "", "Set bookmark 1 at the caret", 1, "", "", NoFlags},
    {"POP_B_Set_2", "2", "", "Set bookmark 2 at the caret", 2, "", "", NoFlags},
    {"POP_B_Set_3", "3", "", "Set bookmark 3 at the caret", 3, "", "", NoFlags},
    {"POP_B_Set_4", "4", "", "Set bookmark 4 at the caret", 4, "", "", NoFlags},
    {"POP_B_Set_5", "5", "", "Set bookmark 5 at the caret", 5, "", "", NoFlags},
    {"POP_B_Set_6", "6", "", "Set bookmark 6 at the caret", 6, "", "", NoFlags},
    {"POP_B_Set_7", "7", "", "Set bookmark 7 at the caret", 7, "", "", NoFlags},
    {"POP_B_Set_8", "8", "", "Set bookmark 8 at the caret", 8, "", "", NoFlags},
    {"POP_B_Set_9", "9", "", "Set bookmark 9 at the caret", 9, "", "", NoFlags},
    {"POP_B_Goto_0", "0", "", "Go to bookmark 0", 0, "", "", NoFlags},
    {"POP_B_Goto_1", "1", "", "Go to bookmark 1", 1, "", "", NoFlags},
    {"POP_B_Goto_2", "2", "", "Go to bookmark 2", 2, "", "", NoFlags},
    {"POP_B_Goto_3", "3", "", "Go to bookmark 3", 3, "", "", NoFlags},
    {"POP_B_Goto_4", "4", "", "Go to bookmark 4", 4, "", "", NoFlags},
    {"POP_B_Goto_5", "5", "", "Go to bookmark 5", 5, "", "", NoFlags},
    {"POP_B_Goto_6", "6", "", "Go to bookmark 6", 6, "", "", NoFlags},
    {"POP_B_Goto_7", "7", "", "Go to bookmark 7", 7, "", "", NoFlags},
    {"POP_B_Goto_8", "8", "", "Go to bookmark 8", 8, "", "", NoFlags},
    {"POP_B_Goto_9", "9", "", "Go to bookmark 9", 9, "", "", NoFlags},
    {"Wordwrap1", "Wordwrap", "", "Wordwrap on/off", -1, "wordwrap", "", Checkable},
    {"POP_Clip_Editor", "Copy script from &editor", "", "Copy the script in the editors to the clipboard", -1, "copy", "", DefaultItem},
    {"POP_Clip_Library", "Copy script from &library", "", "Copy the script selected in a library to the clipboard", -1, "JSKRYPT", "", NoFlags},
    {"POP_Prev_Ed_System", "default system browser", "", "Preview in the default system browser", -1, "OKNO", "", NoFlags},
    {"POP_Prev_Ed_Msie", "Microsoft Internet Explorer", "", "Preview in Internet Explorer", 1, "", "", Pending | Hidden},
    {"POP_Prev_Ed_NN", "Netscape Navigator", "", "Preview in Netscape Navigator", 2, "", "", Pending | Hidden},
    {"POP_PRev_System", "default system browser", "", "Preview in the default system browser", -1, "OKNO", "", Pending},
    {"PMNU_Prev_MSIE", "Microsoft Internet Explorer", "", "Preview in Internet Explorer", 1, "", "", Pending | Hidden},
    {"PMNU_Prev_NN", "Netscape Navigator", "", "Preview in Netscape Navigator", 2, "", "", Pending | Hidden},
    {"BTN_Nowy", "New", "", "New script", -1, "new", "document-new", NoFlags},
    {"BTN_OpenF", "Open", "", "Open a file in the editor", -1, "open", "document-open", NoFlags},
    {"BTN_Zapisz", "Save", "", "Save script to the library", -1, "save-library", "document-save", NoFlags},
    {"BTN_Save_As", "Save as", "", "Save script as ...", -1, "save-as", "document-save-as", NoFlags},
    {"BTN_Drukuj", "Print", "", "Print script", -1, "print", "document-print", NoFlags},
    {"BTN_Undo", "Undo", "", "Undo", 10, "undo", "edit-undo", NoFlags},
    {"BTN_Redo", "Redo", "", "Redo", 11, "redo", "edit-redo", NoFlags},
    {"BTN_Wytnij", "Cut", "", "Cut selected text to the Clipboard", 12, "cut", "edit-cut", NoFlags},
    {"BTN_Kopiuj", "Copy", "", "Copy selected text to the Clipboard", 13, "copy", "edit-copy", NoFlags},
    {"BTN_Wklej", "Paste", "", "Paste a text from the Clipboard", 14, "paste", "edit-paste", NoFlags},
    {"BTN_Znajdz", "Find", "", "Find a text", -1, "find", "edit-find", NoFlags},
    {"BTN_Zamien", "Replace", "", "Find and replace", -1, "replace", "edit-find-replace", NoFlags},
    {"BTN_Idz_Do_L", "Jump to line", "", "Jump to selected line", -1, "jump-line", "go-jump", NoFlags},
    {"Przycisk_Ustawienia", "Settings", "", "Highlighting settings", -1, "settings", "preferences-other", Pending},
    {"BTN_Zawijanie", "Wordwrap", "", "Wordwrap", -1, "wordwrap", "", Checkable},
    {"BTN_Full_Window", "Resource tabs", "", "Resource tabs on/off", -1, "resource-tabs", "", Checkable | Checked},
    {"Przycisk_JS_Okno", "Open new window", "", "Open new window", -1, "window", "", Pending},
    {"Przycisk_JS_Alert", "Dialog boxes", "", "Dialog boxes", -1, "dialog", "", Pending},
    {"BTN_Script", "Script header", "", "Script header", 1, "script-header", "", Pending},
    {"BTN_NoScript", "<NOSCRIPT> tag", "", "<NOSCRIPT> tag", 6, "noscript", "", Pending},
    {"BTN_Comments", "Comments", "", "Comments", 7, "comments", "", Pending},
    {"BTN_Func", "Function template", "", "Function template", 2, "function", "", Pending},
    {"BTN_For", "\"for...\" loop", "", "\"for...\" loop", 3, "for", "", Pending},
    {"BTN_While", "\"while\" loop", "", "\"while\" loop", 9, "while", "", Pending},
    {"BTN_With", "\"with\"", "", "\"with\"", 10, "with", "", Pending},
    {"BTN_If", "\"If...\" condition", "", "\"If...\" condition", 4, "if", "", Pending},
    {"BTN_Else", "\"If...Else\" condition", "", "\"If...Else\" condition", 5, "else", "", Pending},
    {"BTN_Switch", "\"switch\"", "", "\"switch\"", 11, "switch", "", Pending},
    {"BTN_DocWrite", "document.write()", "", "document.write()", 8, "docwrite", "", Pending},
    {"Przycisk_Formy", "Form builder", "", "Form builder", -1, "form-builder", "", Pending},
    {"Przycisk_FSelect", "List of choices", "", "List of choices", -1, "select-list", "", Pending},
    {"Przycisk_FText", "Textarea", "", "Textarea", -1, "textarea", "", Pending},
    {"Przycisk_FInne", "Other form elements", "", "Inne elementy formularzy", -1, "form-other", "", Pending},
    {"Przycisk_Bold", "Bold", "", "Bold", 1, "bold", "format-text-bold", Pending},
    {"Przycisk_Italic", "Italic", "", "Italic", 2, "italic", "format-text-italic", Pending},
    {"Przycisk_Underline", "Underline", "", "Underline", 3, "underline", "format-text-underline", Pending},
    {"BTN_Przekreslenie", "Crossed out", "", "Crossed out", 4, "strike", "format-text-strikethrough", Pending},
    {"Przycisk_DoLewej", "Align left", "", "Align left", 5, "align-left", "format-justify-left", Pending},
    {"Przycisk_Center", "Center", "", "Center", 6, "center", "format-justify-center", Pending},
    {"Przycisk_DoPrawej", "Align right", "", "Align right", 7, "align-right", "format-justify-right", Pending},
    {"Przycisk_Czcionka_Pre", "Preformated text", "", "Preformated text", 8, "pre", "", Pending},
    {"Przycisk_OK", "Preview edited", "", "Click to see the script from editor in action", -1, "preview-edited", "", NoFlags},
    {"BTN_DoSchowka", "Copy to clipboard", "", "Copy script to the clipboard", -1, "clipboard", "edit-paste", NoFlags},
    {"Przycisk_Anuluj", "Close", "", "Close program", -1, "ANULUJ", "", NoFlags},
    {"Przycisk_Pomoc", "Quillon Help", "", "Help", -1, "POMOC", "", NoFlags},
    // Strips of the resource tabs
    {"BTN_Edit_Lib", "Edit", "", "Edit script from library", -1, "edit", "", Pending | ShowsCaption},
    {"ToolbarButton971", "Insert", "", "Insert script at the caret position", -1, "insert", "", Pending},
    {"BTN_Preview_Built", "Preview", "", "Click to see the script from library in action", -1, "PODGLAD", "", Pending | ShowsCaption},
    {"BTN_BuilIn_Help", "Help", "", "\"Libraries\" tab help", -1, "POMOC", "", NoFlags},
    {"BTN_AddCateg", "Add category", "", "Add category", -1, "add-category", "folder-new", NoFlags},
    {"BTN_Del_Item", "Delete", "", "Delete item", -1, "delete-item", "edit-delete", NoFlags},
    {"BTN_Edit_Script_User", "Edit", "", "Edit script from library", -1, "edit", "", NoFlags | ShowsCaption},
    {"BTN_User_Insert", "Insert", "", "Insert script at the caret position", -1, "insert", "", NoFlags},
    {"BTN_Preview_Script_User", "Preview", "", "Click to see the script from library in action", -1, "PODGLAD", "", NoFlags | ShowsCaption},
    {"BTN_Lang_Expand", "Expand", "", "Full expand", -1, "expand-all", "", Pending},
    {"BTN_Lang_Collapse", "Collapse", "", "Full collapse", -1, "collapse-all", "", Pending},
    {"BTN_Lang_Help", "Help", "", "\"Languages\" tab help", -1, "POMOC", "", NoFlags},
    {"BTN_Refresh_Func", "Refresh", "", "Refresh list of elements", -1, "refresh", "view-refresh", Pending | ShowsCaption},
    {"BTN_Func_Jump", "Jump", "", "Jump to selected element", -1, "jump-line", "go-jump", Pending},
    {"BTN_Func_Help", "Help", "", "\"Functions\" tab help", -1, "POMOC", "", NoFlags},
};

// --- menus ------------------------------------------------------------------

constexpr const char *kFileMenu[] = {
    "MMNU_F_New", "-", "MMNU_F_Open", "MMNU_F_Zapisz", "MMNU_F_SaveAs", "-",
    "MMNU_P_PrintSettings", "MMNU_P_Print", "-", "MMNU_F_Exit",
};
constexpr const char *kEditMenu[] = {
    "MMNU_E_Undo", "MMNU_E_REDO", "-", "MMNU_E_Cut", "MMNU_E_Copy", "MMNU_E_Paste", "MMNU_E_SelectAll", "-",
    "MMNU_E_Indent", "MMNU_E_UnIndent", "-", ">Setbookmark1", ">Gotobookmark1",
};
constexpr const char *kSearchMenu[] = {
    "MMNU_F_Find", "MMNU_F_FindA", "MMNU_F_Replace", "-", "MMNU_Search_Jump",
};
constexpr const char *kHtmlMenu[] = {
    "MMNU_HTML_Bold", "MMNU_HTML_Italic", "MMNU_HTML_Underline", "MMNU_HTML_Strike", "-",
    "MMNU_HTML_Left", "MMNU_HTML_Center", "MMNU_HTML_Right", "MMNU_HTML_Pre", "-",
    "MMNU_HTML_FormB", "MMNU_HTML_List", "MMNU_HTML_TextArea", "MMNU_HTML_Other",
};
constexpr const char *kScriptMenu[] = {
    "MMNU_N_Window", "MMNU_N_Dialog", "-", "MMNU_N_Script", "MMNU_N_NoScript", "MMNU_N_Comments", "-",
    "MMNU_N_Func", "MMNU_N_FOR", "MMNU_N_While", "MMNU_N_With", "-",
    "MMNU_N_IF", "MMNU_N_ELSE", "MMNU_N_Switch", "MMNU_N_DocWrite",
};
constexpr const char *kViewMenu[] = {
    ">MMNU_W_Toolbars", "-", "MMNU_E_WordWrap", "MMNU_View_Full_Screen", "-", "Podgld1", "Showeditortab1", "-",
    "MMNU_E_Settings",
};
constexpr const char *kHelpMenu[] = {
    "MMNU_H_Help", "MMNU_P_Search", "MMNU_P_Using", "MMNU_HLP_Keys", "-", "MMNU_P_About",
};

constexpr MenuLayout kMainMenu[] = {
    {"MMNU_File", "&File", kFileMenu},
    {"MMNU_Edit", "&Edit", kEditMenu},
    {"MMNU_Find", "&Search", kSearchMenu},
    {"MMNU_HTML", "H&TML", kHtmlMenu},
    {"MMNU_Tools", "S&cript", kScriptMenu},
    {"MMNU_View", "&View", kViewMenu},
    {"MMNU_Help", "&Help", kHelpMenu},
};

constexpr const char *kSetBookmarks[] = {
    "Setbookmark1_0", "Setbookmark1_1", "Setbookmark1_2", "Setbookmark1_3", "Setbookmark1_4",
    "Setbookmark1_5", "Setbookmark1_6", "Setbookmark1_7", "Setbookmark1_8", "Setbookmark1_9",
};
constexpr const char *kGotoBookmarks[] = {
    "Gotobookmark1_0", "Gotobookmark1_1", "Gotobookmark1_2", "Gotobookmark1_3", "Gotobookmark1_4",
    "Gotobookmark1_5", "Gotobookmark1_6", "Gotobookmark1_7", "Gotobookmark1_8", "Gotobookmark1_9",
};
constexpr const char *kPopSetBookmarks[] = {
    "POP_B_Set_0", "POP_B_Set_1", "POP_B_Set_2", "POP_B_Set_3", "POP_B_Set_4",
    "POP_B_Set_5", "POP_B_Set_6", "POP_B_Set_7", "POP_B_Set_8", "POP_B_Set_9",
};
constexpr const char *kPopGotoBookmarks[] = {
    "POP_B_Goto_0", "POP_B_Goto_1", "POP_B_Goto_2", "POP_B_Goto_3", "POP_B_Goto_4",
    "POP_B_Goto_5", "POP_B_Goto_6", "POP_B_Goto_7", "POP_B_Goto_8", "POP_B_Goto_9",
};
constexpr const char *kToolbarsMenu[] = {
    "MMNU_W_MainToolbar", "MMNU_W_ScriptToolbar", "MMNU_V_HTMLToolbar",
};
constexpr const char *kPopView[] = {
    "POP_Full_Editor", "-", "POP_E_Pasek", "POP_E_PasekJS", "POP_E_PasekHTML",
};
constexpr const char *kPopMenu[] = {
    ">POP_E_View", "-", "PMNU_Undo", "PMNU_Redo", "-", "PMNU_Wytnij", "PMNU_Kopiuj", "PMNU_Wklej",
    "POP_E_SelectAll", "-", "Wcicie1", "Cofnijwcicie1", "-", "POP_Podglad",
};
constexpr const char *kPopBookmarks[] = {
    ">POP_B_Set", ">POP_B_Goto", "-", "Wordwrap1",
};
constexpr const char *kPopClip[] = {
    "POP_Clip_Editor", "POP_Clip_Library",
};
constexpr const char *kPopPrevEd[] = {
    "POP_Prev_Ed_System", "-POP_Prev_Ed_Kreska", "POP_Prev_Ed_Msie", "POP_Prev_Ed_NN",
};
constexpr const char *kPopPrev[] = {
    "POP_PRev_System", "-PMNU_Prev_Kreska", "PMNU_Prev_MSIE", "PMNU_Prev_NN",
};

constexpr MenuLayout kSubMenus[] = {
    {"Setbookmark1", "Set bookmark ...", kSetBookmarks},
    {"Gotobookmark1", "Go to bookmark ...", kGotoBookmarks},
    {"MMNU_W_Toolbars", "&Toolbars", kToolbarsMenu},
    {"POP_E_View", "View ...", kPopView},
    {"POP_B_Set", "Set bookmark ...", kPopSetBookmarks},
    {"POP_B_Goto", "Go to bookmark ...", kPopGotoBookmarks},
    {"POPMENU", "", kPopMenu},
    {"POP_Bookmarks", "", kPopBookmarks},
    {"POP_Clip", "", kPopClip},
    {"POP_PRev_Ed", "", kPopPrevEd},
    {"Pop_Prev", "", kPopPrev},
};

// --- toolbars ---------------------------------------------------------------

constexpr const char *kMainToolbar[] = {
    "BTN_Nowy", "BTN_OpenF", "BTN_Zapisz", "BTN_Save_As", "BTN_Drukuj", "-",
    "BTN_Undo", "BTN_Redo", "-", "BTN_Wytnij", "BTN_Kopiuj", "BTN_Wklej", "-",
    "BTN_Znajdz", "BTN_Zamien", "BTN_Idz_Do_L", "-", "Przycisk_Ustawienia", "BTN_Zawijanie", "-",
    "BTN_Full_Window",
};
constexpr const char *kScriptToolbar[] = {
    "Przycisk_JS_Okno", "Przycisk_JS_Alert", "BTN_Script", "BTN_NoScript", "BTN_Comments", "-",
    "BTN_Func", "BTN_For", "BTN_While", "BTN_With", "-",
    "BTN_If", "BTN_Else", "BTN_Switch", "BTN_DocWrite",
};
constexpr const char *kHtmlToolbar[] = {
    "Przycisk_Formy", "Przycisk_FSelect", "Przycisk_FText", "Przycisk_FInne", "-",
    "Przycisk_Bold", "Przycisk_Italic", "Przycisk_Underline", "BTN_Przekreslenie", "-",
    "Przycisk_DoLewej", "Przycisk_Center", "Przycisk_DoPrawej", "Przycisk_Czcionka_Pre",
};

} // namespace

std::span<const CommandEntry> actionTable()
{
    return kActions;
}

const CommandEntry *findCommand(const QString &id)
{
    static const QHash<QString, const CommandEntry *> index = [] {
        QHash<QString, const CommandEntry *> h;
        for (const CommandEntry &entry : kActions)
            h.insert(QString::fromLatin1(entry.id), &entry);
        return h;
    }();
    return index.value(id);
}

std::span<const MenuLayout> mainMenuLayout()
{
    return kMainMenu;
}

std::span<const MenuLayout> subMenuLayouts()
{
    return kSubMenus;
}

const MenuLayout *findLayout(const QString &id)
{
    for (const MenuLayout &layout : kMainMenu)
        if (id == QLatin1String(layout.id))
            return &layout;
    for (const MenuLayout &layout : kSubMenus)
        if (id == QLatin1String(layout.id))
            return &layout;
    return nullptr;
}

std::span<const char *const> mainToolbarItems()
{
    return kMainToolbar;
}

std::span<const char *const> scriptToolbarItems()
{
    return kScriptToolbar;
}

std::span<const char *const> htmlToolbarItems()
{
    return kHtmlToolbar;
}
