#pragma once
// The program's own options, answered before any window: --help, --version
// and --check-settings print and end the program; an option it does not
// know is an error with a short usage text (exit status 2). Qt's own
// options (-platform, -style, ...) and --set section/key=value pass through.

#include <QStringList>
#include <optional>

namespace garabix {

// The exit status when the command line ends the program here, or nothing
// when the program goes on to its windows.
std::optional<int> answerCommandLine(int argc, char **argv);

// The folder of --slideshow FOLDER: the program shows its drawings instead
// of its windows.
std::optional<QString> slideshowFolder(const QStringList &arguments);

} // namespace garabix
