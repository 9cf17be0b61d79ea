#pragma once
// The "Open new window" wizard's text: one call of window.open built from a
// document, a window name, a size and the window's features.  Nothing typed
// is escaped: the texts go between the apostrophes as they stand.

#include <QString>

struct WindowOptions {
    QString url;    // the document to show; may be empty
    QString title;  // the new window's name; may be empty
    int width = 0;  // 0 leaves the size to the browser
    int height = 0;
    bool toolbar = false;
    bool menu = false;
    bool scrollbars = false;
    bool resizable = false;
    bool statusLine = false;
    bool location = false;
    bool directories = false;
    bool history = false;
};

/// window.open('url', 'name', 'features'); the features in a fixed order,
/// the height before the width, separated by commas.
QString windowOpenCall(const WindowOptions &options);
