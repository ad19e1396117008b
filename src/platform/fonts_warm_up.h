#pragma once

// The desktop's font configuration read on a thread of its own while the
// application connects to the display.

#include <thread>

namespace platine {

// On a desktop whose fonts fontconfig lists (Linux, BSD), reading its
// configuration files and its list of the installed fonts is a good part of
// the program's start, and Qt does it on the window's thread the first time a
// text is measured. Started before the QApplication is made, it is read by
// then on another core; wait() once the QApplication is made, before any
// widget: Qt finds the configuration read and does not read it again.
// Elsewhere it does nothing.
class FontsWarmUp {
public:
    FontsWarmUp();
    ~FontsWarmUp() { wait(); }
    FontsWarmUp(const FontsWarmUp &) = delete;
    FontsWarmUp &operator=(const FontsWarmUp &) = delete;

    void wait();

private:
    std::thread m_thread;
};

} // namespace platine
