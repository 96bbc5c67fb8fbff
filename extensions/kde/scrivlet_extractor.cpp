#include "scrivlet_extractor.h"

#include "mime_types.h"

#include <KFileMetaData/ExtractionResult>
#include <KFileMetaData/Properties>
#include <QFile>

#include <scrivlet.h>

#include <memory>
#include <new>

namespace scrivlet {

ScrivletExtractor::ScrivletExtractor(QObject *parent) : KFileMetaData::ExtractorPlugin(parent)
{}

QStringList ScrivletExtractor::mimetypes() const
{
    return extractorMimeTypes();
}

void ScrivletExtractor::extract(KFileMetaData::ExtractionResult *result)
{
    // The indexer runs every extractor of a file in one process: nothing thrown may leave here.
    try {
        const QByteArray path = QFile::encodeName(result->inputUrl());
        const char *pathData = path.constData();
        const std::unique_ptr<char[]> area(new (std::nothrow) char[SCRIVLET_MAX_TEXT + 1]);
        if (!area || ReadComments(area.get(), SCRIVLET_MAX_TEXT + 1, &pathData) != SCRIVLET_OK ||
            area[0] == '\0')
            return;
        // The comment is in the system's 8-bit encoding, as the file's name is.
        const QString text = QString::fromLocal8Bit(area.get());
        if (result->inputFlags() & KFileMetaData::ExtractionResult::ExtractMetaData)
            result->add(KFileMetaData::Property::Comment, text);
        if (result->inputFlags() & KFileMetaData::ExtractionResult::ExtractPlainText)
            result->append(text);
    } catch (...) {
    }
}

} // namespace scrivlet
