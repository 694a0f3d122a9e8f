#include "core/files/claim.h"

#include "core/base/log.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QRandomGenerator>
#include <QSet>
#include <QSysInfo>
#include <QThread>
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace garabix::drawings {

namespace {

const QString claimPrefix = QStringLiteral(".garabix-claim-");
const QString signPrefix = QStringLiteral(".garabix-owner-");
const QString goneMark = QStringLiteral("-gone-");

// A save never takes a day, even on a file server that stopped answering
// for a while; what is older was left by a save that was killed.
constexpr qint64 abandonedAfterSeconds = 24 * 3600;
// A claim with no sign is left only by a cleaner killed half-way, or by a
// claim whose answer was lost while other writers tried the same number.
constexpr qint64 unsignedAbandonedAfterSeconds = 10 * 60;

QByteArray encoded(const QString &path) {
    return QFile::encodeName(path);
}

QString bootId() {
    QFile file(QStringLiteral("/proc/sys/kernel/random/boot_id"));
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("noboot");
    QString id = QString::fromLatin1(file.readAll()).trimmed().remove(QLatin1Char('-'));
    return id.isEmpty() ? QStringLiteral("noboot") : id;
}

// When a process started, in clock ticks since the boot (the 22nd field of
// /proc/<pid>/stat); empty when it cannot be read.
QString processStart(qint64 pid) {
    QFile file(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray stat = file.readAll();
    // The command name in parentheses may hold spaces; the fields after it
    // start with the state, the third field.
    const int close = stat.lastIndexOf(')');
    if (close < 0)
        return {};
    const QList<QByteArray> fields = stat.mid(close + 2).split(' ');
    return fields.size() > 19 ? QString::fromLatin1(fields[19]) : QString();
}

bool olderThan(const QString &path, qint64 seconds) {
    const QDateTime modified = QFileInfo(path).lastModified();
    return modified.isValid() && modified.secsTo(QDateTime::currentDateTime()) > seconds;
}

Outcome removeSign(const QString &sign) {
    return patiently([&] {
        return ::unlink(encoded(sign).constData()) == 0 || errno == ENOENT ? Outcome::done()
                                                                           : Outcome::fromErrno();
    });
}

// Gives up a claim, then its sign (in that order: a claim is never left
// without the sign of the one who holds it); answers whether the claim is
// gone.
bool release(const QString &claim, const QString &sign) {
    const Outcome removed = patiently([&] {
        return ::rmdir(encoded(claim).constData()) == 0 || errno == ENOENT ? Outcome::done()
                                                                           : Outcome::fromErrno();
    });
    if (removed.ok())
        removeSign(sign);
    return removed.ok();
}

// The signs left beside the claim of `number`, as the folder lists them now.
QStringList signsOf(const QString &folder, const QString &number) {
    return QDir(folder).entryList({signPrefix + number + QLatin1String("-*")},
                                  QDir::Files | QDir::Hidden | QDir::System);
}

QString ownerOfSign(const QString &name, const QString &number) {
    return name.mid(signPrefix.size() + number.size() + 1);
}

QMutex unreleasedMutex;
QList<QPair<QString, QString>> unreleased; // claims and their signs

// Removes a claim folder that nobody holds any more. It is first moved out
// of the way under a name of this save's own, so that of several saves
// finding it at once only one removes it.
void removeClaim(const QString &path) {
    qCDebug(logFiles) << "removing an abandoned claim" << path;
    const QString away = path + goneMark + ownerName() + QLatin1Char('-') +
                         QString::number(QRandomGenerator::global()->generate(), 36);
    if (::rename(encoded(path).constData(), encoded(away).constData()) == 0)
        ::rmdir(encoded(away).constData());
}

} // namespace

Outcome patiently(const std::function<Outcome()> &step) {
    Outcome outcome = step();
    for (int retry = 0; outcome.error == EIO && retry < ioRetries; ++retry) {
        QThread::msleep(ioRetryMilliseconds);
        outcome = step();
    }
    return outcome;
}

Outcome lookUp(const QString &path, bool *present) {
    struct stat st {};
    if (::lstat(encoded(path).constData(), &st) == 0) {
        *present = true;
        return Outcome::done();
    }
    *present = false;
    return errno == ENOENT || errno == ENOTDIR ? Outcome::done() : Outcome::fromErrno();
}

QString machineIdentity() {
    static const QString identity = QSysInfo::machineHostName() + QLatin1Char('-') + bootId();
    return identity;
}

QString ownerName() {
    static const QString name = [] {
        const qint64 pid = QCoreApplication::applicationPid();
        return machineIdentity() + QLatin1Char('-') + QString::number(pid) + QLatin1Char('.') +
               processStart(pid);
    }();
    return name;
}

bool ownerGone(const QString &owner) {
    const QString self = machineIdentity() + QLatin1Char('-');
    if (!owner.startsWith(self))
        return false;
    // "<pid>.<start>", or "<pid>" as older copies of the program wrote it.
    const QString process = owner.mid(self.size()).section(QLatin1Char('-'), 0, 0);
    bool numeric = false;
    const qint64 pid = process.section(QLatin1Char('.'), 0, 0).toLongLong(&numeric);
    if (!numeric || pid <= 0)
        return false;
    if (::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH)
        return true;
    const QString start = process.section(QLatin1Char('.'), 1);
    return !start.isEmpty() && processStart(pid) != start;
}

Claim::Claim(const QString &folder, int n)
    : folder(folder), number(QString::number(n)),
      path(folder + QLatin1Char('/') + claimPrefix + number),
      sign(folder + QLatin1Char('/') + signPrefix + number + QLatin1Char('-') + ownerName()) {}

Claim::~Claim() {
    if (held && !release(path, sign)) {
        const QMutexLocker lock(&unreleasedMutex);
        unreleased.append({path, sign});
    } else if (!held && signLeft) {
        removeSign(sign);
    }
}

Outcome Claim::take() {
    const Outcome signedFirst = patiently([&] {
        const int fd = ::open(encoded(sign).constData(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
        if (fd < 0)
            return Outcome::fromErrno();
        ::close(fd);
        return Outcome::done();
    });
    if (!signedFirst.ok())
        return signedFirst;
    signLeft = true;
    bool answerLost = false;
    Outcome made = patiently([&] {
        if (::mkdir(encoded(path).constData(), 0755) == 0)
            return Outcome::done();
        answerLost = answerLost || errno == EIO;
        return Outcome::fromErrno();
    });
    // A claim made while its answer was lost stands as EEXIST: it is ours
    // when no other writer's sign is there, since every writer signs first.
    if (made.error == EEXIST && answerLost &&
        signsOf(folder, number) == QStringList{QFileInfo(sign).fileName()})
        made = Outcome::done();
    held = made.ok();
    return made;
}

void releaseUnreleasedClaims() {
    const QMutexLocker lock(&unreleasedMutex);
    unreleased.erase(
        std::remove_if(unreleased.begin(), unreleased.end(),
                       [](const QPair<QString, QString> &c) { return release(c.first, c.second); }),
        unreleased.end());
    if (!unreleased.isEmpty())
        qCWarning(logFiles) << "could not give up the claims" << unreleased;
}

void removeAbandoned(const QString &folder, const QString &temporaryPrefix,
                     const QString &temporarySuffix) {
    static QMutex mutex;
    static QSet<QString> cleaned;
    {
        const QMutexLocker lock(&mutex);
        if (cleaned.contains(folder))
            return;
        cleaned.insert(folder);
    }
    const auto at = [&](const QString &name) { return folder + QLatin1Char('/') + name; };
    const QStringList found = QDir(folder).entryList(
        {QStringLiteral(".garabix-*")}, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    QSet<QString> signedNumbers, liveNumbers;
    QMultiHash<QString, QString> deadSigns; // number to the signs of ended owners
    for (const QString &name : found) {
        if (name.startsWith(signPrefix)) {
            const QString number = name.mid(signPrefix.size()).section(QLatin1Char('-'), 0, 0);
            signedNumbers.insert(number);
            if (ownerGone(ownerOfSign(name, number)) || olderThan(at(name), abandonedAfterSeconds))
                deadSigns.insert(number, name);
            else
                liveNumbers.insert(number);
        } else if (name.startsWith(temporaryPrefix) && name.endsWith(temporarySuffix)) {
            const QString owner = name.mid(temporaryPrefix.size()).chopped(temporarySuffix.size());
            if (ownerGone(owner) || olderThan(at(name), abandonedAfterSeconds)) {
                qCDebug(logFiles) << "removing an abandoned temporary file" << at(name);
                QFile::remove(at(name));
            }
        }
    }
    for (const QString &name : found) {
        if (!name.startsWith(claimPrefix))
            continue;
        const QString number = name.mid(claimPrefix.size());
        if (number.contains(goneMark)) {
            ::rmdir(encoded(at(name)).constData()); // its remover was cut short
            continue;
        }
        if (liveNumbers.contains(number))
            continue; // held, or being tried, by a save that runs
        bool saved = false;
        if (!lookUp(at(number + QStringLiteral(".bmp")), &saved).ok())
            continue;
        const auto noLiveSign = [&] {
            const QStringList now = signsOf(folder, number);
            return std::all_of(now.begin(), now.end(), [&](const QString &s) {
                return ownerGone(ownerOfSign(s, number)) || olderThan(at(s), abandonedAfterSeconds);
            });
        };
        if (saved) {
            // Every save looks again after claiming, so such a claim keeps
            // nobody from anything.
            removeClaim(at(name));
        } else if (deadSigns.contains(number)) {
            // Of several saves cleaning at once, the one that takes away a
            // dead sign removes the claim, unless a save has signed since.
            bool first = false;
            for (const QString &sign : deadSigns.values(number))
                first = ::unlink(encoded(at(sign)).constData()) == 0 || first;
            if (first && noLiveSign())
                removeClaim(at(name));
        } else if (!signedNumbers.contains(number) &&
                   olderThan(at(name), unsignedAbandonedAfterSeconds) &&
                   signsOf(folder, number).isEmpty()) {
            removeClaim(at(name));
        }
    }
    for (auto it = deadSigns.constBegin(); it != deadSigns.constEnd(); ++it)
        ::unlink(encoded(at(it.value())).constData());
}

} // namespace garabix::drawings
