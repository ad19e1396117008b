#include "app/port_list_model.h"

#include <QCoreApplication>

namespace platine {

int PortListModel::addPort(const QString &label)
{
    const int row = int(m_items.size());
    beginInsertRows({}, row, row);
    m_items.append({label, QString(), false, false});
    endInsertRows();
    return row;
}

int PortListModel::addDevice(const QString &name, const QString &toolTip, bool absent)
{
    const int row = int(m_items.size());
    beginInsertRows({}, row, row);
    m_items.append({name, toolTip, true, absent});
    endInsertRows();
    return row;
}

void PortListModel::removeDevices()
{
    int first = 0;
    while (first < m_items.size() && !m_items[first].device)
        ++first;
    if (first == m_items.size())
        return;
    beginRemoveRows({}, first, int(m_items.size()) - 1);
    m_items.resize(first);
    endRemoveRows();
}

void PortListModel::markPresent(int row)
{
    if (!isAbsent(row))
        return;
    Item &item = m_items[row];
    item.absent = false;
    item.toolTip = item.label;
    emit dataChanged(index(row), index(row));
}

bool PortListModel::isDevice(int row) const
{
    return row >= 0 && row < m_items.size() && m_items[row].device;
}

bool PortListModel::isAbsent(int row) const
{
    return isDevice(row) && m_items[row].absent;
}

QString PortListModel::portName(int row) const
{
    return row >= 0 && row < m_items.size() ? m_items[row].label : QString();
}

int PortListModel::rowOfDevice(const QString &name) const
{
    for (int row = 0; row < m_items.size(); ++row)
        if (m_items[row].device && m_items[row].label == name)
            return row;
    return -1;
}

int PortListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_items.size());
}

QVariant PortListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_items.size())
        return {};
    const Item &item = m_items[index.row()];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return item.absent ? QCoreApplication::translate("PortList", "%1 (absent)").arg(item.label)
                           : item.label;
    case Qt::ToolTipRole:
        if (item.absent)
            return QCoreApplication::translate("PortList", "Périphérique absent");
        return item.toolTip.isEmpty() ? QVariant() : QVariant(item.toolTip);
    case DeviceNameRole:
        return item.device ? QVariant(item.label) : QVariant();
    case AbsentRole:
        return item.absent;
    default:
        return {};
    }
}

} // namespace platine
