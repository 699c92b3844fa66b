// The group list's cells, made from the groups' settings each time the view asks for one.
#pragma once

#include <vector>

#include <QAbstractTableModel>
#include <QStringList>

#include "engine/protocol.h"

namespace ui {

// A protocol of many thousand groups would cost kilobytes per row if each cell kept its text
// (and the heading's tooltip): the rows here are the window's `GroupSettings` themselves, and
// only the table captions are kept. The rows follow the groups at Refill (after each read) and
// GroupChanged (after each edit), as the view must hear of every change.
class GroupListModel final : public QAbstractTableModel
{
    Q_OBJECT

public:
    // `groups` must outlive the model.
    GroupListModel(const std::vector<engine::GroupSettings> &groups, QObject *parent);

    // One row per group, texts as the groups' settings are now; the headers are written once
    // every group has all its settings to show. False when some group has not (a points table
    // beyond the captions, for one), or when there are no groups.
    bool Refill(const QStringList &captions);
    // The points tables' captions changed: the table cells follow.
    void SetCaptions(const QStringList &captions);
    // A group's settings changed: its row is shown anew.
    void GroupChanged(int row);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(
        int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    const std::vector<engine::GroupSettings> &m_groups;
    QStringList m_captions;
    int m_rows = 0;
    bool m_headers = false; // the headers stay blank until a list is first shown whole
};

} // namespace ui
