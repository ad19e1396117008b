#pragma once
// A push button whose caption wraps onto several lines, as the narrow
// buttons of the command column need; text() stays the caption. Its icon
// goes beside the caption, or above it where that leaves the caption larger.

#include <QPushButton>

namespace platine {

// The font a caption is drawn in within `area`: `base`, else made smaller by
// steps of 10 % (six at the most) until `text` fits there, wrapped at its
// spaces; a long word is drawn smaller rather than cut.
QFont fittingCaptionFont(const QFont &base, const QRect &area, const QString &text);

class CommandButton : public QPushButton {
    Q_OBJECT
public:
    explicit CommandButton(const QString &caption, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    // Where the caption and the icon go and the caption's font: measured
    // once for a size, caption, font and icon, not at each paint (a button
    // is painted again whenever the mouse passes over it).
    struct Layout {
        QSize size;
        QString text;
        QFont base;
        QSize iconSize; // empty without an icon
        QFont font;
        QRect textArea;
        QRect iconArea;
    };
    const Layout &layout();

    Layout m_layout;
};

} // namespace platine
