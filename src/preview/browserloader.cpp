#include "preview/browserloader.h"

#include "preview/internalbrowser.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPluginLoader>
#include <QStringList>

#ifdef QUILLON_HAS_WEBENGINE
#include <QOpenGLContext>
#include <QOpenGLWidget>
#endif

namespace {

#ifdef QUILLON_HAS_WEBENGINE
QStringList searchFolders()
{
    QStringList folders;
    const QString fromEnv = qEnvironmentVariable("QUILLON_PLUGIN_DIR");
    if (!fromEnv.isEmpty())
        folders << fromEnv;
    bool installed = false;
    if (QCoreApplication::instance()) {
        const QString program = QCoreApplication::applicationDirPath();
        folders << program;
#ifdef QUILLON_PLUGIN_RELATIVE_DIR
        // An installed program keeps the plugin in a private library folder
        // whose place relative to the program was fixed when the build was
        // configured, so a moved installation still finds it.
        const QString privateFolder = QDir::cleanPath(program + u'/' + QStringLiteral(QUILLON_PLUGIN_RELATIVE_DIR));
        installed = QFileInfo(privateFolder).isDir();
        folders << privateFolder;
#endif
    }
#ifdef QUILLON_PLUGIN_BUILD_DIR
    // The build folder only serves a program that is not installed: an
    // installed one never loads a plugin left in the tree it was built in.
    if (!installed)
        folders << QStringLiteral(QUILLON_PLUGIN_BUILD_DIR);
#endif
    return folders;
}

QString pluginPath()
{
    static const QStringList names = {QStringLiteral("libquillon_webpreview.so"),
                                      QStringLiteral("quillon_webpreview.dll"),
                                      QStringLiteral("libquillon_webpreview.dylib"),
                                      QStringLiteral("libquillon_webpreview.so.dylib")};
    for (const QString &folder : searchFolders()) {
        const QDir dir(folder);
        for (const QString &name : names) {
            const QFileInfo file(dir.filePath(name));
            if (file.isFile())
                return file.absoluteFilePath();
        }
    }
    return {};
}
#endif

} // namespace

bool internalBrowserBuilt()
{
#ifdef QUILLON_HAS_WEBENGINE
    return true;
#else
    return false;
#endif
}

QString internalBrowserPluginFile()
{
#ifdef QUILLON_HAS_WEBENGINE
    return pluginPath();
#else
    return {};
#endif
}

QStringList internalBrowserSearchFolders()
{
#ifdef QUILLON_HAS_WEBENGINE
    return searchFolders();
#else
    return {};
#endif
}

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
    if (qEnvironmentVariable("QUILLON_NO_WEBENGINE") == QLatin1String("1")) {
        if (error)
            *error = QStringLiteral("The embedded browser is switched off (QUILLON_NO_WEBENGINE=1).");
        return nullptr;
    }
    static InternalBrowserFactory *loaded = nullptr;
    if (loaded)
        return loaded;
    const QString path = pluginPath();
    if (path.isEmpty()) {
        if (error)
            *error = QStringLiteral("The embedded browser's plugin was not found.");
        return nullptr;
    }
    // Never unloaded: Qt WebEngine stays in the process once it is there.
    static QPluginLoader *loader = new QPluginLoader;
    loader->setFileName(path);
    loaded = qobject_cast<InternalBrowserFactory *>(loader->instance());
    if (!loaded && error)
        *error = loader->isLoaded() ? QStringLiteral("%1 is not the embedded browser's plugin.").arg(path)
                                    : loader->errorString();
    return loaded;
#else
    if (error)
        *error = QStringLiteral("This program was built without the embedded browser.");
    return nullptr;
#endif
}

void prepareApplicationForInternalBrowser()
{
#ifdef QUILLON_HAS_WEBENGINE
    if (qEnvironmentVariable("QUILLON_NO_WEBENGINE") != QLatin1String("1"))
        QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
#endif
}

void prepareWindowForInternalBrowser(QWidget *window)
{
#ifdef QUILLON_HAS_WEBENGINE
    const QOpenGLContext *shared = QOpenGLContext::globalShareContext();
    if (!window || !shared || !shared->isValid() || !internalBrowserAvailable())
        return;
    // A widget that draws through OpenGL, never shown, decides how the
    // window draws when its native window is made.
    auto *marker = new QOpenGLWidget(window);
    marker->setObjectName(QStringLiteral("OpenGLReady"));
    marker->setAttribute(Qt::WA_DontShowOnScreen);
    marker->hide();
#else
    Q_UNUSED(window);
#endif
}
