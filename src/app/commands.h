#pragma once
// The window's commands, each written once: the menu item that runs it
// (object name, caption with its access key, shortcut), the button of the
// window that runs it as well, and its handler. The menu bar is made from
// this table (form2_ui.cpp) and the window connects the items and buttons
// from it (form2.cpp); a name that matches no control stops the program at
// start-up. When a command is refused (no list open, the line busy) is its
// handler's business: the item and the button run the same handler, so they
// are refused alike.

#include <span>

namespace platine {

class Form2;

// The captions are French, marked for translation (context "Commands") and
// shown translated; the names are the program's own.
struct MenuDef {
    const char *name;             // the menu's object name
    const char *title;            // its caption, "&" before its access key
    const char *parent = nullptr; // a submenu: the object name of its menu
};

struct CommandDef {
    const char *menu;     // the menu's object name; nullptr: a button only
    const char *item;     // the menu item's object name
    const char *caption;  // the item's caption, "&" before its access key
    const char *shortcut; // or nullptr
    const char *button;   // the window's push button that runs it too, or nullptr
    void (*run)(Form2 &); // the handler
    bool separatorBefore = false;
    bool checkable = false; // an item checked or not (the window checks it)
};

// The menus, left to right; a submenu follows the items of its menu.
std::span<const MenuDef> menus();
// Every command, the menu items in their menus' order.
std::span<const CommandDef> commands();

} // namespace platine
