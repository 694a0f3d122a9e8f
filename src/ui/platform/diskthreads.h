#pragma once
// The threads that wait for the disk: saving, browsing, the picker's listing
// and pictures. A pool of their own, never Qt's global one: Qt draws big
// pictures with the global pool's threads and waits for them, so a file
// server that stops answering would freeze the window through a drawing.

class QThreadPool;

namespace garabix {

QThreadPool *diskThreads();

} // namespace garabix
