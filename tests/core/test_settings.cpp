// The settings files: what each key does when read, what the school's file
// locks, and what a bad line or file comes to.

#include "core/files/settings.h"
#include "coretestutil.h"

#include <QProcess>
#include <QtTest>
#include <pwd.h>
#include <unistd.h>

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
        QVERIFY(none.drawingsFolder.isEmpty() && none.quit && none.drawingLimit == -1 &&
                none.sound);
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
            QVERIFY(s.quit && s.drawingLimit == -1 && s.drawingsFolder.isEmpty());
            QVERIFY(s.scanSeconds == 2 && s.switchKey == QKeyCombination(Qt::Key_Space) &&
                    s.controlsSize == 1);
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
        QVERIFY(f.read().language.isEmpty());
    }

    // %u and %h are the account's own, from the account database: a USER
    // set to another pupil's name, or none at all, changes nothing.
    void theFolderIsTheAccountsOwn() {
        const struct passwd *me = ::getpwuid(::getuid());
        QVERIFY(me);
        const QByteArray user = qgetenv("USER"), home = qgetenv("HOME");
        for (const char *pretended : std::initializer_list<const char *>{"someone-else", nullptr}) {
            if (pretended)
                qputenv("USER", pretended);
            else
                qunsetenv("USER");
            qputenv("HOME", "/tmp/elsewhere");
            const SettingsSources s = settingsSourcesOfThisRun({"garabix"});
            QCOMPARE(s.userName, QString::fromLocal8Bit(me->pw_name));
            QCOMPARE(s.home, QString::fromLocal8Bit(me->pw_dir));
        }
        qputenv("USER", user);
        qputenv("HOME", home);
        // Without a name, a locked folder line with %u is never filled in from
        // the pupil's own file.
        Sources f;
        f.s.userName.clear();
        f.system("[drawings]\nfolder=/srv/clase/%u\n");
        f.user("[drawings]\nfolder=/tmp/mine\n");
        QVERIFY(f.read().drawingsFolder.isEmpty());
    }

    // A key the school's file names stays locked when its value cannot be
    // read: quitting, printing, the bin and the folder button are then off,
    // whatever the pupil's file, the environment or the command line say,
    // and the log line names the file and the line.
    void aBadLockedValueLocksAtTheRestrictiveChoice_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QByteArray>("turnOn");
        QTest::newRow("quit") << QByteArray("[program]\nquit=false;locked\n")
                              << QByteArray("[program]\nquit=true\n");
        QTest::newRow("delete") << QByteArray("[drawings]\ndelete=nein\n")
                                << QByteArray("[drawings]\ndelete=true\n");
        QTest::newRow("folder-button") << QByteArray("[program]\nfolder-button=\"false\"\n")
                                       << QByteArray("[program]\nfolder-button=true\n");
        QTest::newRow("print") << QByteArray("[program]\nprint=nope\n")
                               << QByteArray("[program]\nprint=yes\n");
    }
    void aBadLockedValueLocksAtTheRestrictiveChoice() {
        QFETCH(QByteArray, line);
        QFETCH(QByteArray, turnOn);
        Sources f;
        f.system("# the school\n" + line);
        f.user(turnOn);
        const QString section = QString::fromLatin1(turnOn).section('\n', 0, 0).mid(1).chopped(1);
        const QString key =
            section + '/' + QString::fromLatin1(turnOn).section('\n', 1, 1).section('=', 0, 0);
        f.s.environment.insert("GARABIX_" + key.toUpper().replace('/', '_').replace('-', '_'),
                               "true");
        f.s.arguments = {"garabix", "--set", key + "=true"};
        const SettingsReport report = checkSettings(f.s);
        const Settings &s = report.settings;
        QCOMPARE(s.quit && s.deleteButton && s.folderButton && s.print, false);
        QCOMPARE(report.refused.size(), 1);
        QVERIFY2(report.refused[0].startsWith(f.s.systemFile + ", line 3: "),
                 qPrintable(report.refused[0]));
        QVERIFY(report.refused[0].endsWith("locked at false"));
        QCOMPARE(report.effective.filter(QRegularExpression("^" + key + " +=")).value(0),
                 QString("%1 = false    (%2, line 3, a bad value locked)")
                     .arg(key, -24)
                     .arg(f.s.systemFile));
        // Any other locked key with a bad value keeps the program's own way.
        f.system("[access]\nscan-seconds=9\n");
        f.user("[access]\nscan-seconds=3\n");
        QCOMPARE(f.read().scanSeconds, 2);
    }

    // The program answers --version, --help and --check-settings as any
    // Debian program does, and an unknown option or argument is an error
    // with a short usage text and exit status 2, never a window.
    void theCommandLine() {
        QTemporaryDir config;
        QDir(config.path()).mkpath("garabix");
        QFile conf(config.path() + "/garabix/garabix.conf");
        QVERIFY(conf.open(QIODevice::WriteOnly));
        conf.write("[program]\nsound=off\nquit=maybe\n");
        conf.close();
        const auto run = [&](const QStringList &arguments) {
            QProcess garabix;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert("XDG_CONFIG_HOME", config.path());
            env.insert("QT_QPA_PLATFORM", "offscreen");
            garabix.setProcessEnvironment(env);
            garabix.start(qEnvironmentVariable("GARABIX_PROGRAM_DIR") + "/garabix", arguments);
            if (!garabix.waitForFinished(30000))
                garabix.kill();
            return std::tuple{garabix.exitCode(), QString(garabix.readAllStandardOutput()),
                              QString(garabix.readAllStandardError())};
        };
        auto [code, out, err] = run({"--version"});
        QCOMPARE(code, 0);
        QVERIFY2(QRegularExpression("^garabix \\d+\\.\\d+\\.\\d+\n$").match(out).hasMatch(),
                 qPrintable(out));
        std::tie(code, out, err) = run({"--help"});
        QCOMPARE(code, 0);
        QVERIFY(out.startsWith("Usage: garabix") && out.contains("--check-settings"));
        QVERIFY(out.contains("--slideshow FOLDER"));
        for (const QStringList &wrong :
             {QStringList{"--frobnicate"}, QStringList{"dibujo.bmp"}, QStringList{"--set"},
              QStringList{"-x"}, QStringList{"--slideshow"}, QStringList{"--slideshow", ""}}) {
            std::tie(code, out, err) = run(wrong);
            QCOMPARE(code, 2);
            QVERIFY2(err.contains("Usage: garabix") && out.isEmpty(), qPrintable(err));
        }
        std::tie(code, out, err) = run({"--check-settings", "--set", "access/scan-seconds=5"});
        QCOMPARE(code, 1);
        QVERIFY2(out.contains(QRegularExpression("program/sound +\\= off +\\(" +
                                                 QRegularExpression::escape(conf.fileName()) +
                                                 ", line 2\\)")),
                 qPrintable(out));
        QVERIFY(out.contains(QRegularExpression("access/scan-seconds += 5 +\\(the command line")));
        QVERIFY(out.contains("refused: " + conf.fileName() +
                             ", line 3: program/quit has a bad "
                             "value \"maybe\"; ignored"));
        conf.open(QIODevice::WriteOnly);
        conf.write("[program]\nsound=off\n");
        conf.close();
        std::tie(code, out, err) = run({"--check-settings"});
        QCOMPARE(code, 0);
        QVERIFY(!out.contains("refused"));
    }

    // What --check-settings prints: every key with the value that holds and
    // where it came from, then every refused line.
    void theReportSaysWhereEachValueCameFrom() {
        Sources f;
        f.system("[program]\nfullscreen=true\n");
        f.user("[program]\nsound=false\nprint-interval=soon\n[access]\nscan-seconds=5\n");
        f.s.environment.insert("GARABIX_DRAWINGS_LIMIT", "32767");
        f.s.arguments = {"garabix", "--set", "access/switch-key=F1"};
        const SettingsReport r = checkSettings(f.s);
        const auto line = [&](const char *key) {
            return r.effective.filter(QRegularExpression(QString("^%1 ").arg(key))).value(0);
        };
        QCOMPARE(r.effective.size(), 16);
        QCOMPARE(line("program/fullscreen").simplified(),
                 "program/fullscreen = true (" + f.s.systemFile + ", line 2)");
        QCOMPARE(line("program/sound").simplified(),
                 "program/sound = false (" + f.s.userFile + ", line 2)");
        QCOMPARE(line("access/scan-seconds").simplified(),
                 "access/scan-seconds = 5 (" + f.s.userFile + ", line 5)");
        QCOMPARE(line("drawings/limit").simplified(),
                 QString("drawings/limit = 32767 (the environment, GARABIX_DRAWINGS_LIMIT)"));
        QCOMPARE(line("access/switch-key").simplified(),
                 QString("access/switch-key = F1 (the command line, --set access/switch-key=F1)"));
        QCOMPARE(line("program/quit").simplified(), QString("program/quit = true (the default)"));
        QCOMPARE(r.refused, QStringList{f.s.userFile + ", line 3: program/print-interval has a "
                                                       "bad value \"soon\"; ignored"});
        QCOMPARE(r.settings.drawingLimit, 32767);
    }

    // What the settings leave unsaid comes from the program folder: its
    // misdibujos, mdg.txt's limit (saving off without a number) and
    // idioma.txt; a language with no file keeps idioma.txt.
    void theProgramFolderFillsIn() {
        test::ProgramFolder app;
        app.write("configuracion/idiomas/english.txt", "x");
        Settings said;
        const QString idioma = QDir::cleanPath(app.path() + "/configuracion/idioma.txt");
        for (const auto &[mdg, limit] : {std::pair{"500", 500}, {"mucho", 0}, {"", 0}}) {
            app.write("configuracion/mdg.txt", mdg);
            const Settings s = withProgramFolder(said, app.path());
            QCOMPARE(s.drawingLimit, limit);
            QCOMPARE(s.drawingsFolder, app.path() + "/misdibujos");
            QVERIFY(s.programFoldersLimit);
            QCOMPARE(QDir::cleanPath(s.languageFile), idioma);
        }
        said.drawingLimit = 3;
        said.language = "english";
        Settings s = withProgramFolder(said, app.path());
        QVERIFY(s.drawingLimit == 3 && !s.programFoldersLimit);
        QVERIFY(s.languageFile.endsWith("idiomas/english.txt"));
        said.drawingLimit = -1;
        said.drawingsFolder = app.path() + "/clase";
        said.language = "klingon";
        s = withProgramFolder(said, app.path());
        QVERIFY(s.drawingLimit == 0 && !s.programFoldersLimit); // mdg.txt is empty
        QCOMPARE(s.drawingsFolder, app.path() + "/clase");
        QCOMPARE(QDir::cleanPath(s.languageFile), idioma);
    }

    // Every number at its edges: the lowest and the highest value a key
    // takes hold, and the first beyond each end is refused.
    void everyNumberAtItsEdges_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("lowest");
        QTest::addColumn<int>("highest");
        QTest::newRow("limit") << "drawings/limit" << 0 << 32767;
        QTest::newRow("print interval") << "program/print-interval" << 0 << 86400;
        QTest::newRow("scan time") << "access/scan-seconds" << 1 << 5;
    }
    void everyNumberAtItsEdges() {
        QFETCH(QString, key);
        QFETCH(int, lowest);
        QFETCH(int, highest);
        Sources f;
        for (int value : {lowest - 1, lowest, highest, highest + 1}) {
            f.s.arguments = {"garabix", "--set", key + "=" + QString::number(value)};
            Warnings w;
            const SettingsReport r = checkSettings(f.s);
            const bool takes = value >= lowest && value <= highest;
            QCOMPARE(r.refused.size(), takes ? 0 : 1);
            const QString line = r.effective.filter(QRegularExpression("^" + key + " ")).value(0);
            QCOMPARE(line.simplified().startsWith(key + " = " + QString::number(value) + " "),
                     takes);
        }
    }
};

QTEST_GUILESS_MAIN(TestSettings)
#include "test_settings.moc"
