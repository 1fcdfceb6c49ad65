#pragma once
// The application object a harness needs for fonts and pictures: made once,
// headless, on the first input.

#include "model/headless.h"

#include <QGuiApplication>

inline void ensureFuzzApp() {
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* app = [] {
        lt::prepareHeadless();
        return new QGuiApplication(argc, argv);  // lives until the process ends
    }();
    (void)app;
}
