#include "app/model/file_type_cache.h"

#include <QMimeType>

namespace scrivlet {

QString FileTypeCache::describe(const QString &path)
{
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
    const QMimeType type = m_database.mimeTypeForFile(name, QMimeDatabase::MatchExtension);
    // A name the database does not know is described by its extension, as file managers do
    // ("QRC File"), rather than as "unknown".
    QString description = type.comment();
    if (type.isDefault()) {
        const qsizetype last = name.lastIndexOf(QLatin1Char('.'));
        description = last > 0 && last + 1 < name.size()
                          ? name.mid(last + 1).toUpper() + QStringLiteral(" File")
                          : QStringLiteral("File");
    }
    m_bySuffix.insert(key, description);
    return description;
}

} // namespace scrivlet
