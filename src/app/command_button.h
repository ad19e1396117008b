#pragma once
// A push button whose caption wraps onto several lines, as the narrow
// buttons of the command column need; text() stays the caption. Its icon
// goes beside the caption, or above it where that leaves the caption larger.

#include <QPushButton>

namespace platine {

class CommandButton : public QPushButton {
    Q_OBJECT
public:
    explicit CommandButton(const QString &caption, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace platine
