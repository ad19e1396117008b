#include "app/command_button.h"

#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace platine {

CommandButton::CommandButton(const QString &caption, QWidget *parent) : QPushButton(caption, parent) {}

void CommandButton::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                                   QPalette::ButtonText));
    const QRect area = rect().adjusted(4, 2, -4, -2);
    painter.drawText(area, Qt::AlignCenter | Qt::TextWordWrap, text());
}

} // namespace platine
