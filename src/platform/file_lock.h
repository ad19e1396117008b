#pragma once
// Two copies of the program on one folder take turns on a shared file (the
// journal, its backlog, a list): each holds the file's lock while it reads
// the file and replaces it. The lock is a small file "<name>.lock" beside the
// file (QLockFile); a lock left by a copy that died is taken over.

#include <QLockFile>
#include <QString>

#include <chrono>
#include <memory>

namespace platine {

class FileLock {
public:
    // How long a copy waits for the other to finish with the file: a
    // journal's replacement takes well under a second.
    static constexpr std::chrono::milliseconds kDefaultWait{5000};

    // Tries to lock `path` (the file itself, not the lock's name) for at
    // most `wait`; locked() says whether it got it. The lock is released
    // when the object goes.
    explicit FileLock(const QString &path, std::chrono::milliseconds wait = kDefaultWait);
    ~FileLock();
    FileLock(const FileLock &) = delete;
    FileLock &operator=(const FileLock &) = delete;

    bool locked() const { return m_locked; }
    // When not locked: who holds it, as the operator can act on it
    // ("le processus 1234 sur poste"), or why the lock could not be made.
    QString holder() const { return m_holder; }
    // When not locked: whether another process holds it (rather than the
    // lock not being made at all).
    bool heldByOther() const { return m_heldByOther; }

    // The lock's file for `path`.
    static QString lockPathFor(const QString &path);

private:
    std::unique_ptr<QLockFile> m_lock;
    bool m_locked = false;
    bool m_heldByOther = false;
    QString m_holder;
};

} // namespace platine
