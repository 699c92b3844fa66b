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
    : QToolButton(parent)
{
    setText(text::RecentFiles);
    setToolTip(text::RecentFilesTip);
    setPopupMode(QToolButton::InstantPopup);
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
        const QString shown = entries->fontMetrics().elidedText(
            QDir::toNativeSeparators(path), Qt::ElideMiddle, EntryWidth);
        // "&&" keeps an ampersand of the path from becoming a mnemonic.
        QAction *entry = entries->addAction(
            QStringLiteral("&%1  %2").arg(i + 1).arg(QString(shown).replace(u'&', QStringLiteral("&&"))));
        entry->setToolTip(QDir::toNativeSeparators(path));
        connect(entry, &QAction::triggered, this, [this, path] { emit Chosen(path); });
    }
    setEnabled(!paths.isEmpty());
}

} // namespace ui
