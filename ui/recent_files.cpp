#include "ui/recent_files.h"

#include <QDir>
#include <QMenu>

#include "ui/messages.h"

namespace ui {

namespace {

    // Long paths keep their file name and the start of their folder.
    constexpr int EntryWidth = 560;

} // namespace

RecentFilesButton::RecentFilesButton(QWidget *parent)
    : QPushButton(text::RecentFiles(), parent)
{
    setToolTip(text::RecentFilesTip());
    setMenu(new QMenu(this));
    setEnabled(false);
}

void RecentFilesButton::SetFiles(const QStringList &paths)
{
    m_files = paths;
    QMenu *entries = menu();
    entries->clear();
    for (int i = 0; i < paths.size(); ++i) {
        const QString path = paths.at(i);
        QString shown = entries->fontMetrics().elidedText(
            QDir::toNativeSeparators(path), Qt::ElideMiddle, EntryWidth);
        // "&&" keeps an ampersand of the path from becoming a mnemonic.
        shown.replace(u'&', QStringLiteral("&&"));
        QAction *entry
            = entries->addAction(QStringLiteral("&%1  %2").arg(QString::number(i + 1), shown));
        entry->setToolTip(QDir::toNativeSeparators(path));
        connect(entry, &QAction::triggered, this, [this, path] { emit Chosen(path); });
    }
    setEnabled(!paths.isEmpty());
}

} // namespace ui
