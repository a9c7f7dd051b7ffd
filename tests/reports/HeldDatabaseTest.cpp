#include "ReportFixture.h"
#include "core/FormRegistry.h"
#include "reports/ReportForms.h"
#include "support/OtherProgramLock.h"

#include <memory>

namespace {

// Another program holds the production file while a report filter is opened
// and run: each step tells "in use" at most once and in plain words, nothing
// of the run is left written, and the same form runs its report once the
// other program lets go.
class HeldDatabase : public ReportTest {
public:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(ReportTest::SetUp());
        // A row for every report in the month of today: each one has
        // something to show once the file is free.
        const QDate now = modCommon::GetServerDate();
        target(asha, "Due today", today(-9), today(0));
        const qint64 afm = insert("INSERT INTO actvty_mnth_hdr (Sys_Const_Num, Sys_Emp_Num, yr) VALUES (?, ?, ?)",
                                  {now.month(), asha, now.year()});
        insert("INSERT INTO actvty_mnth_det (Sys_Afm_Num, Actvty_Desc, Almnt_Date, Offcl_Persnl, Trans_Type, Day1) "
               "VALUES (?, 'Pay tax', ?, 'O', 'P', '*')",
               {afm, today()});
        const qint64 act = activity("Audit", today());
        entry(act, line(act, asha, 1, today()), asha, today());
        zv::forms::clearRegistry();
        zv::reports::registerForms(answers.forms());
    }
    void TearDown() override {
        zv::forms::clearRegistry();
        ReportTest::TearDown();
    }

    // The boxes shown since the last clear, checked: none tells the lock as
    // damage or as a raw error, and at most one was shown.
    void expectAtMostOneInUseBox(const std::string &where) {
        const QStringList prompts = messages.prompts();
        EXPECT_LE(prompts.size(), 1) << where << ": " << prompts.join(" | ").toStdString();
        for (const QString &p : prompts)
            EXPECT_TRUE(p.contains("is in use by another program. Please try again when it is closed.")) << where << ": "
                                                                                                         << p.toStdString();
    }
    int workingRows() {
        return scalar("SELECT (SELECT count(*) FROM temp_mchklist) + (SELECT count(*) FROM Temp_Year)").toInt();
    }
};

TEST_F(HeldDatabase, EveryReportFilterTellsInUseOncePerKeyWritesNothingAndRunsOnceLetGo) {
    const struct {
        const char *what;
        QString sql;
    } holds[] = {
        {"held exclusively", "BEGIN EXCLUSIVE"},
        {"held by a writer", "BEGIN IMMEDIATE; UPDATE Cmpny_Mast SET Cmpny_Name = Cmpny_Name"},
    };
    const QString path = modCommon::gDBPath;
    int reportForms = 0;
    for (const QString &name : zv::forms::registeredForms()) {
        for (const auto &hold : holds) {
            std::unique_ptr<QDialog> dialog(zv::forms::createForm(name));
            auto *form = qobject_cast<zv::reports::ReportFilterForm *>(dialog.get());
            if (!form)
                break;
            const std::string where = name.toStdString() + ", " + hold.what;
            {
                OtherProgramLock theirs(path, hold.sql);
                ASSERT_TRUE(theirs.held()) << theirs.output().constData();
                messages.clear();
                showForm(*form);
                expectAtMostOneInUseBox(where + ", opened");
                EXPECT_EQ(modCommon::gDBPath, path) << where;
                EXPECT_TRUE(form->isVisible()) << where;

                messages.clear();
                shown = ShownReport();
                key(*form, Qt::Key_F9);
                expectAtMostOneInUseBox(where + ", F9");
                // Readers are let in by a writer: then the report is shown, else the lock told.
                EXPECT_EQ(messages.shown().size() + shown.count, 1) << where << ", F9";
                EXPECT_TRUE(form->isVisible()) << where;
                ASSERT_TRUE(theirs.release());
            }
            EXPECT_EQ(workingRows(), 0) << where;
            EXPECT_EQ(modCommon::gDBPath, path) << where;

            messages.clear();
            shown = ShownReport();
            key(*form, Qt::Key_F9);
            EXPECT_EQ(shown.count, 1) << where << ", F9 once let go";
            EXPECT_EQ(messages.prompts(), QStringList()) << where << ", F9 once let go";
            ++reportForms;
        }
    }
    EXPECT_EQ(reportForms, 2 * 5);
}

// The disk fills while a report writes its working rows: one box for the one
// failure, as the failure it is, and no half-written run left behind.
TEST_F(HeldDatabase, AFullDiskDuringTheFillIsOneBoxAndLeavesNoRows) {
    const struct {
        QString form, table;
    } reports[] = {
        {zv::forms::names::frmGenReportDev3, "temp_mchklist"},
        {zv::forms::names::frmGenReport2, "Temp_Year"},
    };
    auto &c = modCommon::MainConnection();
    for (const auto &r : reports) {
        const std::string where = r.form.toStdString();
        std::unique_ptr<QDialog> dialog(zv::forms::createForm(r.form));
        auto *form = qobject_cast<zv::reports::ReportFilterForm *>(dialog.get());
        ASSERT_NE(form, nullptr) << where;
        showForm(*form);
        // No page may be added to the file: the first row that needs one fails as on a full disk.
        const int pages = c.scalar("PRAGMA page_count").toInt();
        c.executeScript(QStringLiteral("PRAGMA max_page_count = %1; CREATE TEMP TRIGGER fill_up BEFORE INSERT ON main.%2 "
                                       "BEGIN UPDATE Cmpny_Mast SET Cmpny_Name = hex(zeroblob(100000)); END")
                            .arg(pages)
                            .arg(r.table));
        messages.clear();
        shown = ShownReport();
        key(*form, Qt::Key_F9);
        c.executeScript("DROP TRIGGER temp.fill_up; PRAGMA max_page_count = 1073741823");
        ASSERT_EQ(messages.prompts().size(), 1) << where << ": " << messages.prompts().join(" | ").toStdString();
        const QString told = messages.prompts().constFirst();
        EXPECT_TRUE(told.contains(QString::number(zv::db::err::DiskFull))) << where << ": " << told.toStdString();
        EXPECT_FALSE(told.contains("in use") || told.contains("corrupted")) << where << ": " << told.toStdString();
        EXPECT_EQ(shown.count, 0) << where;
        EXPECT_EQ(workingRows(), 0) << where;
        EXPECT_EQ(scalar("SELECT Cmpny_Name FROM Cmpny_Mast").toString(), "Zorvane Ltd") << where;

        messages.clear();
        key(*form, Qt::Key_F9);
        EXPECT_EQ(shown.count, 1) << where << ", F9 with room again";
        EXPECT_EQ(messages.prompts(), QStringList()) << where << ", F9 with room again";
    }
}

} // namespace
