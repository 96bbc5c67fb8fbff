// A one-line comment of a million bytes in the window: pasting it, typing into it, saving it and
// reading it back, each step timed as the time the event loop stands still for it (the handling of
// the input event, then the event-loop pass that lays out and paints).
//
//   bench_long_text [bytes] [peer-bytes]     (defaults: 1000000, 100000)
//
// Two kinds of line: words with blanks between them, and one unbroken run of characters (the hard
// case for line breaking). The peer is a plain QPlainTextEdit of the same size and font given the
// same paste and keys, at peer-bytes (at a million bytes without blanks it stands still a minute).
// Targets: every step under 500 ms, a keystroke under 50 ms.

#include "app/model/file_list_model.h"
#include "app/platform/qt_platform.h"
#include "app/ui/file_list_view.h"
#include "app/ui/main_window.h"
#include "app/ui/text_box.h"
#include "controls/styled_button/styled_button.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

using namespace scrivlet;

namespace {

// Dialogs answered at once; a message in this run is a fault.
class QuietPlatform : public QtPlatform
{
public:
    Answer messageBox(const QString &text, const QString &, Icon, Buttons) override
    {
        m_last = text;
        return Answer::Ok;
    }
    QString m_last;
};

double msSince(const QElapsedTimer &clock)
{
    return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

// The time one input takes to handle, plus the pass that lays out and paints after it.
template <typename Input> double stillFor(Input input)
{
    QElapsedTimer clock;
    clock.start();
    input();
    QCoreApplication::processEvents();
    return msSince(clock);
}

QString line(qsizetype bytes, bool words)
{
    QString text;
    text.reserve(bytes);
    if (words) {
        const QString word = QStringLiteral("lorem ipsum dolor sit amet ");
        while (text.size() < bytes)
            text += word;
        text.truncate(bytes);
    } else {
        // Letters and digits only: no blank, no hyphen or slash, so no place to break a line.
        const QString alphabet =
            QStringLiteral("abcdefghijklmnopqrstuvwxyz0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ");
        for (qsizetype i = 0; i < bytes; ++i)
            text.append(alphabet.at(i * 7 % alphabet.size()));
    }
    return text;
}

struct Keys
{
    double median = 0;
    double longest = 0;
};

// Twenty keystrokes at the caret, each timed.
Keys typeTwenty(QWidget *box)
{
    std::vector<double> times;
    for (int i = 0; i < 20; ++i)
        times.push_back(stillFor([&] { QTest::keyClick(box, static_cast<Qt::Key>(Qt::Key_A + i % 26)); }));
    std::sort(times.begin(), times.end());
    return {times[times.size() / 2], times.back()};
}

void putCaret(QPlainTextEdit *box, int position)
{
    QTextCursor cursor = box->textCursor();
    cursor.setPosition(std::min(position, box->document()->characterCount() - 1));
    box->setTextCursor(cursor);
}

struct Steps
{
    double paste = 0;
    Keys end;
    Keys middle;
    double toEnd = 0;
};

// Paste, twenty keys at the end of the line, twenty in its middle, Ctrl+Home / Ctrl+End.
Steps drive(QPlainTextEdit *box, const QString &text)
{
    Steps steps;
    box->setFocus();
    QGuiApplication::clipboard()->setText(text);
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    steps.paste = stillFor([&] { QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier); });
    steps.end = typeTwenty(box);
    putCaret(box, static_cast<int>(text.size() / 2));
    QCoreApplication::processEvents();
    steps.middle = typeTwenty(box);
    steps.toEnd = std::max(stillFor([&] { QTest::keyClick(box, Qt::Key_Home, Qt::ControlModifier); }),
                           stillFor([&] { QTest::keyClick(box, Qt::Key_End, Qt::ControlModifier); }));
    return steps;
}

void print(const char *what, const Steps &s)
{
    std::printf("  %-34s paste %8.1f ms | key at end: median %6.2f, longest %6.2f ms | key in middle: median "
                "%6.2f, longest %6.2f ms | Ctrl+Home/End %6.1f ms\n",
                what, s.paste, s.end.median, s.end.longest, s.middle.median, s.middle.longest, s.toEnd);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const qsizetype bytes = argc > 1 ? std::atoll(argv[1]) : 1'000'000;
    const qsizetype peerBytes = argc > 2 ? std::atoll(argv[2]) : 100'000;
    // The most a comment holds: the library's limit less the two markers.
    const qsizetype commentBytes = std::min<qsizetype>(bytes, 1'000'000 - 17);

    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("target.bin"));
    {
        QFile file(target);
        if (!file.open(QIODevice::WriteOnly) || file.write(QByteArray(4096, 'x')) != 4096)
            return 1;
    }

    QuietPlatform platform;
    MainWindow window(platform);
    window.show();
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window))
        return 1;
    window.addFileRows({QFile::encodeName(target)});
    window.checkAllItems();
    TextBox *box = window.commentEdit();

    double worstGap = 0;
    double worstKey = 0;
    bool exact = true;
    std::printf("comment box of the window, %lld bytes on one line:\n", static_cast<long long>(bytes));
    for (const bool words : {true, false}) {
        const QString text = line(bytes, words);
        const Steps steps = drive(box, text);
        print(words ? "words with blanks" : "no blanks", steps);
        worstGap = std::max({worstGap, steps.paste, steps.toEnd});
        worstKey = std::max({worstKey, steps.end.longest, steps.middle.longest});

        // Save the largest comment to the listed file, then read it back by clicking its row.
        const QString comment = line(commentBytes, words);
        box->setText(comment);
        QCoreApplication::processEvents();
        const double save = stillFor([&] {
            const QPoint middle = window.saveButton()->rect().center();
            QTest::mouseMove(window.saveButton(), middle);
            QTest::mouseClick(window.saveButton(), Qt::LeftButton, Qt::NoModifier, middle);
        });
        box->setText(QStringLiteral("replaced"));
        QCoreApplication::processEvents();
        FileListView *list = window.fileList();
        const QPoint row = list->visualRect(list->model()->index(0, 2)).center();
        const double read =
            stillFor([&] { QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, row); });
        exact = exact && box->text() == comment &&
                platform.m_last == QStringLiteral("Comments saved successfully.");
        std::printf("  %-34s save %lld bytes %8.1f ms | read them back by a row click %8.1f ms\n", "",
                    static_cast<long long>(commentBytes), save, read);
        worstGap = std::max({worstGap, save, read});
    }

    std::printf("plain QPlainTextEdit (the peer), %lld bytes on one line:\n",
                static_cast<long long>(peerBytes));
    for (const bool words : {true, false}) {
        QPlainTextEdit peer;
        peer.setFont(box->font());
        peer.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        peer.resize(box->size());
        peer.show();
        peer.activateWindow();
        if (!QTest::qWaitForWindowActive(&peer))
            return 1;
        print(words ? "words with blanks" : "no blanks", drive(&peer, line(peerBytes, words)));
    }

    std::printf("longest stand-still: %.1f ms (target < 500), longest keystroke: %.2f ms (target < 50)%s\n",
                worstGap, worstKey, exact ? "" : "; THE COMMENT DID NOT READ BACK EXACTLY");
    return exact ? 0 : 1;
}
