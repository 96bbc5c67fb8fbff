#pragma once

#include <QPlainTextEdit>

class QTextBlock;

namespace scrivlet {

/// A multi-line text box that stays quick with very long lines.
///
/// Qt lays a paragraph out whole after every change to it, and breaking a line without blanks
/// into screen lines costs time that grows with the square of its length: a one-line comment of a
/// million characters would freeze the window for a minute and cost half a second a key. The box
/// therefore holds a line longer than PieceLength characters as several paragraphs, each after the
/// first marked as continuing the line before it (a joint). Nothing of this shows in text(); copying,
/// pasting, dragging, Backspace and Delete treat a joint as if it were not there, and Enter makes a
/// real line break wherever the caret is.
///
/// Tab moves the focus on, as in a multi-line text box of the classic desktop.
///
/// A draft (text the user changed since the box was last filled or stored) is never replaced
/// beyond reach: the first fill() after it is one undo step, and every later fill takes that
/// step's place, so Ctrl+Z brings the draft back however many fills followed, and browsing adds
/// nothing to the history.
class TextBox : public QPlainTextEdit
{
    Q_OBJECT
public:
    /// The longest piece of a line held as one paragraph.
    static constexpr int PieceLength = 4096;

    explicit TextBox(QWidget *parent = nullptr);

    /// The whole text, lines separated by LF.
    QString text() const;
    /// Replaces the whole text (LF, CR LF or CR between lines); the caret goes to the start and the
    /// undo history is emptied.
    void setText(const QString &text);
    /// Replaces the whole text as setText() does, but keeps a draft one undo step away.
    void fill(const QString &text);
    /// The text is stored elsewhere now: it is no draft to keep.
    void markStored() { m_draft = false; }

protected:
    QMimeData *createMimeDataFromSelection() const override;
    bool canInsertFromMimeData(const QMimeData *source) const override;
    void insertFromMimeData(const QMimeData *source) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    static bool continuesLine(const QTextBlock &block);
    // The text between two document positions, joints left out.
    QString textBetween(int from, int to) const;
    // Inserts text at the cursor, long lines in pieces.
    static void insertPieces(QTextCursor &cursor, const QString &text);
    // Cuts the paragraphs from @p first to @p last that grew beyond twice a piece into pieces.
    static void splitLongParagraphs(QTextDocument &document, int first, int last);

    // Whether the user changed the text since it was last set, filled or stored.
    bool m_draft = false;
    // The undo history's size just after a fill that replaced a draft: while the history still
    // has that size, undoing its last step brings the draft back. -1 when there is no such step.
    int m_fillStep = -1;
    // Set while the box changes its own text, which is no edit of the user's.
    bool m_changingText = false;
};

} // namespace scrivlet
