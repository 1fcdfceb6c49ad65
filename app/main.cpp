// The editor. Its one argument is a file to open: a project, or a pendrive
// file, which opens in the player (`linetint depot.vmprj`).
#include "app/startup.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    return lt::runEditor(app);
}
