// The drop-down beside "1. Агляд..." that offers the protocols read last.
#pragma once

#include <QStringList>
#include <QPushButton>

namespace ui {

// A push button like the steps beside it, whose menu holds one entry a path, numbered "&1" to
// "&8" so that a digit chooses one once it is open (Space opens it from the keyboard). Disabled
// while there is nothing to offer.
class RecentFilesButton final : public QPushButton
{
    Q_OBJECT

public:
    explicit RecentFilesButton(QWidget *parent = nullptr);

    void SetFiles(const QStringList &paths); // newest first
    QStringList Files() const { return m_files; }

signals:
    void Chosen(const QString &path);

private:
    QStringList m_files;
};

} // namespace ui
