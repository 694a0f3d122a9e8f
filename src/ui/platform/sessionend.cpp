#include "ui/platform/sessionend.h"

#include "core/base/log.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>
#include <QTimer>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace garabix {

namespace {

// The signal handler only writes the signal's number here; the interface
// thread reads it.
int signalPipe[2] = {-1, -1};

void onSignal(int number) {
    const char byte = static_cast<char>(number);
    [[maybe_unused]] const ssize_t n = ::write(signalPipe[0], &byte, 1);
}

} // namespace

SessionEnd::SessionEnd(Save s, QObject *parent) : QObject(parent), save(std::move(s)) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0) {
        qCWarning(logStartup) << "the session's end cannot be caught: no socket pair";
        return;
    }
    notifier = new QSocketNotifier(signalPipe[1], QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, [this] {
        char byte = 0;
        if (::read(signalPipe[1], &byte, 1) == 1)
            qCInfo(logStartup) << "signal" << int(byte) << ": the session ends";
        signalled();
    });
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGHUP, &action, nullptr);
    if (auto *app = qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        connect(
            app, &QGuiApplication::commitDataRequest, this,
            [this](QSessionManager &m) { commitData(m); }, Qt::DirectConnection);
}

SessionEnd::~SessionEnd() {
    signal(SIGTERM, SIG_DFL);
    signal(SIGHUP, SIG_DFL);
    for (int &fd : signalPipe) {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }
}

void SessionEnd::signalled() {
    if (ending)
        return;
    ending = true;
    const auto end = [] { QCoreApplication::exit(0); };
    QTimer::singleShot(longestWaitMs, this, [] {
        qCWarning(logFiles) << "the drawing could not be saved in time; the program ends";
        QCoreApplication::exit(0);
    });
    if (save)
        save(end);
    else
        end();
}

// The session manager asks before it ends the session: the drawing is saved
// while it waits.
void SessionEnd::commitData(QSessionManager &) {
    if (!save)
        return;
    QEventLoop wait;
    bool saved = false;
    QTimer::singleShot(longestWaitMs, &wait, &QEventLoop::quit);
    save([&] {
        saved = true;
        wait.quit();
    });
    if (!saved)
        wait.exec();
}

} // namespace garabix
