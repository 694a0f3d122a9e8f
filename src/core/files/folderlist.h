#pragma once
// The hidden folder list (Dir1) and file list (files) of the windows: the
// subfolders or the files of one folder, sorted by name without regard to
// case, with a count, entries past the end reading as empty, and a refresh.

#include <QString>
#include <QStringList>

namespace garabix {

class EntryList {
public:
    enum class Kind { Folders, Files };
    explicit EntryList(Kind kind) : kind(kind) {}

    // Points the list at a folder and reads it. A path that is not an existing
    // folder is refused and the list stays where it was.
    bool setPath(const QString &folder);
    // Points the list at a path whatever it is; a path that is not a folder
    // lists nothing.
    void forcePath(const QString &folder);

    const QString &path() const { return folder; }
    void refresh();
    int count() const { return static_cast<int>(names.size()); }
    // The names (without folder), in the list's order.
    const QStringList &entries() const { return names; }
    // Name (without folder) of entry i; empty for any i outside the list.
    QString entry(int i) const;
    // Full path of entry i, or empty.
    QString entryPath(int i) const;

private:
    Kind kind;
    QString folder;
    QStringList names;
};

class FolderList : public EntryList {
public:
    FolderList() : EntryList(Kind::Folders) {}
};

class FileList : public EntryList {
public:
    FileList() : EntryList(Kind::Files) {}
};

} // namespace garabix
