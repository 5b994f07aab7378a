#pragma once

#include <QImage>

namespace zef::print {

// The program's emblem, drawn rather than shipped as a picture: a square of the given side in
// pixels with "ZEF" over the year band. The windows show it, the cover prints it.
QImage emblemaZef(int side);

} // namespace zef::print
