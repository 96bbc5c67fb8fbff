#pragma once

#include <QHash>
#include <QMimeDatabase>
#include <QString>

namespace scrivlet {

// Describes files by name, the way a file manager's "Type" column does ("PNG image",
// "plain text document"), without reading their content; unknown kinds read "<EXT> File". Descriptions are
// remembered per name suffix, since looking a name up in the MIME database is far slower than a hash look-up
// and a folder usually holds many files of few kinds.
class FileTypeCache
{
public:
    QString describe(const QString &path);

private:
    QMimeDatabase m_database;
    QHash<QString, QString> m_bySuffix;
};

} // namespace scrivlet
