#include "app/ui/command_line_items.h"

#include "app/model/file_path.h"
#include "app/platform/platform.h"
#include "app/ui/main_window.h"
#include "app/ui/product_texts.h"

#include <QStringList>

namespace scrivlet {

namespace {

// A file manager may pass thousands of items; the message stays readable.
constexpr qsizetype kNamedAtMost = 10;

} // namespace

QList<QByteArray> CommandLineItems::add(MainWindow &window, const QList<QByteArray> &paths)
{
    if (paths.isEmpty())
        return {};
    QList<QByteArray> notFound;
    for (const QByteArray &path : paths) {
        if (!FilePath::exists(path))
            notFound.append(path);
    }
    window.addDroppedItems(paths);
    return notFound;
}

void CommandLineItems::reportNotFound(Platform &platform, const QList<QByteArray> &notFound)
{
    if (notFound.isEmpty())
        return;
    QStringList lines;
    for (qsizetype i = 0; i < notFound.size() && i < kNamedAtMost; ++i)
        lines.append(FilePath::display(notFound[i]));
    if (notFound.size() > kNamedAtMost)
        lines.append(QStringLiteral("and %1 more").arg(notFound.size() - kNamedAtMost));
    const QString text = notFound.size() == 1 ? QStringLiteral("This item was not found:\n\n%1")
                                              : QStringLiteral("These items were not found:\n\n%1");
    platform.messageBox(text.arg(lines.join(QLatin1Char('\n'))), QString::fromLatin1(ProductTexts::kTitle),
                        Platform::Icon::Exclamation, Platform::Buttons::Ok);
}

} // namespace scrivlet
