// The settings files: what each key does when read, what the school's file
// locks, and what a bad line or file comes to.

#include "core/files/settings.h"
#include "coretestutil.h"

#include <QtTest>

using namespace garabix;

namespace {

struct Sources {
    Sources() {
        s.systemFile = dir.path() + "/etc/garabix.conf";
        s.userFile = dir.path() + "/home/.config/garabix/garabix.conf";
        s.userName = "ana";
        s.home = "/home/ana";
    }
    void system(const QByteArray &text) { dir.write("etc/garabix.conf", text); }
    void user(const QByteArray &text) { dir.write("home/.config/garabix/garabix.conf", text); }
    Settings read() const { return readSettings(s); }
    test::ProgramFolder dir;
    SettingsSources s;
};

// Counts the warnings logged while it lives.
struct Warnings {
    Warnings() {
        counted = 0;
        previous =
            qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &) {
                if (type == QtWarningMsg)
                    ++counted;
            });
    }
    ~Warnings() { qInstallMessageHandler(previous); }
    static inline int counted = 0;
    QtMessageHandler previous;
};

} // namespace

class TestSettings : public QObject {
    Q_OBJECT
private slots:
    void eachKeyFromTheUserFile() {
        Sources f;
        f.user("; a family's settings\n"
               "[drawings]\n"
               "folder=/srv/clase/%u      ; %u the user name\n"
               "limit = 500\n"
               "delete=false\n"
               "[Program]\n"
               "language=english\n"
               "quit=false\n"
               "fullscreen=true\n"
               "print=no\n"
               "print-interval=60\n"
               "sound=false\n"
               "folder-button=false\n"
               "[access]\n"
               "click-to-draw=true\n"
               "keyboard-pointer=true\n"
               "switch-scanning=yes\n"
               "scan-seconds=1\n"
               "switch-key=F2\n"
               "controls-size=Largest\n");
        const Settings s = f.read();
        QCOMPARE(s.drawingsFolder, QString("/srv/clase/ana"));
        QCOMPARE(s.drawingLimit, 500);
        QCOMPARE(s.deleteButton, false);
        QCOMPARE(s.language, QString("english"));
        QCOMPARE(s.quit, false);
        QCOMPARE(s.fullScreen, true);
        QCOMPARE(s.print, false);
        QCOMPARE(s.printInterval, 60);
        QCOMPARE(s.sound, false);
        QCOMPARE(s.folderButton, false);
        QCOMPARE(s.clickToDraw, true);
        QCOMPARE(s.keyboardPointer, true);
        QCOMPARE(s.switchScanning, true);
        QCOMPARE(s.scanSeconds, 1);
        QCOMPARE(s.switchKey, QKeyCombination(Qt::Key_F2));
        QCOMPARE(s.controlsSize, 2.0);
        f.user("[drawings]\nfolder=%h/dibujos\n");
        QCOMPARE(f.read().drawingsFolder, QString("/home/ana/dibujos"));
        // Nothing said, nothing changed: every key keeps the program's own way.
        f.user("");
        const Settings none = f.read();
        QVERIFY(!none.drawingsFolder && !none.quit && !none.drawingLimit && !none.sound);
    }

    // What the school's file says holds against the user file, the
    // environment and the command line; what it leaves unsaid they fill in,
    // the command line first.
    void theSchoolsFileHolds() {
        Sources f;
        f.system("[program]\nquit=false\nfullscreen=true\n[drawings]\nfolder=/srv/clase/%u\n");
        f.user("[program]\nquit=true\nfullscreen=false\nsound=false\nprint=false\n"
               "[drawings]\nfolder=/tmp/mine\nlimit=3\n");
        f.s.environment.insert("GARABIX_PROGRAM_QUIT", "true");
        f.s.environment.insert("GARABIX_DRAWINGS_FOLDER", "/tmp/env");
        f.s.environment.insert("GARABIX_PROGRAM_PRINT", "true");
        f.s.environment.insert("GARABIX_PROGRAM_PRINT_INTERVAL", "30");
        f.s.arguments = {"garabix",
                         "--set",
                         "program/quit=true",
                         "--set=program/fullscreen=false",
                         "--set",
                         "drawings/folder=/tmp/arg",
                         "--set",
                         "program/print-interval=5"};
        const Settings s = f.read();
        QCOMPARE(s.quit, false);
        QCOMPARE(s.fullScreen, true);
        QCOMPARE(s.drawingsFolder, QString("/srv/clase/ana"));
        QCOMPARE(s.printInterval, 5); // the command line before the environment
        QCOMPARE(s.print, true);      // the environment before the user file
        QCOMPARE(s.sound, false);     // the user file where nothing else speaks
        QCOMPARE(s.drawingLimit, 3);
    }

    // A bad line, key or value is named in one log line and ignored; a file
    // that is no text is one log line; what is good is read all the same.
    void badLinesAndBrokenFiles() {
        Sources f;
        f.user("[program]\nquit=maybe\nsound=false\ncolour=blue\nnot a setting\n"
               "[drawings]\nlimit=99999\nfolder=\n"
               "[access]\nscan-seconds=0\nswitch-key=Ctrl+S\ncontrols-size=huge\n");
        {
            Warnings w;
            const Settings s = f.read();
            QCOMPARE(Warnings::counted, 8);
            QVERIFY(!s.quit && !s.drawingLimit && !s.drawingsFolder);
            QVERIFY(!s.scanSeconds && !s.switchKey && !s.controlsSize);
            QCOMPARE(s.sound, false);
        }
        f.system(QByteArray("\x7f"
                            "ELF\x02\x01\x01\0\0\0[program]\nquit=false\n",
                            26));
        f.user("[program]\nquit=false\n");
        {
            Warnings w;
            const Settings s = f.read();
            QCOMPARE(Warnings::counted, 1);
            QCOMPARE(s.quit, false);
        }
        // A language is a file's name, never a path out of the program folder.
        f.user("[program]\nlanguage=../../etc/passwd\n");
        QVERIFY(!f.read().language);
    }
};

QTEST_GUILESS_MAIN(TestSettings)
#include "test_settings.moc"
