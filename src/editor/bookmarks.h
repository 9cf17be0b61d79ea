#pragma once
// Bookmarks 0 to 9 of a script editor.  Bookmark n is a tile with its digit
// in the editor's bookmark margin, on the line it was set at (it moves with
// that line as the text is edited), and it remembers the caret's column.

#include <array>

class ScriptEditor;

class EditorBookmarks final {
public:
    static constexpr int kCount = 10;

    /// Defines the bookmark markers of editor and shows them in margin.
    EditorBookmarks(ScriptEditor &editor, int margin);

    void set(int number);  // at the caret
    void go(int number);   // a bookmark never set does nothing
    bool has(int number) const;
    /// Removes every bookmark (a new text has none).
    void clear();

private:
    ScriptEditor &m_editor;
    std::array<int, kCount> m_handles;
    std::array<int, kCount> m_columns{};
};
