#include "core/about/CreditsScroll.h"

namespace CreditsScroll {

int nextPosition(int position, int minimum, int maximum)
{
    return position >= minimum + WrapMargin ? position - Step : maximum;
}

}  // namespace CreditsScroll
