#pragma once

#include <QLocale>
#include <QString>

#include <cstdint>

namespace scrivlet {

// The text of the "Size" column: bytes, KB, MB, GB or TB, stepping to the next unit at 1000 of the
// current one, with two, one or no decimals, written with the locale's decimal separator.
// formatSize(1) is "1 bytes", formatSize(1024000) is "0.98 MB".
QString formatSize(std::int64_t bytes, const QLocale &locale = QLocale());

} // namespace scrivlet
