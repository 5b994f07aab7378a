#pragma once

#include <QPixmap>

namespace zef {

// The program's emblem, drawn rather than shipped as a picture: a square of the given side with
// "ZEF" over the year band.
QPixmap logoZef(int lado);

} // namespace zef
