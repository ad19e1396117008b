#pragma once
// A multi-line text box whose text is kept exactly as it was set or
// received: CR LF, lone CR and every other character stay as they are, while
// the view shows each line break as a new line. Appending adds to the end of
// the view in one edit and never rebuilds it, so a pane of megabytes still
// takes each chunk at once.

#include <QPlainTextEdit>
#include <QString>

namespace platine {

class Pane : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit Pane(QWidget *parent = nullptr);

    const QString &text() const { return m_text; }
    void setText(const QString &text);
    void append(const QString &more);
    // Characters before the caret, a line break counting as in the text
    // (CR LF as two characters).
    int caretPosition() const;

private:
    void takeOperatorEdit();
    static QString forView(const QString &text);

    QString m_text;
    bool m_programmatic = false;
};

} // namespace platine
