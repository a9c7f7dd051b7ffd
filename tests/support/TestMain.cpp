#include "OtherProgramLock.h"
#include <QApplication>
#include <gtest/gtest.h>

// Widget tests need an application object; they run on the offscreen platform.
int main(int argc, char **argv) {
    if (const auto code = OtherProgramLock::runIfChild())
        return *code;
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen")
                                                                     : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zorvane"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
