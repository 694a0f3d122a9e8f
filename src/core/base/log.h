#pragma once
// The program's logging categories. Failures are warnings, on standard
// error; what went well is debug output, quiet unless asked for with
// QT_LOGGING_RULES="garabix.*.debug=true".

#include <QLoggingCategory>

namespace garabix {

Q_DECLARE_LOGGING_CATEGORY(logStartup) // garabix.startup: the steps of start-up
Q_DECLARE_LOGGING_CATEGORY(logFiles)   // garabix.files: saves, deletes, loads
Q_DECLARE_LOGGING_CATEGORY(logSound)   // garabix.sound: the cues
Q_DECLARE_LOGGING_CATEGORY(logPrint)   // garabix.print: printing
Q_DECLARE_LOGGING_CATEGORY(logDesktop) // garabix.desktop: clipboard, file browser

} // namespace garabix
