#pragma once
// Whole-file reads and atomic replacement. Pure standard C++ over POSIX.
// Error texts are French, in UTF-8 (paths as the system gives them).

#include <optional>
#include <string>
#include <string_view>

namespace platine::files {

// The file's bytes, or nothing when it cannot be read (missing, a folder, no permission).
std::optional<std::string> read(const std::string &path, std::string *error = nullptr);

// Replaces the file with `bytes` atomically: a temporary file in the same
// folder, flushed, then renamed over the target. On failure the target is
// left as it was, the temporary file is removed and `error` says why.
// With `inPlaceWhenNoTemp`, a folder where no temporary file can be made
// (read-only while the file itself is writable, or full) gets the file
// rewritten in place instead: not atomic, but better than losing the bytes.
bool writeAtomic(const std::string &path, std::string_view bytes, std::string *error = nullptr,
                 bool inPlaceWhenNoTemp = false);

} // namespace platine::files
