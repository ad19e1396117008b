#pragma once
// The program's own settings, those the board knows nothing of (the start
// of a working day in "Journal des passages", ...): the file "platine.ini"
// in the settings folder, beside "param.ini", which keeps what it always
// kept. A profile file (badges/profile.h) of sections and keys, read when a
// value is wanted and replaced atomically, under its lock (two copies of
// the program may share the folder), when one changes.

#include <QString>

#include <string>
#include <string_view>

namespace platine {

inline constexpr char kOwnSettingsFile[] = "platine.ini";

class OwnSettings {
public:
    // `path`: the file, as the file functions take it; empty: nothing is
    // kept (every value is its default, every change is forgotten).
    explicit OwnSettings(std::string path) : m_path(std::move(path)) {}

    // The value of `key` in `section`; `def` when the file, the section or
    // the key is missing.
    std::string value(std::string_view section, std::string_view key,
                      std::string_view def) const;
    // Sets `key` in `section`, every other line kept; false with `error`
    // (French) when the file could not be replaced.
    bool setValue(std::string_view section, std::string_view key, std::string_view value,
                  QString *error = nullptr);

private:
    std::string m_path;
};

} // namespace platine
