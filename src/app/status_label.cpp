#include "app/status_label.h"

#include <QEvent>
#include <QPainter>
#include <QStyle>

#include <algorithm>
#include <vector>

namespace platine {
namespace {

const QChar kEllipsis(0x2026);

struct Span {
    qsizetype start = 0;
    qsizetype length = 0;
};

bool holdsPath(QStringView s)
{
    return s.contains(QLatin1Char('/')) || s.contains(QLatin1Char('\\'));
}

// The parts of `s` that name a file: the text between « and » when it holds
// a path separator (a path there may contain blanks), and every other run of
// non-blank characters that holds one. Longest first.
std::vector<Span> pathParts(const QString &s)
{
    std::vector<Span> parts;
    for (qsizetype open = s.indexOf(QChar(0x00AB)); open >= 0;) {
        const qsizetype close = s.indexOf(QChar(0x00BB), open + 1);
        if (close < 0)
            break;
        qsizetype a = open + 1, b = close;
        while (a < b && s[a].isSpace())
            ++a;
        while (b > a && s[b - 1].isSpace())
            --b;
        if (holdsPath(QStringView(s).mid(a, b - a)))
            parts.push_back({a, b - a});
        open = s.indexOf(QChar(0x00AB), close + 1);
    }
    const std::size_t quoted = parts.size();
    const auto inQuoted = [&](qsizetype i) {
        return std::any_of(parts.begin(), parts.begin() + quoted,
                           [i](const Span &p) { return i >= p.start && i < p.start + p.length; });
    };
    for (qsizetype i = 0; i < s.size();) {
        if (s[i].isSpace()) {
            ++i;
            continue;
        }
        qsizetype end = i;
        while (end < s.size() && !s[end].isSpace())
            ++end;
        bool overlaps = false;
        for (qsizetype j = i; j < end && !overlaps; ++j)
            overlaps = inQuoted(j);
        if (!overlaps && holdsPath(QStringView(s).mid(i, end - i)))
            parts.push_back({i, end - i});
        i = end;
    }
    std::stable_sort(parts.begin(), parts.end(),
                     [](const Span &x, const Span &y) { return x.length > y.length; });
    return parts;
}

// `middle` with all but `keep` of its characters replaced by one ellipsis,
// the end (a file name) getting the odd one; a surrogate pair is not split.
QString elided(QStringView middle, qsizetype keep)
{
    qsizetype tail = (keep + 1) / 2, head = keep - tail;
    if (head > 0 && middle[head - 1].isHighSurrogate())
        --head;
    if (tail > 0 && middle[middle.size() - tail].isLowSurrogate())
        --tail;
    return middle.left(head).toString() + kEllipsis + middle.right(tail).toString();
}

// The most characters of `middle` that can stay, with the ellipsis, for
// prefix + middle + suffix to fit; -1 when even the ellipsis alone is too wide.
qsizetype mostKept(const QString &prefix, QStringView middle, const QString &suffix, int width,
                   const std::function<int(const QString &)> &widthOf)
{
    const auto fits = [&](qsizetype keep) {
        return widthOf(prefix + elided(middle, keep) + suffix) <= width;
    };
    if (!fits(0))
        return -1;
    qsizetype lo = 0, hi = middle.size() - 1; // fits(lo) holds
    while (lo < hi) {
        const qsizetype mid = (lo + hi + 1) / 2;
        if (fits(mid))
            lo = mid;
        else
            hi = mid - 1;
    }
    return lo;
}

} // namespace

QString fitStatusText(const QString &text, int width,
                      const std::function<int(const QString &)> &widthOf)
{
    // One line: a line break inside a message shows as a blank.
    QString s = text;
    s.replace(QLatin1String("\r\n"), QLatin1String(" "));
    s.replace(QLatin1Char('\r'), QLatin1Char(' '));
    s.replace(QLatin1Char('\n'), QLatin1Char(' '));
    if (widthOf(s) <= width)
        return s;

    // The paths give way first, longest first, each as little as needed.
    std::vector<Span> parts = pathParts(s);
    for (std::size_t n = 0; n < parts.size(); ++n) {
        const Span p = parts[n];
        const QString prefix = s.left(p.start), suffix = s.mid(p.start + p.length);
        const QStringView middle = QStringView(s).mid(p.start, p.length);
        const qsizetype keep = mostKept(prefix, middle, suffix, width, widthOf);
        if (keep >= 0)
            return prefix + elided(middle, keep) + suffix;
        // Even a bare ellipsis there is too wide: leave only that and go on.
        s = prefix + kEllipsis + suffix;
        for (std::size_t m = n + 1; m < parts.size(); ++m)
            if (parts[m].start > p.start)
                parts[m].start -= p.length - 1;
    }

    // Last resort: the middle of the whole message, its paths already gone.
    const qsizetype keep = mostKept(QString(), s, QString(), width, widthOf);
    return keep >= 0 ? elided(s, keep) : QString(kEllipsis);
}

StatusLabel::StatusLabel(const QString &text, QWidget *parent) : QLabel(text, parent)
{
    setTextFormat(Qt::PlainText);
    syncToolTip();
}

void StatusLabel::setText(const QString &text)
{
    m_toolTipLine.clear();
    QLabel::setText(text);
    syncToolTip();
}

void StatusLabel::setText(const QString &text, const QString &toolTipLine)
{
    QLabel::setText(text);
    m_toolTipLine = toolTipLine;
    m_toolTipLineOf = text;
    syncToolTip();
}

void StatusLabel::clear()
{
    QLabel::clear();
    syncToolTip();
}

void StatusLabel::syncToolTip()
{
    QString tip = text();
    if (!m_toolTipLine.isEmpty() && text() == m_toolTipLineOf)
        tip += QLatin1Char('\n') + m_toolTipLine;
    if (toolTip() != tip)
        setToolTip(tip);
}

QString StatusLabel::shownText() const
{
    const int width = contentsRect().width() - 2 * margin();
    if (m_fitOf != text() || m_fitWidth != width || m_fitFont != font()) {
        const QFontMetrics metrics(font());
        m_fitted = fitStatusText(
            text(), width, [&metrics](const QString &s) { return metrics.horizontalAdvance(s); });
        m_fitOf = text();
        m_fitWidth = width;
        m_fitFont = font();
    }
    return m_fitted;
}

bool StatusLabel::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip)
        syncToolTip();
    return QLabel::event(event);
}

void StatusLabel::paintEvent(QPaintEvent *)
{
    syncToolTip();
    QPainter painter(this);
    drawFrame(&painter);
    const QRect area = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    style()->drawItemText(&painter, area,
                          QStyle::visualAlignment(layoutDirection(), alignment()) |
                              Qt::TextSingleLine,
                          palette(), isEnabled(), shownText(), foregroundRole());
}

} // namespace platine
