#include "app/command_button.h"

#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace platine {

CommandButton::CommandButton(const QString &caption, QWidget *parent) : QPushButton(caption, parent)
{
}

void CommandButton::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    const QRect area = rect().adjusted(3, 2, -3, -2);
    // A long word is drawn smaller rather than cut.
    QFont f = font();
    for (int i = 0; i < 6; ++i) {
        const QRect need =
            QFontMetrics(f).boundingRect(area, Qt::AlignCenter | Qt::TextWordWrap, text());
        if (need.width() <= area.width() && need.height() <= area.height())
            break;
        f.setPointSizeF(f.pointSizeF() * 0.9);
    }
    painter.setFont(f);
    painter.drawText(area, Qt::AlignCenter | Qt::TextWordWrap, text());
}

} // namespace platine
