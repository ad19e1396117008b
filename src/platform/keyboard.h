#pragma once
// What makes a window usable from the keyboard alone, the same in every
// window of the program: access keys on its buttons, Return on the focused
// button, Escape to close a window beside the main one, a Tab order given
// as a list.

#include <QList>
#include <QString>

class QAbstractButton;
class QMenuBar;
class QWidget;

namespace platine {

// Gives each of `buttons` an access key, none alike and none of `taken`
// (the keys the window's menus use, menuAccessKeys). The captions are
// otherwise unchanged; a caption that already has one is left as it is and
// its key is taken. Call again after the captions change.
void giveAccessKeys(const QList<QAbstractButton *> &buttons, const QString &taken = {});
// The access keys of the menus of `bar`, lower case.
QString menuAccessKeys(const QMenuBar *bar);
// A caption as the operator reads it, without the access key's mark.
QString shownCaption(const QString &caption);

// Return and Enter press the focused push button of `window`, as Space does.
void returnPressesButtons(QWidget *window);

// Escape pressed in `window` and left to it by the control that has the
// focus closes it.
void escapeCloses(QWidget *window);

// The Tab order of the controls, in the order given.
void setTabChain(const QList<QWidget *> &chain);

} // namespace platine
