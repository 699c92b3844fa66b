#include "ui/protocol_drop.h"

#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

namespace ui {

QString ProtocolDrop::DroppedPath(const QMimeData *mime)
{
    if (!mime || !mime->hasUrls())
        return {};
    const QList<QUrl> urls = mime->urls();
    if (urls.size() != 1 || !urls.front().isLocalFile())
        return {};
    return urls.front().toLocalFile();
}

bool ProtocolDrop::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto *drag = static_cast<QDragMoveEvent *>(event);
        if (DroppedPath(drag->mimeData()).isEmpty())
            break;
        drag->acceptProposedAction();
        return true;
    }
    case QEvent::Drop: {
        auto *drop = static_cast<QDropEvent *>(event);
        const QString path = DroppedPath(drop->mimeData());
        if (path.isEmpty())
            break;
        drop->acceptProposedAction();
        emit Dropped(path);
        return true;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace ui
