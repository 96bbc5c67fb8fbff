#include "app/ui/text_box.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QScopedValueRollback>
#include <QTextBlock>
#include <QTextDocument>

namespace scrivlet {

namespace {

// The block format property that marks a paragraph continuing the line before it. Block formats
// are part of the undo history, so undoing and redoing a paste keeps its joints.
constexpr int ContinuesLine = QTextFormat::UserProperty + 1;

QTextBlockFormat jointFormat()
{
    QTextBlockFormat format;
    format.setProperty(ContinuesLine, true);
    return format;
}

// Every line break (CR LF, CR, LF) as one LF.
QString withLineFeeds(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

// Where a piece of @p line that starts at @p from ends: PieceLength on, or a little earlier just
// after a blank, so the joint falls where the line would wrap anyway; never inside a surrogate pair.
qsizetype pieceEnd(QStringView line, qsizetype from)
{
    qsizetype end = from + TextBox::PieceLength;
    if (end >= line.size())
        return line.size();
    for (qsizetype at = end; at > end - TextBox::PieceLength / 8; --at) {
        if (line.at(at - 1).isSpace())
            return at;
    }
    if (line.at(end - 1).isHighSurrogate())
        --end;
    return end;
}

// Whether a line of @p text is longer than a piece.
bool hasLongLine(QStringView text)
{
    qsizetype lineStart = 0;
    for (qsizetype at = 0; at < text.size(); ++at) {
        if (text.at(at) == QLatin1Char('\n'))
            lineStart = at + 1;
        else if (at - lineStart >= TextBox::PieceLength)
            return true;
    }
    return false;
}

} // namespace

TextBox::TextBox(QWidget *parent) : QPlainTextEdit(parent)
{
    setTabChangesFocus(true);
    connect(document(), &QTextDocument::contentsChanged, this, [this] {
        if (m_changingText)
            return;
        m_draft = true;
        m_fillStep = -1;
    });
}

bool TextBox::continuesLine(const QTextBlock &block)
{
    return block.blockFormat().boolProperty(ContinuesLine);
}

QString TextBox::text() const
{
    return textBetween(0, document()->characterCount() - 1);
}

QString TextBox::textBetween(int from, int to) const
{
    QString result;
    if (to <= from)
        return result;
    for (QTextBlock block = document()->findBlock(from); block.isValid() && block.position() <= to;
         block = block.next()) {
        const int start = block.position();
        if (start > from && !continuesLine(block))
            result += QLatin1Char('\n');
        const QString text = block.text();
        const int begin = std::max(from - start, 0);
        const int end = std::min(to - start, static_cast<int>(text.size()));
        if (end > begin)
            result += QStringView(text).mid(begin, end - begin);
    }
    // The characters the document keeps for breaks, as plain text has them. A no-break space
    // stays one: a comment stored as UTF-8 keeps it.
    for (QChar &c : result) {
        if (c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            c = QLatin1Char('\n');
    }
    return result;
}

void TextBox::setText(const QString &text)
{
    const QScopedValueRollback changing(m_changingText, true);
    m_draft = false;
    m_fillStep = -1;
    const QString lines = withLineFeeds(text);
    // Short lines take Qt's own path; long ones are put in pieces and marked.
    if (!hasLongLine(lines)) {
        setPlainText(lines);
        return;
    }
    QTextDocument *doc = document();
    doc->setUndoRedoEnabled(false);
    setPlainText(QString());
    QTextCursor cursor(doc);
    cursor.beginEditBlock();
    insertPieces(cursor, lines);
    cursor.endEditBlock();
    doc->setUndoRedoEnabled(true);
    moveCursor(QTextCursor::Start);
}

void TextBox::fill(const QString &text)
{
    QTextDocument *doc = document();
    const bool fillOnTop = m_fillStep >= 0 && doc->availableUndoSteps() == m_fillStep;
    if (!m_draft && !fillOnTop) {
        setText(text); // nothing to keep: no history either
        return;
    }
    const QScopedValueRollback changing(m_changingText, true);
    // A later fill takes the first one's place, so the draft stays one step away.
    if (!m_draft)
        doc->undo();
    QTextCursor cursor(doc);
    cursor.beginEditBlock();
    cursor.select(QTextCursor::Document);
    cursor.removeSelectedText();
    cursor.setBlockFormat(QTextBlockFormat());
    insertPieces(cursor, text);
    cursor.endEditBlock();
    m_draft = false;
    m_fillStep = doc->availableUndoSteps();
    moveCursor(QTextCursor::Start);
}

void TextBox::insertPieces(QTextCursor &cursor, const QString &text)
{
    const QString lines = withLineFeeds(text);
    const QTextBlockFormat lineBreak;
    const QTextBlockFormat joint = jointFormat();
    qsizetype lineStart = 0;
    while (true) {
        const qsizetype lineEnd = lines.indexOf(QLatin1Char('\n'), lineStart);
        const QStringView line =
            QStringView(lines).mid(lineStart, (lineEnd < 0 ? lines.size() : lineEnd) - lineStart);
        for (qsizetype from = 0; from < line.size();) {
            const qsizetype end = pieceEnd(line, from);
            if (from > 0)
                cursor.insertBlock(joint);
            cursor.insertText(line.mid(from, end - from).toString());
            from = end;
        }
        if (lineEnd < 0)
            break;
        cursor.insertBlock(lineBreak);
        lineStart = lineEnd + 1;
    }
}

void TextBox::splitLongParagraphs(QTextDocument &document, int first, int last)
{
    const QTextBlockFormat joint = jointFormat();
    for (QTextBlock block = document.findBlockByNumber(first); block.isValid() && block.blockNumber() <= last;
         block = block.next()) {
        while (block.length() - 1 > 2 * PieceLength) {
            const qsizetype end = pieceEnd(block.text(), 0);
            QTextCursor cut(block);
            cut.setPosition(block.position() + static_cast<int>(end));
            cut.insertBlock(joint);
            ++last;
            block = cut.block();
        }
    }
}

QMimeData *TextBox::createMimeDataFromSelection() const
{
    const QTextCursor cursor = textCursor();
    auto *selection = new QMimeData;
    selection->setText(textBetween(cursor.selectionStart(), cursor.selectionEnd()));
    return selection;
}

bool TextBox::canInsertFromMimeData(const QMimeData *source) const
{
    return source != nullptr && source->hasText();
}

void TextBox::insertFromMimeData(const QMimeData *source)
{
    if (isReadOnly() || !canInsertFromMimeData(source))
        return;
    QTextCursor cursor = textCursor();
    cursor.beginEditBlock();
    cursor.removeSelectedText();
    const int first = cursor.blockNumber();
    insertPieces(cursor, source->text());
    // The paragraphs at both ends also hold what stood before and after the caret.
    splitLongParagraphs(*document(), first, cursor.blockNumber());
    cursor.endEditBlock();
    setTextCursor(cursor);
    ensureCursorVisible();
}

void TextBox::keyPressEvent(QKeyEvent *event)
{
    if (isReadOnly()) {
        QPlainTextEdit::keyPressEvent(event);
        return;
    }
    QTextCursor cursor = textCursor();
    if (event->matches(QKeySequence::InsertParagraphSeparator) ||
        event->matches(QKeySequence::InsertLineSeparator)) {
        // A real line break, even inside a piece that continues a line.
        cursor.insertBlock(QTextBlockFormat(), cursor.charFormat());
        setTextCursor(cursor);
        ensureCursorVisible();
        event->accept();
        return;
    }
    if (!cursor.hasSelection() && event->key() == Qt::Key_Backspace && event->modifiers() == Qt::NoModifier &&
        cursor.atBlockStart() && continuesLine(cursor.block())) {
        // Backspace at a joint takes the character before it, not the joint.
        while (cursor.atBlockStart() && continuesLine(cursor.block()))
            cursor.movePosition(QTextCursor::PreviousCharacter);
        cursor.deletePreviousChar();
        setTextCursor(cursor);
        event->accept();
        return;
    }
    if (!cursor.hasSelection() && event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier &&
        cursor.atBlockEnd() && continuesLine(cursor.block().next())) {
        while (cursor.atBlockEnd() && continuesLine(cursor.block().next()))
            cursor.movePosition(QTextCursor::NextCharacter);
        cursor.deleteChar();
        setTextCursor(cursor);
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

} // namespace scrivlet
