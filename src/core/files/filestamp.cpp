#include "core/files/filestamp.h"

#include <QFile>
#include <sys/stat.h>

namespace garabix {

FileStamp FileStamp::of(const QString &path) {
    FileStamp stamp;
    stamp.path = path;
    struct stat st {};
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &st) != 0 ||
        !S_ISREG(st.st_mode))
        return stamp;
    stamp.device = static_cast<uint64_t>(st.st_dev);
    stamp.inode = static_cast<uint64_t>(st.st_ino);
    stamp.size = static_cast<int64_t>(st.st_size);
    stamp.modifiedNs = static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    return stamp;
}

bool FileStamp::intact() const {
    return !path.isEmpty() && size >= 0 && of(path) == *this;
}

bool FileStamp::operator==(const FileStamp &o) const {
    return path == o.path && device == o.device && inode == o.inode && size == o.size &&
           modifiedNs == o.modifiedNs;
}

} // namespace garabix
