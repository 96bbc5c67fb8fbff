#include "app/ui/file_drop.h"

#include "app/core/dropped_items.h"
#include "app/ui/main_window.h"

#include <QCheckBox>
#include <QDropEvent>
#include <QMimeData>
#include <QTableView>
#include <QUrl>

#include <algorithm>

namespace {

bool carriesFiles(const QMimeData *data)
{
    if (!data || !data->hasUrls())
        return false;
    const QList<QUrl> urls = data->urls();
    return std::any_of(urls.begin(), urls.end(), [](const QUrl &url) { return url.isLocalFile(); });
}

} // namespace

FileDrop::FileDrop(MainWindow &window, QObject *parent) : QObject(parent), m_window(window)
{
    QWidget *viewport = window.fileList()->viewport();
    viewport->setAcceptDrops(true);
    viewport->installEventFilter(this);
}

bool FileDrop::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto *drag = static_cast<QDragMoveEvent *>(event);
        if (!carriesFiles(drag->mimeData()))
            return QObject::eventFilter(watched, event);
        drag->acceptProposedAction();
        return true;
    }
    case QEvent::Drop: {
        auto *dropEvent = static_cast<QDropEvent *>(event);
        if (!carriesFiles(dropEvent->mimeData()))
            return QObject::eventFilter(watched, event);
        QStringList paths;
        for (const QUrl &url : dropEvent->mimeData()->urls())
            if (url.isLocalFile())
                paths.append(url.toLocalFile());
        dropEvent->acceptProposedAction();
        drop(paths);
        return true;
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}

void FileDrop::drop(const QStringList &paths)
{
    m_window.addFileRows(DroppedItems::filesToAdd(paths, m_window.subfoldersCheck()->isChecked()));
    m_window.autoSizeColumns();
    m_window.checkAllItems();
    m_window.updateListCommands();
    m_window.writeStatusText();
}
