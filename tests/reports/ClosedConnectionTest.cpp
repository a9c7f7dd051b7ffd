#include "ReportFixture.h"
#include "core/AdminForms.h"
#include "reports/frmGenReport.h"
#include "reports/frmGenReport1.h"
#include "reports/frmGenReportDev4.h"
#include "support/OtherProgramLock.h"

#include <memory>

namespace {

// A refused backup or a reset that stops early leaves the main connection
// closed; the report filters reopen it before their first query.
class ClosedConnection : public ReportTest {
public:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(ReportTest::SetUp());
        target(asha, "Due today", today(-9), today(0));
    }
    bool anyErrorShown() const {
        for (const auto &m : messages.shown())
            if (m.prompt.contains(QString::number(zv::db::err::ConnectionClosed)) || m.prompt.contains("not allowed when the object is closed"))
                return true;
        return false;
    }
};

TEST_F(ClosedConnection, ReportFiltersReopenTheMainConnectionForOkAndCancel) {
    const struct {
        const char *name;
        std::function<zv::reports::ReportFilterForm *()> make;
        bool asksToExit;
    } forms[] = {
        {"target date", [this] { return new frmGenReport(nullptr, answers.forms()); }, true},
        {"planner", [this] { return new frmGenReport1(nullptr, answers.forms()); }, true},
        {"pending works", [this] { return new frmGenReportDev4(nullptr, answers.forms()); }, false},
    };
    for (const auto &f : forms) {
        modCommon::CloseMainConnection();
        ASSERT_TRUE(modCommon::MainConnectionPath().isEmpty());
        std::unique_ptr<zv::reports::ReportFilterForm> form(f.make());
        showForm(*form);
        clickOkAfresh(*form);
        EXPECT_TRUE(modCommon::gConnOpen) << f.name;
        EXPECT_FALSE(anyErrorShown()) << f.name << ": " << messages.prompts().join(" | ").toStdString();

        modCommon::CloseMainConnection();
        messages.clear();
        if (f.asksToExit)
            messages.answer(zv::ui::vbNo);
        key(*form, Qt::Key_F10);
        EXPECT_FALSE(anyErrorShown()) << f.name << ": " << messages.prompts().join(" | ").toStdString();
        EXPECT_EQ(form->isVisible(), f.asksToExit) << f.name;
        messages.clear();
    }
}

// The main connection cannot be reopened because another program holds the
// production file: the user is told it is in use, once, and not about a
// closed connection as well.
TEST_F(ClosedConnection, AProductionHeldElsewhereIsToldOnceAsInUse) {
    std::unique_ptr<zv::reports::ReportFilterForm> form(new frmGenReport(nullptr, answers.forms()));
    showForm(*form);
    modCommon::CloseMainConnection();
    {
        OtherProgramLock other(modCommon::appFile(QString::fromLatin1(modCommon::kProductionDb)));
        ASSERT_TRUE(other.held()) << other.output().constData();
        messages.clear();
        clickOkAfresh(*form);
        EXPECT_EQ(messages.prompts(),
                  QStringList{"Production Database is in use by another program. Please try again when it is closed."});
        ASSERT_TRUE(other.release());
    }
    messages.clear();
    clickOkAfresh(*form);
    EXPECT_TRUE(modCommon::gConnOpen);
    EXPECT_FALSE(anyErrorShown()) << messages.prompts().join(" | ").toStdString();
}

} // namespace
