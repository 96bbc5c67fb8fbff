#pragma once

#include <QString>

#include <optional>

namespace scrivlet {

class Platform;

/// The question a save asks when the comment holds characters outside ASCII, which a classic
/// comment cannot store: keep them by storing the comment as UTF-8, drop them (what a classic save
/// does), or cancel the save. When the user ticks "Don't ask again" the choice to keep or drop
/// holds for the rest of the session; a cancel is never remembered, or Save would do nothing
/// without a word from then on.
class NonAsciiQuestion
{
public:
    enum class Choice { StoreUtf8, Drop, Cancel };

    /// At most this many different characters are shown in the question.
    static constexpr int ShownCharacters = 5;

    explicit NonAsciiQuestion(Platform &platform);

    /// Whether @p comment holds a character that the question is about.
    static bool concerns(const QString &comment);
    /// The question's text for @p comment: how many such characters it holds, and the first
    /// different ones.
    static QString text(const QString &comment);

    /// What to do with the characters outside ASCII of @p comment: the remembered choice, else
    /// the user's answer.
    Choice ask(const QString &comment);

private:
    Platform &m_platform;
    std::optional<Choice> m_remembered;
};

} // namespace scrivlet
