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

/// The folder of the user library: user-scripts/ beside the program, or in
/// the per-user data folder when the program's folder cannot be written.
QString defaultUserLibraryFolder();
