#pragma once

#include <QString>
#include <QStringList>

#include <map>
#include <utility>
#include <vector>

/// A file in the desktop-entry key-file syntax (launchers, service menus, file-manager actions),
/// read as the file managers read it: groups, Key=Value lines, '#' comments, escapes in values.
/// Malformed lines and keys given twice in a group are collected, not silently dropped.
class KeyFile
{
public:
    static KeyFile load(const QString &path);

    bool loaded() const { return m_loaded; }
    QStringList groups() const { return m_order; }
    bool has(const QString &group, const QString &key) const;
    /// The value with \s \n \t \r \\ decoded; empty when missing.
    QString value(const QString &group, const QString &key) const;
    /// A ';'-separated list (the final ';' is optional), escaped ';' kept.
    QStringList list(const QString &group, const QString &key) const;
    /// Lines that are neither group, entry, comment nor blank, and keys repeated in a group.
    const QStringList &problems() const { return m_problems; }

private:
    QString raw(const QString &group, const QString &key) const;

    bool m_loaded = false;
    QStringList m_order;
    std::map<QString, std::map<QString, QString>> m_groups;
    QStringList m_problems;
};
