#pragma once

#include "app/platform/platform.h"

#include <QPointer>

class QWidget;

namespace scrivlet {

// The real desktop services: Qt's message boxes and file dialogs, the desktop's URL handler, the
// application-wide override cursor and QCoreApplication::processEvents.
class QtPlatform : public Platform
{
public:
    explicit QtPlatform(QWidget *owner = nullptr);

    // The window the modal dialogs are centred on (none: centred on the screen).
    void setOwner(QWidget *owner);

    Answer messageBox(const QString &text, const QString &title, Icon icon, Buttons buttons) override;
    QuestionAnswer ask(const Question &question) override;
    std::optional<QString> openFile(const OpenRequest &request) override;
    std::optional<QString> browseForFolder(const QString &title, const QString &startFolder) override;
    bool openUrl(const QString &address) override;
    void setBusyCursor(bool busy) override;
    void processEvents() override;

    // Turns "Text Files (*.txt)|*.txt|All Files|*.*" into Qt's filter list
    // ("Text Files (*.txt) (*.txt)", "All Files (*)"); a pair without a pattern is dropped.
    static QStringList qtFilters(const QString &windowsFilter);

private:
    QPointer<QWidget> m_owner;
    int m_busyDepth = 0;
};

} // namespace scrivlet
