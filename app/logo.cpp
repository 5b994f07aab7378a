#include "app/logo.h"

#include "print/emblem.h"

namespace zef {

QPixmap logoZef(int lado)
{
    return QPixmap::fromImage(print::emblemaZef(lado));
}

} // namespace zef
