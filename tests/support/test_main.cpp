// Runs the tests under a QApplication on the offscreen platform, so windows,
// fonts and printing are real but nothing needs a display.
#include "model/headless.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    lt::prepareHeadless();
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
