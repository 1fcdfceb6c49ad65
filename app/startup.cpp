#include "app/startup.h"

#include "model/document.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>

namespace lt {

// Placeholder main window until the editor window lands.
int runEditor(QApplication& app) {
    Document doc;
    doc.newDane();
    QMainWindow w;
    w.setWindowTitle(QStringLiteral("Velmora Line Tint v1.03 2016-09-04"));
    w.setCentralWidget(new QLabel(QStringLiteral("Velmora Line Tint")));
    w.resize(1238, 659);
    w.show();
    return app.exec();
}

}  // namespace lt
