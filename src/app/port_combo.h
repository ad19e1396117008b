#pragma once
// The port list "Port COM": a drop-down combo box over its items
// (port_list_model.h) that tells the window just before its list drops
// down, so that the devices plugged in since are shown.

#include "app/port_list_model.h"

#include <QComboBox>

namespace platine {

class PortComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit PortComboBox(QWidget *parent = nullptr) : QComboBox(parent)
    {
        setModel(m_ports = new PortListModel(this));
    }
    PortListModel &ports() const { return *m_ports; }
    void showPopup() override
    {
        emit aboutToDropDown();
        QComboBox::showPopup();
    }

signals:
    void aboutToDropDown();

private:
    PortListModel *m_ports = nullptr;
};

} // namespace platine
