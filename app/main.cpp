// The editor. It takes no command-line options: everything it remembers is in
// the project file.
#include "app/startup.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    return lt::runEditor(app);
}
