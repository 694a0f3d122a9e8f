#pragma once
// What the drawing's owners (the saver, the browser) share: the window their
// notes and signs show on, the drawing document, the drawings folder, the
// desktop and the language file's texts. All of them outlive the owners.

#include "core/canvas/drawing.h"
#include "core/files/config.h"
#include "core/files/drawings.h"

#include <QStringList>

class QWidget;

namespace garabix {

class Platform;

struct DocumentParts {
    QWidget *window;
    Drawing &document;
    drawings::DrawingFolder &folder;
    Platform &platform;
    const QStringList &texts;

    QString text(config::Text which) const { return config::text(texts, which); }
};

} // namespace garabix
