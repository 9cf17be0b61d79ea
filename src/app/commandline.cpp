#include "app/commandline.h"

#include <QString>

#include <cstring>

SplitArguments splitArguments(int argc, char **argv)
{
    SplitArguments split;
    int i = 0;
    for (; i < argc; ++i) {
        if (i > 0 && std::strcmp(argv[i], "--") == 0) {
            split.hadDashes = true;
            break;
        }
        split.qtArgv.push_back(argv[i]);
    }
    for (++i; split.hadDashes && i < argc; ++i)
        split.afterDashes << QString::fromLocal8Bit(argv[i]);
    split.qtArgc = int(split.qtArgv.size());
    split.qtArgv.push_back(nullptr);
    return split;
}

QStringList argumentsForParser(const QStringList &leftByQt, const SplitArguments &split)
{
    QStringList arguments = leftByQt;
    if (split.hadDashes)
        arguments << QStringLiteral("--") << split.afterDashes;
    return arguments;
}
