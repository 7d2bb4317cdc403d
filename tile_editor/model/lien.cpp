#include "lien.h"

namespace tile {

Lien& LIEN()
{
    static Lien values;
    return values;
}

void resetLien()
{
    LIEN() = Lien{};
}

} // namespace tile
