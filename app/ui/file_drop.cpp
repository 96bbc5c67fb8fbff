#include "app/ui/file_drop.h"

#include "app/ui/file_list_view.h"
#include "app/ui/main_window.h"

#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

namespace scrivlet {

namespace {

// The local paths among the dragged URLs. A file URL may name this machine as "localhost"
// (file://localhost/path); other hosts are not local.
QByteArrayList localPaths(const QMimeData *data)
{
    QByteArrayList paths;
    if (data == nullptr || !data->hasUrls())
        return paths;
    for (const QUrl &url : data->urls()) {
        if (url.scheme().compare(QLatin1String("file"), Qt::CaseInsensitive) != 0)
            continue;
        const QString host = url.host();
        if (!host.isEmpty() && host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) != 0)
            continue;
        // The path's own bytes: a name that is not valid UTF-8 arrives percent-encoded.
        const QByteArray bytes = QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
        if (!bytes.isEmpty())
            paths.append(bytes);
    }
    return paths;
}

// Takes the drag as a copy when it carries local files and its source allows copying.
bool takeAsCopy(QDropEvent *drag)
{
    if (!drag->possibleActions().testFlag(Qt::CopyAction) || localPaths(drag->mimeData()).isEmpty())
        return false;
    drag->setDropAction(Qt::CopyAction);
    drag->accept();
    return true;
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
    case QEvent::DragMove:
        return takeAsCopy(static_cast<QDropEvent *>(event)) || QObject::eventFilter(watched, event);
    case QEvent::Drop: {
        auto *dropEvent = static_cast<QDropEvent *>(event);
        if (!takeAsCopy(dropEvent))
            return QObject::eventFilter(watched, event);
        m_window.addDroppedItems(localPaths(dropEvent->mimeData()));
        return true;
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}

} // namespace scrivlet
