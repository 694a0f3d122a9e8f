#include "ui/document/copying.h"

#include "core/base/log.h"
#include "core/files/config.h"
#include "core/files/export.h"
#include "ui/platform/platform.h"

#include <QDir>

namespace garabix {

void copyToPictures(const QImage &picture, QWidget *noteOn, Platform &platform,
                    const QStringList &texts) {
    const QString folder = exporting::picturesFolder();
    const exporting::Exported out = exporting::exportPng(picture, folder);
    if (out.outcome.ok()) {
        qCDebug(logFiles) << "copied to" << out.path;
        platform.notify(noteOn,
                        config::text(texts, config::Text::CopiedToPictures)
                            .arg(QDir::toNativeSeparators(out.path)),
                        Platform::Notice::Done);
        return;
    }
    qCWarning(logFiles) << "could not copy the drawing to" << folder << ":" << out.outcome.reason();
    platform.notify(
        noteOn, config::text(texts, config::Text::CopyFailed).arg(QDir::toNativeSeparators(folder)),
        Platform::Notice::Problem);
}

} // namespace garabix
