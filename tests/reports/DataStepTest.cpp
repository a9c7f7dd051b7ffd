#include "ReportFixture.h"
#include "reports/frmGenReport.h"
#include "reports/frmGenReport1.h"
#include "reports/frmGenReport2.h"
#include "reports/frmGenReportDev3.h"
#include "reports/frmGenReportDev4.h"

#include <memory>

namespace {

using DataStep = ReportTest;

// Every report form reads its data on a worker while the window waits: its
// first statement there finds the busy window up and the window's thread
// running the event loop, and the window's thread itself runs no statement on
// the main connection until the data step has ended.
TEST_F(DataStep, EveryReportReadsItsDataWhileTheWindowWaits) {
    target(asha, "Due today", today(-9), today(0));
    const struct {
        const char *name;
        std::function<zv::reports::ReportFilterForm *()> make;
    } forms[] = {
        {"checklist", [this] { return new frmGenReportDev3(nullptr, answers.forms()); }},
        {"target date", [this] { return new frmGenReport(nullptr, answers.forms()); }},
        {"planner", [this] { return new frmGenReport1(nullptr, answers.forms()); }},
        {"pending works", [this] { return new frmGenReportDev4(nullptr, answers.forms()); }},
        {"diarized", [this] { return new frmGenReport2(nullptr, answers.forms()); }},
    };
    for (const auto &f : forms) {
        std::unique_ptr<zv::reports::ReportFilterForm> form(f.make());
        showForm(*form);
        SqlGate gate(modCommon::MainConnection().handle());
        gate.holdOtherThreads([] { return zv::ui::busyWindow() != nullptr; });
        bool busyShown = false, timerRan = false;
        duringDataStep([&] {
            timerRan = true;
            if (!gate.reached())
                return false;
            busyShown = zv::ui::busyWindow()->isVisible();
            gate.open();
            return true;
        });
        clickOkAfresh(*form);
        EXPECT_TRUE(gate.reached()) << f.name;
        EXPECT_TRUE(timerRan) << f.name;
        EXPECT_TRUE(busyShown) << f.name;
        EXPECT_EQ(gate.onWatchedThread(), 0) << f.name;
        EXPECT_EQ(zv::ui::busyWindow(), nullptr) << f.name;
        EXPECT_TRUE(form->isVisible()) << f.name;
        EXPECT_TRUE(messages.shown().isEmpty()) << f.name << ": " << messages.prompts().join('|').toStdString();
    }
}

} // namespace
