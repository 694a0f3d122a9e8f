#include "ui/platform/quietevents.h"

#include <QByteArray>
#include <QtGlobal>

namespace garabix {

void chooseQuietEvents() {
    for (const char *name : {"QT_NO_GLIB", "QT_XCB_NO_MITSHM"})
        if (!qEnvironmentVariableIsSet(name))
            qputenv(name, QByteArrayLiteral("1"));
}

} // namespace garabix
