#include "app/ui/form_design.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>

#include <cmath>

// The designs live in a static library, whose resources the linker keeps only when referenced. The
// resource's initialiser is a global function, so it is named outside the project namespace.
static void ensureFormResources()
{
    Q_INIT_RESOURCE(forms);
}

namespace scrivlet {

const ControlDesign *FormDesign::find(const QString &controlName) const
{
    for (const ControlDesign &control : controls) {
        if (control.name == controlName)
            return &control;
    }
    return nullptr;
}

std::optional<FormDesign> FormDesign::fromJsonText(const QByteArray &text)
{
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(text, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    const QJsonObject root = document.object();
    FormDesign form;
    form.name = root.value(QStringLiteral("name")).toString();
    form.caption = root.value(QStringLiteral("caption")).toString();
    form.clientTwips = QSize(root.value(QStringLiteral("clientWidth")).toInt(),
                             root.value(QStringLiteral("clientHeight")).toInt());
    form.font = root.value(QStringLiteral("font")).toObject();
    if (form.name.isEmpty() || form.clientTwips.isEmpty())
        return std::nullopt;
    for (const QJsonValue &item : root.value(QStringLiteral("controls")).toArray()) {
        QJsonObject object = item.toObject();
        ControlDesign control;
        control.kind = object.take(QStringLiteral("kind")).toString();
        control.name = object.take(QStringLiteral("name")).toString();
        control.container = object.take(QStringLiteral("container")).toString(form.name);
        control.twips = QRect(
            object.take(QStringLiteral("left")).toInt(), object.take(QStringLiteral("top")).toInt(),
            object.take(QStringLiteral("width")).toInt(), object.take(QStringLiteral("height")).toInt());
        control.attributes = object;
        if (control.kind.isEmpty() || control.name.isEmpty())
            return std::nullopt;
        form.controls.push_back(std::move(control));
    }
    return form;
}

FormDesign FormDesign::fromResource(const QString &resourcePath)
{
    ensureFormResources();
    QFile file(resourcePath);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("window design %s is missing", qPrintable(resourcePath));
    std::optional<FormDesign> form = fromJsonText(file.readAll());
    if (!form)
        qFatal("window design %s cannot be read", qPrintable(resourcePath));
    return *form;
}

int FormDesign::toPixels(int twips)
{
    return static_cast<int>(std::nearbyint(twips / 15.0));
}

QRect FormDesign::toPixels(const QRect &twips)
{
    return QRect(toPixels(twips.x()), toPixels(twips.y()), toPixels(twips.width()), toPixels(twips.height()));
}

} // namespace scrivlet
