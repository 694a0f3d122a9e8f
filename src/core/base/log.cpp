#include "core/base/log.h"

namespace garabix {

Q_LOGGING_CATEGORY(logStartup, "garabix.startup", QtInfoMsg)
Q_LOGGING_CATEGORY(logFiles, "garabix.files", QtInfoMsg)
Q_LOGGING_CATEGORY(logSound, "garabix.sound", QtInfoMsg)
Q_LOGGING_CATEGORY(logPrint, "garabix.print", QtInfoMsg)
Q_LOGGING_CATEGORY(logDesktop, "garabix.desktop", QtInfoMsg)

} // namespace garabix
