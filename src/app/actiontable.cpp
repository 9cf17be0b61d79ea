#include "app/actiontable.h"

#include <QByteArray>
#include <QHash>

#include <deque>
#include <iterator>
#include <vector>

namespace {

constexpr CommandEntry kFixedActions[] = {
    {"MMNU_F_New", "file.new", "&New", "Ctrl+N", "New script", -1, "new", "document-new", NoFlags},
    {"MMNU_F_Open", "file.open", "&Open", "Ctrl+O", "Open a file in the editor", -1, "open", "document-open", NoFlags},
    {"MMNU_F_Zapisz", "library.saveScript", "&Save to library", "Ctrl+S", "Save script to user library", -1, "save-library", "document-save", NoFlags},
    {"MMNU_F_SaveAs", "file.saveAs", "S&ave as ...", "Ctrl+Shift+S", "Save script to file", -1, "save-as", "document-save-as", NoFlags},
    {"MMNU_P_PrintSettings", "file.printerSetup", "Printer setup ...", "", "Print settings", -1, "printer-setup", "document-page-setup", NoFlags},
    {"MMNU_P_Print", "file.print", "&Print", "Ctrl+P", "Print current script", -1, "print", "document-print", NoFlags},
    {"MMNU_F_Exit", "app.close", "&Exit", "Alt+F4", "Close program", -1, "exit", "application-exit", NoFlags},
    {"MMNU_E_Undo", "edit.clipboard", "&Undo", "Ctrl+Z", "Undo last action", 10, "undo", "edit-undo", NoFlags},
    {"MMNU_E_REDO", "edit.clipboard", "&Redo", "Ctrl+Shift+Z", "Redo last undone action", 11, "redo", "edit-redo", NoFlags},
    {"MMNU_E_Cut", "edit.clipboard", "&Cut", "Ctrl+X", "Cut selected text to the Clipboard", 12, "cut", "edit-cut", NoFlags},
    {"MMNU_E_Copy", "edit.clipboard", "Co&py", "Ctrl+C", "Copy selected text to the Clipboard", 13, "copy", "edit-copy", NoFlags},
    {"MMNU_E_Paste", "edit.clipboard", "Pa&ste", "Ctrl+V", "Paste a text from the Clipboard", 14, "paste", "edit-paste", NoFlags},
    {"MMNU_E_SelectAll", "edit.clipboard", "Select all", "Ctrl+A", "Select the whole text", 15, "select-all", "edit-select-all", NoFlags},
    {"MMNU_E_Indent", "edit.indent", "&Indent", "Ctrl+Space", "Indent selected lines", 10, "indent", "format-indent-more", NoFlags},
    {"MMNU_E_UnIndent", "edit.indent", "&Unindent", "Ctrl+Shift+Space", "Unindent selected lines", 11, "unindent", "format-indent-less", NoFlags},
    {"Setbookmark1", "", "Set bookmark ...", "", "Set a bookmark at the caret", -1, "set-bookmark", "", NoFlags},
    {"Gotobookmark1", "", "Go to bookmark ...", "", "Move the caret to a bookmark", -1, "goto-bookmark", "", NoFlags},
    {"MMNU_F_Find", "search.find", "&Find ...", "Ctrl+F", "Find a text", -1, "find", "edit-find", NoFlags},
    {"MMNU_F_FindA", "search.findNext", "Find next", "F3", "Find next occurence", -1, "find-next", "", NoFlags},
    {"MMNU_F_Replace", "search.replace", "&Replace", "Ctrl+H", "Find and replace", -1, "replace", "edit-find-replace", NoFlags},
    {"MMNU_Search_Jump", "search.jumpToLine", "Jump to line ...", "Ctrl+G", "Jump to line with specified number", -1, "jump-line", "go-jump", NoFlags},
    {"MMNU_HTML_Bold", "html.format", "&Bold", "Ctrl+B", "Bold text", 1, "bold", "format-text-bold", NoFlags},
    {"MMNU_HTML_Italic", "html.format", "&Italic", "Ctrl+I", "Italic text", 2, "italic", "format-text-italic", NoFlags},
    {"MMNU_HTML_Underline", "html.format", "&Underline", "Ctrl+U", "Underline text", 3, "underline", "format-text-underline", NoFlags},
    {"MMNU_HTML_Strike", "html.format", "&Strike", "", "Strike text", 4, "strike", "format-text-strikethrough", NoFlags},
    {"MMNU_HTML_Left", "html.format", "Align &left", "Ctrl+L", "Align left", 5, "align-left", "format-justify-left", NoFlags},
    {"MMNU_HTML_Center", "html.format", "Align &center", "Ctrl+E", "Center", 6, "center", "format-justify-center", NoFlags},
    {"MMNU_HTML_Right", "html.format", "Align &right", "Ctrl+R", "Align right", 7, "align-right", "format-justify-right", NoFlags},
    {"MMNU_HTML_Pre", "html.format", "&Preformated", "", "Preformated text", 8, "pre", "", NoFlags},
    {"MMNU_HTML_FormB", "html.formBuilder", "&Form builder", "Ctrl+Shift+F", "Form builder", -1, "form-builder", "", NoFlags},
    {"MMNU_HTML_List", "html.selectList", "List &of choices", "Ctrl+Shift+L", "Scrolling list of choices", -1, "select-list", "", NoFlags},
    {"MMNU_HTML_TextArea", "html.textarea", "&Textarea", "Ctrl+Shift+T", "Textarea", -1, "textarea", "", NoFlags},
    {"MMNU_HTML_Other", "html.otherElements", "Other form elements", "Ctrl+Shift+E", "Other form elements", -1, "form-other", "", NoFlags},
    {"MMNU_N_Window", "script.window", "Open new window", "Ctrl+Shift+W", "Open new window", -1, "window", "", NoFlags},
    {"MMNU_N_Dialog", "script.dialogBoxes", "Dialog boxes", "Ctrl+D", "Dialog boxes", -1, "dialog", "", NoFlags},
    {"MMNU_N_Script", "script.template", "Script header", "Ctrl+F1", "Script header", 1, "script-header", "", NoFlags},
    {"MMNU_N_NoScript", "script.template", "<NOSCRIPT> tag", "Ctrl+Shift+N", "<NOSCRIPT> tag", 6, "noscript", "", NoFlags},
    {"MMNU_N_Comments", "script.template", "Comments", "Ctrl+Shift+K", "Comments", 7, "comments", "", NoFlags},
    {"MMNU_N_Func", "script.template", "Function template", "Ctrl+F2", "Function template", 2, "function", "", NoFlags},
    {"MMNU_N_FOR", "script.template", "\"for\" loop", "Ctrl+F3", "\"for...\" loop", 3, "for", "", NoFlags},
    {"MMNU_N_While", "script.template", "\"while\" loop", "Ctrl+F4", "\"while\" loop", 9, "while", "", NoFlags},
    {"MMNU_N_With", "script.template", "\"with\"", "Ctrl+F5", "\"with\"", 10, "with", "", NoFlags},
    {"MMNU_N_IF", "script.template", "\"if\" condition", "Ctrl+F6", "\"If...\" condition", 4, "if", "", NoFlags},
    {"MMNU_N_ELSE", "script.template", "\"if..else\" condition", "Ctrl+F7", "\"If...Else\" condition", 5, "else", "", NoFlags},
    {"MMNU_N_Switch", "script.template", "\"switch\" condition", "Ctrl+F8", "\"switch\"", 11, "switch", "", NoFlags},
    {"MMNU_N_DocWrite", "script.template", "Quick \"document.write()\"", "Ctrl+F9", "document.write()", 8, "docwrite", "", NoFlags},
    {"MMNU_W_Toolbars", "", "&Toolbars", "", "Show or hide the toolbars", -1, "", "", NoFlags},
    {"MMNU_W_MainToolbar", "view.mainToolbar", "Main toolbar", "", "Main toolbar on/off", -1, "", "", Checkable | Checked},
    {"MMNU_W_ScriptToolbar", "view.scriptToolbar", "Scripting toolbar", "", "Scripting toolbar on/off", -1, "", "", Checkable | Checked},
    {"MMNU_V_HTMLToolbar", "view.htmlToolbar", "HTML toolbar", "", "HTML toolbar on/off", -1, "", "", Checkable | Checked},
    {"MMNU_E_WordWrap", "view.wordWrap", "Wordwrap", "", "Wordwrap on/off", -1, "wordwrap", "", Checkable},
    {"MMNU_View_Full_Screen", "view.resourceTabs", "Resource tabs", "F9", "Resource tab on/off", -1, "resource-tabs", "", Checkable | Checked},
    {"Podgld1", "preview.editors", "See the scri&pt in action!", "F11", "Preview", -1, "PODGLAD", "", NoFlags},
    {"MMNU_View_PreviewBeside", "view.previewBeside", "Preview &beside editors", "Ctrl+F11", "Preview beside the editors, following every change, on/off", -1, "preview-beside", "", Checkable},
    {"Showeditortab1", "view.editorTab", "Show editor &tab", "F12", "Show the editor tab", -1, "JSKRYPT", "", NoFlags},
    {"MMNU_E_Settings", "editor.settings", "&Settings ...", "F8", "Editor settings", -1, "settings", "preferences-other", NoFlags},
    {"MMNU_H_Help", "help.contents", "&Help", "F1", "Help file", -1, "help-contents", "help-contents", NoFlags},
    {"MMNU_P_Search", "help.keywordSearch", "&Keyword search", "", "Keyword search", -1, "find", "", NoFlags},
    {"MMNU_P_Using", "help.helpOnHelp", "Help &on help", "", "How to use help?", -1, "POMOC", "", NoFlags},
    {"MMNU_HLP_Keys", "help.shortcuts", "Ke&yboard shortcuts", "F10", "List of all keyboard shortcuts", -1, "keyboard", "", NoFlags},
    {"MMNU_P_About", "help.about", "&About ...", "", "About program", -1, "about", "help-about", NoFlags},
    {"POP_E_View", "", "View ...", "", "Show or hide parts of the window", -1, "", "", NoFlags},
    {"POP_Full_Editor", "view.resourceTabs", "Resource tabs", "F9", "Resource tab on/off", -1, "", "", Checkable | Checked | ShortcutShownOnly},
    {"POP_E_Pasek", "view.mainToolbar", "Main toolbar", "", "Main toolbar on/off", -1, "", "", Checkable | Checked},
    {"POP_E_PasekJS", "view.scriptToolbar", "Scripting toolbar", "", "Scripting toolbar on/off", -1, "", "", Checkable | Checked},
    {"POP_E_PasekHTML", "view.htmlToolbar", "HTML toolbar", "", "HTML toolbar on/off", -1, "", "", Checkable | Checked},
    {"PMNU_Undo", "edit.clipboard", "&Undo", "Ctrl+Z", "Undo last action", 10, "undo", "edit-undo", ShortcutShownOnly},
    {"PMNU_Redo", "edit.clipboard", "&Redo", "Ctrl+Shift+Z", "Redo last undone action", 11, "redo", "edit-redo", ShortcutShownOnly},
    {"PMNU_Wytnij", "edit.clipboard", "&Cut", "Ctrl+X", "Cut selected text to the Clipboard", 12, "cut", "edit-cut", ShortcutShownOnly},
    {"PMNU_Kopiuj", "edit.clipboard", "Co&py", "Ctrl+C", "Copy selected text to the Clipboard", 13, "copy", "edit-copy", ShortcutShownOnly},
    {"PMNU_Wklej", "edit.clipboard", "Past&e", "Ctrl+V", "Paste a text from the Clipboard", 14, "paste", "edit-paste", ShortcutShownOnly},
    {"POP_E_SelectAll", "edit.clipboard", "Select all", "Ctrl+A", "Select the whole text", 15, "select-all", "edit-select-all", ShortcutShownOnly},
    {"Wcicie1", "edit.indent", "Indent", "Alt+Space", "Indent selected lines", 10, "indent", "format-indent-more", NoFlags},
    {"Cofnijwcicie1", "edit.indent", "Unindent", "Shift+Alt+Space", "Unindent selected lines", 11, "unindent", "format-indent-less", NoFlags},
    {"POP_Podglad", "preview.editors", "Pre&view", "F11", "Preview", -1, "PODGLAD", "", ShortcutShownOnly},
    {"POP_B_Set", "", "Set bookmark ...", "", "Set a bookmark at the caret", -1, "set-bookmark", "", NoFlags},
    {"POP_B_Goto", "", "Go to bookmark ...", "", "Move the caret to a bookmark", -1, "goto-bookmark", "", NoFlags},
    {"Wordwrap1", "view.wordWrap", "Wordwrap", "", "Wordwrap on/off", -1, "wordwrap", "", Checkable},
    {"POP_Clip_Editor", "clipboard.fromEditors", "Copy script from &editor", "", "Copy the script in the editors to the clipboard", -1, "copy", "", DefaultItem},
    {"POP_Clip_Library", "clipboard.fromLibrary", "Copy script from &library", "", "Copy the script selected in a library to the clipboard", -1, "JSKRYPT", "", NoFlags},
    {"POP_Prev_Ed_System", "preview.editorsInDefaultBrowser", "default system browser", "", "Preview in the default system browser", -1, "OKNO", "", NoFlags},
    {"POP_Prev_Ed_Msie", "preview.editorsInBrowser", "Microsoft Internet Explorer", "", "Preview in Internet Explorer", 1, "", "", Hidden},
    {"POP_Prev_Ed_NN", "preview.editorsInBrowser", "Netscape Navigator", "", "Preview in Netscape Navigator", 2, "", "", Hidden},
    {"POP_PRev_System", "preview.libraryInDefaultBrowser", "default system browser", "", "Preview in the default system browser", -1, "OKNO", "", NoFlags},
    {"PMNU_Prev_MSIE", "preview.libraryInBrowser", "Microsoft Internet Explorer", "", "Preview in Internet Explorer", 1, "", "", Hidden},
    {"PMNU_Prev_NN", "preview.libraryInBrowser", "Netscape Navigator", "", "Preview in Netscape Navigator", 2, "", "", Hidden},
    {"BTN_Nowy", "file.new", "New", "", "New script", -1, "new", "document-new", NoFlags},
    {"BTN_OpenF", "file.open", "Open", "", "Open a file in the editor", -1, "open", "document-open", NoFlags},
    {"BTN_Zapisz", "library.saveScript", "Save", "", "Save script to the library", -1, "save-library", "document-save", NoFlags},
    {"BTN_Save_As", "file.saveAs", "Save as", "", "Save script as ...", -1, "save-as", "document-save-as", NoFlags},
    {"BTN_Drukuj", "file.print", "Print", "", "Print script", -1, "print", "document-print", NoFlags},
    {"BTN_Undo", "edit.clipboard", "Undo", "", "Undo", 10, "undo", "edit-undo", NoFlags},
    {"BTN_Redo", "edit.clipboard", "Redo", "", "Redo", 11, "redo", "edit-redo", NoFlags},
    {"BTN_Wytnij", "edit.clipboard", "Cut", "", "Cut selected text to the Clipboard", 12, "cut", "edit-cut", NoFlags},
    {"BTN_Kopiuj", "edit.clipboard", "Copy", "", "Copy selected text to the Clipboard", 13, "copy", "edit-copy", NoFlags},
    {"BTN_Wklej", "edit.clipboard", "Paste", "", "Paste a text from the Clipboard", 14, "paste", "edit-paste", NoFlags},
    {"BTN_Znajdz", "search.find", "Find", "", "Find a text", -1, "find", "edit-find", NoFlags},
    {"BTN_Zamien", "search.replace", "Replace", "", "Find and replace", -1, "replace", "edit-find-replace", NoFlags},
    {"BTN_Idz_Do_L", "search.jumpToLine", "Jump to line", "", "Jump to selected line", -1, "jump-line", "go-jump", NoFlags},
    {"Przycisk_Ustawienia", "editor.settings", "Settings", "", "Highlighting settings", -1, "settings", "preferences-other", NoFlags},
    {"BTN_Zawijanie", "view.wordWrap", "Wordwrap", "", "Wordwrap", -1, "wordwrap", "", Checkable},
    {"BTN_Full_Window", "view.resourceTabs", "Resource tabs", "", "Resource tabs on/off", -1, "resource-tabs", "", Checkable | Checked},
    {"BTN_PreviewBeside", "view.previewBeside", "Preview beside editors", "", "Preview beside the editors on/off", -1, "preview-beside", "", Checkable},
    {"Przycisk_JS_Okno", "script.window", "Open new window", "", "Open new window", -1, "window", "", NoFlags},
    {"Przycisk_JS_Alert", "script.dialogBoxes", "Dialog boxes", "", "Dialog boxes", -1, "dialog", "", NoFlags},
    {"BTN_Script", "script.template", "Script header", "", "Script header", 1, "script-header", "", NoFlags},
    {"BTN_NoScript", "script.template", "<NOSCRIPT> tag", "", "<NOSCRIPT> tag", 6, "noscript", "", NoFlags},
    {"BTN_Comments", "script.template", "Comments", "", "Comments", 7, "comments", "", NoFlags},
    {"BTN_Func", "script.template", "Function template", "", "Function template", 2, "function", "", NoFlags},
    {"BTN_For", "script.template", "\"for...\" loop", "", "\"for...\" loop", 3, "for", "", NoFlags},
    {"BTN_While", "script.template", "\"while\" loop", "", "\"while\" loop", 9, "while", "", NoFlags},
    {"BTN_With", "script.template", "\"with\"", "", "\"with\"", 10, "with", "", NoFlags},
    {"BTN_If", "script.template", "\"If...\" condition", "", "\"If...\" condition", 4, "if", "", NoFlags},
    {"BTN_Else", "script.template", "\"If...Else\" condition", "", "\"If...Else\" condition", 5, "else", "", NoFlags},
    {"BTN_Switch", "script.template", "\"switch\"", "", "\"switch\"", 11, "switch", "", NoFlags},
    {"BTN_DocWrite", "script.template", "document.write()", "", "document.write()", 8, "docwrite", "", NoFlags},
    {"Przycisk_Formy", "html.formBuilder", "Form builder", "", "Form builder", -1, "form-builder", "", NoFlags},
    {"Przycisk_FSelect", "html.selectList", "List of choices", "", "List of choices", -1, "select-list", "", NoFlags},
    {"Przycisk_FText", "html.textarea", "Textarea", "", "Textarea", -1, "textarea", "", NoFlags},
    {"Przycisk_FInne", "html.otherElements", "Other form elements", "", "Inne elementy formularzy", -1, "form-other", "", NoFlags},
    {"Przycisk_Bold", "html.format", "Bold", "", "Bold", 1, "bold", "format-text-bold", NoFlags},
    {"Przycisk_Italic", "html.format", "Italic", "", "Italic", 2, "italic", "format-text-italic", NoFlags},
    {"Przycisk_Underline", "html.format", "Underline", "", "Underline", 3, "underline", "format-text-underline", NoFlags},
    {"BTN_Przekreslenie", "html.format", "Crossed out", "", "Crossed out", 4, "strike", "format-text-strikethrough", NoFlags},
    {"Przycisk_DoLewej", "html.format", "Align left", "", "Align left", 5, "align-left", "format-justify-left", NoFlags},
    {"Przycisk_Center", "html.format", "Center", "", "Center", 6, "center", "format-justify-center", NoFlags},
    {"Przycisk_DoPrawej", "html.format", "Align right", "", "Align right", 7, "align-right", "format-justify-right", NoFlags},
    {"Przycisk_Czcionka_Pre", "html.format", "Preformated text", "", "Preformated text", 8, "pre", "", NoFlags},
    {"Przycisk_OK", "preview.editorsInDefaultBrowser", "Preview edited", "", "Click to see the script from editor in action", -1, "preview-edited", "", NoFlags},
    {"BTN_DoSchowka", "clipboard.fromEditors", "Copy to clipboard", "", "Copy script to the clipboard", -1, "clipboard", "edit-paste", NoFlags},
    {"Przycisk_Anuluj", "app.close", "Close", "", "Close program", -1, "ANULUJ", "", NoFlags},
    {"Przycisk_Pomoc", "help.contents", "Quillon Help", "", "Help", -1, "POMOC", "", NoFlags},
    // Strips of the resource tabs
    {"BTN_Edit_Lib", "builtin.edit", "Edit", "", "Edit script from library", -1, "edit", "", ShowsCaption},
    {"ToolbarButton971", "builtin.insert", "Insert", "", "Insert script at the caret position", -1, "insert", "", NoFlags},
    {"BTN_Preview_Built", "builtin.preview", "Preview", "", "Click to see the script from library in action", -1, "PODGLAD", "", ShowsCaption},
    {"BTN_BuilIn_Help", "help.librariesTab", "Help", "", "\"Libraries\" tab help", -1, "POMOC", "", NoFlags},
    {"BTN_AddCateg", "library.addCategory", "Add category", "", "Add category", -1, "add-category", "folder-new", NoFlags},
    {"BTN_Del_Item", "library.deleteItem", "Delete", "", "Delete item", -1, "delete-item", "edit-delete", NoFlags},
    {"BTN_Edit_Script_User", "library.edit", "Edit", "", "Edit script from library", -1, "edit", "", NoFlags | ShowsCaption},
    {"BTN_User_Insert", "library.insert", "Insert", "", "Insert script at the caret position", -1, "insert", "", NoFlags},
    {"BTN_Preview_Script_User", "library.preview", "Preview", "", "Click to see the script from library in action", -1, "PODGLAD", "", NoFlags | ShowsCaption},
    {"BTN_Lang_Expand", "languages.expand", "Expand", "", "Full expand", -1, "expand-all", "", NoFlags},
    {"BTN_Lang_Collapse", "languages.collapse", "Collapse", "", "Full collapse", -1, "collapse-all", "", NoFlags},
    {"BTN_Lang_Help", "help.languagesTab", "Help", "", "\"Languages\" tab help", -1, "POMOC", "", NoFlags},
    {"BTN_Refresh_Func", "elements.refresh", "Refresh", "", "Refresh list of elements", -1, "refresh", "view-refresh", NoFlags | ShowsCaption},
    {"BTN_Func_Jump", "elements.jump", "Jump", "", "Jump to selected element", -1, "jump-line", "go-jump", NoFlags},
    {"BTN_Func_Help", "help.functionsTab", "Help", "", "\"Functions\" tab help", -1, "POMOC", "", NoFlags},
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
    ">MMNU_W_Toolbars", "-", "MMNU_E_WordWrap", "MMNU_View_Full_Screen", "-", "Podgld1", "MMNU_View_PreviewBeside", "Showeditortab1", "-",
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
    {"MMNU_W_Toolbars", "&Toolbars", kToolbarsMenu},
    {"POP_E_View", "View ...", kPopView},
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
    "BTN_Full_Window", "BTN_PreviewBeside",
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

// --- bookmark families -------------------------------------------------------
// Set and Go to bookmark, 0 to 9, in the Edit menu and in the editors'
// bookmark pop-up: four families of ten items told apart by their tag.

struct BookmarkFamily {
    const char *submenu;   // the submenu's id and caption
    const char *caption;
    const char *prefix;    // the items' ids are prefix + digit
    const char *command;
    const char *hint;      // %1 is the digit
};

constexpr BookmarkFamily kBookmarkFamilies[] = {
    {"Setbookmark1", "Set bookmark ...", "Setbookmark1_", "bookmark.set", "Set bookmark %1 at the caret"},
    {"Gotobookmark1", "Go to bookmark ...", "Gotobookmark1_", "bookmark.goto", "Go to bookmark %1"},
    {"POP_B_Set", "Set bookmark ...", "POP_B_Set_", "bookmark.set", "Set bookmark %1 at the caret"},
    {"POP_B_Goto", "Go to bookmark ...", "POP_B_Goto_", "bookmark.goto", "Go to bookmark %1"},
};

/// The table and the layouts with the generated families, made once.
struct Tables {
    std::vector<CommandEntry> actions;
    std::vector<MenuLayout> subMenus;
    std::deque<QByteArray> texts;                      // the generated ids and hints
    std::deque<std::vector<const char *>> itemLists;   // the generated submenus' items

    Tables()
    {
        actions.assign(std::begin(kFixedActions), std::end(kFixedActions));
        subMenus.assign(std::begin(kSubMenus), std::end(kSubMenus));
        for (const BookmarkFamily &family : kBookmarkFamilies) {
            std::vector<const char *> &items = itemLists.emplace_back();
            for (int digit = 0; digit < 10; ++digit) {
                const char *id = texts.emplace_back(QByteArray(family.prefix) + QByteArray::number(digit)).constData();
                const char *caption = texts.emplace_back(QByteArray::number(digit)).constData();
                const char *hint =
                    texts.emplace_back(QByteArray(family.hint).replace("%1", QByteArray::number(digit))).constData();
                actions.push_back({id, family.command, caption, "", hint, digit, "", "", NoFlags});
                items.push_back(id);
            }
            subMenus.push_back({family.submenu, family.caption, items});
        }
    }
};

const Tables &tables()
{
    static const Tables t;
    return t;
}

} // namespace

std::span<const CommandEntry> actionTable()
{
    return tables().actions;
}

const CommandEntry *findCommand(const QString &id)
{
    static const QHash<QString, const CommandEntry *> index = [] {
        QHash<QString, const CommandEntry *> h;
        for (const CommandEntry &entry : tables().actions)
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
    return tables().subMenus;
}

const MenuLayout *findLayout(const QString &id)
{
    for (const MenuLayout &layout : kMainMenu)
        if (id == QLatin1String(layout.id))
            return &layout;
    for (const MenuLayout &layout : tables().subMenus)
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
