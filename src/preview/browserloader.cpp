#include "preview/browserloader.h"

#include "preview/internalbrowser.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <QPluginLoader>

namespace {

QStringList searchFolders()
{
    QStringList folders;
    const QString fromEnv = qEnvironmentVariable("QUILLON_PLUGIN_DIR");
    if (!fromEnv.isEmpty())
        folders << fromEnv;
    folders << QCoreApplication::applicationDirPath();
#ifdef QUILLON_PLUGIN_BUILD_DIR
    folders << QStringLiteral(QUILLON_PLUGIN_BUILD_DIR);
#endif
    return folders;
}

QString pluginPath()
{
    for (const QString &folder : searchFolders()) {
        const QDir dir(folder);
        for (const QString &name : {QStringLiteral("libquillon_webpreview.so"), QStringLiteral("quillon_webpreview.dll"),
                                    QStringLiteral("libquillon_webpreview.dylib")}) {
            const QString path = dir.filePath(name);
            if (QFileInfo::exists(path))
                return path;
        }
    }
    return {};
}

} // namespace

bool internalBrowserAvailable()
{
#ifdef QUILLON_HAS_WEBENGINE
    if (qEnvironmentVariable("QUILLON_NO_WEBENGINE") == QLatin1String("1"))
        return false;
    return !pluginPath().isEmpty();
#else
    return false;
#endif
}

InternalBrowserFactory *loadInternalBrowser(QString *error)
{
#ifdef QUILLON_HAS_WEBENGINE
    const QString path = pluginPath();
    if (path.isEmpty()) {
        if (error)
            *error = QStringLiteral("the embedded browser's plugin was not found");
        return nullptr;
    }
    static QPluginLoader loader;
    loader.setFileName(path);
    QObject *instance = loader.instance();
    auto *factory = qobject_cast<InternalBrowserFactory *>(instance);
    if (!factory && error)
        *error = loader.errorString();
    return factory;
#else
    if (error)
        *error = QStringLiteral("this program was built without an embedded browser");
    return nullptr;
#endif
}
