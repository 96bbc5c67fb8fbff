#pragma once
// Shared set-up of the comment flow tests: the real main window on a scripted platform, with
// temporary files to save to, read from and drop.

#include "app/model/file_list_model.h"
#include "app/ui/comment_flows.h"
#include "app/ui/file_list_view.h"
#include "app/ui/main_window.h"
#include "app/ui/text_box.h"
#include "controls/progress_bar/xp_progress_bar.h"
#include "controls/styled_button/styled_button.h"
#include "tests/support/scripted_platform.h"

#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QDropEvent>
#include <QEnterEvent>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

#include <memory>

namespace scrivlet {

class FlowsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_window = std::make_unique<MainWindow>(m_platform);
        m_flows = m_window->findChild<CommentFlows *>();
        ASSERT_NE(m_flows, nullptr) << "the window creates no comment flows";
        // Every step of a run is shown, so each can be checked.
        m_flows->setProgressInterval(std::chrono::milliseconds(0));
        m_window->show();
        m_window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
    }

    // What the list answered to a drag: to its entering, to each move over it and to the drop.
    struct Answers
    {
        bool enterTaken = false;
        Qt::DropAction enterAction = Qt::IgnoreAction;
        Qt::DropAction moveAction = Qt::IgnoreAction;
        bool dropTaken = false;
        Qt::DropAction dropAction = Qt::IgnoreAction;
    };

    // A whole drag over the list as the desktop delivers it: it enters, moves, and is let go. As on
    // the desktop, the drop reaches the list only when it took the drag on entering.
    Answers dragOnto(const QMimeData &data, Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction,
                     Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        Answers answers;
        QWidget *viewport = m_window->fileList()->viewport();
        QDragEnterEvent enter(QPoint(5, 5), offered, &data, Qt::LeftButton, modifiers);
        enter.setAccepted(false);
        QCoreApplication::sendEvent(viewport, &enter);
        answers.enterTaken = enter.isAccepted();
        answers.enterAction = enter.dropAction();
        QDragMoveEvent move(QPoint(6, 6), offered, &data, Qt::LeftButton, modifiers);
        move.setAccepted(false);
        QCoreApplication::sendEvent(viewport, &move);
        answers.moveAction = move.isAccepted() ? move.dropAction() : Qt::IgnoreAction;
        QDropEvent dropEvent(QPointF(6, 6), offered, &data, Qt::LeftButton, modifiers);
        dropEvent.setAccepted(false);
        QCoreApplication::sendEvent(viewport, &dropEvent);
        answers.dropTaken = dropEvent.isAccepted();
        answers.dropAction = dropEvent.dropAction();
        return answers;
    }

    // Drops the addresses onto the file list as a file manager does; returns whether it was taken.
    bool dropUrls(const QList<QUrl> &urls)
    {
        QMimeData data;
        data.setUrls(urls);
        return dragOnto(data).dropTaken;
    }

    // The same for local paths.
    bool drop(const QStringList &paths)
    {
        QList<QUrl> urls;
        for (const QString &path : paths)
            urls.append(QUrl::fromLocalFile(path));
        return dropUrls(urls);
    }

    // Writes a file below the temporary folder (folders created as needed); returns its path.
    QString makeFile(const QString &relative, const QByteArray &bytes)
    {
        const QString path = m_dir.filePath(relative);
        EXPECT_TRUE(QDir().mkpath(QFileInfo(path).path()));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        EXPECT_EQ(file.write(bytes), bytes.size());
        return path;
    }

    static QByteArray bytesOf(const QString &path)
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return QByteArrayLiteral("<unreadable>");
        return file.readAll();
    }

    // The block the library keeps for a comment typed with LF line breaks.
    static QByteArray block(const QByteArray &storedComment)
    {
        return "#.START.#" + storedComment + "#.END.# ";
    }

    // Adds rows as Browse does (the last path ends on top) and ticks them all.
    void addRows(const QStringList &paths)
    {
        QByteArrayList bytes;
        for (const QString &path : paths)
            bytes.append(QFile::encodeName(path));
        m_window->addFileRows(bytes);
        m_window->checkAllItems();
        m_window->updateListCommands();
        ASSERT_EQ(m_window->fileModel()->count(), paths.size()) << "a path could not be added";
    }

    // Types into a widget key by key. QTest::keyClicks knows keys for ASCII characters only (it
    // stops on any other), so every other character goes as a key event carrying its text, as a
    // keyboard layout or an input method delivers it.
    static void typeKeys(QWidget *widget, const QString &text)
    {
        QString latin1;
        const auto flush = [&] {
            QTest::keyClicks(widget, latin1);
            latin1.clear();
        };
        for (qsizetype i = 0; i < text.size(); ++i) {
            const QChar c = text.at(i);
            if (c == QLatin1Char('\n')) {
                flush();
                QTest::keyClick(widget, Qt::Key_Return);
            } else if (c.unicode() < 0x80) {
                latin1.append(c);
            } else {
                flush();
                const qsizetype length = c.isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
                QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, text.mid(i, length),
                                    Qt::NoModifier);
                i += length - 1;
            }
        }
        flush();
    }

    // Replaces the comment box's text by typing: a click into the box, Ctrl+A, Delete, the keys.
    void type(const QString &text)
    {
        QPlainTextEdit *editor = m_window->commentEdit();
        QTest::mouseClick(editor->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(4, 4));
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(editor, Qt::Key_Delete);
        typeKeys(editor, text);
    }

    // Replaces the comment box's text by pasting it: the text goes to the clipboard, then a click
    // into the box, Ctrl+A and Ctrl+V.
    void paste(const QString &text)
    {
        QGuiApplication::clipboard()->setText(text);
        QPlainTextEdit *editor = m_window->commentEdit();
        QTest::mouseClick(editor->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(4, 4));
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(editor, Qt::Key_V, Qt::ControlModifier);
    }

    QString commentShown() const { return m_window->commentEdit()->text(); }

    // The pointer enters the button, then presses and releases inside it.
    static void click(StyledButton *button)
    {
        ASSERT_NE(button, nullptr);
        const QPointF centre = QRectF(button->rect()).center();
        QEnterEvent enter(centre, button->mapTo(button->window(), centre), button->mapToGlobal(centre));
        QCoreApplication::sendEvent(button, &enter);
        QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, centre.toPoint());
    }

    // A click on the row's "Type" cell, away from its check box.
    void clickRow(int position)
    {
        FileListView *view = m_window->fileList();
        const QModelIndex index = view->model()->index(position - 1, 2);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, view->visualRect(index).center());
    }

    // The tick box of a row, where the style draws it in the row's first cell.
    QRect tickBox(int position) const
    {
        FileListView *view = m_window->fileList();
        const QModelIndex index = view->model()->index(position - 1, 0);
        QStyleOptionViewItem option;
        option.initFrom(view);
        option.rect = view->visualRect(index);
        option.features = QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDisplay;
        option.checkState = index.data(Qt::CheckStateRole).value<Qt::CheckState>();
        option.text = index.data().toString();
        option.displayAlignment = Qt::AlignLeft | Qt::AlignVCenter;
        option.decorationSize = view->iconSize();
        return view->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, view);
    }

    // A click in the middle of a row's tick box.
    void clickTick(int position)
    {
        FileListView *view = m_window->fileList();
        const QRect box = tickBox(position);
        ASSERT_FALSE(box.isEmpty());
        QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, box.center());
    }

    FileListModel &model() const { return *m_window->fileModel(); }

    std::vector<ScriptedPlatform::Call> messages() const { return m_platform.messages(); }

    // Records the label and bar after every step of a run.
    struct Step
    {
        QString label;
        int value;
        int max;
        unsigned color;
        bool barVisible;
    };
    void recordSteps()
    {
        m_platform.setProcessEventsHook([this] {
            XP_ProgressBar *bar = m_window->progressBar();
            m_steps.push_back({m_window->percentLabel()->text(), bar->value(), bar->maximum(), bar->color(),
                               !bar->isHidden()});
        });
    }
    QStringList stepLabels() const
    {
        QStringList labels;
        for (const Step &step : m_steps)
            labels.append(step.label);
        return labels;
    }
    std::vector<int> stepValues() const
    {
        std::vector<int> values;
        for (const Step &step : m_steps)
            values.push_back(step.value);
        return values;
    }

    QTemporaryDir m_dir;
    ScriptedPlatform m_platform;
    std::unique_ptr<MainWindow> m_window;
    CommentFlows *m_flows = nullptr;
    std::vector<Step> m_steps;
};

} // namespace scrivlet
