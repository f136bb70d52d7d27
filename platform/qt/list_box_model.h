#pragma once

#include <QAbstractListModel>

namespace kestrova {

class ListBox;

/// Shows a ListBox's entries without copying them, so a listing of many thousand files costs
/// one reset instead of one widget item per file.
class ListBoxModel : public QAbstractListModel
{
    Q_OBJECT
public:
    explicit ListBoxModel(const ListBox &list, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    /// The entries changed; the view catches up in one reset.
    void entriesChanged();

private:
    const ListBox &m_list;
    int m_rows = 0;
};

} // namespace kestrova
