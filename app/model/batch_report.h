#pragma once

#include "app/model/batch_outcome.h"

#include <QString>

namespace scrivlet {

/// The texts that tell the user which files a save or delete could not handle, and why.
class BatchReport
{
public:
    /// The reason for a library status, as shown to the user ("no access", ...).
    static QString reason(int status);
    /// One file: "<failure> <path>: <reason>." e.g. "Comments could not be saved to /a/b: no access."
    static QString single(const QString &failure, const QByteArray &path, int status);
    /// A whole run: how many files failed, then the first few with their reasons.
    /// @p failure reads like "Comments could not be saved to"; empty when nothing failed.
    static QString summary(const QString &failure, const BatchOutcome &outcome);
    /// A stopped run: "Stopped after N of M files.", N the files handled, M those plus the files
    /// it would still have handled.
    static QString stopped(const BatchOutcome &outcome);
};

} // namespace scrivlet
