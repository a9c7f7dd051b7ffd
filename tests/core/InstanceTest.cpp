#include "CoreFixture.h"
#include <QProcess>
#include <QTemporaryDir>
#include <iostream>
#include <string>

using namespace modCommon;

namespace {

// Run only as the other process of the test below: holds the instance lock
// until its standard input closes.
TEST(InstanceChild, DISABLED_HoldLock) {
    const QString path = qEnvironmentVariable("ZV_TEST_INSTANCE_LOCK");
    ASSERT_FALSE(path.isEmpty());
    setInstanceLockPath(path);
    ASSERT_TRUE(AcquireInstanceLock());
    std::cout << "LOCKED" << std::endl;
    std::string line;
    while (std::getline(std::cin, line)) {
    }
    ReleaseInstanceLock();
}

class SingleInstance : public CoreTest {
public:
    void TearDown() override {
        ReleaseInstanceLock();
        setInstanceLockPath(QString());
        CoreTest::TearDown();
    }
};

TEST_F(SingleInstance, SecondProcessIsRefused) {
    QTemporaryDir runtime;
    const QString lock = runtime.filePath(QStringLiteral("instance.lock"));

    QProcess first;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("ZV_TEST_INSTANCE_LOCK"), lock);
    first.setProcessEnvironment(env);
    first.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=InstanceChild.DISABLED_HoldLock"),
                 QStringLiteral("--gtest_also_run_disabled_tests")});
    ASSERT_TRUE(first.waitForStarted(10000));
    QByteArray out;
    while (!out.contains("LOCKED") && first.waitForReadyRead(10000))
        out += first.readAllStandardOutput();
    ASSERT_TRUE(out.contains("LOCKED")) << out.constData();

    // This process is the second start: refused with the message, and ended.
    setInstanceLockPath(lock);
    EXPECT_NE(Main(), 0);
    EXPECT_EQ(messages.prompts(), QStringList{"Application is already open"});
    EXPECT_EQ(messages.shown().front().buttons, zv::ui::vbCritical);
    EXPECT_EQ(endCount, 1);
    EXPECT_EQ(first.state(), QProcess::Running) << "the first instance is unaffected";

    // When the first instance ends, a new start gets the lock.
    first.closeWriteChannel();
    ASSERT_TRUE(first.waitForFinished(10000));
    EXPECT_EQ(first.exitCode(), 0) << first.readAllStandardOutput().constData();
    EXPECT_TRUE(AcquireInstanceLock());
}

} // namespace
