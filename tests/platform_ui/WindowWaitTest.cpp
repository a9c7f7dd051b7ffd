#include "platform/ui/WindowWait.h"
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>
#include <gtest/gtest.h>
#include <atomic>
#include <functional>
#include <stdexcept>
#include <thread>

using namespace zv::ui;

namespace {

// A window with a box, a button and a hot key, each counting what reaches it.
class Owner : public QDialog {
public:
    Owner() {
        setWindowTitle("Owner");
        auto *layout = new QVBoxLayout(this);
        box = new QLineEdit(this);
        button = new QPushButton("Act", this);
        layout->addWidget(box);
        layout->addWidget(button);
        auto *hotKey = new QAction(this);
        hotKey->setShortcut(Qt::Key_F9);
        addAction(hotKey);
        connect(hotKey, &QAction::triggered, this, [this] { ++hotKeys; });
        connect(button, &QPushButton::clicked, this, [this] { ++clicks; });
        show();
        QApplication::setActiveWindow(this);
        box->setFocus();
        QApplication::processEvents();
    }
    int paints = 0, hotKeys = 0, clicks = 0;
    QLineEdit *box = nullptr;
    QPushButton *button = nullptr;

protected:
    bool event(QEvent *e) override {
        if (e->type() == QEvent::Paint)
            ++paints;
        return QDialog::event(e);
    }
};

// Work that waits until the window's thread lets it go.
struct Gate {
    std::atomic<bool> open{false};
    void waitForOpening() const {
        while (!open.load())
            std::this_thread::yield();
    }
};

// Runs step on the window's thread every millisecond while a wait is on,
// until it returns true.
void whileWaiting(const std::function<bool()> &step) {
    auto *timer = new QTimer;
    timer->setInterval(1);
    QObject::connect(timer, &QTimer::timeout, [timer, step] {
        if (busyWindow() && step()) {
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start();
}

QPushButton *cancelButton() {
    return busyWindow() ? busyWindow()->findChild<QPushButton *>("cmdCancel") : nullptr;
}

} // namespace

// While the work runs, timers fire, the window repaints and the bar shows the
// work's progress; the work's result is there when the wait returns.
TEST(WindowWait, TheWindowAnswersWhileTheWorkRuns) {
    Owner owner;
    Gate gate;
    int ticks = 0, paintsBefore = -1, barSeen = -1;
    bool pointerBusy = false;
    whileWaiting([&] {
        ++ticks;
        if (paintsBefore < 0) {
            pointerBusy = QGuiApplication::overrideCursor() != nullptr;
            paintsBefore = owner.paints;
            owner.update();
            return false;
        }
        const auto *bar = busyWindow()->findChild<QProgressBar *>("progress");
        if (owner.paints > paintsBefore && bar->maximum() == 100 && bar->value() == 40) {
            barSeen = bar->value();
            gate.open = true;
            return true;
        }
        return false;
    });
    int result = 0;
    const WaitOutcome outcome = runWhileWindowWaits(&owner, "Working ...", [&](WorkProgress &p) {
        p.percent = 40;
        gate.waitForOpening();
        result = 42;
    });
    EXPECT_EQ(outcome, WaitOutcome::Finished);
    EXPECT_EQ(result, 42);
    EXPECT_GE(ticks, 2);
    EXPECT_TRUE(pointerBusy);
    EXPECT_GT(owner.paints, paintsBefore);
    EXPECT_EQ(barSeen, 40);
    EXPECT_EQ(busyWindow(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(cancelButton(), nullptr);
}

// Keys, clicks, hot keys and the close box of the owner do nothing while the
// work runs; afterwards the same keys and clicks act again.
TEST(WindowWait, NothingTheUserDoesReachesTheOwnerMeanwhile) {
    Owner owner;
    Gate gate;
    bool stillShown = false;
    bool ownerActive = false;
    whileWaiting([&] {
        // As a window system may leave it: the owner active, its box focused.
        QApplication::setActiveWindow(&owner);
        owner.box->setFocus();
        ownerActive = QApplication::activeWindow() == &owner;
        QTest::keyClicks(owner.box, "abc");
        QTest::keyClick(owner.box, Qt::Key_F9);
        QTest::mouseClick(owner.button, Qt::LeftButton);
        QTest::keyClick(busyWindow(), Qt::Key_Escape);   // no Cancel to press
        owner.close();
        stillShown = owner.isVisible();
        gate.open = true;
        return true;
    });
    EXPECT_EQ(runWhileWindowWaits(&owner, "Working ...", [&](WorkProgress &) { gate.waitForOpening(); }),
              WaitOutcome::Finished);
    EXPECT_TRUE(ownerActive);
    EXPECT_TRUE(stillShown);
    EXPECT_EQ(owner.box->text(), "");
    EXPECT_EQ(owner.hotKeys, 0);
    EXPECT_EQ(owner.clicks, 0);

    // The keys go back to the owner once the window system has made it active again.
    EXPECT_EQ(busyWindow(), nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &owner; }));
    QTest::keyClicks(owner.box, "abc");
    QTest::keyClick(owner.box, Qt::Key_F9);
    QTest::mouseClick(owner.button, Qt::LeftButton);
    EXPECT_EQ(owner.box->text(), "abc");
    EXPECT_EQ(owner.hotKeys, 1);
    EXPECT_EQ(owner.clicks, 1);
}

// A failure of the work comes back on the window's thread as it was thrown.
TEST(WindowWait, AFailureOfTheWorkIsRethrownToTheWindow) {
    Owner owner;
    try {
        runWhileWindowWaits(&owner, "Working ...", [](WorkProgress &) { throw std::range_error("out of range"); });
        ADD_FAILURE() << "nothing thrown";
    } catch (const std::range_error &e) {
        EXPECT_STREQ(e.what(), "out of range");
    }
    EXPECT_EQ(busyWindow(), nullptr);
}

// Cancel (clicked, or Esc in the busy window) runs the stop on the window's
// thread and tells the work; the wait ends cancelled even when the work then
// fails or completes.
TEST(WindowWait, CancelStopsTheWork) {
    const struct {
        const char *name;
        bool byEscape;
        bool workFailsWhenStopped;
    } cases[] = {{"click, the work returns", false, false},
                 {"click, the work fails", false, true},
                 {"Esc, the work returns", true, false}};
    for (const auto &c : cases) {
        Owner owner;
        Gate gate;
        std::thread::id stopThread;
        WaitOptions options;
        options.cancellable = true;
        options.onCancel = [&] {
            stopThread = std::this_thread::get_id();
            gate.open = true;
        };
        whileWaiting([&] {
            if (!cancelButton())
                return false;
            if (c.byEscape)
                QTest::keyClick(busyWindow(), Qt::Key_Escape);
            else
                QTest::mouseClick(cancelButton(), Qt::LeftButton);
            return true;
        });
        bool toldToStop = false;
        const WaitOutcome outcome = runWhileWindowWaits(
            &owner, "Working ...",
            [&](WorkProgress &p) {
                gate.waitForOpening();
                toldToStop = p.cancelRequested.load();
                if (c.workFailsWhenStopped)
                    throw std::runtime_error("interrupted");
            },
            options);
        EXPECT_EQ(outcome, WaitOutcome::Cancelled) << c.name;
        EXPECT_TRUE(toldToStop) << c.name;
        EXPECT_EQ(stopThread, std::this_thread::get_id()) << c.name;
    }
}
