#pragma once
// The PNG copy: a picture written into the user's pictures folder, with a
// note that names the file, or the folder when it could not be written.

#include <QImage>
#include <QStringList>

class QWidget;

namespace garabix {

class Platform;

void copyToPictures(const QImage &picture, QWidget *noteOn, Platform &platform,
                    const QStringList &texts);

} // namespace garabix
