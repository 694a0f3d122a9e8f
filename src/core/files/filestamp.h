#pragma once
// A file's identity on disk.

#include <QString>
#include <cstdint>

namespace garabix {

// What the disk says of one file when it was written or read: enough to tell
// whether it still holds the same bytes without reading them again.
struct FileStamp {
    QString path; // empty: no file
    uint64_t device = 0, inode = 0;
    int64_t size = -1, modifiedNs = 0;

    // The file at `path` as it is now; a file that cannot be looked at gets
    // a stamp no file matches.
    static FileStamp of(const QString &path);
    // Whether the file is still there, the same one, unchanged.
    bool intact() const;
    bool operator==(const FileStamp &o) const;
};

} // namespace garabix
