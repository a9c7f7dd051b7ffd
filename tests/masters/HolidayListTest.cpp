#include "ClosingCases.h"
#include "MasterFixture.h"
#include "framework/ImageList.h"
#include "masters/frmHolidayMaster.h"
#include "platform/clock/Clock.h"
#include "query/RecordsetGrid.h"
#include <QMouseEvent>
#include <QClipboard>
#include <QGroupBox>
#include <QPointer>

using zv::ui::vbCancel;
using zv::ui::vbNo;
using zv::ui::vbYes;

namespace {

const QString kFirstQuestion =
    "Work has been allocated to some of the employees. Do you want to consider this as a holiday?";
const QString kLaterQuestion =
    "Work has been allocated to some of the employees. Do you want to consider as a holiday?";

class HolidayTest : public MasterTest {
public:
    void TearDown() override {
        form.reset();
        answers.dayView = {};
        MasterTest::TearDown();
    }
    qint64 list(int year) { return insert("INSERT INTO Holday_List_Hdr (Fincl_Year) VALUES (?)", {year}); }
    qint64 line(qint64 list, const QString &iso, const QString &desc) {
        return insert("INSERT INTO Holday_List_Det (Sys_Holday_List_Num, Holday_Date, Holday_Desc) VALUES (?, ?, ?)",
                      {list, iso, desc});
    }
    // Work allocated to an employee on the day, as the employees' program records it.
    void allocate(const QDate &day) {
        if (!employee)
            employee = employeeIn(0, 0);
        const qint64 afm = insert("INSERT INTO actvty_mnth_hdr (Sys_Const_Num, Sys_Emp_Num, yr) VALUES (?, ?, ?)",
                                  {day.month(), employee, day.year()});
        insert(QString("INSERT INTO actvty_mnth_det (Sys_Afm_Num, Actvty_Desc, Day%1) VALUES (?, 'Audit', '*')")
                   .arg(day.day()),
               {afm});
    }
    int lines(const QString &where = "1=1", const QVariantList &values = {}) {
        return scalar("SELECT count(*) FROM Holday_List_Det WHERE " + where, values).toInt();
    }
    // Opens the form; the filter it shows first answers with the list (0: cancelled).
    void open(qint64 key, int year) {
        answers.filter = [this, key, year](const QString &screenKey) {
            askedKey = screenKey;
            return key ? QStringList{QString::number(key), QString::number(year)} : QStringList{"", ""};
        };
        form = std::make_unique<frmHolidayMaster>(nullptr, answers.forms());
        showForm(*form);
    }
    // DetailAdd, then the date typed over the mask ("15aug2026") and a description.
    void enter(const QString &date, const QString &desc) {
        key(*form, Qt::Key_F5);
        ASSERT_TRUE(form->fraDetail->isEnabled());
        QTest::keyClicks(form->dtpHolDate, date);
        QTest::keyClicks(form->txtHolidayDescription, desc);
    }
    void ok() { key(*form, Qt::Key_F9); }
    int gridRows() const { return form->dgdHolidayList->model()->rowCount(); }
    QString currentDate() const { return form->dgdHolidayList->currentText(0); }
    bool entryOpen() const { return form->fraDetail->isEnabled(); }

    std::unique_ptr<frmHolidayMaster> form;
    QString askedKey;
    qint64 employee = 0;
};

// The filter opens before the form; the chosen year's lines fill the grid and the
// form offers only its own buttons. A cancelled filter closes the form unseen;
// with no list at all the form opens on the current year.
TEST_F(HolidayTest, OpeningThroughTheGeneralFilter) {
    const qint64 y2026 = list(2026);
    line(y2026, "2026-12-25", "Christmas");
    line(y2026, "2026-01-26", "Republic Day");
    open(y2026, 2026);
    EXPECT_EQ(askedKey, "HOLDAY");
    ASSERT_TRUE(form->isVisible());
    EXPECT_EQ(form->txtYear->text(), "2026");
    EXPECT_FALSE(form->txtYear->isEnabled());
    ASSERT_EQ(gridRows(), 2);
    EXPECT_EQ(currentDate(), "26-Jan-2026");   // in date order, the first current
    EXPECT_EQ(form->dgdHolidayList->currentText(1), "Monday");
    for (const char *b : {"DetailAdd", "DetailDelete", "Select", "Refresh", "Help", "Exit"})
        EXPECT_TRUE(on(*form, b)) << b;
    for (const char *b : {"Add", "Modify", "Delete", "Attachment", "DetailModify", "Sort", "Find", "Print"})
        EXPECT_FALSE(form->headerButton(b)->isVisible()) << b;
    EXPECT_FALSE(form->footerButton("Ok")->isVisible());
    EXPECT_FALSE(entryOpen());
    form.reset();

    open(0, 0);
    EXPECT_EQ(form->exec(), QDialog::Rejected);   // returns at once, never shown
    EXPECT_FALSE(form->isVisible());
    form.reset();

    other.execute("DELETE FROM Holday_List_Det");
    other.execute("DELETE FROM Holday_List_Hdr");
    askedKey.clear();
    open(0, 0);
    EXPECT_TRUE(askedKey.isEmpty());
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->txtYear->text(), QString::number(zv::clock::today().year()));
    EXPECT_TRUE(on(*form, "DetailAdd"));
    EXPECT_FALSE(on(*form, "DetailDelete"));
    EXPECT_FALSE(on(*form, "Refresh"));
    EXPECT_FALSE(form->footerButton("Ok")->isVisible());
}

struct Refusal {
    const char *label;
    const char *year;   // typed over the year box
    const char *date;
    const char *desc;
    const char *code;
    const char *prefix;
};
void PrintTo(const Refusal &r, std::ostream *os) { *os << r.label; }

class HolidayRefusals : public HolidayTest, public ::testing::WithParamInterface<Refusal> {};

// Every check refuses the line with its status and keeps it on screen; nothing is written.
TEST_P(HolidayRefusals, LineIsKeptAndNothingWritten) {
    const Refusal r = GetParam();
    const qint64 y2026 = list(2026);
    line(y2026, "2026-12-25", "Christmas");
    open(y2026, 2026);
    enter(r.date, r.desc);
    form->txtYear->setText(r.year);
    ok();
    EXPECT_EQ(statusCode(*form), r.code);
    EXPECT_TRUE(form->lblStatus->text().contains(r.prefix)) << form->lblStatus->text().toStdString();
    EXPECT_TRUE(entryOpen());
    EXPECT_EQ(lines(), 1);
    EXPECT_EQ(scalar("SELECT count(*) FROM Holday_List_Hdr").toInt(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Holiday, HolidayRefusals,
    ::testing::Values(Refusal{"BlankYear", "", "15aug2026", "Independence Day", "ZVE128", "Year"},
                      Refusal{"ShortYear", "202", "15aug2026", "Independence Day", "ZVE009", "Year"},
                      Refusal{"NoDate", "2026", "", "Independence Day", "ZVE128", "Holiday Date"},
                      Refusal{"ImpossibleDate", "2026", "31feb2026", "Independence Day", "ZVE009", "Date"},
                      Refusal{"OtherYear", "2026", "01jan2027", "New Year", "ZVE145", ""},
                      Refusal{"BlankDescription", "2026", "15aug2026", "   ", "ZVE128", "Description"},
                      Refusal{"AlreadyAHoliday", "2026", "25dec2026", "Xmas", "ZVE006", "Holiday"}),
    ByLabel());

// A line is saved into the shown list; a line of a year without a list starts that
// year's list, its header and first line written together.
TEST_F(HolidayTest, SavingLinesAndStartingAYear) {
    const qint64 y2026 = list(2026);
    open(y2026, 2026);
    key(*form, Qt::Key_F5);
    ASSERT_TRUE(form->dtpHolDate->hasFocus());
    QTest::keyClicks(form->dtpHolDate, "15aug2026");
    EXPECT_EQ(form->txtWeekDay->text(), "Saturday");
    key(*form, Qt::Key_Return);   // on to the description
    ASSERT_TRUE(form->txtHolidayDescription->hasFocus());
    QTest::keyClicks(form->txtHolidayDescription, "  Independence Day ");
    ok();
    EXPECT_EQ(statusCode(*form), "ZVE003");
    EXPECT_EQ(lines("Sys_Holday_List_Num = ? AND Holday_Date = '2026-08-15' AND Holday_Desc = 'Independence Day'",
                    {y2026}),
              1);
    EXPECT_FALSE(entryOpen());
    EXPECT_FALSE(form->txtYear->isEnabled());
    EXPECT_EQ(currentDate(), "15-Aug-2026");
    EXPECT_TRUE(on(*form, "DetailDelete"));

    enter("01jan2027", "New Year");
    ASSERT_TRUE(form->txtYear->isEnabled());   // the year of a new list is typed
    form->txtYear->setText("2027");
    ok();
    EXPECT_EQ(statusCode(*form), "ZVE003");
    const qint64 y2027 = scalar("SELECT Sys_Holday_List_Num FROM Holday_List_Hdr WHERE Fincl_Year = 2027").toLongLong();
    ASSERT_GT(y2027, 0);
    EXPECT_EQ(form->headerKey(), QString::number(y2027));
    EXPECT_EQ(lines("Sys_Holday_List_Num = ?", {y2027}), 1);
    EXPECT_EQ(gridRows(), 1);

    // A failure half-way leaves no list without its line, and is not reported as saved.
    other.executeScript("CREATE TRIGGER refuse BEFORE INSERT ON Holday_List_Det "
                        "BEGIN SELECT RAISE(ABORT, 'refused'); END;");
    enter("02jan2028", "Holiday");
    form->txtYear->setText("2028");
    ok();
    EXPECT_EQ(statusCode(*form), "ZVE004");
    EXPECT_TRUE(entryOpen());
    EXPECT_EQ(scalar("SELECT count(*) FROM Holday_List_Hdr WHERE Fincl_Year = 2028").toInt(), 0);

    // Cancel drops the entry and shows the list's own year again.
    key(*form, Qt::Key_F10);
    EXPECT_FALSE(entryOpen());
    EXPECT_EQ(form->txtYear->text(), "2027");
    EXPECT_EQ(gridRows(), 1);
}

// Work allocated on the day: the first Ok tells and shows the picture (which opens the
// day's view); the next Ok asks once per form, No gives the line up; after a save the
// later question is asked on each pass.
TEST_F(HolidayTest, WorkAllocatedOnTheDay) {
    const qint64 y2026 = list(2026);
    allocate(QDate(2026, 10, 2));
    allocate(QDate(2026, 11, 14));
    QStringList viewed;
    answers.dayView = [&](QWidget *, const QString &day) { viewed << day; };
    open(y2026, 2026);

    enter("02oct2026", "Gandhi Jayanti");
    EXPECT_TRUE(form->picView->isHidden());
    ok();
    EXPECT_EQ(statusCode(*form), "ZVE041");
    EXPECT_FALSE(form->picView->isHidden());
    // The calendar picture is there to be seen and clicked.
    EXPECT_FALSE(form->picView->pixmap().isNull());
    EXPECT_FALSE(form->picView->sizeHint().isEmpty());
    EXPECT_EQ(lines(), 0);
    // A release whose press the picture never got opens nothing.
    {
        const QPointF at(form->picView->rect().center());
        QMouseEvent release(QEvent::MouseButtonRelease, at, form->picView->mapToGlobal(at), Qt::LeftButton,
                            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(form->picView, &release);
        EXPECT_TRUE(viewed.isEmpty());
    }
    QTest::mouseClick(form->picView, Qt::LeftButton);
    EXPECT_EQ(viewed, QStringList{"02-Oct-2026"});
    EXPECT_TRUE(form->dtpHolDate->hasFocus());

    messages.answer(vbNo);
    ok();
    ASSERT_EQ(messages.prompts(), QStringList{kFirstQuestion});
    EXPECT_EQ(messages.shown().at(0).buttons, 292);
    EXPECT_EQ(messages.shown().at(0).title, "Question");
    EXPECT_FALSE(entryOpen());
    EXPECT_EQ(lines(), 0);

    // The first question is asked once per form: this time the second Ok saves.
    messages.clear();
    enter("02oct2026", "Gandhi Jayanti");
    ok();
    EXPECT_EQ(statusCode(*form), "ZVE041");
    ok();
    EXPECT_EQ(statusCode(*form), "ZVE003");
    EXPECT_TRUE(messages.prompts().isEmpty());

    // After a save, each of the two later passes asks.
    enter("14nov2026", "Diwali");
    ok();
    EXPECT_EQ(statusCode(*form), "ZVE041");
    messages.answer(vbYes);
    messages.answer(vbYes);
    ok();
    EXPECT_EQ(messages.prompts(), (QStringList{kLaterQuestion, kLaterQuestion}));
    EXPECT_EQ(statusCode(*form), "ZVE003");
    EXPECT_EQ(lines(), 2);

    // A day without work saves at the first Ok.
    messages.clear();
    enter("25dec2026", "Christmas");
    ok();
    EXPECT_EQ(statusCode(*form), "ZVE003");
    EXPECT_TRUE(messages.prompts().isEmpty());
}

// The work look-up failing is never "no work booked": the save and the delete end
// with the error box, nothing is asked and nothing is written.
TEST_F(HolidayTest, FailedWorkLookUpEndsTheSaveAndTheDelete) {
    const qint64 y2026 = list(2026);
    line(y2026, "2026-10-02", "Gandhi Jayanti");
    allocate(QDate(2026, 10, 2));
    allocate(QDate(2026, 11, 14));
    open(y2026, 2026);
    other.executeScript("ALTER TABLE actvty_mnth_det RENAME TO actvty_mnth_det_gone;");
    const auto errorBoxes = [this] {
        int n = 0;
        for (const auto &m : messages.shown())
            n += m.prompt.startsWith("Error Number is ");
        return n;
    };

    enter("14nov2026", "Diwali");
    ok();
    EXPECT_EQ(errorBoxes(), 1) << messages.prompts().join(" | ").toStdString();
    EXPECT_TRUE(entryOpen());
    EXPECT_EQ(statusCode(*form), "");   // neither saved nor told of work
    EXPECT_EQ(lines(), 1);
    key(*form, Qt::Key_F10);

    messages.clear();
    messages.answer(vbYes);
    ASSERT_EQ(currentDate(), "02-Oct-2026");
    key(*form, Qt::Key_F7);
    EXPECT_EQ(errorBoxes(), 1) << messages.prompts().join(" | ").toStdString();
    EXPECT_EQ(messages.prompts().size(), 1);   // the error only, no delete question
    EXPECT_EQ(lines(), 1);
    EXPECT_FALSE(form->rowLocked());
}

// A picture key that the image list does not hold fails loudly, never an empty picture.
TEST(HolidayPicture, UnknownPictureKeysFail) {
    EXPECT_FALSE(frmImgList::Picture("Holiday Master").isNull());
    for (const char *key : {"HolidayMaster", "", "Calendar"}) {
        try {
            frmImgList::Picture(key);
            ADD_FAILURE() << key << " gave a picture";
        } catch (const zv::db::DbError &e) {
            EXPECT_EQ(e.number(), 35601) << key;
        }
    }
}

// Deleting a line: the question names allocated work; No keeps it; Yes deletes it and
// keeps the cursor in place; the last line leaves the (empty) list; another user's
// hold on the list refuses the delete.
TEST_F(HolidayTest, DeletingLines) {
    const qint64 y2026 = list(2026);
    line(y2026, "2026-01-26", "Republic Day");
    line(y2026, "2026-08-15", "Independence Day");
    line(y2026, "2026-10-02", "Gandhi Jayanti");
    allocate(QDate(2026, 10, 2));
    open(y2026, 2026);
    form->dgdHolidayList->setFocus();
    QTest::keyClick(form->dgdHolidayList, Qt::Key_Down);
    ASSERT_EQ(currentDate(), "15-Aug-2026");

    {
        auto held = other.lockRow("Holday_List_Hdr", y2026);
        messages.answer(vbYes);
        key(*form, Qt::Key_F7);
        EXPECT_EQ(statusCode(*form), "ZVE028");
        EXPECT_EQ(lines(), 3);
    }
    messages.clear();
    messages.answer(vbNo);
    key(*form, Qt::Key_F7);
    EXPECT_EQ(messages.prompts(), QStringList{kDeleteQuestion});
    EXPECT_EQ(lines(), 3);

    messages.answer(vbYes);
    key(*form, Qt::Key_F7);
    EXPECT_EQ(statusCode(*form), "ZVE008");
    EXPECT_EQ(lines("Holday_Date = '2026-08-15'"), 0);
    EXPECT_EQ(currentDate(), "02-Oct-2026");   // the row now at the old place

    messages.clear();
    messages.answer(vbYes);
    key(*form, Qt::Key_F7);
    EXPECT_EQ(messages.prompts(),
              QStringList{"Activity already allocated for the day. Are you sure you want to delete this record?"});
    EXPECT_EQ(currentDate(), "26-Jan-2026");   // fewer rows: the first

    messages.answer(vbYes);
    key(*form, Qt::Key_F7);
    EXPECT_EQ(lines(), 0);
    EXPECT_EQ(scalar("SELECT count(*) FROM Holday_List_Hdr").toInt(), 1);
    EXPECT_FALSE(on(*form, "DetailDelete"));
    EXPECT_FALSE(on(*form, "Refresh"));
    EXPECT_TRUE(on(*form, "DetailAdd"));
}

// Changes by another user: a list removed elsewhere refuses the delete; Refresh of a
// list without lines says the record is gone and leaves only DetailAdd.
TEST_F(HolidayTest, ListChangedElsewhere) {
    const qint64 y2026 = list(2026);
    line(y2026, "2026-01-26", "Republic Day");
    open(y2026, 2026);
    other.execute("DELETE FROM Holday_List_Det");
    other.execute("DELETE FROM Holday_List_Hdr");
    messages.answer(vbYes);
    key(*form, Qt::Key_F7);
    EXPECT_EQ(statusCode(*form), "ZVE034");
    EXPECT_TRUE(form->lblStatus->text().contains("Cannot delete,"));
    EXPECT_TRUE(messages.prompts().isEmpty());
    EXPECT_EQ(form->headerKey(), "0");
    EXPECT_EQ(form->txtYear->text(), "");

    const qint64 y2027 = list(2027);
    answers.filter = [y2027](const QString &) { return QStringList{QString::number(y2027), "2027"}; };
    key(*form, Qt::Key_F8);
    EXPECT_EQ(form->txtYear->text(), "2027");
    line(y2027, "2027-01-26", "Republic Day");
    key(*form, Qt::Key_F5);
    key(*form, Qt::Key_F10);
    ASSERT_EQ(gridRows(), 1);
    other.execute("DELETE FROM Holday_List_Det");
    key(*form, Qt::Key_F11);
    EXPECT_EQ(statusCode(*form), "ZVE034");
    EXPECT_EQ(gridRows(), 0);
    EXPECT_TRUE(on(*form, "DetailAdd"));
    EXPECT_FALSE(on(*form, "Refresh"));
    EXPECT_FALSE(on(*form, "DetailDelete"));
}

// Typed text reaches the database only as a bound value; the guarded boxes refuse
// pasting, so what they hold went through the key filter.
TEST_F(HolidayTest, BoxesAndBoundValues) {
    const qint64 y2026 = list(2026);
    open(y2026, 2026);
    key(*form, Qt::Key_F5);
    QTest::keyClicks(form->txtHolidayDescription, "Eid' ul|Fitr;");
    EXPECT_EQ(form->txtHolidayDescription->text(), "Eid ulFitr");
    QApplication::clipboard()->setText("pasted");
    form->txtHolidayDescription->setFocus();
    QTest::keyClick(form->txtHolidayDescription, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(form->txtHolidayDescription->text(), "Eid ulFitr");
    EXPECT_EQ(QApplication::clipboard()->text(), "pasted");   // the clipboard is left alone
    form->txtYear->setText("");
    QTest::keyClicks(form->txtYear, "20a2-6");
    EXPECT_EQ(form->txtYear->text(), "2026");

    const QString hostile = "x', 'y'); DROP TABLE Holday_List_Hdr; --";
    form->dtpHolDate->setFocus();
    QTest::keyClicks(form->dtpHolDate, "20mar2026");
    form->txtHolidayDescription->setText(hostile);
    ok();
    EXPECT_EQ(statusCode(*form), "ZVE003");
    EXPECT_EQ(lines("Holday_Desc = ?", {hostile}), 1);
    EXPECT_EQ(scalar("SELECT count(*) FROM Holday_List_Hdr").toInt(), 1);
}

struct Closing {
    const char *label;
    bool byEsc;
    bool valid;   // the line passes its checks
    int answer;
    bool saved, open, entry;
};
void PrintTo(const Closing &c, std::ostream *os) { *os << c.label; }

class HolidayClosing : public HolidayTest, public ::testing::WithParamInterface<Closing> {};

// Esc and the close box during line entry ask in their own words; Yes saves (a line that
// fails a check keeps the form open), No drops the line, Cancel returns to it.
TEST_P(HolidayClosing, SaveQuestion) {
    const Closing c = GetParam();
    const qint64 y2026 = list(2026);
    open(y2026, 2026);
    enter(c.valid ? "15aug2026" : "15aug2027", "Independence Day");
    answerThenClose(*form, c.answer, c.byEsc);
    ASSERT_EQ(messages.prompts().size(), 1);
    EXPECT_EQ(messages.prompts().at(0), c.byEsc ? "Do you want to save the changes you made to 'Holiday Master'?"
                                                 : "Do you want to save the changes you have made to 'Holiday Master' ?");
    EXPECT_EQ(messages.shown().at(0).title, "Information");
    EXPECT_EQ(messages.shown().at(0).buttons, 51);
    EXPECT_EQ(lines(), c.saved ? 1 : 0);
    EXPECT_EQ(form->isVisible(), c.open);
    EXPECT_EQ(entryOpen(), c.entry);
}

INSTANTIATE_TEST_SUITE_P(
    Holiday, HolidayClosing,
    ::testing::Values(Closing{"EscYes", true, true, vbYes, true, true, false},
                      Closing{"EscYesFailing", true, false, vbYes, false, true, true},
                      Closing{"EscNo", true, true, vbNo, false, true, false},
                      Closing{"EscCancel", true, true, vbCancel, false, true, true},
                      Closing{"CloseYes", false, true, vbYes, true, false, false},
                      Closing{"CloseYesFailing", false, false, vbYes, false, true, true},
                      Closing{"CloseNo", false, true, vbNo, false, false, false},
                      Closing{"CloseCancel", false, true, vbCancel, false, true, true}),
    ByLabel());

// Outside line entry Esc closes at once; a database without the holiday tables closes
// the form with its message and no question.
TEST_F(HolidayTest, ClosingWithoutQuestions) {
    const qint64 y2026 = list(2026);
    open(y2026, 2026);
    key(*form, Qt::Key_Escape);
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(messages.prompts().isEmpty());
    form.reset();

    other.executeScript("PRAGMA foreign_keys = OFF; DROP TABLE Holday_List_Det;");
    open(y2026, 2026);
    EXPECT_EQ(messages.prompts(), QStringList{zv::fw::kUnsupported});
    EXPECT_EQ(messages.shown().at(0).title, "Information");
    EXPECT_FALSE(form->isVisible());
}

} // namespace
