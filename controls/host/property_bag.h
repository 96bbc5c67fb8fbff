#pragma once
// PropertyBag: the store in which a window's design keeps an own control's settings, key -> value.
// Keys are compared without regard to case. Reading takes a default that is returned when the key
// is missing (or holds something that cannot be read as the asked type); writing with a default
// leaves the key out when the value equals it (and drops a key written earlier), writing without
// one always stores it. The order of first writes is kept, so a control that saves its keys in a
// fixed order finds them in that order in keys() and in toJsonText().
//
// Values and their JSON form:
//   Boolean       true / false (a number reads as true when non-zero; true reads as integer -1)
//   16/32-bit int number (a value outside the type's range reads as the default)
//   colour        number 0 .. 0xFFFFFFFF, a 0x00BBGGRR value or 0x80000000 + system colour index
//   text          string
//   font          {"name", "size" (points), "weight" (100..900), "bold", "italic", "underline",
//                  "strikeout", "charset"}
//   picture       base64 PNG string; an empty picture is null
#include <QByteArray>
#include <QFont>
#include <QImage>
#include <QJsonObject>
#include <QJsonValue>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace scrivlet {

class PropertyBag
{
public:
    bool contains(const QString &key) const;
    // The keys in the order they were first written (or loaded), spelled as written.
    QStringList keys() const;
    int size() const { return static_cast<int>(m_entries.size()); }
    void remove(const QString &key);
    void clear() { m_entries.clear(); }

    bool readBool(const QString &key, bool defaultValue) const;
    std::int16_t readInt16(const QString &key, std::int16_t defaultValue) const;
    std::int32_t readInt32(const QString &key, std::int32_t defaultValue) const;
    std::uint32_t readColor(const QString &key, std::uint32_t defaultValue) const;
    QString readText(const QString &key, const QString &defaultValue) const;
    QFont readFont(const QString &key, const QFont &defaultValue) const;
    QImage readPicture(const QString &key, const QImage &defaultValue = QImage()) const;

    // Without writeDefault the value is always stored.
    void writeBool(const QString &key, bool value, std::optional<bool> writeDefault = std::nullopt);
    void writeInt16(const QString &key, std::int16_t value,
                    std::optional<std::int16_t> writeDefault = std::nullopt);
    void writeInt32(const QString &key, std::int32_t value,
                    std::optional<std::int32_t> writeDefault = std::nullopt);
    void writeColor(const QString &key, std::uint32_t value,
                    std::optional<std::uint32_t> writeDefault = std::nullopt);
    void writeText(const QString &key, const QString &value,
                   std::optional<QString> writeDefault = std::nullopt);
    void writeFont(const QString &key, const QFont &value, std::optional<QFont> writeDefault = std::nullopt);
    void writePicture(const QString &key, const QImage &value,
                      std::optional<QImage> writeDefault = std::nullopt);

    // The stored value as JSON (undefined when missing), for inspection and tests.
    QJsonValue value(const QString &key) const;

    QJsonObject toJson() const;
    // The JSON text of the object with the keys in their kept order (QJsonObject sorts them).
    QByteArray toJsonText() const;
    static PropertyBag fromJson(const QJsonObject &object);
    // Nothing when text is not a JSON object.
    static std::optional<PropertyBag> fromJsonText(const QByteArray &text);

    // The JSON forms of fonts and pictures, shared with the window designs' loader.
    static QJsonValue fontToJson(const QFont &font);
    static std::optional<QFont> fontFromJson(const QJsonValue &value);
    static QJsonValue pictureToJson(const QImage &picture);
    static std::optional<QImage> pictureFromJson(const QJsonValue &value);

private:
    void store(const QString &key, const QJsonValue &value);
    const QJsonValue *find(const QString &key) const;

    std::vector<std::pair<QString, QJsonValue>> m_entries;
};

} // namespace scrivlet
