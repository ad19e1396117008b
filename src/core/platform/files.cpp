#include "core/platform/files.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platine::files {

namespace fs = std::filesystem;

namespace {

void setError(std::string *error, const std::string &what, int err)
{
    if (error)
        *error = what + " : " + std::strerror(err);
}

// The process's file-creation mask, read without changing it (umask() would
// set it, which other threads could see in between).
mode_t currentUmask()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("Umask:", 0) == 0) {
            try {
                return mode_t(std::stoul(line.substr(6), nullptr, 8) & 0777);
            } catch (...) {
                break;
            }
        }
    }
    return 022;
}

bool writeAll(int fd, std::string_view bytes);

// The pieces one after the other.
bool writeAll(int fd, std::span<const std::string_view> pieces)
{
    return std::all_of(pieces.begin(), pieces.end(),
                       [fd](std::string_view piece) { return writeAll(fd, piece); });
}

bool writeAll(int fd, std::string_view bytes)
{
    const char *p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        p += n;
        left -= std::size_t(n);
    }
    return true;
}

// Overwrites the file from its start, then cuts it to the new length: the
// file keeps its inode, owner and permissions.
bool rewriteInPlace(const std::string &path, std::span<const std::string_view> bytes,
                    std::string *error)
{
    std::size_t size = 0;
    for (std::string_view piece : bytes)
        size += piece.size();
    const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) {
        setError(error, "Impossible d'ouvrir en écriture le fichier « " + path + " »", errno);
        return false;
    }
    if (!writeAll(fd, bytes) || ::ftruncate(fd, off_t(size)) != 0 || ::fsync(fd) != 0) {
        const int err = errno;
        ::close(fd);
        setError(error, "Impossible d'écrire le fichier « " + path + " »", err);
        return false;
    }
    if (::close(fd) != 0) {
        setError(error, "Impossible d'écrire le fichier « " + path + " »", errno);
        return false;
    }
    return true;
}

// The mark of the program's temporary files, followed by the writer's pid.
constexpr std::string_view kScratchMark = "~platine-";

// A new file "<folder>/<stem>~platine-<pid>-XXXXXX<suffix>", open for
// writing, only this process's (0600): its descriptor, -1 and errno when none.
int openScratch(const fs::path &folder, std::string_view stem, std::string_view suffix,
                std::string &path)
{
    std::string name(stem);
    name += kScratchMark;
    name += std::to_string(long(::getpid()));
    name += "-XXXXXX";
    name += suffix;
    path = (folder / name).string();
    return ::mkstemps(path.data(), int(suffix.size()));
}

bool isAlnum(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// True when the process `pid` runs on this machine (possibly another user's).
bool processAlive(long pid)
{
    if (pid <= 0)
        return false;
    return ::kill(pid_t(pid), 0) == 0 || errno == EPERM;
}

// A write refused before anything is made: the account may not write the
// file. The administrator may write any file, so for it a file that nobody
// may write (0444) stands for one its owner made read-only.
bool readOnly(const std::string &path, const struct stat &st, int &err)
{
    if (::geteuid() == 0) {
        err = EACCES;
        return (st.st_mode & 0222) == 0;
    }
    if (::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0)
        return false;
    err = errno;
    return err == EACCES || err == EPERM || err == EROFS;
}

} // namespace

std::optional<std::string> read(const std::string &path, std::string *error)
{
    int fd;
    do {
        fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        setError(error, "Impossible d'ouvrir le fichier « " + path + " »", errno);
        return std::nullopt;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        const int err = S_ISDIR(st.st_mode) ? EISDIR : errno;
        ::close(fd);
        setError(error, "Impossible de lire le fichier « " + path + " »", err);
        return std::nullopt;
    }
    std::string bytes;
    if (S_ISREG(st.st_mode) && st.st_size > 0)
        bytes.reserve(std::size_t(st.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            const int err = errno;
            ::close(fd);
            setError(error, "Impossible de lire le fichier « " + path + " »", err);
            return std::nullopt;
        }
        if (n == 0)
            break;
        bytes.append(buffer, std::size_t(n));
    }
    ::close(fd);
    return bytes;
}

bool writeAtomic(const std::string &path, std::string_view bytes, std::string *error,
                 bool inPlaceWhenNoTemp)
{
    return writeAtomic(path, std::span<const std::string_view>(&bytes, 1), error,
                       inPlaceWhenNoTemp);
}

bool writeAtomic(const std::string &path, std::span<const std::string_view> bytes,
                 std::string *error, bool inPlaceWhenNoTemp)
{
    if (path.empty()) {
        if (error)
            *error = "Aucun nom de fichier";
        return false;
    }
    // A link is followed, so that the file it names gets the new content and
    // the link itself stays.
    fs::path target(path);
    std::error_code ec;
    if (fs::is_symlink(fs::symlink_status(target, ec))) {
        const fs::path resolved = fs::weakly_canonical(target, ec);
        if (!ec)
            target = resolved;
    }
    const std::string targetText = target.string();
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");

    struct stat targetStat {};
    const bool targetExists = ::stat(targetText.c_str(), &targetStat) == 0;
    if (targetExists && S_ISDIR(targetStat.st_mode)) {
        setError(error, "Impossible d'écrire le fichier « " + path + " »", EISDIR);
        return false;
    }
    int readOnlyErr = 0;
    if (targetExists && readOnly(targetText, targetStat, readOnlyErr)) {
        if (error)
            *error = "Le fichier « " + path + " » est en lecture seule" +
                     (readOnlyErr == EROFS ? " (disque protégé en écriture)" : "") +
                     " : il n'est pas remplacé.";
        return false;
    }

    // A hidden name the start-up sweep recognises: ".<name>.~platine-<pid>-XXXXXX".
    std::string temp;
    // (Built by appending: GCC 12 warns wrongly of an overlap on "." + a temporary.)
    std::string prefix = ".";
    prefix += target.filename().string();
    prefix += '.';
    const int fd = openScratch(folder, prefix, "", temp);
    if (fd < 0) {
        setError(error,
                 "Impossible de créer un fichier temporaire dans le dossier « " + folder.string() +
                     " »",
                 errno);
        if (!inPlaceWhenNoTemp || !targetExists || !S_ISREG(targetStat.st_mode))
            return false;
        std::string inPlaceError;
        if (rewriteInPlace(targetText, bytes, &inPlaceError))
            return true;
        if (error)
            *error += " ; " + inPlaceError;
        return false;
    }
    auto fail = [&](const std::string &what, int err) {
        ::close(fd);
        ::unlink(temp.c_str());
        setError(error, what, err);
        return false;
    };
    // The replaced file keeps its owner and group where the process may set
    // them: the administrator may give it back to its owner, an operator may
    // keep a shared group he belongs to. Set before the permissions, as a
    // change of owner clears the set-id bits.
    if (targetExists && (targetStat.st_uid != ::geteuid() || targetStat.st_gid != ::getegid())) {
        if (::fchown(fd, targetStat.st_uid, targetStat.st_gid) != 0 &&
            ::fchown(fd, uid_t(-1), targetStat.st_gid) != 0) {
            // Neither: the file is the process's own, as a new file is.
        }
    }
    // The replaced file keeps its permissions; a new one gets the usual ones.
    const mode_t mode = targetExists ? (targetStat.st_mode & 07777) : (0666 & ~currentUmask());
    if (::fchmod(fd, mode) != 0)
        return fail("Impossible de régler les droits du fichier « " + temp + " »", errno);
    if (!writeAll(fd, bytes))
        return fail("Impossible d'écrire le fichier « " + temp + " »", errno);
    if (::fsync(fd) != 0)
        return fail("Impossible d'écrire sur le disque le fichier « " + temp + " »", errno);
    if (::close(fd) != 0) {
        const int err = errno;
        ::unlink(temp.c_str());
        setError(error, "Impossible d'écrire le fichier « " + temp + " »", err);
        return false;
    }
    if (::rename(temp.c_str(), targetText.c_str()) != 0) {
        const int err = errno;
        ::unlink(temp.c_str());
        setError(error, "Impossible de remplacer le fichier « " + path + " »", err);
        return false;
    }
    // The rename itself reaches the disk with the folder; a failure here no
    // longer changes what the folder shows.
    const int dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    return true;
}

bool isScratchName(std::string_view name, long *pid)
{
    const std::size_t mark = name.rfind(kScratchMark);
    if (mark == std::string_view::npos)
        return false;
    std::size_t i = mark + kScratchMark.size();
    long value = 0;
    const std::size_t digits = i;
    while (i < name.size() && name[i] >= '0' && name[i] <= '9' && i - digits < 10)
        value = value * 10 + (name[i++] - '0');
    if (i == digits || i >= name.size() || name[i] != '-')
        return false;
    ++i;
    for (std::size_t n = 0; n < 6; ++n, ++i)
        if (i >= name.size() || !isAlnum(name[i]))
            return false;
    // Nothing more, or an extension.
    if (i < name.size() && (name[i] != '.' || name.find('/', i) != std::string_view::npos))
        return false;
    if (pid)
        *pid = value;
    return true;
}

std::optional<std::string> makeScratchFile(const std::string &folder, std::string_view stem,
                                           std::string_view suffix, std::string *error)
{
    std::string path;
    const int fd = openScratch(fs::path(folder), stem, suffix, path);
    if (fd < 0) {
        setError(error,
                 "Impossible de créer un fichier temporaire dans le dossier « " + folder + " »",
                 errno);
        return std::nullopt;
    }
    ::close(fd);
    return path;
}

Sweep removeLeftovers(const std::string &folder, std::chrono::seconds minAge)
{
    constexpr std::time_t kOldVersionAge = 3600; // no write lasts an hour
    Sweep sweep;
    std::error_code ec;
    fs::directory_iterator it(folder, fs::directory_options::skip_permission_denied, ec);
    if (ec)
        return sweep;
    const std::time_t now = std::time(nullptr);
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        if (ec)
            break;
        const std::string name = it->path().filename().string();
        long pid = 0;
        const bool ours = isScratchName(name, &pid);
        // An earlier version's ".<name>.XXXXXX", its file beside it.
        const bool earlier =
            !ours && name.size() > 8 && name[0] == '.' && name[name.size() - 7] == '.' &&
            std::all_of(name.end() - 6, name.end(), isAlnum) &&
            fs::is_regular_file(fs::path(folder) / name.substr(1, name.size() - 8), ec);
        if (!ours && !earlier)
            continue;
        struct stat st {};
        if (::lstat(it->path().c_str(), &st) != 0 || !S_ISREG(st.st_mode))
            continue; // never a link, a folder or a device
        const std::time_t age = now - st.st_mtime;
        const bool leftover =
            ours ? pid != long(::getpid()) && !processAlive(pid) && age >= minAge.count()
                 : age >= kOldVersionAge;
        if (leftover && ::unlink(it->path().c_str()) == 0) {
            ++sweep.removed;
            sweep.bytes += std::uintmax_t(st.st_size);
        }
    }
    return sweep;
}

} // namespace platine::files
