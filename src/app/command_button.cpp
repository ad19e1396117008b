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

const CommandButton::Layout &CommandButton::layout()
{
    const QSize is = icon().isNull() ? QSize() : iconSize();
    Layout &l = m_layout;
    if (l.size == size() && l.text == text() && l.base == font() && l.iconSize == is)
        return l;
    l = Layout{size(), text(), font(), is, {}, {}, {}};
    const QRect area = rect().adjusted(3, 2, -3, -2);
    if (is.isEmpty()) {
        l.textArea = area;
        l.font = fittingFont(font(), area, text());
        return l;
    }
    // The icon goes beside the caption, or above it when the caption then
    // keeps a larger font (a long word in a narrow button); beside it when
    // the caption fits there whole.
    const QRect besideText = area.adjusted(is.width() + 4, 0, 0, 0);
    const QRect aboveText = area.adjusted(0, is.height() + 3, 0, 0);
    const QFont besideFont = fittingFont(font(), besideText, text());
    const QFont aboveFont = besideFont.pointSizeF() >= font().pointSizeF()
                                ? besideFont
                                : fittingFont(font(), aboveText, text());
    if (besideFont.pointSizeF() >= aboveFont.pointSizeF()) {
        l.textArea = besideText;
        l.font = besideFont;
        l.iconArea = QRect(QPoint(area.left() + 2, area.center().y() - is.height() / 2), is);
    } else {
        l.textArea = aboveText;
        l.font = aboveFont;
        l.iconArea = QRect(QPoint(area.center().x() - is.width() / 2, area.top() + 2), is);
    }
    return l;
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
    const Layout &l = layout();
    if (!l.iconSize.isEmpty())
        icon().paint(&painter, l.iconArea, Qt::AlignCenter,
                     isEnabled() ? QIcon::Normal : QIcon::Disabled,
                     isChecked() ? QIcon::On : QIcon::Off);
    painter.setFont(l.font);
    painter.drawText(l.textArea, kFlags, l.text);
}

} // namespace platine
