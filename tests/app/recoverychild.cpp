// A copy of the program for the recovery test to kill: it puts the text
// of the file given into BODY_ED as typed, waits until its recovery file
// holds it, says "ready" and runs until it is killed.
//   recoverychild RECOVERY_FOLDER TEXT_FILE

#include "document/recoverycontroller.h"
#include "editor/scripteditor.h"
#include "testfiles.h"
#include "testwindow.h"

#include <QSignalSpy>

#include <cstdio>

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QuillonApplication app(argc, argv);
    initQuillonResources();
    if (argc != 3)
        return 2;
    TestWindow test(false, QString(), QString::fromLocal8Bit(argv[1]));
    QSignalSpy written(&test.window->recovery(), &RecoveryController::writeEnded);
    test.body()->empty();
    test.body()->replaceSelection(QString::fromUtf8(readAll(QString::fromLocal8Bit(argv[2]))));
    test.window->recovery().writeNow();
    if (!written.wait(10000) || !written.first().first().toBool())
        return 3;
    std::puts("ready");
    std::fflush(stdout);
    return app.exec();
}
