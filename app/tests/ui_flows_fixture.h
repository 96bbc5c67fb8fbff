#pragma once
// Shared set-up of the comment flow tests: the real main window on a scripted platform, with
// temporary files to save to, read from and drop.

#include "app/core/file_list_model.h"
#include "app/platform/scripted_platform.h"
#include "app/ui/comment_flows.h"
#include "app/ui/main_window.h"
#include "controls/progress_bar/xp_progress_bar.h"
#include "controls/styled_button/styled_button.h"

#include <QDir>
#include <QEnterEvent>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

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
        m_window->addFileRows(paths);
        m_window->checkAllItems();
        m_window->updateListCommands();
        ASSERT_EQ(m_window->fileModel()->count(), paths.size()) << "a path could not be added";
    }

    void type(const QString &text) { m_window->commentEdit()->setPlainText(text); }

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
        QTableView *view = m_window->fileList();
        const QModelIndex index = view->model()->index(position - 1, 2);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, view->visualRect(index).center());
    }

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
