#include "platform/qt/list_box_model.h"

#include "platform/list_box.h"
#include "platform/qt/qt_convert.h"

namespace kestrova {

ListBoxModel::ListBoxModel(const ListBox &list, QObject *parent)
    : QAbstractListModel(parent), m_list(list), m_rows(list.count())
{
}

int ListBoxModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

QVariant ListBoxModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_list.count())
        return {};
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole || role == Qt::AccessibleTextRole)
        return toQString(m_list.item(index.row()));
    return {};
}

void ListBoxModel::entriesChanged()
{
    beginResetModel();
    m_rows = m_list.count();
    endResetModel();
}

} // namespace kestrova
