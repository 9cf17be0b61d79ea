#pragma once
// Which scripts the embedded browser refuses to show: one that closes its
// window would close the preview (and with it part of the program's
// window), so a script whose text holds "close(" in any letter case, in
// either fragment, is to be seen in an external browser.

#include <QString>

bool scriptClosesWindow(const QString &head, const QString &body);
