#pragma once
// The real libraries test.sh unpacks, for the tests that read them: every
// .js and .cjs file under the folders QUILLON_CORPUS and
// QUILLON_SYNTAX_CORPUS name, with the folder it was found under.

#include <QDirIterator>
#include <QList>
#include <QString>

struct CorpusFile {
    QString root;
    QString path;
};

inline QList<CorpusFile> corpusScriptFiles()
{
    QList<CorpusFile> files;
    for (const char *variable : {"QUILLON_CORPUS", "QUILLON_SYNTAX_CORPUS"}) {
        const QString root = qEnvironmentVariable(variable);
        if (root.isEmpty())
            continue;
        QDirIterator it(root, {QStringLiteral("*.js"), QStringLiteral("*.cjs")}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            files.push_back({root, it.next()});
    }
    return files;
}
