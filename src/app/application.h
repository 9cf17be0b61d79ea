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

struct AppConfig;
struct StartupNotice;
class HelpWindow;
class QWidget;

struct SplitArguments;

/// Reads the command line (what Qt left of it, and what followed "--"
/// untouched): --help and --version answer and end the program; the one
/// optional FILE comes back as an absolute path ("" when there is none).
/// Too many arguments end the program with a message.
QString startupFileFromCommandLine(const SplitArguments &split);

/// The folder of the user library (see chooseUserLibraryFolder), with the
/// one-time copy of a library that earlier versions kept in the build tree
/// done; what the user should hear of it is added to notices.
QString prepareUserLibraryFolder(QList<StartupNotice> &notices);

/// Where the running copies keep their unsaved work across a crash: the
/// folder "recovery/" in the per-user data folder.
QString recoveryFolder();

/// Logs (category "quillon.startup") where this start found its preview
/// plugin, its help and the folders of the user's data.
void logStartupPlaces(const AppConfig &config, const HelpWindow &help);

/// For checking an installed copy without anyone at the keyboard: with the
/// environment variable QUILLON_QUIT_AFTER_START=1 the window is closed,
/// as by the user, once the start has been handled (the window shown, its
/// start-up work done); otherwise nothing happens.
void quitAfterStartIfAsked(QWidget &window);
