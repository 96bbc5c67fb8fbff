#include "app/model/format_size.h"

#include <cfenv>
#include <cmath>

namespace scrivlet {

namespace {

constexpr double kKilo = 1024.0;
constexpr double kMega = 1048576.0;
constexpr double kGiga = 1073741824.0;
constexpr double kTera = 1099511627776.0;

// `value` rounded to `decimals` places (an exact half goes to the even neighbour) and written with
// at least one integer digit and the locale's decimal separator, without digit grouping.
QString fixed(double value, int decimals, const QLocale &locale)
{
    const double scale = decimals == 2 ? 100.0 : 10.0;
    // The quotients are binary fractions, so value * scale is exact and a tie is a real tie.
    const auto scaled = static_cast<long long>(std::nearbyint(value * scale));
    const auto divisor = static_cast<long long>(scale);
    const QString fraction = QString::number(scaled % divisor).rightJustified(decimals, QLatin1Char('0'));
    return QString::number(scaled / divisor) + locale.decimalPoint() + fraction;
}

QString whole(double value)
{
    return QString::number(static_cast<long long>(std::floor(value)));
}

} // namespace

QString formatSize(std::int64_t bytes, const QLocale &locale)
{
    // nearbyint follows the rounding mode; make sure it is the default one.
    if (std::fegetround() != FE_TONEAREST)
        std::fesetround(FE_TONEAREST);
    const auto size = static_cast<double>(bytes);
    if (size < 1024.0)
        return whole(size) + QStringLiteral(" bytes");
    if (size < 10240.0)
        return fixed(size / kKilo, 2, locale) + QStringLiteral(" KB");
    if (size < 102400.0)
        return fixed(size / kKilo, 1, locale) + QStringLiteral(" KB");
    if (size < 1024000.0)
        return whole(size / kKilo) + QStringLiteral(" KB");
    if (size < 10485760.0)
        return fixed(size / kMega, 2, locale) + QStringLiteral(" MB");
    if (size < 104857600.0)
        return fixed(size / kMega, 1, locale) + QStringLiteral(" MB");
    if (size < 1048576000.0)
        return whole(size / kMega) + QStringLiteral(" MB");
    if (size < 10737418240.0)
        return fixed(size / kGiga, 2, locale) + QStringLiteral(" GB");
    if (size < 107374182400.0)
        return fixed(size / kGiga, 1, locale) + QStringLiteral(" GB");
    if (size < 1073741824000.0)
        return whole(size / kGiga) + QStringLiteral(" GB");
    return fixed(size / kTera, 2, locale) + QStringLiteral(" TB");
}

} // namespace scrivlet
