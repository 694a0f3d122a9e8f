#include "core/files/numbering.h"

#include "core/files/newfile.h"
#include "core/text/log.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QRandomGenerator>
#include <QSet>
#include <QSysInfo>
#include <QThread>
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace garabix::drawings {

namespace {

const QString temporaryPrefix = QStringLiteral(".garabix-save-");
const QString temporarySuffix = QStringLiteral(".tmp");
const QString claimPrefix = QStringLiteral(".garabix-claim-");
const QString ownerPrefix = QStringLiteral(".garabix-owner-");

// A save never takes a day, even on a file server that stopped answering
// for a while; what is older was left by a save that was killed.
constexpr qint64 abandonedAfterSeconds = 24 * 3600;

QString bootId() {
    QFile file(QStringLiteral("/proc/sys/kernel/random/boot_id"));
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("noboot");
    QString id = QString::fromLatin1(file.readAll()).trimmed().remove(QLatin1Char('-'));
    return id.isEmpty() ? QStringLiteral("noboot") : id;
}

bool olderThanADay(const QFileInfo &fi) {
    return fi.lastModified().secsTo(QDateTime::currentDateTime()) > abandonedAfterSeconds;
}

// Whether a name "<identity>-<pid>[-...]" is of a process of this computer,
// since its boot, that has ended. Another computer's names, or ours from
// before a reboot, are never judged by their process number.
bool ownerGone(const QString &name) {
    const QString self = machineIdentity() + QLatin1Char('-');
    if (!name.startsWith(self))
        return false;
    bool numeric = false;
    const qint64 pid = name.mid(self.size()).section(QLatin1Char('-'), 0, 0).toLongLong(&numeric);
    return numeric && pid > 0 && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

QString ownerName() {
    return machineIdentity() + QLatin1Char('-') +
           QString::number(QCoreApplication::applicationPid());
}

QString temporaryPath(const QString &folder) {
    return folder + QLatin1Char('/') + temporaryPrefix + ownerName() + QLatin1Char('-') +
           QString::number(QRandomGenerator::global()->generate64(), 36) + temporarySuffix;
}

QByteArray encoded(const QString &path) {
    return QFile::encodeName(path);
}

bool exists(const QString &path) {
    struct stat st {};
    return ::lstat(encoded(path).constData(), &st) == 0;
}

// Gives up a claim; answers whether it is gone.
bool release(const QString &claim, const QString &owner) {
    if (::unlink(encoded(owner).constData()) != 0 && errno != ENOENT)
        return false;
    return ::rmdir(encoded(claim).constData()) == 0 || errno == ENOENT;
}

// Claims a file server would not let go of at once (it may refuse for a
// moment to remove a folder another computer is looking at), given up
// again at the end of the save.
QMutex unreleasedMutex;
QList<QPair<QString, QString>> unreleased;

void releaseUnreleasedClaims() {
    const QMutexLocker lock(&unreleasedMutex);
    for (int attempt = 0; !unreleased.isEmpty() && attempt < 20; ++attempt) {
        if (attempt > 0)
            QThread::msleep(100);
        unreleased.erase(std::remove_if(unreleased.begin(), unreleased.end(),
                                        [](const QPair<QString, QString> &c) {
                                            return release(c.first, c.second);
                                        }),
                         unreleased.end());
    }
    if (!unreleased.isEmpty())
        qCWarning(logFiles) << "could not give up the claims" << unreleased;
}

// A claim of a number, given up when it goes out of scope: the folder
// ".garabix-claim-<n>", and beside it an empty file
// ".garabix-owner-<n>-<host>-<boot>-<pid>" that says whose it is. Nothing
// ever looks into a claim: a file server may answer a look into a folder
// that another computer removes at that moment with an error that stops the
// mount for a while.
class Claim {
public:
    Claim(const QString &folder, int n)
        : path(folder + QLatin1Char('/') + claimPrefix + QString::number(n)),
          owner(folder + QLatin1Char('/') + ownerPrefix + QString::number(n) + QLatin1Char('-') +
                ownerName()) {}
    ~Claim() {
        if (held && !release(path, owner)) {
            const QMutexLocker lock(&unreleasedMutex);
            unreleased.append({path, owner});
        }
    }
    Claim(const Claim &) = delete;
    Claim &operator=(const Claim &) = delete;

    // Done, EEXIST when another save holds the number, or the folder's error.
    Outcome take() {
        if (::mkdir(encoded(path).constData(), 0755) != 0)
            return Outcome::fromErrno();
        held = true;
        QFile(owner).open(QIODevice::WriteOnly); // only a sign for the others
        return Outcome::done();
    }

private:
    QString path;
    QString owner;
    bool held = false;
};

// Removes a claim folder that nobody holds any more. It is first moved out
// of the way under a name of this save's own, so that of several saves
// finding it at once only one removes it.
void removeClaim(const QString &path) {
    const QString away = path + QStringLiteral("-gone-") + ownerName() + QLatin1Char('-') +
                         QString::number(QRandomGenerator::global()->generate(), 36);
    if (::rename(encoded(path).constData(), encoded(away).constData()) == 0)
        ::rmdir(encoded(away).constData());
}

// What saves that were killed or cut short left: temporary files and
// owner signs whose process has ended on this computer, or older than a
// day; claims whose owner is gone that way, and claims of numbers that are
// saved already (every save looks again after claiming, so such a claim
// keeps nobody from anything). Done once a run for each folder, at its
// first save, and judged by name wherever a name tells: a file server may
// answer a look at a file that another computer removes at that moment with
// an error that stops the mount for a while.
void removeAbandoned(const QString &folder) {
    static QMutex mutex;
    static QSet<QString> cleaned;
    {
        const QMutexLocker lock(&mutex);
        if (cleaned.contains(folder))
            return;
        cleaned.insert(folder);
    }
    const auto oldFile = [&](const QString &name) {
        return olderThanADay(QFileInfo(folder + QLatin1Char('/') + name));
    };
    const QStringList found = QDir(folder).entryList(
        {QStringLiteral(".garabix-*")}, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    QSet<QString> ownersGone; // numbers of the claims whose owner is gone
    for (const QString &name : found) {
        const QString path = folder + QLatin1Char('/') + name;
        if (name.startsWith(ownerPrefix)) {
            const QString number = name.mid(ownerPrefix.size()).section(QLatin1Char('-'), 0, 0);
            if (ownerGone(name.mid(ownerPrefix.size() + number.size() + 1)) || oldFile(name)) {
                ownersGone.insert(number);
                QFile::remove(path);
            }
        } else if (name.startsWith(temporaryPrefix) && name.endsWith(temporarySuffix)) {
            // .garabix-save-<host>-<boot>-<pid>-<random>.tmp
            const QString owner = name.mid(temporaryPrefix.size()).chopped(temporarySuffix.size());
            if (ownerGone(owner) || oldFile(name)) {
                qCDebug(logFiles) << "removing an abandoned temporary file" << path;
                QFile::remove(path);
            }
        }
    }
    for (const QString &name : found) {
        if (!name.startsWith(claimPrefix))
            continue;
        const QString path = folder + QLatin1Char('/') + name;
        const QString number = name.mid(claimPrefix.size());
        if (number.contains(QStringLiteral("-gone-"))) {
            ::rmdir(encoded(path).constData()); // its remover was cut short
        } else if (ownersGone.contains(number) ||
                   exists(folder + QLatin1Char('/') + number + QStringLiteral(".bmp")) ||
                   oldFile(name)) {
            qCDebug(logFiles) << "removing an abandoned claim" << path;
            removeClaim(path);
        }
    }
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

// Whether the file at `path` holds exactly `bytes`, or could not be read
// (the system's error).
enum class ReadBack { Same, Different, Unreadable };
ReadBack readBack(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return file.error() == QFileDevice::OpenError && !QFileInfo::exists(path)
                   ? ReadBack::Different
                   : ReadBack::Unreadable;
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

} // namespace

QString machineIdentity() {
    static const QString identity = QSysInfo::machineHostName() + QLatin1Char('-') + bootId();
    return identity;
}

bool isSaveTemporary(const QString &fileName) {
    return fileName.startsWith(QStringLiteral(".garabix-"));
}

namespace {

// One pass over the numbers from 0 to `highest`. `moveTried` is the name
// the temporary file was last moved to without an answer.
Written tryNumbers(const QString &folder, const QByteArray &bytes, int highest,
                   const QString &temporary, const QSet<QString> &listed, QString *moveTried) {
    const QByteArray temporaryName = encoded(temporary);
    ::unlink(temporaryName.constData()); // left by a pass that failed
    bool temporaryWritten = false;
    for (int n = 0; n <= highest; ++n) {
        const QString name = QStringLiteral("%1.bmp").arg(n);
        const QString path = folder + QLatin1Char('/') + name;
        // Anything standing under the name (a drawing, a folder) is passed by.
        if (listed.contains(name) || exists(path))
            continue;
        if (!temporaryWritten) {
            if (const Outcome wrote = writeExclusive(temporary, bytes); !wrote.ok())
                return {{}, wrote};
            temporaryWritten = true;
        }
        Claim claim(folder, n);
        if (const Outcome claimed = claim.take(); !claimed.ok()) {
            if (claimed.error == EEXIST)
                continue; // another save holds the number
            return {{}, claimed};
        }
        // The number may have been saved between the look and the claim.
        if (exists(path))
            continue;
        *moveTried = path;
        const Outcome moved = moveInto(temporaryName, encoded(path));
        if (moved.error == EEXIST)
            continue;
        if (!moved.ok())
            return {{}, moved};
        temporaryWritten = false;
        const ReadBack read = readBack(path, bytes);
        if (read == ReadBack::Same)
            return {path, moved};
        if (read == ReadBack::Unreadable)
            return {{}, Outcome::failed(EIO)}; // looked at again before going on
        moveTried->clear();
        // Not this drawing: another writer's (one that claims nothing) or a
        // file the server mangled. It is left alone; the drawing goes on to
        // the next number.
        qCWarning(logFiles) << path
                            << "does not read back as the drawing saved; trying the next number";
    }
    return {};
}

} // namespace

Written writeUnderFreeNumber(const QString &folder, const QByteArray &bytes, int highest,
                             const QStringList &listedNames) {
    const QSet<QString> listed(listedNames.begin(), listedNames.end());
    removeAbandoned(folder);
    const QString temporary = temporaryPath(folder);
    QString moveTried;
    Written written = tryNumbers(folder, bytes, highest, temporary, listed, &moveTried);
    // A Samba share mounted through FUSE answers every request with an I/O
    // error for a moment after one of its looks went wrong; it comes back.
    // A move whose answer was lost may have been done.
    for (int retry = 0; written.outcome.error == EIO && retry < 30; ++retry) {
        QThread::msleep(150);
        const ReadBack read =
            moveTried.isEmpty() ? ReadBack::Different : readBack(moveTried, bytes);
        if (read == ReadBack::Same)
            written = {moveTried, Outcome::done()};
        else if (read == ReadBack::Different)
            written = tryNumbers(folder, bytes, highest, temporary, listed, &moveTried);
    }
    ::unlink(encoded(temporary).constData());
    releaseUnreleasedClaims();
    return written;
}

} // namespace garabix::drawings
