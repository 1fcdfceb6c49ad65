#pragma once
// The application title: the program's name while it starts, then the main
// window's caption. Message boxes carry it as their caption. It is kept here
// and not as the toolkit's application display name, which the platform would
// append to the caption of every window ("Color - <title>"), while each
// window shows its own caption alone.

#include <QString>

namespace lt {

QString applicationTitle();
void setApplicationTitle(const QString& title);

}  // namespace lt
