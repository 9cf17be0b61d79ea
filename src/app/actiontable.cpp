#include "app/actiontable.h"

#include <QByteArray>
#include <QHash>
#include <QSet>

#include <deque>
#include <iterator>
#include <vector>

namespace {

// --- commands -------------------------------------------------------------------
// One row per command: what its menu item, buttons and pop-up items show
// unless a placement below gives its own caption, hint or icon.

constexpr Command kCommands[] = {
    {"file.new", "&New", "Ctrl+N", "New script", -1, "new", "document-new", NoFlags},
    {"file.open", "&Open", "Ctrl+O", "Open a file in the editor", -1, "open", "document-open", NoFlags},
    {"library.saveScript", "&Save to library", "Ctrl+S", "Save script to user library", -1, "save-library",
     "document-save", NoFlags},
    {"file.save", "Save to &file", "Ctrl+Alt+S", "Save the document to its file, as it came", -1, "save-as",
     "document-save", NoFlags},
    {"file.saveAs", "S&ave as ...", "Ctrl+Shift+S", "Save script to file", -1, "save-as", "document-save-as", NoFlags},
    // The recent files' items: their captions and hints are the files'.
    {"file.recent.1", "Recent file 1", "", "Open a file opened or saved lately", 0, "", "", NoFlags},
    {"file.recent.2", "Recent file 2", "", "Open a file opened or saved lately", 1, "", "", NoFlags},
    {"file.recent.3", "Recent file 3", "", "Open a file opened or saved lately", 2, "", "", NoFlags},
    {"file.recent.4", "Recent file 4", "", "Open a file opened or saved lately", 3, "", "", NoFlags},
    {"file.recent.5", "Recent file 5", "", "Open a file opened or saved lately", 4, "", "", NoFlags},
    {"file.recent.6", "Recent file 6", "", "Open a file opened or saved lately", 5, "", "", NoFlags},
    {"file.recent.7", "Recent file 7", "", "Open a file opened or saved lately", 6, "", "", NoFlags},
    {"file.recent.8", "Recent file 8", "", "Open a file opened or saved lately", 7, "", "", NoFlags},
    {"file.printerSetup", "Printer setup ...", "", "Print settings", -1, "printer-setup", "document-page-setup",
     NoFlags},
    {"file.print", "&Print", "Ctrl+P", "Print current script", -1, "print", "document-print", NoFlags},
    {"app.close", "&Exit", "Alt+F4", "Close program", -1, "exit", "application-exit", NoFlags},
    {"edit.undo", "&Undo", "Ctrl+Z", "Undo last action", -1, "undo", "edit-undo", NoFlags},
    {"edit.redo", "&Redo", "Ctrl+Shift+Z", "Redo last undone action", -1, "redo", "edit-redo", NoFlags},
    {"edit.cut", "&Cut", "Ctrl+X", "Cut selected text to the Clipboard", -1, "cut", "edit-cut", NoFlags},
    {"edit.copy", "Co&py", "Ctrl+C", "Copy selected text to the Clipboard", -1, "copy", "edit-copy", NoFlags},
    {"edit.paste", "Pa&ste", "Ctrl+V", "Paste a text from the Clipboard", -1, "paste", "edit-paste", NoFlags},
    {"edit.selectAll", "Select all", "Ctrl+A", "Select the whole text", -1, "select-all", "edit-select-all", NoFlags},
    {"edit.indent", "&Indent", "Ctrl+Space", "Indent selected lines", -1, "indent", "format-indent-more", NoFlags},
    {"edit.unindent", "&Unindent", "Ctrl+Shift+Space", "Unindent selected lines", -1, "unindent", "format-indent-less",
     NoFlags},
    {"search.find", "&Find ...", "Ctrl+F", "Find a text", -1, "find", "edit-find", NoFlags},
    {"search.findNext", "Find next", "F3", "Find next occurence", -1, "find-next", "", NoFlags},
    {"doctor.nextError", "Next &error", "F4", "Go to the next syntax error in the script", -1, "", "", NoFlags},
    {"doctor.previousError", "Pre&vious error", "Shift+F4", "Go to the previous syntax error in the script", -1, "", "",
     NoFlags},
    {"doctor.fixAllSafe", "Fix all safe ones", "", "Make every fix of old browser code that is safe, as one undo step",
     -1, "", "", NoFlags},
    {"search.replace", "&Replace", "Ctrl+H", "Find and replace", -1, "replace", "edit-find-replace", NoFlags},
    {"search.jumpToLine", "Jump to line ...", "Ctrl+G", "Jump to line with specified number", -1, "jump-line",
     "go-jump", NoFlags},
    {"html.format.bold", "&Bold", "Ctrl+B", "Bold text", 1, "bold", "format-text-bold", NoFlags},
    {"html.format.italic", "&Italic", "Ctrl+I", "Italic text", 2, "italic", "format-text-italic", NoFlags},
    {"html.format.underline", "&Underline", "Ctrl+U", "Underline text", 3, "underline", "format-text-underline",
     NoFlags},
    {"html.format.strike", "&Strike", "", "Strike text", 4, "strike", "format-text-strikethrough", NoFlags},
    {"html.format.left", "Align &left", "Ctrl+L", "Align left", 5, "align-left", "format-justify-left", NoFlags},
    {"html.format.center", "Align &center", "Ctrl+E", "Center", 6, "center", "format-justify-center", NoFlags},
    {"html.format.right", "Align &right", "Ctrl+R", "Align right", 7, "align-right", "format-justify-right", NoFlags},
    {"html.format.pre", "&Preformated", "", "Preformated text", 8, "pre", "", NoFlags},
    {"html.formBuilder", "&Form builder", "Ctrl+Shift+F", "Form builder", -1, "form-builder", "", NoFlags},
    {"html.selectList", "List &of choices", "Ctrl+Shift+L", "Scrolling list of choices", -1, "select-list", "",
     NoFlags},
    {"html.textarea", "&Textarea", "Ctrl+Shift+T", "Textarea", -1, "textarea", "", NoFlags},
    {"html.otherElements", "Other form elements", "Ctrl+Shift+E", "Other form elements", -1, "form-other", "", NoFlags},
    {"script.window", "Open new window", "Ctrl+Shift+W", "Open new window", -1, "window", "", NoFlags},
    {"script.dialogBoxes", "Dialog boxes", "Ctrl+D", "Dialog boxes", -1, "dialog", "", NoFlags},
    {"script.template.header", "Script header", "Ctrl+F1", "Script header", 1, "script-header", "", NoFlags},
    {"script.template.noscript", "<NOSCRIPT> tag", "Ctrl+Shift+N", "<NOSCRIPT> tag", 6, "noscript", "", NoFlags},
    {"script.template.comments", "Comments", "Ctrl+Shift+K", "Comments", 7, "comments", "", NoFlags},
    {"script.template.function", "Function template", "Ctrl+F2", "Function template", 2, "function", "", NoFlags},
    {"script.template.for", "\"for\" loop", "Ctrl+F3", "\"for...\" loop", 3, "for", "", NoFlags},
    {"script.template.while", "\"while\" loop", "Ctrl+F4", "\"while\" loop", 9, "while", "", NoFlags},
    {"script.template.with", "\"with\"", "Ctrl+F5", "\"with\"", 10, "with", "", NoFlags},
    {"script.template.if", "\"if\" condition", "Ctrl+F6", "\"If...\" condition", 4, "if", "", NoFlags},
    {"script.template.else", "\"if..else\" condition", "Ctrl+F7", "\"If...Else\" condition", 5, "else", "", NoFlags},
    {"script.template.switch", "\"switch\" condition", "Ctrl+F8", "\"switch\"", 11, "switch", "", NoFlags},
    {"script.template.docwrite", "Quick \"document.write()\"", "Ctrl+F9", "document.write()", 8, "docwrite", "",
     NoFlags},
    {"view.mainToolbar", "Main toolbar", "", "Main toolbar on/off", -1, "", "", Checkable | Checked},
    {"view.scriptToolbar", "Scripting toolbar", "", "Scripting toolbar on/off", -1, "", "", Checkable | Checked},
    {"view.htmlToolbar", "HTML toolbar", "", "HTML toolbar on/off", -1, "", "", Checkable | Checked},
    {"view.wordWrap", "Wordwrap", "", "Wordwrap on/off", -1, "wordwrap", "", Checkable},
    {"view.resourceTabs", "Resource tabs", "F9", "Resource tab on/off", -1, "resource-tabs", "", Checkable | Checked},
    {"preview.editors", "See the scri&pt in action!", "F11", "Preview", -1, "PODGLAD", "", NoFlags},
    {"view.previewBeside", "Preview &beside editors", "Ctrl+F11",
     "Preview beside the editors, following every change, on/off", -1, "preview-beside", "", Checkable},
    {"view.editorTab", "Show editor &tab", "F12", "Show the editor tab", -1, "JSKRYPT", "", NoFlags},
    {"view.nextPane", "Ne&xt pane", "F6", "Move the keyboard focus to the next part of the window", -1, "", "",
     NoFlags},
    {"view.previousPane", "Pre&vious pane", "Shift+F6", "Move the keyboard focus to the previous part of the window",
     -1, "", "", NoFlags},
    {"view.nextResourceTab", "&Next resource tab", "Ctrl+PgDown",
     "Show the next resource tab (while the focus is in the resource tabs)", -1, "", "", PartShortcut},
    {"view.previousResourceTab", "Previous reso&urce tab", "Ctrl+PgUp",
     "Show the previous resource tab (while the focus is in the resource tabs)", -1, "", "", PartShortcut},
    {"editor.settings", "&Settings ...", "F8", "Editor settings", -1, "settings", "preferences-other", NoFlags},
    {"help.contents", "&Help", "F1", "Help file", -1, "help-contents", "help-contents", NoFlags},
    {"help.keywordSearch", "&Keyword search", "", "Keyword search", -1, "find", "", NoFlags},
    {"help.helpOnHelp", "Help &on help", "", "How to use help?", -1, "POMOC", "", NoFlags},
    {"help.shortcuts", "Ke&yboard shortcuts", "F10", "List of all keyboard shortcuts", -1, "keyboard", "", NoFlags},
    {"help.about", "&About ...", "", "About program", -1, "about", "help-about", NoFlags},
    {"clipboard.fromEditors", "Copy script from &editor", "", "Copy the script in the editors to the clipboard", -1,
     "copy", "", NoFlags},
    {"file.insertIntoPage", "&Insert into page ...", "", "Put the script into an HTML page, after showing the change",
     -1, "DOKUMENT", "", NoFlags},
    {"clipboard.fromLibrary", "Copy script from &library", "", "Copy the script selected in a library to the clipboard",
     -1, "JSKRYPT", "", NoFlags},
    {"preview.editorsInDefaultBrowser", "default system browser", "", "Preview in the default system browser", -1,
     "OKNO", "", NoFlags},
    {"preview.editorsInBrowser.1", "Microsoft Internet Explorer", "", "Preview in Internet Explorer", 1, "", "",
     NoFlags},
    {"preview.editorsInBrowser.2", "Netscape Navigator", "", "Preview in Netscape Navigator", 2, "", "", NoFlags},
    {"preview.chooseBrowsers", "Browsers ...", "", "Choose the two browsers offered here", -1, "", "", NoFlags},
    {"preview.libraryInDefaultBrowser", "default system browser", "", "Preview in the default system browser", -1,
     "OKNO", "", NoFlags},
    {"preview.libraryInBrowser.1", "Microsoft Internet Explorer", "", "Preview in Internet Explorer", 1, "", "",
     NoFlags},
    {"preview.libraryInBrowser.2", "Netscape Navigator", "", "Preview in Netscape Navigator", 2, "", "", NoFlags},
    {"builtin.edit", "Edit", "", "Edit script from library", -1, "edit", "", NoFlags},
    {"builtin.insert", "Insert", "", "Insert script at the caret position", -1, "insert", "", NoFlags},
    {"builtin.preview", "Preview", "", "Click to see the script from library in action", -1, "PODGLAD", "", NoFlags},
    {"help.librariesTab", "Help", "", "\"Libraries\" tab help", -1, "POMOC", "", NoFlags},
    {"library.addCategory", "Add category", "", "Add category", -1, "add-category", "folder-new", NoFlags},
    {"library.deleteItem", "Delete", "", "Delete item", -1, "delete-item", "edit-delete", NoFlags},
    {"library.edit", "Edit", "", "Edit script from library", -1, "edit", "", NoFlags},
    {"library.insert", "Insert", "", "Insert script at the caret position", -1, "insert", "", NoFlags},
    {"library.preview", "Preview", "", "Click to see the script from library in action", -1, "PODGLAD", "", NoFlags},
    {"library.find", "Find in &libraries", "Ctrl+J", "Find scripts by name or text in both libraries", -1, "find",
     "edit-find", NoFlags},
    {"library.rename", "&Rename", "", "Rename the selected script or category", -1, "", "edit-rename", NoFlags},
    {"library.duplicate", "D&uplicate", "", "Copy the selected script under a new name", -1, "", "edit-copy", NoFlags},
    {"library.export", "E&xport ...", "", "Export the selected scripts or categories to an archive file", -1, "",
     "document-export", NoFlags},
    {"library.exportAll", "Export &library ...", "", "Export the whole user library to an archive file", -1, "",
     "document-export", NoFlags},
    {"library.import", "I&mport ...", "", "Import the scripts of an archive file into the user library", -1, "",
     "document-import", NoFlags},
    {"languages.expand", "Expand", "", "Full expand", -1, "expand-all", "", NoFlags},
    {"languages.collapse", "Collapse", "", "Full collapse", -1, "collapse-all", "", NoFlags},
    {"help.languagesTab", "Help", "", "\"Languages\" tab help", -1, "POMOC", "", NoFlags},
    {"elements.refresh", "Refresh", "", "Refresh list of elements", -1, "refresh", "view-refresh", NoFlags},
    {"elements.jump", "Jump", "", "Jump to selected element", -1, "jump-line", "go-jump", NoFlags},
    {"help.functionsTab", "Help", "", "\"Functions\" tab help", -1, "POMOC", "", NoFlags},
    {"help.doctor", "Help", "", "The script doctor's help", -1, "POMOC", "", NoFlags},
};

// --- menus ----------------------------------------------------------------------

constexpr CommandPlacement kFileMenu[] = {
    {.id = "MMNU_F_New", .command = "file.new"},
    kSeparator,
    {.id = "MMNU_F_Open", .command = "file.open"},
    {.id = "MMNU_F_Zapisz", .command = "library.saveScript"},
    {.id = "MMNU_F_Save", .command = "file.save"},
    {.id = "MMNU_F_SaveAs", .command = "file.saveAs"},
    {.id = "MMNU_F_InsertIntoPage", .command = "file.insertIntoPage"},
    {">MMNU_F_Recent"},
    kSeparator,
    {.id = "MMNU_P_PrintSettings", .command = "file.printerSetup"},
    {.id = "MMNU_P_Print", .command = "file.print"},
    kSeparator,
    {.id = "MMNU_F_Exit", .command = "app.close"},
};
constexpr CommandPlacement kRecentMenu[] = {
    {.id = "MMNU_F_Recent1", .command = "file.recent.1", .flags = Hidden},
    {.id = "MMNU_F_Recent2", .command = "file.recent.2", .flags = Hidden},
    {.id = "MMNU_F_Recent3", .command = "file.recent.3", .flags = Hidden},
    {.id = "MMNU_F_Recent4", .command = "file.recent.4", .flags = Hidden},
    {.id = "MMNU_F_Recent5", .command = "file.recent.5", .flags = Hidden},
    {.id = "MMNU_F_Recent6", .command = "file.recent.6", .flags = Hidden},
    {.id = "MMNU_F_Recent7", .command = "file.recent.7", .flags = Hidden},
    {.id = "MMNU_F_Recent8", .command = "file.recent.8", .flags = Hidden},
};
constexpr CommandPlacement kEditMenu[] = {
    {.id = "MMNU_E_Undo", .command = "edit.undo"},
    {.id = "MMNU_E_REDO", .command = "edit.redo"},
    kSeparator,
    {.id = "MMNU_E_Cut", .command = "edit.cut"},
    {.id = "MMNU_E_Copy", .command = "edit.copy"},
    {.id = "MMNU_E_Paste", .command = "edit.paste"},
    {.id = "MMNU_E_SelectAll", .command = "edit.selectAll"},
    kSeparator,
    {.id = "MMNU_E_Indent", .command = "edit.indent"},
    {.id = "MMNU_E_UnIndent", .command = "edit.unindent"},
    kSeparator,
    {">Setbookmark1"},
    {">Gotobookmark1"},
    kSeparator,
    {.id = "MMNU_E_ClipEditor", .command = "clipboard.fromEditors"},
    {.id = "MMNU_E_ClipLibrary", .command = "clipboard.fromLibrary"},
};
constexpr CommandPlacement kSearchMenu[] = {
    {.id = "MMNU_F_Find", .command = "search.find"},
    {.id = "MMNU_F_FindA", .command = "search.findNext"},
    {.id = "MMNU_F_Replace", .command = "search.replace"},
    kSeparator,
    {.id = "MMNU_Search_Jump", .command = "search.jumpToLine"},
    kSeparator,
    {.id = "MMNU_Search_NextError", .command = "doctor.nextError"},
    {.id = "MMNU_Search_PreviousError", .command = "doctor.previousError"},
};
constexpr CommandPlacement kHtmlMenu[] = {
    {.id = "MMNU_HTML_Bold", .command = "html.format.bold"},
    {.id = "MMNU_HTML_Italic", .command = "html.format.italic"},
    {.id = "MMNU_HTML_Underline", .command = "html.format.underline"},
    {.id = "MMNU_HTML_Strike", .command = "html.format.strike"},
    kSeparator,
    {.id = "MMNU_HTML_Left", .command = "html.format.left"},
    {.id = "MMNU_HTML_Center", .command = "html.format.center"},
    {.id = "MMNU_HTML_Right", .command = "html.format.right"},
    {.id = "MMNU_HTML_Pre", .command = "html.format.pre"},
    kSeparator,
    {.id = "MMNU_HTML_FormB", .command = "html.formBuilder"},
    {.id = "MMNU_HTML_List", .command = "html.selectList"},
    {.id = "MMNU_HTML_TextArea", .command = "html.textarea"},
    {.id = "MMNU_HTML_Other", .command = "html.otherElements"},
};
constexpr CommandPlacement kScriptMenu[] = {
    {.id = "MMNU_N_Window", .command = "script.window"},
    {.id = "MMNU_N_Dialog", .command = "script.dialogBoxes"},
    kSeparator,
    {.id = "MMNU_N_Script", .command = "script.template.header"},
    {.id = "MMNU_N_NoScript", .command = "script.template.noscript"},
    {.id = "MMNU_N_Comments", .command = "script.template.comments"},
    kSeparator,
    {.id = "MMNU_N_Func", .command = "script.template.function"},
    {.id = "MMNU_N_FOR", .command = "script.template.for"},
    {.id = "MMNU_N_While", .command = "script.template.while"},
    {.id = "MMNU_N_With", .command = "script.template.with"},
    kSeparator,
    {.id = "MMNU_N_IF", .command = "script.template.if"},
    {.id = "MMNU_N_ELSE", .command = "script.template.else"},
    {.id = "MMNU_N_Switch", .command = "script.template.switch"},
    {.id = "MMNU_N_DocWrite", .command = "script.template.docwrite"},
};
constexpr CommandPlacement kViewMenu[] = {
    {">MMNU_W_Toolbars"},
    kSeparator,
    {.id = "MMNU_E_WordWrap", .command = "view.wordWrap"},
    {.id = "MMNU_View_Full_Screen", .command = "view.resourceTabs"},
    kSeparator,
    {.id = "Podgld1", .command = "preview.editors"},
    {.id = "MMNU_View_PreviewBeside", .command = "view.previewBeside"},
    {.id = "Showeditortab1", .command = "view.editorTab"},
    {.id = "MMNU_View_FindLibrary", .command = "library.find"},
    {.id = "MMNU_View_NextPane", .command = "view.nextPane"},
    {.id = "MMNU_View_PreviousPane", .command = "view.previousPane"},
    {.id = "MMNU_View_NextResourceTab", .command = "view.nextResourceTab"},
    {.id = "MMNU_View_PreviousResourceTab", .command = "view.previousResourceTab"},
    kSeparator,
    {.id = "MMNU_E_Settings", .command = "editor.settings"},
};
// The commands of both libraries' strips and pop-up menus, for the
// keyboard: each acts on the selection of its library's tree.  The keys
// shown are those of the trees.
constexpr CommandPlacement kLibraryMenu[] = {
    {.id = "MMNU_L_Find", .command = "library.find", .caption = "&Find in libraries"},
    {.id = "MMNU_L_Clip", .command = "clipboard.fromLibrary"},
    kSeparator,
    {.id = "MMNU_L_UserEdit", .command = "library.edit", .caption = "&Edit user script\tEnter"},
    {.id = "MMNU_L_UserInsert", .command = "library.insert", .caption = "&Insert user script"},
    {.id = "MMNU_L_UserPreview", .command = "library.preview", .caption = "&Preview user script"},
    {.id = "MMNU_L_Rename", .command = "library.rename", .caption = "&Rename\tF2"},
    {.id = "MMNU_L_Duplicate", .command = "library.duplicate"},
    {.id = "MMNU_L_Delete", .command = "library.deleteItem", .caption = "&Delete\tDel"},
    {.id = "MMNU_L_AddCategory", .command = "library.addCategory", .caption = "Add &category"},
    kSeparator,
    {.id = "MMNU_L_Export", .command = "library.export"},
    {.id = "MMNU_L_ExportAll", .command = "library.exportAll", .caption = "Export the whole librar&y ..."},
    {.id = "MMNU_L_Import", .command = "library.import"},
    kSeparator,
    {.id = "MMNU_L_BuiltInEdit", .command = "builtin.edit", .caption = "Edit &built-in script"},
    {.id = "MMNU_L_BuiltInInsert", .command = "builtin.insert", .caption = "Insert built-i&n script"},
    {.id = "MMNU_L_BuiltInPreview", .command = "builtin.preview", .caption = "Previe&w built-in script"},
};
constexpr CommandPlacement kHelpMenu[] = {
    {.id = "MMNU_H_Help", .command = "help.contents"},
    {.id = "MMNU_P_Search", .command = "help.keywordSearch"},
    {.id = "MMNU_P_Using", .command = "help.helpOnHelp"},
    {.id = "MMNU_HLP_Keys", .command = "help.shortcuts"},
    kSeparator,
    {.id = "MMNU_P_About", .command = "help.about"},
};

constexpr MenuLayout kMainMenu[] = {
    {"MMNU_File", "&File", kFileMenu},      {"MMNU_Edit", "&Edit", kEditMenu},
    {"MMNU_Find", "&Search", kSearchMenu},  {"MMNU_HTML", "H&TML", kHtmlMenu},
    {"MMNU_Tools", "S&cript", kScriptMenu}, {"MMNU_Library", "&Library", kLibraryMenu},
    {"MMNU_View", "&View", kViewMenu},      {"MMNU_Help", "&Help", kHelpMenu},
};

constexpr CommandPlacement kToolbarsMenu[] = {
    {.id = "MMNU_W_MainToolbar", .command = "view.mainToolbar"},
    {.id = "MMNU_W_ScriptToolbar", .command = "view.scriptToolbar"},
    {.id = "MMNU_V_HTMLToolbar", .command = "view.htmlToolbar"},
};
constexpr CommandPlacement kPopView[] = {
    {.id = "POP_Full_Editor", .command = "view.resourceTabs", .icon = "", .theme = ""},
    kSeparator,
    {.id = "POP_E_Pasek", .command = "view.mainToolbar"},
    {.id = "POP_E_PasekJS", .command = "view.scriptToolbar"},
    {.id = "POP_E_PasekHTML", .command = "view.htmlToolbar"},
};
constexpr CommandPlacement kPopMenu[] = {
    {">POP_E_View"},
    kSeparator,
    {.id = "PMNU_Undo", .command = "edit.undo"},
    {.id = "PMNU_Redo", .command = "edit.redo"},
    kSeparator,
    {.id = "PMNU_Wytnij", .command = "edit.cut"},
    {.id = "PMNU_Kopiuj", .command = "edit.copy"},
    {.id = "PMNU_Wklej", .command = "edit.paste", .caption = "Past&e"},
    {.id = "POP_E_SelectAll", .command = "edit.selectAll"},
    kSeparator,
    {.id = "Wcicie1", .command = "edit.indent", .caption = "Indent", .shortcut = "Alt+Space"},
    {.id = "Cofnijwcicie1", .command = "edit.unindent", .caption = "Unindent", .shortcut = "Shift+Alt+Space"},
    kSeparator,
    {.id = "POP_Podglad", .command = "preview.editors", .caption = "Pre&view"},
};
constexpr CommandPlacement kPopBookmarks[] = {
    {">POP_B_Set"},
    {">POP_B_Goto"},
    kSeparator,
    {.id = "Wordwrap1", .command = "view.wordWrap"},
};
constexpr CommandPlacement kPopClip[] = {
    {.id = "POP_Clip_Editor", .command = "clipboard.fromEditors", .flags = DefaultItem},
    {.id = "POP_Clip_Library", .command = "clipboard.fromLibrary"},
    kSeparator,
    {.id = "POP_Clip_Page", .command = "file.insertIntoPage"},
};
constexpr CommandPlacement kPopPrevEd[] = {
    {.id = "POP_Prev_Ed_System", .command = "preview.editorsInDefaultBrowser"},
    {"-POP_Prev_Ed_Kreska"},
    {.id = "POP_Prev_Ed_Msie", .command = "preview.editorsInBrowser.1", .flags = Hidden},
    {.id = "POP_Prev_Ed_NN", .command = "preview.editorsInBrowser.2", .flags = Hidden},
    {.id = "POP_Prev_Ed_Browsers", .command = "preview.chooseBrowsers", .flags = Hidden},
};
constexpr CommandPlacement kPopPrev[] = {
    {.id = "POP_PRev_System", .command = "preview.libraryInDefaultBrowser"},
    {"-PMNU_Prev_Kreska"},
    {.id = "PMNU_Prev_MSIE", .command = "preview.libraryInBrowser.1", .flags = Hidden},
    {.id = "PMNU_Prev_NN", .command = "preview.libraryInBrowser.2", .flags = Hidden},
    {.id = "PMNU_Prev_Browsers", .command = "preview.chooseBrowsers", .flags = Hidden},
};
// The libraries' trees, on a right click, the Menu key or Shift+F10.  The
// keys the trees take themselves are shown after a tab.
constexpr CommandPlacement kPopUserLib[] = {
    {.id = "POP_User_Edit", .command = "library.edit", .caption = "&Edit\tEnter", .flags = DefaultItem},
    {.id = "POP_User_Insert", .command = "library.insert", .caption = "&Insert"},
    {.id = "POP_User_Preview", .command = "library.preview", .caption = "&Preview"},
    {.id = "POP_User_Clip", .command = "clipboard.fromLibrary", .caption = "&Copy to clipboard"},
    kSeparator,
    {.id = "POP_User_Rename", .command = "library.rename", .caption = "&Rename\tF2"},
    {.id = "POP_User_Duplicate", .command = "library.duplicate"},
    {.id = "POP_User_Delete", .command = "library.deleteItem", .caption = "&Delete\tDel"},
    kSeparator,
    {.id = "POP_User_AddCateg", .command = "library.addCategory", .caption = "&New category"},
    kSeparator,
    {.id = "POP_User_Export", .command = "library.export"},
    {.id = "POP_User_ExportAll", .command = "library.exportAll"},
    {.id = "POP_User_Import", .command = "library.import"},
};
constexpr CommandPlacement kPopBuiltInLib[] = {
    {.id = "POP_Built_Edit", .command = "builtin.edit", .caption = "&Edit", .flags = DefaultItem},
    {.id = "POP_Built_Insert", .command = "builtin.insert", .caption = "&Insert"},
    {.id = "POP_Built_Preview", .command = "builtin.preview", .caption = "&Preview"},
    {.id = "POP_Built_Clip", .command = "clipboard.fromLibrary", .caption = "&Copy to clipboard"},
};

constexpr MenuLayout kSubMenus[] = {
    {"MMNU_F_Recent", "&Recent files", kRecentMenu, MenuLayout::Menu, "Open one of the files opened or saved lately"},
    {"MMNU_W_Toolbars", "&Toolbars", kToolbarsMenu, MenuLayout::Menu, "Show or hide the toolbars"},
    {"POP_E_View", "View ...", kPopView, MenuLayout::Menu, "Show or hide parts of the window"},
    {"POPMENU", "", kPopMenu},
    {"POP_Bookmarks", "", kPopBookmarks},
    {"POP_Clip", "", kPopClip},
    {"POP_PRev_Ed", "", kPopPrevEd},
    {"Pop_Prev", "", kPopPrev},
    {"POP_UserLib", "", kPopUserLib},
    {"POP_BuiltInLib", "", kPopBuiltInLib},
};

// --- toolbars, button strips and the right panel -----------------------------------

constexpr CommandPlacement kMainToolbar[] = {
    {.id = "BTN_Nowy", .command = "file.new", .caption = "New"},
    {.id = "BTN_OpenF", .command = "file.open", .caption = "Open"},
    {.id = "BTN_Zapisz", .command = "library.saveScript", .caption = "Save", .hint = "Save script to the library"},
    {.id = "BTN_Save_As", .command = "file.saveAs", .caption = "Save as", .hint = "Save script as ..."},
    {.id = "BTN_Drukuj", .command = "file.print", .caption = "Print", .hint = "Print script"},
    kSeparator,
    {.id = "BTN_Undo", .command = "edit.undo", .caption = "Undo", .hint = "Undo"},
    {.id = "BTN_Redo", .command = "edit.redo", .caption = "Redo", .hint = "Redo"},
    kSeparator,
    {.id = "BTN_Wytnij", .command = "edit.cut", .caption = "Cut"},
    {.id = "BTN_Kopiuj", .command = "edit.copy", .caption = "Copy"},
    {.id = "BTN_Wklej", .command = "edit.paste", .caption = "Paste"},
    kSeparator,
    {.id = "BTN_Znajdz", .command = "search.find", .caption = "Find"},
    {.id = "BTN_Zamien", .command = "search.replace", .caption = "Replace"},
    {.id = "BTN_Idz_Do_L", .command = "search.jumpToLine", .caption = "Jump to line", .hint = "Jump to selected line"},
    kSeparator,
    {.id = "Przycisk_Ustawienia", .command = "editor.settings", .caption = "Settings", .hint = "Highlighting settings"},
    {.id = "BTN_Zawijanie", .command = "view.wordWrap", .hint = "Wordwrap"},
    kSeparator,
    {.id = "BTN_Full_Window", .command = "view.resourceTabs", .hint = "Resource tabs on/off"},
    {.id = "BTN_PreviewBeside", .command = "view.previewBeside", .caption = "Preview beside editors", .hint = "Preview beside the editors on/off"},
};
constexpr CommandPlacement kScriptToolbar[] = {
    {.id = "Przycisk_JS_Okno", .command = "script.window"},
    {.id = "Przycisk_JS_Alert", .command = "script.dialogBoxes"},
    {.id = "BTN_Script", .command = "script.template.header"},
    {.id = "BTN_NoScript", .command = "script.template.noscript"},
    {.id = "BTN_Comments", .command = "script.template.comments"},
    kSeparator,
    {.id = "BTN_Func", .command = "script.template.function"},
    {.id = "BTN_For", .command = "script.template.for", .caption = "\"for...\" loop"},
    {.id = "BTN_While", .command = "script.template.while"},
    {.id = "BTN_With", .command = "script.template.with"},
    kSeparator,
    {.id = "BTN_If", .command = "script.template.if", .caption = "\"If...\" condition"},
    {.id = "BTN_Else", .command = "script.template.else", .caption = "\"If...Else\" condition"},
    {.id = "BTN_Switch", .command = "script.template.switch", .caption = "\"switch\""},
    {.id = "BTN_DocWrite", .command = "script.template.docwrite", .caption = "document.write()"},
};
constexpr CommandPlacement kHtmlToolbar[] = {
    {.id = "Przycisk_Formy", .command = "html.formBuilder", .caption = "Form builder"},
    {.id = "Przycisk_FSelect", .command = "html.selectList", .caption = "List of choices", .hint = "List of choices"},
    {.id = "Przycisk_FText", .command = "html.textarea", .caption = "Textarea"},
    {.id = "Przycisk_FInne", .command = "html.otherElements", .hint = "Inne elementy formularzy"},
    kSeparator,
    {.id = "Przycisk_Bold", .command = "html.format.bold", .caption = "Bold", .hint = "Bold"},
    {.id = "Przycisk_Italic", .command = "html.format.italic", .caption = "Italic", .hint = "Italic"},
    {.id = "Przycisk_Underline", .command = "html.format.underline", .caption = "Underline", .hint = "Underline"},
    {.id = "BTN_Przekreslenie", .command = "html.format.strike", .caption = "Crossed out", .hint = "Crossed out"},
    kSeparator,
    {.id = "Przycisk_DoLewej", .command = "html.format.left", .caption = "Align left"},
    {.id = "Przycisk_Center", .command = "html.format.center", .caption = "Center"},
    {.id = "Przycisk_DoPrawej", .command = "html.format.right", .caption = "Align right"},
    {.id = "Przycisk_Czcionka_Pre", .command = "html.format.pre", .caption = "Preformated text"},
};
constexpr CommandPlacement kUserStrip[] = {
    {.id = "BTN_AddCateg", .command = "library.addCategory"},
    {.id = "BTN_Del_Item", .command = "library.deleteItem"},
    kSeparator,
    {.id = "BTN_Edit_Script_User", .command = "library.edit", .flags = ShowsCaption},
    {.id = "BTN_User_Insert", .command = "library.insert"},
    {.id = "BTN_Preview_Script_User", .command = "library.preview", .flags = ShowsCaption},
};
constexpr CommandPlacement kBuiltInStrip[] = {
    {.id = "BTN_Edit_Lib", .command = "builtin.edit", .flags = ShowsCaption},
    {.id = "ToolbarButton971", .command = "builtin.insert"},
    {.id = "BTN_Preview_Built", .command = "builtin.preview", .flags = ShowsCaption},
    kSeparator,
    {.id = "BTN_BuilIn_Help", .command = "help.librariesTab"},
};
constexpr CommandPlacement kLanguagesStrip[] = {
    {.id = "BTN_Lang_Expand", .command = "languages.expand"},
    {.id = "BTN_Lang_Collapse", .command = "languages.collapse"},
    kSeparator,
    {.id = "BTN_Lang_Help", .command = "help.languagesTab"},
};
constexpr CommandPlacement kFunctionsStrip[] = {
    {.id = "BTN_Refresh_Func", .command = "elements.refresh", .flags = ShowsCaption},
    {.id = "BTN_Func_Jump", .command = "elements.jump"},
    kSeparator,
    {.id = "BTN_Func_Help", .command = "help.functionsTab"},
};
constexpr CommandPlacement kProblemsStrip[] = {
    {.id = "BTN_Problems_FixAll", .command = "doctor.fixAllSafe", .flags = ShowsCaption},
    kSeparator,
    {.id = "BTN_Problems_Help", .command = "help.doctor"},
};
constexpr CommandPlacement kRightPanel[] = {
    {.id = "Przycisk_OK", .command = "preview.editorsInDefaultBrowser", .caption = "Preview edited", .hint = "Click to see the script from editor in action", .icon = "preview-edited", .theme = ""},
    {.id = "BTN_DoSchowka", .command = "clipboard.fromEditors", .caption = "Copy to clipboard", .hint = "Copy script to the clipboard", .icon = "clipboard", .theme = "edit-paste"},
    {.id = "Przycisk_Anuluj", .command = "app.close", .caption = "Close", .icon = "ANULUJ", .theme = ""},
    {.id = "Przycisk_Pomoc", .command = "help.contents", .caption = "Quillon Help", .hint = "Help", .icon = "POMOC", .theme = ""},
};

constexpr MenuLayout kBars[] = {
    {"MainToolbar", "", kMainToolbar, MenuLayout::Bar},
    {"ScriptToolbar", "", kScriptToolbar, MenuLayout::Bar},
    {"HTMLToolbar", "", kHtmlToolbar, MenuLayout::Bar},
    {"PNL_UserStrip", "", kUserStrip, MenuLayout::Bar},
    {"PNL_BuiltInStrip", "", kBuiltInStrip, MenuLayout::Bar},
    {"PNL_LanguagesStrip", "", kLanguagesStrip, MenuLayout::Bar},
    {"PNL_FunctionsStrip", "", kFunctionsStrip, MenuLayout::Bar},
    {"PNL_ProblemsStrip", "", kProblemsStrip, MenuLayout::Bar},
    {"Panel3", "", kRightPanel, MenuLayout::Bar},
};

// --- bookmark families -------------------------------------------------------
// Set and Go to bookmark, 0 to 9: twenty commands of two families, placed in
// the Edit menu's submenus and in the editors' bookmark pop-up.

struct BookmarkFamily {
    const char *command;   // the family; its members are command + "." + digit
    const char *hint;      // %1 is the digit
    const char *icon;      // the submenus'
    const char *submenuHint;
    const char *submenus[2];  // the submenus' ids, in the Edit menu and in the pop-up
    const char *prefixes[2];  // their items' ids are prefix + digit
};

constexpr BookmarkFamily kBookmarkFamilies[] = {
    {"bookmark.set", "Set bookmark %1 at the caret", "set-bookmark", "Set a bookmark at the caret",
     {"Setbookmark1", "POP_B_Set"}, {"Setbookmark1_", "POP_B_Set_"}},
    {"bookmark.goto", "Go to bookmark %1", "goto-bookmark", "Move the caret to a bookmark",
     {"Gotobookmark1", "POP_B_Goto"}, {"Gotobookmark1_", "POP_B_Goto_"}},
};
constexpr const char *kBookmarkSubmenuCaptions[] = {"Set bookmark ...", "Go to bookmark ..."};

/// The commands, the layouts and every placement resolved, made once.
struct Tables {
    std::vector<Command> commands;
    std::vector<MenuLayout> subMenus;
    std::vector<CommandEntry> entries;
    std::deque<QByteArray> texts;                          // generated keys, ids, captions and hints
    std::deque<std::vector<CommandPlacement>> itemLists;   // the generated submenus' items

    Tables()
    {
        commands.assign(std::begin(kCommands), std::end(kCommands));
        subMenus.assign(std::begin(kSubMenus), std::end(kSubMenus));
        addBookmarkFamilies();
        resolvePlacements();
    }

    const char *keep(const QByteArray &text) { return texts.emplace_back(text).constData(); }

    void addBookmarkFamilies()
    {
        for (std::size_t f = 0; f < std::size(kBookmarkFamilies); ++f) {
            const BookmarkFamily &family = kBookmarkFamilies[f];
            const char *keys[10];
            for (int digit = 0; digit < 10; ++digit) {
                const QByteArray number = QByteArray::number(digit);
                keys[digit] = keep(QByteArray(family.command) + '.' + number);
                commands.push_back({keys[digit], keep(number), "", keep(QByteArray(family.hint).replace("%1", number)),
                                    digit, "", "", NoFlags});
            }
            for (int place = 0; place < 2; ++place) {
                std::vector<CommandPlacement> &items = itemLists.emplace_back();
                for (int digit = 0; digit < 10; ++digit)
                    items.push_back({.id = keep(QByteArray(family.prefixes[place]) + QByteArray::number(digit)),
                                     .command = keys[digit]});
                subMenus.push_back({family.submenus[place], kBookmarkSubmenuCaptions[f], items, MenuLayout::Menu,
                                    family.submenuHint, family.icon});
            }
        }
    }

    const MenuLayout *layout(const char *id) const
    {
        for (const MenuLayout &layout : kMainMenu)
            if (qstrcmp(layout.id, id) == 0)
                return &layout;
        for (const MenuLayout &layout : subMenus)
            if (qstrcmp(layout.id, id) == 0)
                return &layout;
        for (const MenuLayout &layout : kBars)
            if (qstrcmp(layout.id, id) == 0)
                return &layout;
        return nullptr;
    }

    /// Every placement becomes an entry.  A command's key is live on its
    /// first menu item, the main menu's, met walking the menu bar first; its
    /// other menu items show it beside their captions, and buttons name it
    /// in their tooltips.
    void resolvePlacements()
    {
        QHash<QByteArray, const Command *> byKey;
        for (const Command &command : commands)
            byKey.insert(command.key, &command);
        QSet<QByteArray> keyGiven;
        QSet<QByteArray> visited;
        const auto walk = [&](const auto &self, const MenuLayout &layout) -> void {
            if (visited.contains(layout.id))
                return;
            visited.insert(layout.id);
            for (const CommandPlacement &item : layout.items) {
                if (item.id[0] == '-')
                    continue;
                if (item.id[0] == '>') {
                    const MenuLayout *sub = this->layout(item.id + 1);
                    Q_ASSERT_X(sub, "actionTable", item.id);
                    self(self, *sub);
                    continue;
                }
                const Command *command = byKey.value(item.command);
                Q_ASSERT_X(command, "actionTable", item.id);
                CommandEntry entry{item.id,
                                   command->key,
                                   item.caption ? item.caption : command->caption,
                                   "",
                                   item.hint ? item.hint : command->hint,
                                   command->tag,
                                   item.icon ? item.icon : command->icon,
                                   item.icon ? (item.theme ? item.theme : "") : command->theme,
                                   command->flags | item.flags};
                if (item.shortcut) {
                    entry.shortcut = item.shortcut;
                } else if (command->shortcut[0] && layout.kind == MenuLayout::Menu) {
                    entry.shortcut = command->shortcut;
                    if (keyGiven.contains(command->key))
                        entry.flags |= ShortcutShownOnly;
                    keyGiven.insert(command->key);
                }
                entries.push_back(entry);
            }
        };
        for (const MenuLayout &layout : kMainMenu)
            walk(walk, layout);
        for (const MenuLayout &layout : subMenus)
            walk(walk, layout);
        for (const MenuLayout &layout : kBars)
            walk(walk, layout);
    }
};

const Tables &tables()
{
    static const Tables t;
    return t;
}

} // namespace

std::span<const Command> commandTable()
{
    return tables().commands;
}

std::span<const CommandEntry> actionTable()
{
    return tables().entries;
}

const CommandEntry *findCommand(const QString &id)
{
    static const QHash<QString, const CommandEntry *> index = [] {
        QHash<QString, const CommandEntry *> h;
        for (const CommandEntry &entry : tables().entries)
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

std::span<const MenuLayout> barLayouts()
{
    return kBars;
}

const MenuLayout *findLayout(const QString &id)
{
    return tables().layout(id.toLatin1().constData());
}
