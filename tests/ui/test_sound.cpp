// Every click is heard: the main window with the real platform plays its
// cues into the test run's own PulseAudio server, whose null sink's monitor
// this test records. Each click must start a cue within 50 ms, whether the
// clicks come 1.9 s apart or faster than the cues last. The window plays into
// a sink of this test's own (PULSE_SINK), so that another test's cue never
// sounds over the recording. No sound reaches the machine's real output: the
// server has no real sink.

#include "testutil.h"

#include <QDir>
#include <QtTest>
#include <atomic>
#include <chrono>
#include <cmath>
#include <mutex>
#include <pulse/simple.h>
#include <thread>

using namespace garabix;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int rate = 44100;

// Records the null sink's monitor on a thread of its own, with the time at
// which each sample reached the server's input. The recording runs at the
// sink's clock, so sample k entered at origin + k / rate; each read gives an
// estimate of the origin (now, less the latency the server reports, less
// the samples read), which is only ever late when this thread or the
// server's timing news is late: the earliest estimate holds.
class Recorder {
public:
    bool start(const QByteArray &sink) {
        pa_sample_spec format{PA_SAMPLE_S16LE, rate, 1};
        pa_buffer_attr attr{};
        attr.maxlength = static_cast<uint32_t>(-1);
        attr.fragsize = rate / 200 * 2; // 5 ms
        int error = 0;
        stream =
            pa_simple_new(nullptr, "garabix-test", PA_STREAM_RECORD,
                          (sink + ".monitor").constData(), "cues", &format, nullptr, &attr, &error);
        if (!stream)
            return false;
        worker = std::thread([this] { run(); });
        return true;
    }
    ~Recorder() {
        stopping = true;
        if (worker.joinable())
            worker.join();
        if (stream)
            pa_simple_free(stream);
    }
    // The time at which the note of `hz` starts between `from` and `until`,
    // over whatever else still sounds (a cue before it, at another pitch):
    // the first millisecond whose next 10 ms carry that note at `level` and
    // three times as loud as in the 10 ms before. Nothing when it does not
    // start there.
    std::optional<Clock::time_point> onset(Clock::time_point from, Clock::time_point until,
                                           int level, double hz) {
        const std::lock_guard<std::mutex> lock(mutex);
        const long long step = rate / 1000, span = rate / 100;
        const long long last =
            std::min<long long>(sampleAt(until), (long long)samples.size() - span);
        for (long long k = std::max(sampleAt(from), span); k < last; k += step) {
            const double next = loudness(k, span, hz);
            if (next >= level && next >= 3 * loudness(k - span, span, hz))
                return timeOf(k);
        }
        return std::nullopt;
    }
    // The pitch of what sounds from `from` for `ms` milliseconds, in Hz, from
    // how often the recording crosses zero.
    double pitch(Clock::time_point from, int ms) {
        const std::lock_guard<std::mutex> lock(mutex);
        const long long a = std::max(sampleAt(from), 0LL);
        const long long b = std::min<long long>(a + rate * ms / 1000, samples.size());
        int crossings = 0;
        for (long long k = a + 1; k < b; ++k)
            crossings += (samples[k - 1] < 0) != (samples[k] < 0);
        return b > a ? crossings / 2.0 * rate / double(b - a) : 0;
    }
    // Waits until the recording has reached `when`.
    bool reached(Clock::time_point when) {
        const std::lock_guard<std::mutex> lock(mutex);
        return !samples.empty() && timeOf(samples.size() - 1) >= when;
    }

private:
    void run() {
        std::vector<int16_t> chunk(rate / 200);
        while (!stopping) {
            int error = 0;
            if (pa_simple_read(stream, chunk.data(), chunk.size() * 2, &error) < 0)
                return;
            const pa_usec_t latency = pa_simple_get_latency(stream, &error);
            const std::lock_guard<std::mutex> lock(mutex);
            samples.insert(samples.end(), chunk.begin(), chunk.end());
            // The chunk's last sample entered the server `latency` ago.
            const Clock::time_point estimate = Clock::now() - std::chrono::microseconds(latency) -
                                               duration((long long)samples.size() - 1);
            origin = samples.size() == chunk.size() ? estimate : std::min(origin, estimate);
        }
    }
    static std::chrono::microseconds duration(long long sampleCount) {
        return std::chrono::microseconds(sampleCount * 1000000 / rate);
    }
    Clock::time_point timeOf(long long k) const { return origin + duration(k); }
    // The amplitude of the note of `hz` in the `n` samples from `a`, in the
    // samples' own units (Goertzel's filter for that one frequency).
    double loudness(long long a, long long n, double hz) const {
        const double c = 2 * std::cos(2 * M_PI * hz / rate);
        double s1 = 0, s2 = 0;
        for (long long j = a; j < a + n; ++j) {
            const double s0 = samples[size_t(j)] + c * s1 - s2;
            s2 = s1;
            s1 = s0;
        }
        return 2 * std::sqrt(std::max(s1 * s1 + s2 * s2 - c * s1 * s2, 0.0)) / double(n);
    }
    long long sampleAt(Clock::time_point t) const {
        return std::chrono::duration_cast<std::chrono::microseconds>(t - origin).count() * rate /
               1000000;
    }

    pa_simple *stream = nullptr;
    std::thread worker;
    std::atomic<bool> stopping{false};
    std::mutex mutex;
    std::vector<int16_t> samples;
    Clock::time_point origin; // when sample 0 entered the server
};

} // namespace

class TestSound : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        if (qEnvironmentVariableIsEmpty("PULSE_SERVER"))
            QSKIP("no sound server of the test run's own (./test.sh starts one)");
        const QByteArray sink = qgetenv("PULSE_SINK");
        QVERIFY2(!sink.isEmpty(), "no sink of the sound test's own (PULSE_SINK)");
        QVERIFY2(recorder.start(sink), "the test run's sound server or the test's sink does "
                                       "not answer");
        const QString shipped = qEnvironmentVariable("GARABIX_PROGRAM_DIR") + "/sonidos/";
        window = std::make_unique<test::LoadedMainWindow>(
            [&](test::ProgramFolder &f) {
                f.writeDefaultConfiguration();
                f.mkdir("sonidos");
                for (const QString &cue : QDir(shipped).entryList({"*.wav"}))
                    QFile::copy(shipped + cue, f.path() + "/sonidos/" + cue);
            },
            &qtPlatform());
    }

    void everyClickIsHeardAtOnce_data() {
        QTest::addColumn<QString>("cue");
        QTest::addColumn<int>("clicks");
        QTest::addColumn<int>("gapMs");
        QTest::addColumn<double>("hz"); // each cue's own first note
        for (const auto &[cue, hz] :
             {std::pair{"tool bar", 880.0}, {"pen size", 392.0}, {"palette", 1318.5}}) {
            QTest::addRow("%s, 20 clicks 1.9 s apart", cue) << cue << 20 << 1900 << hz;
            QTest::addRow("%s, 10 clicks 0.2 s apart", cue) << cue << 10 << 200 << hz;
        }
    }
    void everyClickIsHeardAtOnce() {
        QFETCH(QString, cue);
        QFETCH(int, clicks);
        QFETCH(int, gapMs);
        QFETCH(double, hz);
        MainWindow &form = *window->form;
        QVector<Clock::time_point> at;
        // Each click comes a whole gap after the one before. A repeating
        // timer that fires late fires the next one early, to keep its
        // beat; a click 120 ms behind the palette's two-note cue starts
        // under that cue's louder second note, where its own start cannot
        // be told from what already sounds.
        QTimer pace;
        pace.setSingleShot(true);
        pace.setInterval(gapMs);
        QEventLoop loop;
        connect(&pace, &QTimer::timeout, &loop, [&] {
            at << Clock::now();
            if (cue == "tool bar")
                form.runToolbarButton(ToolbarButton::Pencil);
            else if (cue == "pen size")
                form.choosePen(at.size() % 10);
            else
                form.palettePressed(Qt::LeftButton, 20 + 10 * (at.size() % 40), 5);
            if (at.size() == clicks)
                loop.quit();
            else
                pace.start();
        });
        pace.start();
        loop.exec();
        pace.stop();
        const Clock::time_point end = at.last() + std::chrono::milliseconds(400);
        QTRY_VERIFY_WITH_TIMEOUT(recorder.reached(end), 5000);
        QVector<double> delays;
        int outOfTune = 0; // clicks heard with another cue's sound
        double lastPitch = 0;
        for (const Clock::time_point click : at)
            if (auto heard = recorder.onset(click - std::chrono::milliseconds(20),
                                            click + std::chrono::milliseconds(150), 2500, hz)) {
                delays << std::chrono::duration<double, std::milli>(*heard - click).count();
                // Apart, each cue is heard alone: its own note, not another's.
                const double pitch = lastPitch =
                    recorder.pitch(*heard + std::chrono::milliseconds(5), 40);
                outOfTune += gapMs > 1000 && std::abs(pitch - hz) > 0.12 * hz;
            }
        std::sort(delays.begin(), delays.end());
        const double median = delays.isEmpty() ? -1 : delays[delays.size() / 2];
        qInfo("%s: %d of %d clicks heard, median delay %.1f ms, longest %.1f ms, %.0f Hz",
              qPrintable(cue), int(delays.size()), clicks, median,
              delays.isEmpty() ? -1.0 : delays.last(), lastPitch);
        QCOMPARE(delays.size(), clicks);
        QVERIFY(delays.last() <= 50);
        QCOMPARE(outOfTune, 0);
    }

private:
    Recorder recorder;
    std::unique_ptr<test::LoadedMainWindow> window;
};

QTEST_MAIN(TestSound)
#include "test_sound.moc"
