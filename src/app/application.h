#pragma once
// The application object: an exception that escapes an event handler ends
// up in the general error handler instead of ending the program.

#include <QApplication>

class QuillonApplication final : public QApplication {
    Q_OBJECT
public:
    QuillonApplication(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;
};

/// Makes the program's icons and help pages available (the resources live
/// in a static library).
void initQuillonResources();

struct StartupNotice;

/// The folder of the user library (see chooseUserLibraryFolder), with the
/// one-time copy of a library that earlier versions kept in the build tree
/// done; what the user should hear of it is added to notices.
QString prepareUserLibraryFolder(QList<StartupNotice> &notices);

/// Where the running copies keep their unsaved work across a crash: the
/// folder "recovery/" in the per-user data folder.
QString recoveryFolder();
