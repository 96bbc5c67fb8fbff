#include "app/model/batch_progress.h"

namespace scrivlet {

int BatchProgress::percent(long long done, long long total)
{
    if (total <= 0)
        return 100;
    if (done <= 0)
        return 0;
    if (done >= total)
        return 100;
    // Integers rather than doubles: a half is recognised exactly, whatever the total.
    const long long scaled = done * 100;
    long long quotient = scaled / total;
    const long long twiceRemainder = 2 * (scaled % total);
    if (twiceRemainder > total || (twiceRemainder == total && quotient % 2 == 1))
        ++quotient;
    return static_cast<int>(quotient);
}

} // namespace scrivlet
