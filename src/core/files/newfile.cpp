#include "core/files/newfile.h"

#include <QFile>
#include <algorithm>
#include <fcntl.h>
#include <unistd.h>

namespace garabix {

Outcome writeExclusive(const QString &path, const QByteArray &bytes) {
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0)
        return Outcome::fromErrno();
    Outcome outcome;
    for (qint64 at = 0; outcome.ok() && at < bytes.size();) {
        const ssize_t n =
            ::write(fd, bytes.constData() + at, static_cast<size_t>(bytes.size() - at));
        if (n < 0 && errno != EINTR)
            outcome = Outcome::fromErrno();
        at += std::max<ssize_t>(n, 0);
    }
    if (outcome.ok() && ::fsync(fd) != 0)
        outcome = Outcome::fromErrno();
    if (::close(fd) != 0 && outcome.ok())
        outcome = Outcome::fromErrno();
    if (!outcome.ok())
        ::unlink(QFile::encodeName(path).constData());
    return outcome;
}

} // namespace garabix
