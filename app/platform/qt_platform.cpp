#include "app/platform/qt_platform.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

namespace scrivlet {

QtPlatform::QtPlatform(QWidget *owner) : m_owner(owner)
{}

void QtPlatform::setOwner(QWidget *owner)
{
    m_owner = owner;
}

namespace {

QMessageBox::Icon qtIcon(Platform::Icon icon)
{
    switch (icon) {
    case Platform::Icon::None:
        return QMessageBox::NoIcon;
    case Platform::Icon::Information:
        return QMessageBox::Information;
    case Platform::Icon::Exclamation:
        return QMessageBox::Warning;
    case Platform::Icon::Critical:
        return QMessageBox::Critical;
    case Platform::Icon::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

} // namespace

Platform::Answer QtPlatform::messageBox(const QString &text, const QString &title, Icon icon, Buttons buttons)
{
    QMessageBox box(m_owner);
    box.setWindowTitle(title);
    box.setText(text);
    box.setIcon(qtIcon(icon));
    if (buttons == Buttons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        // Closing the box with Escape or the title bar counts as No, never as Yes.
        box.setEscapeButton(QMessageBox::No);
        return box.exec() == QMessageBox::Yes ? Answer::Yes : Answer::No;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return Answer::Ok;
}

Platform::QuestionAnswer QtPlatform::ask(const Question &question)
{
    QMessageBox box(m_owner);
    box.setWindowTitle(question.title);
    box.setText(question.text);
    box.setIcon(qtIcon(question.icon));
    QList<QPushButton *> buttons;
    for (qsizetype i = 0; i < question.choices.size(); ++i) {
        // The role only orders the buttons as the desktop style wants them; the answer is the index.
        const QMessageBox::ButtonRole role = i == question.cancelChoice    ? QMessageBox::RejectRole
                                             : i == question.defaultChoice ? QMessageBox::AcceptRole
                                                                           : QMessageBox::ActionRole;
        buttons.append(box.addButton(question.choices.at(i), role));
    }
    if (question.defaultChoice >= 0 && question.defaultChoice < buttons.size())
        box.setDefaultButton(buttons.at(question.defaultChoice));
    if (question.cancelChoice >= 0 && question.cancelChoice < buttons.size())
        box.setEscapeButton(buttons.at(question.cancelChoice));
    if (!question.checkBox.isEmpty())
        box.setCheckBox(new QCheckBox(question.checkBox, &box));
    box.exec();
    QuestionAnswer answer;
    const auto pressed = buttons.indexOf(qobject_cast<QPushButton *>(box.clickedButton()));
    // Closed without a button (the window manager, no escape button): as cancelled.
    answer.choice = pressed >= 0 ? static_cast<int>(pressed) : question.cancelChoice;
    answer.checked = box.checkBox() != nullptr && box.checkBox()->isChecked();
    return answer;
}

QStringList QtPlatform::qtFilters(const QString &windowsFilter)
{
    const QStringList parts = windowsFilter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts.at(i + 1).split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString &pattern : patterns) {
            pattern = pattern.trimmed();
            // "*.*" means every file, also those without a dot in their name.
            if (pattern == QLatin1String("*.*"))
                pattern = QStringLiteral("*");
        }
        if (patterns.isEmpty())
            continue;
        // A description that names its patterns already ("Text Files (*.txt)") gets Qt's in their place.
        QString description = parts.at(i).trimmed();
        if (description.endsWith(QLatin1Char(')')) && description.contains(QLatin1Char('(')))
            description = description.left(description.lastIndexOf(QLatin1Char('('))).trimmed();
        filters << QStringLiteral("%1 (%2)").arg(description, patterns.join(QLatin1Char(' ')));
    }
    return filters;
}

std::optional<QString> QtPlatform::openFile(const OpenRequest &request)
{
    QFileDialog dialog(m_owner, request.title);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    const QStringList filters = qtFilters(request.filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        const qsizetype index = request.filterIndex - 1;
        if (index >= 0 && index < filters.size())
            dialog.selectNameFilter(filters.at(index));
    }
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
}

std::optional<QString> QtPlatform::browseForFolder(const QString &title, const QString &startFolder)
{
    const QString chosen = QFileDialog::getExistingDirectory(m_owner, title, startFolder);
    if (chosen.isEmpty())
        return std::nullopt;
    // Drive and file-system roots keep their separator; other folders come back without one.
    QString path = QDir::toNativeSeparators(QDir::cleanPath(chosen)).trimmed();
    if (QDir(path).isRoot() && !path.endsWith(QDir::separator()))
        path += QDir::separator();
    return path;
}

bool QtPlatform::openUrl(const QString &address)
{
    return QDesktopServices::openUrl(QUrl(address));
}

void QtPlatform::setBusyCursor(bool busy)
{
    // Only undo what this object set, so an unbalanced "off" cannot pop someone else's cursor.
    if (busy) {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        ++m_busyDepth;
    } else if (m_busyDepth > 0) {
        QGuiApplication::restoreOverrideCursor();
        --m_busyDepth;
    }
}

void QtPlatform::processEvents()
{
    QCoreApplication::processEvents();
}

} // namespace scrivlet
