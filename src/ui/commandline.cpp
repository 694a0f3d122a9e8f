#include "ui/commandline.h"

#include "core/files/settings.h"

#include <QCoreApplication>
#include <QStringList>
#include <cstdio>
#include <cstring>

namespace garabix {

namespace {

const char usage[] = "Usage: garabix [--set SECTION/KEY=VALUE]... [--check-settings]\n"
                     "       garabix --slideshow FOLDER\n"
                     "       garabix --help | --version\n";

const char help[] = "Garabix, a paint program for young children.\n"
                    "\n"
                    "  --set SECTION/KEY=VALUE  a setting for this run, as in the settings files\n"
                    "                           (--set program/fullscreen=true); repeatable\n"
                    "  --check-settings         print every setting that holds, where it came\n"
                    "                           from, and every line refused; exit status 1 when\n"
                    "                           a line was refused\n"
                    "  --slideshow FOLDER       show every drawing in FOLDER and its subfolders\n"
                    "                           on the whole screen, newest first, each with its\n"
                    "                           subfolder's name; Escape or a click ends it\n"
                    "  --help                   print this help\n"
                    "  --version                print the version\n"
                    "\n"
                    "The settings files are /etc/garabix/garabix.conf (the school's; what it\n"
                    "names holds) and ~/.config/garabix/garabix.conf; see garabix(1).\n";

// Qt's own options, with one dash or two; those in the first list take the
// next argument as their value.
const char *const qtWithValue[] = {"platform",
                                   "platformpluginpath",
                                   "platformtheme",
                                   "plugin",
                                   "qwindowgeometry",
                                   "qwindowicon",
                                   "qwindowtitle",
                                   "display",
                                   "geometry",
                                   "style",
                                   "stylesheet",
                                   "session",
                                   "name",
                                   "title",
                                   "visual",
                                   "qmljsdebugger"};
const char *const qtAlone[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

bool named(const char *option, const char *const *names, size_t count) {
    for (size_t i = 0; i < count; ++i)
        if (std::strcmp(option, names[i]) == 0)
            return true;
    return false;
}

int refuse(const char *argument) {
    std::fprintf(stderr, "garabix: unknown option or argument '%s'\n%s", argument, usage);
    return 2;
}

int printSettings(int argc, char **argv) {
    const QCoreApplication app(argc, argv);
    const SettingsReport report = checkSettings(settingsSourcesOfThisRun(app.arguments()));
    for (const QString &line : report.effective)
        std::printf("%s\n", qPrintable(line));
    for (const QString &line : report.refused)
        std::printf("refused: %s\n", qPrintable(line));
    return report.refused.isEmpty() ? 0 : 1;
}

} // namespace

std::optional<int> answerCommandLine(int argc, char **argv) {
    bool check = false;
    for (int i = 1; i < argc; ++i) {
        const char *arg = argv[i];
        if (std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0) {
            std::printf("%s\n%s", usage, help);
            return 0;
        }
        if (std::strcmp(arg, "--version") == 0) {
            std::printf("garabix %s\n", GARABIX_VERSION);
            return 0;
        }
        if (std::strcmp(arg, "--check-settings") == 0) {
            check = true;
            continue;
        }
        if (std::strcmp(arg, "--set") == 0) {
            if (++i == argc) {
                std::fprintf(stderr, "garabix: --set needs SECTION/KEY=VALUE\n%s", usage);
                return 2;
            }
            continue;
        }
        if (std::strncmp(arg, "--set=", 6) == 0)
            continue;
        if (std::strcmp(arg, "--slideshow") == 0) {
            if (++i == argc || argv[i][0] == '\0') {
                std::fprintf(stderr, "garabix: --slideshow needs a FOLDER\n%s", usage);
                return 2;
            }
            continue;
        }
        const char *option = arg[0] == '-' ? arg + (arg[1] == '-' ? 2 : 1) : nullptr;
        if (option && *option && named(option, qtWithValue, std::size(qtWithValue)) &&
            i + 1 < argc) {
            ++i;
            continue;
        }
        if (option && *option && named(option, qtAlone, std::size(qtAlone)))
            continue;
        return refuse(arg);
    }
    if (check)
        return printSettings(argc, argv);
    return std::nullopt;
}

std::optional<QString> slideshowFolder(const QStringList &arguments) {
    const int at = static_cast<int>(arguments.indexOf(QStringLiteral("--slideshow")));
    if (at < 0 || at + 1 >= arguments.size())
        return std::nullopt;
    return arguments[at + 1];
}

} // namespace garabix
