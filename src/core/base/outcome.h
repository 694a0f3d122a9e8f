#pragma once
// How a step that asks the system went: done, or failed with the system's
// reason (an errno value), so that a log line and a note can name the cause.

#include <QString>
#include <cerrno>
#include <cstring>

namespace garabix {

struct Outcome {
    int error = 0; // 0: done; otherwise the errno the system answered

    static Outcome done() { return {}; }
    static Outcome failed(int error) { return {error != 0 ? error : EIO}; }
    // The failure the last system call reported.
    static Outcome fromErrno() { return failed(errno); }

    bool ok() const { return error == 0; }
    // The system's own words for the cause.
    QString reason() const {
        return ok() ? QString() : QString::fromLocal8Bit(std::strerror(error));
    }
    // A full disk, or a quota used up.
    bool diskFull() const { return error == ENOSPC || error == EDQUOT; }
    // The folder refuses this user, or cannot be written at all.
    bool noPermission() const { return error == EACCES || error == EPERM || error == EROFS; }
};

} // namespace garabix
