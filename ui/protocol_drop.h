// Accepts one local file dragged onto the widgets it watches and reports its path.
#pragma once

#include <QObject>
#include <QString>

class QMimeData;

namespace ui {

class ProtocolDrop final : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // The path of the one local file the data names, or empty.
    static QString DroppedPath(const QMimeData *mime);

signals:
    void Dropped(const QString &path);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

} // namespace ui
