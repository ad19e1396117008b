#pragma once
// The one-line status strip. A message wider than the label is not cut at
// its end: the middle of the file path it names is left out first, so the
// reason around the path stays readable, and only then the middle of the
// whole message. text() stays the whole message, and so does the tool tip,
// whichever way the text was set.

#include <QLabel>

#include <functional>

namespace platine {

// The shown form of `text` within `width`, widths measured by `widthOf`.
// Returns `text` itself when it fits.
QString fitStatusText(const QString &text, int width,
                      const std::function<int(const QString &)> &widthOf);

class StatusLabel : public QLabel {
    Q_OBJECT
public:
    explicit StatusLabel(const QString &text, QWidget *parent = nullptr);

    // QLabel's own are not virtual: these hide them, so that the tool tip
    // follows at once. A text set through a QLabel pointer still gets its
    // tool tip when drawn or hovered.
    void setText(const QString &text);
    // The text, and its tool tip with `toolTipLine` below it.
    void setText(const QString &text, const QString &toolTipLine);
    void clear();

    // What the label draws at its present width and font.
    QString shownText() const;

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void syncToolTip();

    QString m_toolTipLine;   // the extra line of the tool tip
    QString m_toolTipLineOf; // the text it was given with

    mutable QString m_fitOf;
    mutable int m_fitWidth = -1;
    mutable QFont m_fitFont;
    mutable QString m_fitted;
};

} // namespace platine
