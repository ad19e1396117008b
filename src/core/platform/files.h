#pragma once
// Whole-file reads and atomic replacement. Pure standard C++ over POSIX.
// Error texts are French, in UTF-8 (paths as the system gives them).

#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace platine::files {

// The file's bytes, or nothing when it cannot be read (missing, a folder, no permission).
std::optional<std::string> read(const std::string &path, std::string *error = nullptr);

// Replaces the file with `bytes` atomically: a temporary file in the same
// folder, flushed, then renamed over the target. On failure the target is
// left as it was, the temporary file is removed and `error` says why.
// A symbolic link stays a link: the file it names is replaced. The replaced
// file keeps its permissions, and its owner and group as far as the process
// may set them (a copy run through sudo gives the file back to its owner).
// A file the account may not write is refused ("... est en lecture seule"),
// as is, for the administrator, a file nobody may write (0444).
// With `inPlaceWhenNoTemp`, a folder where no temporary file can be made
// (read-only while the file itself is writable, or full) gets the file
// rewritten in place instead: not atomic, but better than losing the bytes.
bool writeAtomic(const std::string &path, std::string_view bytes, std::string *error = nullptr,
                 bool inPlaceWhenNoTemp = false);
// The same with the file's bytes given as pieces written one after the
// other: a long file with a few rows more is written without a copy of it.
bool writeAtomic(const std::string &path, std::span<const std::string_view> pieces,
                 std::string *error = nullptr, bool inPlaceWhenNoTemp = false);

// True when `name` (a file name, no folder) is one of the program's
// temporary files: "<stem>~platine-<pid>-XXXXXX[.ext]", the pid of the
// process that made it in `pid`.
bool isScratchName(std::string_view name, long *pid = nullptr);

// Makes a new empty file "<stem>~platine-<pid>-XXXXXX<suffix>" in `folder`,
// only this process's, and gives its path; nothing and `error` when none
// can be made. The caller removes it when done.
std::optional<std::string> makeScratchFile(const std::string &folder, std::string_view stem,
                                           std::string_view suffix, std::string *error = nullptr);

// What a sweep of leftovers removed.
struct Sweep {
    int removed = 0;
    std::uintmax_t bytes = 0;
};

// Removes from `folder` the temporary files that killed writes of the
// program left: those whose writing process is gone and that were last
// written at least `minAge` ago (a copy of the program on another machine
// sharing the folder has a pid this machine does not know), and, at least
// an hour old, those of earlier versions (".<name>.XXXXXX" beside an
// existing "<name>"). A temporary file of a live copy is never touched.
Sweep removeLeftovers(const std::string &folder,
                      std::chrono::seconds minAge = std::chrono::seconds(60));

} // namespace platine::files
