#include "platform/qt/web_pane_module.h"

#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    // The engine wants a runtime folder of its own, private to the user.
    QTemporaryDir runtimeDir;
    if (!runtimeDir.isValid())
        return 1;
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtimeDir.path()));
    kestrova::prepareWebEngineEnvironment();

    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
