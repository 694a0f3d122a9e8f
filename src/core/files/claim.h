#pragma once
// Claiming a number in a folder that several computers may share, on any
// file system: a local disk, a Samba share mounted through FUSE, sshfs, NFS.
//
// A number is claimed by making a hidden folder ".garabix-claim-<n>": making
// a folder is atomic on every file server, where renaming without replacing,
// hard links and exclusive creation are not (through smbnetfs the first two
// fail and the third lets several writers win). Before it tries, a writer
// leaves a sign ".garabix-owner-<n>-<owner>" beside it, and it takes the
// sign away only after the claim is gone: a claim whose number has no sign
// is nobody's, and a claim is abandoned only when every sign of its number
// is of a process that has ended.
//
// An owner is this computer's host name and boot id, the process id and the
// process's start time: a process id that the system gives again to a new
// process never makes an ended save look alive.
//
// A Samba share through FUSE answers every request with an I/O error for a
// moment after one of its looks went wrong; it comes back. Each step here
// is tried again while it answers EIO, and a step whose answer was lost is
// judged by what it left on disk, never taken as undone.

#include "core/base/outcome.h"

#include <QString>
#include <functional>

namespace garabix::drawings {

// How often, and how long apart, a step answered with EIO is tried again.
constexpr int ioRetries = 30;
constexpr int ioRetryMilliseconds = 150;

// Runs `step` until it answers something other than EIO, at most
// 1 + ioRetries times; answers its last outcome.
Outcome patiently(const std::function<Outcome()> &step);

// Whether something stands under `path` (`*present`), or the system's error
// when it cannot tell (never taken as "absent").
Outcome lookUp(const QString &path, bool *present);

// This computer's identity in temporary files: its host name and the
// kernel's boot id, so that computers cloned from one image (one host name)
// never take each other's files for their own.
QString machineIdentity();

// This process as an owner: "<identity>-<pid>.<start time>".
QString ownerName();

// Whether an owner name is of a process of this computer, since its boot,
// that has ended (or whose process id now belongs to another process).
// Another computer's names, or ours from before a reboot, are never judged.
bool ownerGone(const QString &owner);

// A claim of number `n` in `folder`, given up when it goes out of scope.
class Claim {
public:
    Claim(const QString &folder, int n);
    ~Claim();
    Claim(const Claim &) = delete;
    Claim &operator=(const Claim &) = delete;

    // Done, EEXIST when another save holds the number, or the folder's error.
    Outcome take();

private:
    QString folder;
    QString number;
    QString path;
    QString sign;
    bool signLeft = false;
    bool held = false;
};

// Gives up again the claims that a file server would not let go of at once
// (it may refuse for a moment to remove a folder another computer is
// looking at).
void releaseUnreleasedClaims();

// Removes what saves that were killed or cut short left in `folder`:
// temporary files named "<prefix><owner>-<anything><suffix>" and signs whose
// process has ended on this computer, or older than a day; claims whose
// every sign is of such a process, claims of numbers saved already as
// "<n>.bmp", and claims with no sign at all that are older than ten minutes.
// Done once a run for each folder.
void removeAbandoned(const QString &folder, const QString &temporaryPrefix,
                     const QString &temporarySuffix);

} // namespace garabix::drawings
