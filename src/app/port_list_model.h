#pragma once
// The items of the port list "Port COM": the numbered ports "COM1" to
// "COM10" first, then the serial devices present, and a chosen device
// unplugged since, marked absent. The mark is a role of the item, not a
// piece of its caption: the caption only shows it.

#include <QAbstractListModel>
#include <QList>
#include <QString>

namespace platine {

class PortListModel : public QAbstractListModel {
public:
    enum Role {
        DeviceNameRole = Qt::UserRole, // what opens a device; none for a numbered port
        AbsentRole,                    // a device chosen but not plugged in
    };

    using QAbstractListModel::QAbstractListModel;

    // Appends a numbered port ("COM3") or a device; returns its row.
    int addPort(const QString &label);
    int addDevice(const QString &name, const QString &toolTip, bool absent = false);
    // Takes every device off the list, the numbered ports stay.
    void removeDevices();
    // The device of `row` is plugged in: it loses its mark.
    void markPresent(int row);

    bool isDevice(int row) const;
    bool isAbsent(int row) const;
    // What "Quitter" stores for `row`: "COM3", or the device's name.
    QString portName(int row) const;
    // The row of the device `name`; -1 when it is not listed.
    int rowOfDevice(const QString &name) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;

private:
    struct Item {
        QString label;   // the port's name or the device's name
        QString toolTip; // the device's maker, product and serial number
        bool device = false;
        bool absent = false;
    };
    QList<Item> m_items;
};

} // namespace platine
