#pragma once
// Rules of the settings kept by the window. Pure standard C++.

#include <cstddef>
#include <string>
#include <string_view>

namespace platine {

inline constexpr std::size_t kSettingsValueSize = 65536; // settings values are read whole

// A strike-delay text that is a number above the limit; texts that are not
// numbers are left as typed.
bool strikeDelayAboveLimit(std::string_view text);

// The settings file's bytes; the empty text when it cannot be read.
std::string readSettings(const std::string &path);
// Replaces the settings file, rewriting it in place when its folder takes no
// new file; false with `error` saying why when neither works.
bool writeSettings(const std::string &path, const std::string &content, std::string *error);

} // namespace platine
