#include "OtherProgramLock.h"
#include "platform/clock/Clock.h"
#include <QApplication>
#include <gtest/gtest.h>

// Widget tests need an application object; they run on the offscreen platform.
// The clock stands still at one moment inside the fresh program folder's
// period, so that no test sees the day change under it.
int main(int argc, char **argv) {
    if (const auto code = OtherProgramLock::runIfChild())
        return *code;
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen")
                                                                     : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zorvane"));
    zv::clock::setFixed(QDateTime(QDate(2026, 9, 15), QTime(10, 30)));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
