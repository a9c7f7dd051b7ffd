#include "ActivityFixture.h"

namespace {

class Validation : public ActivityTest {};

// Header rules in Add: each refusal shows its code and leaves the form in Add with nothing written.
TEST_F(Validation, HeaderRules) {
    activity("Cleaning");
    open();
    struct Case {
        const char *label;
        std::function<void()> fill;
        QString code, text;   // text: what the status line holds besides the code
        QLineEdit *focus;
    };
    const QList<Case> cases = {
        {"blank date", [&] { form->txtEntryDate->setText("__-___-____"); type(form->txtActDesc, "Audit"); },
         "ZVE128", "Date Of Entry", form->txtEntryDate},
        {"no such day", [&] { typeDate(form->txtEntryDate, "31feb2024"); type(form->txtActDesc, "Audit"); },
         "ZVE009", "Date", form->txtEntryDate},
        {"blank description", [&] { type(form->txtActDesc, "   "); }, "ZVE128", "Activity Description",
         form->txtActDesc},
        {"after today", [&] { typeDate(form->txtEntryDate, "01jan2099"); type(form->txtActDesc, "Audit"); },
         "ZVE019", "Current Date", form->txtEntryDate},
        {"duplicate", [&] { type(form->txtActDesc, " CLEANING "); }, "ZVE006", "This Record ", nullptr},
    };
    for (const Case &c : cases) {
        press(Qt::Key_F2);
        c.fill();
        press(Qt::Key_F9);
        EXPECT_EQ(statusCode(), c.code) << c.label;
        EXPECT_TRUE(statusText().contains(c.text)) << c.label << ": " << statusText().toStdString();
        EXPECT_EQ(form->headerMode(), HeaderMode::Add) << c.label;
        if (c.focus)
            EXPECT_TRUE(c.focus->hasFocus()) << c.label;
        press(Qt::Key_F10);
        EXPECT_EQ(form->headerMode(), HeaderMode::None) << c.label;
    }
    EXPECT_EQ(count("SELECT count(*) FROM Actvty_Mast"), 1);

    // Add then Cancel: empty, disabled fields, no activity, Add and Select on.
    EXPECT_EQ(form->activityKey(), 0);
    EXPECT_EQ(form->txtActDesc->text(), "");
    EXPECT_EQ(form->txtEntryDate->text(), "__-___-____");
    EXPECT_FALSE(form->txtActDesc->isEnabled());
    EXPECT_TRUE(on("Add"));
    EXPECT_TRUE(on("Select"));
    EXPECT_FALSE(on("Modify"));
    EXPECT_FALSE(on("Delete"));
}

// Text that came in past the key filter (a paste): control and invisible
// format characters, and the quote, are refused at Ok with the program's
// message; nothing is written and the form stays in its mode.
TEST_F(Validation, PastedCharactersRefusedAtOk) {
    const qint64 act = activity("Audit");
    open();
    const QString invalid = QStringLiteral("Invalid character(s) found.\r\n\r\nPlease re-enter");
    struct Case {
        const char *label;
        QLineEdit *box;
        QString text;
    } cases[] = {
        {"tab", form->txtActDesc, QStringLiteral("Pay\troll")},
        {"zero-width space", form->txtActDesc, QStringLiteral("Pay") + QChar(0x200B) + QStringLiteral("roll")},
        {"bell in remarks", form->txtRemarks, QStringLiteral("Yearly") + QChar(7)},
        {"right-to-left override", form->txtRemarks, QChar(0x202E) + QStringLiteral("Yearly")},
        {"quote", form->txtActDesc, QStringLiteral("Pay'roll")},
    };
    for (const Case &c : cases) {
        press(Qt::Key_F2);
        type(form->txtActDesc, "Payroll");
        c.box->setText(c.text);
        messages.clear();
        press(Qt::Key_F9);
        EXPECT_EQ(messages.prompts(), QStringList{invalid}) << c.label;
        EXPECT_EQ(form->headerMode(), HeaderMode::Add) << c.label;
        EXPECT_TRUE(c.box->hasFocus()) << c.label;
        press(Qt::Key_F10);
    }
    EXPECT_EQ(count("SELECT count(*) FROM Actvty_Mast"), 1);
    // Modify refuses them too; the stored row stays as it was.
    select(act);
    press(Qt::Key_F3);
    ASSERT_EQ(form->headerMode(), HeaderMode::Modify);
    form->txtRemarks->setText(QStringLiteral("Due\u0001"));
    messages.clear();
    press(Qt::Key_F9);
    EXPECT_EQ(messages.prompts(), QStringList{invalid});
    EXPECT_EQ(form->headerMode(), HeaderMode::Modify);
    EXPECT_EQ(scalar("SELECT Remk FROM Actvty_Mast WHERE Sys_Actvty_Num = ?", {act}).toString(), "");
}

// Line rules: dates, lists, picked cells and overlaps, each with its code, prefix and suffix.
TEST_F(Validation, LineRules) {
    const qint64 act = activity("Audit", "2024-04-10");
    line(act, "2024-06-01", "2024-06-30");
    open();
    select(act);

    struct Case {
        const char *label;
        std::function<void()> change;   // after a valid line was begun (10-Apr to 30-Apr, Daily)
        QString code, prefix, suffix;
        QWidget *focus;
    };
    const QList<Case> cases = {
        {"start before entry", [&] { typeDate(form->txtStartDate, "05apr2024"); }, "ZVE029", "Activity Start Date",
         "Date Of Entry", form->txtStartDate},
        {"start blank", [&] { form->txtStartDate->setText("__-___-____"); }, "ZVE128", "Activity Start Date", "",
         form->txtStartDate},
        {"start no day", [&] { typeDate(form->txtStartDate, "31apr2024"); }, "ZVE009", "", "Date", form->txtStartDate},
        {"end blank", [&] { form->txtEndDate->setText("__-___-____"); }, "ZVE128", "Activity End Date", "",
         form->txtEndDate},
        {"end before start", [&] { typeDate(form->txtEndDate, "09apr2024"); }, "ZVE029", "Activity End Date",
         "Activity Start Date", form->txtEndDate},
        {"end after the period", [&] { typeDate(form->txtEndDate, "01apr2025"); }, "ZVE176", "", "", form->txtEndDate},
        {"touching another line", [&] { typeDate(form->txtEndDate, "01jun2024"); }, "ZVE175", "", "",
         form->txtEndDate},
        {"inside another line, other people",
         [&] {
             typeDate(form->txtStartDate, "05jun2024");
             typeDate(form->txtEndDate, "10jun2024");
             chooseByText(form->cmbDept, "Stores");
             chooseByText(form->CmbResP, "Ravi");
         },
         "ZVE175", "", "", form->txtEndDate},
        {"no department", [&] { form->cmbDept->setEditText(""); }, "ZVE165", "Department", "", form->cmbDept},
        {"unknown department", [&] { form->cmbDept->setEditText("Xyz"); }, "ZVE165", "Department", "", form->cmbDept},
        {"no frequency", [&] { form->cmbFreq->setEditText(""); }, "ZVE119", "Frequency", "", form->cmbFreq},
        {"no person", [&] { form->CmbResP->setEditText(""); }, "ZVE165", "Responsible Person", "", form->CmbResP},
        {"weekly, no day", [&] { chooseFrequency("W"); }, "ZVE119", "At least any one of the Weekly Day", "",
         form->cmbFreq},
        {"monthly, no date", [&] { chooseFrequency("M"); }, "ZVE119", "At least any one of the Monthly Date", "",
         form->cmbFreq},
        {"ad-hoc, no date", [&] { chooseFrequency("A"); }, "ZVE119", "At least any one of the Ad-Hoc Date", "",
         form->cmbFreq},
    };
    for (const Case &c : cases) {
        beginLine("10apr2024", "30apr2024", "D");
        ASSERT_EQ(form->cmbFreq->currentText(), "Daily") << c.label;
        c.change();
        press(Qt::Key_F9);
        EXPECT_EQ(statusCode(), c.code) << c.label << ": " << statusText().toStdString();
        const QString expected = c.code + " - " + c.prefix + " ";
        EXPECT_TRUE(statusText().startsWith(expected)) << c.label << ": " << statusText().toStdString();
        EXPECT_TRUE(statusText().endsWith(" " + c.suffix)) << c.label << ": " << statusText().toStdString();
        EXPECT_TRUE(c.focus->hasFocus()) << c.label;
        EXPECT_EQ(form->lineMode(), DetailMode::DetailAdd) << c.label;
        press(Qt::Key_F10);
    }
    EXPECT_EQ(count("SELECT count(*) FROM Actvty_Mast_Det"), 1);

    // Equal bounds pass: a start equal to the date of entry, a line up to the day before the other.
    beginLine("10apr2024", "31may2024", "D");
    press(Qt::Key_F9);
    EXPECT_EQ(statusCode(), "ZVE003") << statusText().toStdString();
}

// Choosing a frequency checks the dates first: while they fail, no frequency is taken.
TEST_F(Validation, FrequencyNeedsValidDatesFirst) {
    const qint64 act = activity("Audit");
    open();
    select(act);
    press(Qt::Key_F5);
    typeDate(form->txtStartDate, "01apr2024");
    chooseFrequency("W");
    EXPECT_EQ(statusCode(), "ZVE128");
    EXPECT_TRUE(statusText().contains("Activity End Date"));
    EXPECT_EQ(form->cmbFreq->currentText(), "");
    EXPECT_EQ(form->cmbFreq->currentIndex(), -1);
    EXPECT_FALSE(form->picker->PicMain->isVisible());
    typeDate(form->txtEndDate, "30apr2024");
    chooseFrequency("W");
    EXPECT_EQ(form->cmbFreq->currentText(), "Weekly");
    EXPECT_TRUE(form->picker->PicMain->isVisible());
}

} // namespace
