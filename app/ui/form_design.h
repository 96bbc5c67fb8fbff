#pragma once

#include <QJsonObject>
#include <QRect>
#include <QSize>
#include <QString>

#include <optional>
#include <vector>

namespace scrivlet {

// One control of a window's stored design. Geometry is in twips, relative to the container.
struct ControlDesign
{
    QString kind;      // "ListView", "TextBox", "StyledButton", "ProgressBar", ...
    QString name;      // "ListView1", "percent", ...
    QString container; // the window's or a frame's name
    QRect twips;
    QJsonObject attributes; // everything else: caption, font, value, visible, properties, ...

    QString caption() const { return attributes.value(QStringLiteral("caption")).toString(); }
    bool visible() const { return attributes.value(QStringLiteral("visible")).toBool(true); }
    // The own controls' stored settings (a PropertyBag's JSON object).
    QJsonObject properties() const { return attributes.value(QStringLiteral("properties")).toObject(); }
};

// A window's stored design as kept in forms/*.json: its name, title, client size in twips and its
// controls in creation order (later ones lie above earlier ones).
struct FormDesign
{
    QString name;
    QString caption;
    QSize clientTwips;
    QJsonObject font; // the window's font, which its intrinsic controls take unless they name their own
    std::vector<ControlDesign> controls;

    const ControlDesign *find(const QString &controlName) const;

    // Reads a design from JSON text; nothing when the text is no design.
    static std::optional<FormDesign> fromJsonText(const QByteArray &text);
    // Reads one of the compiled-in designs (":/forms/main_window.json"); aborts on a broken resource,
    // which is a build fault, not a user error.
    static FormDesign fromResource(const QString &resourcePath);

    // Twips to pixels at 15 twips a pixel, rounded to nearest with ties to even.
    static int toPixels(int twips);
    static QRect toPixels(const QRect &twips);
};

} // namespace scrivlet
