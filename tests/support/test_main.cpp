// Runs the tests under a QApplication on the offscreen platform, so windows,
// fonts and printing are real but nothing needs a display.
#include "model/headless.h"

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    lt::prepareHeadless();
    QApplication app(argc, argv);
    // What the editor keeps between runs (recent projects, the last folder)
    // goes to a folder of this run, never to the tester's own settings.
    const QTemporaryDir settings;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
