#pragma once

namespace scrivlet {

/// The percentage a save or delete run shows after handling position @p done of @p total.
///
/// Exact integer arithmetic, rounded to the nearest whole number with halves to the even
/// neighbour, and never above 100; an empty run counts as done.
class BatchProgress
{
public:
    static int percent(long long done, long long total);
};

} // namespace scrivlet
