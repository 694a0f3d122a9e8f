#pragma once
#include <QString>

namespace garabix {

// Number of background scenes "1.gif", "2.gif", ... in the scenes folder that
// form an unbroken run from 1. Only regular files count; names are matched
// without regard to case.
int countScenes(const QString &appPath);

// Path of scene n.
QString scenePath(const QString &appPath, int n);

// The scene after `index` (`forward`) or before it, round from the last of
// `count` to the first and back; before any is shown (0), forward is the
// first and back the last.
int stepScene(int index, int count, bool forward);

} // namespace garabix
