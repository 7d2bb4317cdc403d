#include "lien.h"

namespace tile {

Lien& LIEN()
{
    static Lien values;
    return values;
}

} // namespace tile
