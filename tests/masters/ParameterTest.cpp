#include "ClosingCases.h"
#include "MasterFixture.h"
#include "core/MDIZVS.h"
#include "masters/frmParameter.h"
#include "platform/db/Dates.h"

using zv::ui::vbCancel;
using zv::ui::vbNo;
using zv::ui::vbYes;

namespace {

class ParameterTest : public MasterTest {
public:
    void SetUp() override {
        MasterTest::SetUp();
        modCommon::gStartPeriod = "01-Apr-2026";
        modCommon::gEndPeriod = "31-Mar-2027";
        form = std::make_unique<frmParameter>(nullptr, answers.forms());
        showForm(*form);
    }
    void TearDown() override {
        form.reset();
        MasterTest::TearDown();
    }
    // Modify, then the start date typed over the mask ("01apr2004").
    void modifyTo(const QString &typed) {
        key(*form, Qt::Key_F3);
        ASSERT_TRUE(form->dtpStartPeriod->isEnabled());
        ASSERT_TRUE(form->dtpStartPeriod->hasFocus());
        QTest::keyClicks(form->dtpStartPeriod, typed);
    }
    QString stored(const char *column) { return scalar(QString("SELECT %1 FROM Parm").arg(column)).toString(); }

    std::unique_ptr<frmParameter> form;
};

TEST_F(ParameterTest, ShowsTheStoredPeriodInViewMode) {
    EXPECT_EQ(form->dtpStartPeriod->text(), "01-Apr-2026");
    EXPECT_EQ(form->dtpEndPeriod->text(), "31-Mar-2027");
    EXPECT_FALSE(form->dtpStartPeriod->isEnabled());
    for (const char *b : {"Modify", "Refresh", "Help", "Exit"})
        EXPECT_TRUE(on(*form, b)) << b;
    for (const char *b : {"Add", "Delete", "Select", "Attachment"})
        EXPECT_FALSE(form->headerButton(b)->isVisible()) << b;
    EXPECT_FALSE(form->footerButton("Ok")->isVisible());
}

struct Period {
    const char *typed;
    const char *end;    // the derived end date shown
    const char *code;   // status after the last key ("" none)
};
void PrintTo(const Period &p, std::ostream *os) { *os << p.typed; }

class PeriodRules : public ParameterTest, public ::testing::WithParamInterface<Period> {};

// The end date follows the start, a year less a day later; years outside 2000-9998 and
// impossible days are refused and never saved.
TEST_P(PeriodRules, EndDateAndRefusals) {
    const Period p = GetParam();
    modifyTo(p.typed);
    EXPECT_EQ(form->dtpEndPeriod->text(), p.end);
    EXPECT_EQ(statusCode(*form), p.code);
    EXPECT_FALSE(form->dtpEndPeriod->isEnabled());

    key(*form, Qt::Key_F9);
    const bool valid = QString(p.code).isEmpty();
    EXPECT_EQ(statusCode(*form), valid ? "ZVE002" : p.code);
    EXPECT_EQ(stored("End_Period"), valid ? zv::db::displayToIso(p.end) : "2027-03-31");
    EXPECT_EQ(form->dtpStartPeriod->isEnabled(), !valid);
}

INSTANTIATE_TEST_SUITE_P(Parameter, PeriodRules,
                         ::testing::Values(Period{"01apr2004", "31-Mar-2005", ""},
                                           Period{"29feb2004", "28-Feb-2005", ""},
                                           Period{"29feb2028", "28-Feb-2029", ""},
                                           Period{"28feb2028", "27-Feb-2029", ""},
                                           Period{"01mar2028", "28-Feb-2029", ""},
                                           Period{"28feb2027", "27-Feb-2028", ""},
                                           Period{"01mar2027", "29-Feb-2028", ""},
                                           Period{"31mar2004", "30-Mar-2005", ""},
                                           Period{"01jan2028", "31-Dec-2028", ""},
                                           Period{"01jan2000", "31-Dec-2000", ""},
                                           Period{"01jan9998", "31-Dec-9998", ""},
                                           Period{"01jan1999", "__-___-____", "ZVE029"},
                                           Period{"01jan9999", "__-___-____", "ZVE019"},
                                           Period{"31feb2004", "__-___-____", "ZVE009"}),
                         [](const auto &info) { return std::string(info.param.typed); });

// A save updates the stored period, the program's period and the main window's caption at once.
TEST_F(ParameterTest, SaveMovesTheProgramsPeriodAndTheCaption) {
    MDIZVS *main = MDIZVS::instance();
    modifyTo("01apr2030");
    key(*form, Qt::Key_F9);
    EXPECT_EQ(statusCode(*form), "ZVE002");
    EXPECT_EQ(stored("Start_Period"), "2030-04-01");
    EXPECT_EQ(stored("End_Period"), "2031-03-31");
    EXPECT_EQ(modCommon::gStartPeriod, "01-Apr-2030");
    EXPECT_EQ(modCommon::gEndPeriod, "31-Mar-2031");
    EXPECT_EQ(main->windowTitle(), "Zorvane 2.0 - ADMIN (From:01-Apr-2030 To:31-Mar-2031)");
    EXPECT_FALSE(form->dtpStartPeriod->isEnabled());
    EXPECT_TRUE(on(*form, "Modify"));
}

// Ok on the bare mask says the date is wanted and stays in modify mode.
TEST_F(ParameterTest, OkWithoutADate) {
    key(*form, Qt::Key_F3);
    form->dtpStartPeriod->setText("__-___-____");
    EXPECT_EQ(form->dtpEndPeriod->text(), "__-___-____");
    key(*form, Qt::Key_F9);
    EXPECT_EQ(statusCode(*form), "ZVE009");
    EXPECT_TRUE(form->dtpStartPeriod->isEnabled());
    EXPECT_EQ(stored("Start_Period"), "2026-04-01");
}

// A save the database refuses is reported by the error box, not as saved.
TEST_F(ParameterTest, FailedSaveIsNotReportedAsSaved) {
    MDIZVS *main = MDIZVS::instance();
    main->setWindowTitle("before");
    other.executeScript("CREATE TRIGGER refuse BEFORE UPDATE ON Parm BEGIN SELECT RAISE(ABORT, 'no'); END;");
    modifyTo("01apr2030");
    key(*form, Qt::Key_F9);
    ASSERT_EQ(messages.prompts().size(), 1);
    EXPECT_TRUE(messages.prompts().at(0).startsWith("Error Number is "));
    EXPECT_NE(statusCode(*form), "ZVE002");
    EXPECT_TRUE(form->dtpStartPeriod->isEnabled());
    EXPECT_EQ(modCommon::gStartPeriod, "01-Apr-2026");
    EXPECT_EQ(main->windowTitle(), "before");
}

class ParameterClosing : public ParameterTest, public ::testing::WithParamInterface<EditClosing> {};

TEST_P(ParameterClosing, SaveQuestion) {
    const EditClosing c = GetParam();
    modifyTo("01apr2030");
    answerThenClose(*form, c.answer, c.byEsc);
    EXPECT_EQ(messages.prompts(), QStringList{"Do you want to save the changes you made to 'Parameter' ?"});
    EXPECT_EQ(stored("Start_Period"), c.saved ? "2030-04-01" : "2026-04-01");
    EXPECT_EQ(form->isVisible(), c.open);
    if (c.open) {
        EXPECT_EQ(form->dtpStartPeriod->isEnabled(), c.editing);
        EXPECT_EQ(form->dtpStartPeriod->text(), c.saved || c.editing ? "01-Apr-2030" : "01-Apr-2026");
    }
}

INSTANTIATE_TEST_SUITE_P(Parameter, ParameterClosing, editClosingCases(), ByLabel());

// The close box with a refused start date keeps the form open and saves nothing.
TEST_F(ParameterTest, CloseWithARefusedYearStaysOpen) {
    modifyTo("01jan1999");
    messages.answer(vbYes);
    form->close();
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(statusCode(*form), "ZVE029");
    EXPECT_EQ(stored("Start_Period"), "2026-04-01");
}

} // namespace
