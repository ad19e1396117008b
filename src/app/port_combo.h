#pragma once
// The port list "Port COM": a drop-down combo box that tells the window just
// before its list drops down, so that the devices plugged in since are shown.

#include <QComboBox>

namespace platine {

class PortComboBox : public QComboBox {
    Q_OBJECT
public:
    using QComboBox::QComboBox;
    void showPopup() override
    {
        emit aboutToDropDown();
        QComboBox::showPopup();
    }

signals:
    void aboutToDropDown();
};

} // namespace platine
