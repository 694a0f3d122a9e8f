#pragma once
// The end of the session: SIGTERM and SIGHUP (logging out, shutting down, a
// teacher's end-of-lesson script) and the desktop's session manager. The
// drawing is saved first, without a question, then the program ends.

#include <QObject>
#include <functional>

class QSessionManager;
class QSocketNotifier;

namespace garabix {

class SessionEnd : public QObject {
    Q_OBJECT
public:
    // Saves what needs saving and then calls `done` (at once when nothing
    // does); empty while there is no drawing yet.
    using Save = std::function<void(std::function<void()> done)>;

    // Catches SIGTERM and SIGHUP from now on; one object a program.
    explicit SessionEnd(Save save, QObject *parent = nullptr);
    ~SessionEnd() override;

    // However slow the disk, the program ends this long after the signal.
    static constexpr int longestWaitMs = 10000;

private:
    void signalled();
    void commitData(QSessionManager &manager);

    Save save;
    QSocketNotifier *notifier = nullptr;
    bool ending = false;
};

} // namespace garabix
