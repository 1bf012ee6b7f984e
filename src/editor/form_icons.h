#pragma once
// The toolbar's four 16 x 16 icons, drawn by the program itself so that they scale with the screen.

#include <QIcon>

namespace gw {

QIcon SaveIcon();
QIcon ReloadIcon();
QIcon GameOptionIcon();
QIcon RunIcon();

}  // namespace gw
