#include "controls/host/property_bag.h"

#include <QBuffer>
#include <QJsonArray>
#include <QJsonDocument>
#include <algorithm>
#include <cmath>
#include <limits>

namespace scrivlet {

namespace {

bool sameKey(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// An integral JSON number within [low, high], or nothing. Booleans read as -1 / 0, the way the
// stored designs' Boolean-as-integer values are meant.
std::optional<qint64> integerIn(const QJsonValue &value, qint64 low, qint64 high)
{
    if (value.isBool())
        return value.toBool() ? -1 : 0;
    if (!value.isDouble())
        return std::nullopt;
    const double number = value.toDouble();
    if (!std::isfinite(number) || std::trunc(number) != number)
        return std::nullopt;
    if (number < static_cast<double>(low) || number > static_cast<double>(high))
        return std::nullopt;
    return static_cast<qint64>(number);
}

// One JSON value as compact text (QJsonDocument only serialises arrays and objects).
QByteArray compactText(const QJsonValue &value)
{
    if (value.isObject())
        return QJsonDocument(value.toObject()).toJson(QJsonDocument::Compact);
    if (value.isArray())
        return QJsonDocument(value.toArray()).toJson(QJsonDocument::Compact);
    const QByteArray wrapped = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
    return wrapped.mid(1, wrapped.size() - 2);
}

} // namespace

const QJsonValue *PropertyBag::find(const QString &key) const
{
    for (const auto &entry : m_entries)
        if (sameKey(entry.first, key))
            return &entry.second;
    return nullptr;
}

bool PropertyBag::contains(const QString &key) const
{
    return find(key) != nullptr;
}

QStringList PropertyBag::keys() const
{
    QStringList result;
    for (const auto &entry : m_entries)
        result.append(entry.first);
    return result;
}

void PropertyBag::remove(const QString &key)
{
    std::erase_if(m_entries, [&key](const auto &entry) { return sameKey(entry.first, key); });
}

void PropertyBag::store(const QString &key, const QJsonValue &value)
{
    for (auto &entry : m_entries) {
        if (sameKey(entry.first, key)) {
            entry.second = value;
            return;
        }
    }
    m_entries.emplace_back(key, value);
}

QJsonValue PropertyBag::value(const QString &key) const
{
    const QJsonValue *found = find(key);
    return found ? *found : QJsonValue(QJsonValue::Undefined);
}

bool PropertyBag::readBool(const QString &key, bool defaultValue) const
{
    const QJsonValue *found = find(key);
    if (!found)
        return defaultValue;
    if (found->isBool())
        return found->toBool();
    if (found->isDouble())
        return found->toDouble() != 0.0;
    return defaultValue;
}

std::int16_t PropertyBag::readInt16(const QString &key, std::int16_t defaultValue) const
{
    const QJsonValue *found = find(key);
    const auto number = found ? integerIn(*found, std::numeric_limits<std::int16_t>::min(),
                                          std::numeric_limits<std::int16_t>::max())
                              : std::nullopt;
    return number ? static_cast<std::int16_t>(*number) : defaultValue;
}

std::int32_t PropertyBag::readInt32(const QString &key, std::int32_t defaultValue) const
{
    const QJsonValue *found = find(key);
    const auto number = found ? integerIn(*found, std::numeric_limits<std::int32_t>::min(),
                                          std::numeric_limits<std::int32_t>::max())
                              : std::nullopt;
    return number ? static_cast<std::int32_t>(*number) : defaultValue;
}

std::uint32_t PropertyBag::readColor(const QString &key, std::uint32_t defaultValue) const
{
    const QJsonValue *found = find(key);
    if (!found || found->isBool())
        return defaultValue;
    // Colours are unsigned, but a design written as signed 32-bit (system colours are negative
    // there) must mean the same value.
    const auto number = integerIn(*found, std::numeric_limits<std::int32_t>::min(),
                                  std::numeric_limits<std::uint32_t>::max());
    if (!number)
        return defaultValue;
    return static_cast<std::uint32_t>(*number & 0xFFFFFFFF);
}

QString PropertyBag::readText(const QString &key, const QString &defaultValue) const
{
    const QJsonValue *found = find(key);
    return found && found->isString() ? found->toString() : defaultValue;
}

QFont PropertyBag::readFont(const QString &key, const QFont &defaultValue) const
{
    const QJsonValue *found = find(key);
    if (!found)
        return defaultValue;
    return fontFromJson(*found).value_or(defaultValue);
}

QImage PropertyBag::readPicture(const QString &key, const QImage &defaultValue) const
{
    const QJsonValue *found = find(key);
    if (!found)
        return defaultValue;
    return pictureFromJson(*found).value_or(defaultValue);
}

void PropertyBag::writeBool(const QString &key, bool value, std::optional<bool> writeDefault)
{
    if (writeDefault && *writeDefault == value)
        remove(key);
    else
        store(key, value);
}

void PropertyBag::writeInt16(const QString &key, std::int16_t value, std::optional<std::int16_t> writeDefault)
{
    if (writeDefault && *writeDefault == value)
        remove(key);
    else
        store(key, static_cast<int>(value));
}

void PropertyBag::writeInt32(const QString &key, std::int32_t value, std::optional<std::int32_t> writeDefault)
{
    if (writeDefault && *writeDefault == value)
        remove(key);
    else
        store(key, static_cast<qint64>(value));
}

void PropertyBag::writeColor(const QString &key, std::uint32_t value,
                             std::optional<std::uint32_t> writeDefault)
{
    if (writeDefault && *writeDefault == value)
        remove(key);
    else
        store(key, static_cast<qint64>(value));
}

void PropertyBag::writeText(const QString &key, const QString &value, std::optional<QString> writeDefault)
{
    if (writeDefault && *writeDefault == value)
        remove(key);
    else
        store(key, value);
}

void PropertyBag::writeFont(const QString &key, const QFont &value, std::optional<QFont> writeDefault)
{
    // Fonts are equal when they store the same; QFont's own comparison also sees resolve masks.
    const QJsonValue stored = fontToJson(value);
    if (writeDefault && fontToJson(*writeDefault) == stored)
        remove(key);
    else
        store(key, stored);
}

void PropertyBag::writePicture(const QString &key, const QImage &value, std::optional<QImage> writeDefault)
{
    if (writeDefault && *writeDefault == value)
        remove(key);
    else
        store(key, pictureToJson(value));
}

QJsonObject PropertyBag::toJson() const
{
    QJsonObject object;
    for (const auto &entry : m_entries)
        object.insert(entry.first, entry.second);
    return object;
}

QByteArray PropertyBag::toJsonText() const
{
    QByteArray text = "{";
    bool first = true;
    for (const auto &entry : m_entries) {
        text += first ? "\n    " : ",\n    ";
        first = false;
        text += compactText(QJsonValue(entry.first));
        text += ": ";
        text += compactText(entry.second);
    }
    text += first ? "}\n" : "\n}\n";
    return text;
}

PropertyBag PropertyBag::fromJson(const QJsonObject &object)
{
    PropertyBag bag;
    for (auto it = object.begin(); it != object.end(); ++it)
        bag.store(it.key(), it.value());
    return bag;
}

std::optional<PropertyBag> PropertyBag::fromJsonText(const QByteArray &text)
{
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(text, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    return fromJson(document.object());
}

QJsonValue PropertyBag::fontToJson(const QFont &font)
{
    QJsonObject object;
    object.insert(QStringLiteral("name"), font.family());
    object.insert(QStringLiteral("size"), font.pointSizeF());
    object.insert(QStringLiteral("weight"), static_cast<int>(font.weight()));
    object.insert(QStringLiteral("bold"), font.bold());
    object.insert(QStringLiteral("italic"), font.italic());
    object.insert(QStringLiteral("underline"), font.underline());
    object.insert(QStringLiteral("strikeout"), font.strikeOut());
    // QFont keeps no character set; the ANSI set is what the designs' fonts use.
    object.insert(QStringLiteral("charset"), 0);
    return object;
}

std::optional<QFont> PropertyBag::fontFromJson(const QJsonValue &value)
{
    if (!value.isObject())
        return std::nullopt;
    const QJsonObject object = value.toObject();
    const QJsonValue name = object.value(QStringLiteral("name"));
    if (!name.isString() || name.toString().isEmpty())
        return std::nullopt;
    QFont font(name.toString());
    const double size = object.value(QStringLiteral("size")).toDouble(8.25);
    font.setPointSizeF(size > 0.0 && std::isfinite(size) ? size : 8.25);
    const QJsonValue weight = object.value(QStringLiteral("weight"));
    const bool bold = object.value(QStringLiteral("bold")).toBool(false);
    int weightValue = bold ? 700 : 400;
    if (weight.isDouble())
        weightValue = std::clamp(static_cast<int>(weight.toDouble()), 1, 1000);
    font.setWeight(static_cast<QFont::Weight>(weightValue));
    font.setItalic(object.value(QStringLiteral("italic")).toBool(false));
    font.setUnderline(object.value(QStringLiteral("underline")).toBool(false));
    font.setStrikeOut(object.value(QStringLiteral("strikeout")).toBool(false));
    return font;
}

QJsonValue PropertyBag::pictureToJson(const QImage &picture)
{
    if (picture.isNull())
        return QJsonValue(QJsonValue::Null);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    return QString::fromLatin1(png.toBase64());
}

std::optional<QImage> PropertyBag::pictureFromJson(const QJsonValue &value)
{
    if (value.isNull())
        return QImage();
    if (!value.isString())
        return std::nullopt;
    const QByteArray png = QByteArray::fromBase64(value.toString().toLatin1());
    QImage picture;
    if (!picture.loadFromData(png, "PNG"))
        return std::nullopt;
    return picture;
}

} // namespace scrivlet
