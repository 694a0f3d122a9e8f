#include "ui/platform/diskthreads.h"

#include <QThreadPool>

namespace garabix {

QThreadPool *diskThreads() {
    static QThreadPool *pool = [] {
        auto *p = new QThreadPool; // lives as long as the program
        p->setMaxThreadCount(4);
        return p;
    }();
    return pool;
}

} // namespace garabix
