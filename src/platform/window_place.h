#pragma once
// Every window inside the screen, at any scale: its controls on a page that
// scrolls when the window is smaller than the page, and its size and place
// kept for the next start in the program's own settings ("platine.ini",
// own_settings.h; never "param.ini").

#include <QString>

#include <string>

class QScrollArea;
class QWidget;

namespace platine {

// Makes the page that holds `window`'s controls, inside a scroll area that
// fills the window: the page follows the window's size, never below its
// least size (its layout's, or the minimum size given to it); a window
// smaller than that shows scroll bars. The area is named "defilement".
QWidget *scrollingPage(QWidget *window);

// Places `window` (a top-level window not yet shown) inside the available
// area of its screen: at the size and place it had when last closed, kept
// under `key` in the settings file `settingsPath` (empty: nothing is kept),
// or at its present size in the middle of the screen. A window larger than
// the area is made as large as the area. From then on its size and place
// are kept each time it is hidden (closed) and by keepPlaceNow.
void placeOnScreen(QWidget *window, const std::string &settingsPath, const QString &key);

// Keeps the size and place of a window placed by placeOnScreen now (the
// program ends without closing it).
void keepPlaceNow(QWidget *window);

} // namespace platine
