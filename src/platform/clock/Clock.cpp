#include "Clock.h"
#include <QMutex>
#include <QMutexLocker>

namespace zv::clock {

namespace {
QMutex gLock;
QDateTime gFixed;
} // namespace

QDateTime now() {
    QMutexLocker lock(&gLock);
    return gFixed.isValid() ? gFixed : QDateTime::currentDateTime();
}

QDate today() { return now().date(); }

void setFixed(const QDateTime &at) {
    QMutexLocker lock(&gLock);
    gFixed = at;
}

} // namespace zv::clock
