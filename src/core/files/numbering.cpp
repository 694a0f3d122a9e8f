#include "core/files/numbering.h"

#include "core/base/log.h"
#include "core/files/claim.h"
#include "core/files/newfile.h"

#include <QFile>
#include <QRandomGenerator>
#include <QSet>
#include <QThread>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace garabix::drawings {

namespace {

const QString temporaryPrefix = QStringLiteral(".garabix-save-");
const QString temporarySuffix = QStringLiteral(".tmp");

QString temporaryPath(const QString &folder) {
    return folder + QLatin1Char('/') + temporaryPrefix + ownerName() + QLatin1Char('-') +
           QString::number(QRandomGenerator::global()->generate64(), 36) + temporarySuffix;
}

QByteArray encoded(const QString &path) {
    return QFile::encodeName(path);
}

// Moves the temporary file to `target`, which the caller has claimed and
// found free: without replacing where the file system can, as a last guard
// against an older copy of the program that claims nothing.
Outcome moveInto(const QByteArray &temporary, const QByteArray &target) {
    if (::renameat2(AT_FDCWD, temporary.constData(), AT_FDCWD, target.constData(),
                    RENAME_NOREPLACE) == 0)
        return Outcome::done();
    if (errno == EEXIST)
        return Outcome::fromErrno();
    if (::link(temporary.constData(), target.constData()) == 0) {
        ::unlink(temporary.constData());
        return Outcome::done();
    }
    if (errno == EEXIST)
        return Outcome::fromErrno();
    // No atomic way on this file system (a Samba share through FUSE): the
    // claim keeps every copy of this program off the name.
    if (::rename(temporary.constData(), target.constData()) == 0)
        return Outcome::done();
    return Outcome::fromErrno();
}

// Writes the temporary file afresh (a try cut short by EIO may have left
// part of it).
Outcome writeTemporary(const QString &temporary, const QByteArray &bytes) {
    return patiently([&] {
        ::unlink(encoded(temporary).constData());
        return writeExclusive(temporary, bytes);
    });
}

// moveInto, with a move whose answer was lost judged by what it left:
// something under the target means it was done (the read back tells whether
// it is the drawing); otherwise it is tried again, with the temporary file
// written again if it is gone.
Outcome moveClaimed(const QString &temporary, const QString &target, const QByteArray &bytes) {
    Outcome moved = moveInto(encoded(temporary), encoded(target));
    for (int retry = 0; moved.error == EIO && retry < ioRetries; ++retry) {
        QThread::msleep(ioRetryMilliseconds);
        bool there = false, left = false;
        if (!lookUp(target, &there).ok() || (!there && !lookUp(temporary, &left).ok()))
            continue;
        if (there)
            return Outcome::done();
        if (!left) {
            if (const Outcome rewritten = writeTemporary(temporary, bytes); !rewritten.ok())
                return rewritten;
        }
        moved = moveInto(encoded(temporary), encoded(target));
    }
    return moved;
}

// Whether the file at `path` holds exactly `bytes`, or could not be read
// (the system's error).
enum class ReadBack { Same, Different, Unreadable };
ReadBack readBack(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        bool present = true;
        return lookUp(path, &present).ok() && !present ? ReadBack::Different : ReadBack::Unreadable;
    }
    if (file.size() != bytes.size())
        return ReadBack::Different;
    constexpr qint64 chunk = 1 << 20;
    for (qint64 at = 0; at < bytes.size(); at += chunk) {
        const QByteArray part = file.read(chunk);
        if (part.isEmpty())
            return ReadBack::Unreadable;
        if (part != QByteArray::fromRawData(bytes.constData() + at, part.size()))
            return ReadBack::Different;
    }
    return ReadBack::Same;
}

// Whether something stands under `path`, asked until the folder answers.
Outcome standing(const QString &path, bool *present) {
    return patiently([&] { return lookUp(path, present); });
}

} // namespace

bool isSaveTemporary(const QString &fileName) {
    return fileName.startsWith(QStringLiteral(".garabix-"));
}

Written writeUnderFreeNumber(const QString &folder, const QByteArray &bytes, int highest,
                             const QStringList &listedNames) {
    const QSet<QString> listed(listedNames.begin(), listedNames.end());
    removeAbandoned(folder, temporaryPrefix, temporarySuffix);
    const QString temporary = temporaryPath(folder);
    const auto written = [&]() -> Written {
        bool temporaryWritten = false;
        for (int n = 0; n <= highest; ++n) {
            const QString name = QStringLiteral("%1.bmp").arg(n);
            const QString path = folder + QLatin1Char('/') + name;
            // Anything standing under the name (a drawing, a folder) is passed by.
            bool taken = listed.contains(name);
            if (const Outcome looked = taken ? Outcome::done() : standing(path, &taken);
                !looked.ok())
                return {{}, looked};
            if (taken)
                continue;
            if (!temporaryWritten) {
                if (const Outcome wrote = writeTemporary(temporary, bytes); !wrote.ok())
                    return {{}, wrote};
                temporaryWritten = true;
            }
            // The claim is held until the drawing reads back from its file.
            Claim claim(folder, n);
            if (const Outcome claimed = claim.take(); !claimed.ok()) {
                if (claimed.error == EEXIST)
                    continue; // another save holds the number
                return {{}, claimed};
            }
            // The number may have been saved between the look and the claim.
            if (const Outcome looked = standing(path, &taken); !looked.ok())
                return {{}, looked};
            if (taken)
                continue;
            const Outcome moved = moveClaimed(temporary, path, bytes);
            if (moved.error == EEXIST)
                continue;
            if (!moved.ok())
                return {{}, moved};
            temporaryWritten = false;
            ReadBack read = ReadBack::Unreadable;
            patiently([&] {
                read = readBack(path, bytes);
                return read == ReadBack::Unreadable ? Outcome::failed(EIO) : Outcome::done();
            });
            if (read == ReadBack::Same)
                return {path, moved};
            if (read == ReadBack::Unreadable)
                return {{}, Outcome::failed(EIO)};
            // Not this drawing: another writer's (one that claims nothing) or a
            // file the server mangled. It is left alone; the drawing goes on to
            // the next number.
            qCWarning(logFiles)
                << path << "does not read back as the drawing saved; trying the next number";
        }
        return {};
    }();
    ::unlink(encoded(temporary).constData());
    releaseUnreleasedClaims();
    return written;
}

} // namespace garabix::drawings
