#include "app/core/file_type_cache.h"

#include <QMimeType>

QString FileTypeCache::describe(const QString &path) {
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    const QString name = path.mid(slash + 1);
    // Names are matched against patterns such as "*.tar.gz", so the key is everything from the
    // first dot on. Names without one (and dot-files) are matched whole, as exact-name patterns
    // ("Makefile") exist; their keys get a different mark so they never meet a suffix key.
    const qsizetype dot = name.indexOf(QLatin1Char('.'));
    const QString key = dot > 0 ? QLatin1Char('s') + name.mid(dot) : QLatin1Char('n') + name;
    const auto found = m_bySuffix.constFind(key);
    if (found != m_bySuffix.constEnd())
        return found.value();
    const QString description = m_database.mimeTypeForFile(name, QMimeDatabase::MatchExtension).comment();
    m_bySuffix.insert(key, description);
    return description;
}
