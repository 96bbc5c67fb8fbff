#include "app/model/batch_report.h"

#include "app/model/file_path.h"
#include "scrivlet.h"

namespace scrivlet {

QString BatchReport::reason(int status)
{
    return QString::fromLatin1(scrivlet_status_text(status));
}

QString BatchReport::single(const QString &failure, const QByteArray &path, int status)
{
    return failure + QLatin1Char(' ') + FilePath::display(path) + QLatin1String(": ") + reason(status) +
           QLatin1Char('.');
}

QString BatchReport::summary(const QString &failure, const BatchOutcome &outcome)
{
    if (outcome.failed() == 0)
        return {};
    QString text = failure + QLatin1Char(' ') + QString::number(outcome.failed()) + QLatin1String(" of ") +
                   QString::number(outcome.handled()) +
                   (outcome.handled() == 1 ? QLatin1String(" file:\n") : QLatin1String(" files:\n"));
    for (const BatchFailure &f : outcome.firstFailures())
        text += QLatin1Char('\n') + FilePath::display(f.path) + QLatin1String(": ") + reason(f.status);
    const auto unnamed = outcome.failed() - static_cast<int>(outcome.firstFailures().size());
    if (unnamed > 0)
        text += QLatin1String("\n... and ") + QString::number(unnamed) + QLatin1String(" more.");
    return text;
}

QString BatchReport::stopped(const BatchOutcome &outcome)
{
    const int wanted = outcome.handled() + outcome.left();
    return QStringLiteral("Stopped after %1 of %2 %3.")
        .arg(outcome.handled())
        .arg(wanted)
        .arg(wanted == 1 ? QLatin1String("file") : QLatin1String("files"));
}

} // namespace scrivlet
