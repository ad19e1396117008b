#include "app/command_button.h"

#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace platine {
namespace {

// The access key underlined.
constexpr int kFlags = Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic;

// The button's font, made smaller until `text` fits in `area`: a long word
// is drawn smaller rather than cut.
QFont fittingFont(QFont f, const QRect &area, const QString &text)
{
    for (int i = 0; i < 6; ++i) {
        const QRect need = QFontMetrics(f).boundingRect(area, kFlags, text);
        if (need.width() <= area.width() && need.height() <= area.height())
            break;
        f.setPointSizeF(f.pointSizeF() * 0.9);
    }
    return f;
}

} // namespace

CommandButton::CommandButton(const QString &caption, QWidget *parent) : QPushButton(caption, parent)
{
}

void CommandButton::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    option.icon = QIcon();
    painter.drawControl(QStyle::CE_PushButton, option);
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    const QRect area = rect().adjusted(3, 2, -3, -2);
    QRect textArea = area;
    QFont f;
    if (icon().isNull()) {
        f = fittingFont(font(), textArea, text());
    } else {
        // The icon goes beside the caption, or above it when the caption
        // then keeps a larger font (a long word in a narrow button).
        const QSize is = iconSize();
        const QRect besideText = area.adjusted(is.width() + 4, 0, 0, 0);
        const QRect aboveText = area.adjusted(0, is.height() + 3, 0, 0);
        const QFont besideFont = fittingFont(font(), besideText, text());
        const QFont aboveFont = fittingFont(font(), aboveText, text());
        QRect iconArea;
        if (besideFont.pointSizeF() >= aboveFont.pointSizeF()) {
            textArea = besideText;
            f = besideFont;
            iconArea = QRect(QPoint(area.left() + 2, area.center().y() - is.height() / 2), is);
        } else {
            textArea = aboveText;
            f = aboveFont;
            iconArea = QRect(QPoint(area.center().x() - is.width() / 2, area.top() + 2), is);
        }
        icon().paint(&painter, iconArea, Qt::AlignCenter,
                     isEnabled() ? QIcon::Normal : QIcon::Disabled,
                     isChecked() ? QIcon::On : QIcon::Off);
    }
    painter.setFont(f);
    painter.drawText(textArea, kFlags, text());
}

} // namespace platine
