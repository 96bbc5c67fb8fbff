#include "app/ui/non_ascii_question.h"

#include "app/platform/platform.h"
#include "app/ui/product_texts.h"

#include <algorithm>

#include <QList>
#include <QStringList>
#include <QStringView>

namespace scrivlet {

namespace {

// The buttons, in the order the question lists them.
constexpr int kStoreUtf8 = 0;
constexpr int kDrop = 1;
constexpr int kCancel = 2;

QString shown(char32_t character)
{
    const QString code =
        QStringLiteral("U+%1").arg(static_cast<uint>(character), 4, 16, QLatin1Char('0')).toUpper();
    // Controls and blanks show nothing readable on their own: their number says which they are.
    if (!QChar::isPrint(character) || QChar::isSpace(character))
        return code;
    return QStringLiteral("%1 (%2)").arg(QString::fromUcs4(&character, 1), code);
}

} // namespace

NonAsciiQuestion::NonAsciiQuestion(Platform &platform) : m_platform(platform)
{}

bool NonAsciiQuestion::concerns(const QString &comment)
{
    return std::any_of(comment.cbegin(), comment.cend(), [](QChar c) { return c.unicode() >= 0x80; });
}

QString NonAsciiQuestion::text(const QString &comment)
{
    qsizetype count = 0;
    QList<char32_t> different;
    bool more = false;
    for (const char32_t character : QStringView(comment).toUcs4()) {
        if (character < 0x80)
            continue;
        ++count;
        if (different.contains(character))
            continue;
        if (different.size() < ShownCharacters)
            different.append(character);
        else
            more = true;
    }
    QStringList list;
    for (const char32_t character : different)
        list.append(shown(character));
    if (more)
        list.append(QStringLiteral("…"));
    return QStringLiteral("The comment holds %1 %2 that a classic comment cannot store: %3.\n\n"
                          "Store the comment as UTF-8, which keeps them (programs that know only "
                          "classic comments show them as other characters), or drop them?")
        .arg(count)
        .arg(count == 1 ? QStringLiteral("character") : QStringLiteral("characters"),
             list.join(QStringLiteral(", ")));
}

NonAsciiQuestion::Choice NonAsciiQuestion::ask(const QString &comment)
{
    if (m_remembered)
        return *m_remembered;
    Platform::Question question;
    question.text = text(comment);
    question.title = QString::fromLatin1(ProductTexts::kTitle);
    question.icon = Platform::Icon::Question;
    question.choices = {QStringLiteral("Store as UTF-8"), QStringLiteral("Drop them"),
                        QStringLiteral("Cancel")};
    question.defaultChoice = kStoreUtf8;
    question.cancelChoice = kCancel;
    question.checkBox = QStringLiteral("Don't ask again");
    const Platform::QuestionAnswer answer = m_platform.ask(question);
    Choice choice = Choice::Cancel;
    if (answer.choice == kStoreUtf8)
        choice = Choice::StoreUtf8;
    else if (answer.choice == kDrop)
        choice = Choice::Drop;
    if (answer.checked && choice != Choice::Cancel)
        m_remembered = choice;
    return choice;
}

} // namespace scrivlet
