#include "platform/qt/web_pane_module.h"

#include "platform/qt/unavailable_web_pane.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QOpenGLContext>
#include <QPluginLoader>

#ifndef _WIN32
#include <unistd.h>
#endif

// Exported by Qt GUI without a public header; the engine itself sets it the same way.
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext *context);

namespace kestrova {

namespace {

void deleteSharedContext()
{
    QOpenGLContext *context = QOpenGLContext::globalShareContext();
    qt_gl_set_global_share_context(nullptr);
    delete context;
}

/// The engine hands its frames to the window through textures of one OpenGL context that the
/// window's shares. Qt makes it at start-up only when asked before the application exists, at a
/// cost the first frame would pay; so it is made here, before the engine's libraries load and
/// look for it.
void prepareSharedContext()
{
    if (QOpenGLContext::globalShareContext())
        return;
    auto *context = new QOpenGLContext;
    context->create(); // without OpenGL the engine draws in software
    qt_gl_set_global_share_context(context);
    qAddPostRoutine(deleteSharedContext);
}

} // namespace

std::unique_ptr<WidgetWebPane> loadWebPane(const std::filesystem::path &moduleFolder,
                                           const std::string &productHost,
                                           const std::filesystem::path &pagesFolder,
                                           QWidget *parent)
{
    prepareSharedContext();
    // A folder name that is not valid text must not throw here: Qt then reports the module
    // missing, and the pane says so.
#ifdef _WIN32
    const QString folder = QString::fromStdWString(moduleFolder.wstring());
#else
    const QString folder = QFile::decodeName(moduleFolder.c_str());
#endif
    // Stays loaded for the rest of the run, as every Qt plugin does.
    QPluginLoader loader(QDir(folder).filePath(QString::fromLatin1(kWebEngineModuleName.data(),
                                                       qsizetype(kWebEngineModuleName.size()))));
    auto *factory = qobject_cast<WebPaneFactory *>(loader.instance());
    if (!factory)
        return std::make_unique<UnavailableWebPane>(loader.errorString(), parent);
    return factory->makeWebPane(productHost, pagesFolder, parent);
}

void prepareWebEngineEnvironment()
{
#ifndef _WIN32
    if (geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
#endif
    if (qgetenv("QT_QPA_PLATFORM") != "offscreen")
        return;
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    if (flags.contains("--disable-gpu"))
        return;
    if (!flags.isEmpty())
        flags.append(' ');
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags.append("--disable-gpu"));
}

} // namespace kestrova
