#pragma once

#include <KFileMetaData/ExtractorPlugin>

namespace scrivlet {

/// Hands a file's Scrivlet comment to KFileMetaData: as the file's comment property (Dolphin's
/// Information panel) and as text for Baloo's index (desktop search).
class ScrivletExtractor : public KFileMetaData::ExtractorPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "org.kde.kf5.kfilemetadata.ExtractorPlugin" FILE "scrivlet_extractor.json")
    Q_INTERFACES(KFileMetaData::ExtractorPlugin)

public:
    explicit ScrivletExtractor(QObject *parent = nullptr);

    QStringList mimetypes() const override;
    void extract(KFileMetaData::ExtractionResult *result) override;
};

} // namespace scrivlet
