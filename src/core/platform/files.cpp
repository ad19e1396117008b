#include "platform/files.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
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
bool rewriteInPlace(const std::string &path, std::string_view bytes, std::string *error)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) {
        setError(error, "Impossible d'ouvrir en écriture le fichier « " + path + " »", errno);
        return false;
    }
    if (!writeAll(fd, bytes) || ::ftruncate(fd, off_t(bytes.size())) != 0 || ::fsync(fd) != 0) {
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

    std::string temp = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkstemp(temp.data());
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

} // namespace platine::files
