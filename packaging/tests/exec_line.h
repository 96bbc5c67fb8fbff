#pragma once

#include <QStringList>

#include <optional>

/// Splits a launcher's Exec value (already unescaped as a string) into arguments with the
/// desktop-entry quoting rules: spaces separate, double quotes group, and inside them a backslash
/// escapes '"', '`', '$' and '\'. Field codes such as %F stay as they are. Nothing when the
/// quoting is broken (an unterminated quote, a reserved character outside quotes).
std::optional<QStringList> splitExecLine(const QString &exec);
