#include "app/command_button.h"

#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

#include <algorithm>
#include <cmath>

namespace platine {
namespace {

// The access key underlined.
constexpr int kFlags = Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic;

// At most six steps of 10 % smaller than the button's font.
constexpr int kMaxSteps = 6;

bool fits(const QFontMetrics &metrics, const QRect &area, const QString &text)
{
    const QRect need = metrics.boundingRect(area, kFlags, text);
    return need.width() <= area.width() && need.height() <= area.height();
}

// By how many steps the button's font is made smaller for `text` to fit in
// `area`: a long word is drawn smaller rather than cut. Found with the
// button's own font against the area made larger in the same ratio: each
// size of a font first measured costs a search of the desktop's fonts, and
// the sizes tried on the way are never shown.
int stepsToFit(const QFontMetrics &metrics, const QRect &area, const QString &text)
{
    double scale = 1;
    for (int steps = 0; steps < kMaxSteps; ++steps, scale *= 0.9) {
        if (fits(metrics, QRect(area.topLeft(), area.size() / scale), text))
            return steps;
    }
    return kMaxSteps;
}

QFont smaller(QFont f, int steps)
{
    if (steps > 0)
        f.setPointSizeF(f.pointSizeF() * std::pow(0.9, steps));
    return f;
}

// The font `steps` smaller, or one step larger or smaller where the text
// fits at that size after all or does not: the glyphs of a small size are
// not all in proportion to the large ones.
QFont fittingFont(const QFont &base, int steps, const QRect &area, const QString &text)
{
    while (steps > 0 && fits(QFontMetrics(smaller(base, steps - 1)), area, text))
        --steps;
    QFont f = smaller(base, steps);
    while (steps < kMaxSteps && !fits(QFontMetrics(f), area, text))
        f = smaller(base, ++steps);
    return f;
}

} // namespace

QFont fittingCaptionFont(const QFont &base, const QRect &area, const QString &text)
{
    return fittingFont(base, stepsToFit(QFontMetrics(base), area, text), area, text);
}

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
        l.font = fittingCaptionFont(font(), area, text());
        return l;
    }
    // The icon goes beside the caption, or above it when the caption then
    // keeps a larger font (a long word in a narrow button); beside it when
    // the caption fits there whole.
    const QRect besideText = area.adjusted(is.width() + 4, 0, 0, 0);
    const QRect aboveText = area.adjusted(0, is.height() + 3, 0, 0);
    const QFontMetrics metrics(font());
    const int besideSteps = stepsToFit(metrics, besideText, text());
    const int aboveSteps = besideSteps == 0 ? 0 : stepsToFit(metrics, aboveText, text());
    if (besideSteps <= aboveSteps) {
        l.textArea = besideText;
        l.iconArea = QRect(QPoint(area.left() + 2, area.center().y() - is.height() / 2), is);
    } else {
        l.textArea = aboveText;
        l.iconArea = QRect(QPoint(area.center().x() - is.width() / 2, area.top() + 2), is);
    }
    l.font = fittingFont(font(), std::min(besideSteps, aboveSteps), l.textArea, text());
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
