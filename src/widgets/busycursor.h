#pragma once
// The busy cursor over work that keeps the window from answering.

#include <QString>

/// Shows the busy cursor for as long as it lives and until the events
/// posted by then have been handled: the paints that lay out a text just
/// put into an editor, which take longer than putting it there, come
/// before the cursor goes back.
class BusyCursor final {
public:
    /// Shows nothing when on is false.
    explicit BusyCursor(bool on = true);
    ~BusyCursor();
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;

private:
    bool m_on;
};

/// Whether opening the file at path into the editors takes long enough to
/// show the busy cursor (over 200 ms on a slow machine, for a file that is
/// one long line); a file too large to open is refused at once.
bool takesAWhileToOpen(const QString &path);
