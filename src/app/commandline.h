#pragma once
// The command line between Qt and the program.
//
// QApplication takes the options it knows (-reverse, -style, -platform …)
// out of the arguments wherever they stand, before the program reads its
// own.  A file name after "--" is the user's word that it is a file: it
// must never reach Qt, so the arguments are split before the application
// object is made, and what follows "--" goes straight to the program.

#include <QStringList>

#include <vector>

struct SplitArguments {
    /// For QApplication: argv[0] and the arguments before the first "--",
    /// ended by a null pointer (argv's own strings).
    std::vector<char *> qtArgv;
    int qtArgc = 0;
    /// The arguments after the first "--", decoded as Qt decodes argv.
    QStringList afterDashes;
    bool hadDashes = false;
};

/// Splits argv at its first "--".
SplitArguments splitArguments(int argc, char **argv);

/// What the program's own parser reads: the arguments Qt left, then the
/// protected ones again behind a "--".
QStringList argumentsForParser(const QStringList &leftByQt, const SplitArguments &split);
