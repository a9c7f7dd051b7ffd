#include "dateinput/QARNDATEVALIDATE.h"
#include "dateinput/clsDATEVALIDATE.h"
#include "platform/db/DbError.h"
#include <QLocale>
#include <gtest/gtest.h>
#include <ostream>

// Readable Qt strings in failure messages.
inline void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }
#include <functional>
#include <optional>

namespace {

struct Shown {
    QString code, prefix, suffix;
};

// Stands in for a form's utility object and footer.
struct FakeFooter {
    std::vector<Shown> shown;
};
struct FakeUtility {
    void DisplayStatus(const QString &code, FakeFooter &footer, const QString &prefix, const QString &suffix) {
        footer.shown.push_back({code, prefix, suffix});
    }
};

struct Outcome {
    QString result;
    std::optional<Shown> status;   // the one message shown, if any
};

void expectOutcome(const FakeFooter &footer, const QString &result, const Outcome &want, const QString &input) {
    SCOPED_TRACE(input.toStdString());
    EXPECT_EQ(result, want.result);
    if (!want.status) {
        EXPECT_TRUE(footer.shown.empty()) << footer.shown.front().code.toStdString();
        return;
    }
    ASSERT_EQ(footer.shown.size(), 1u);
    EXPECT_EQ(footer.shown[0].code, want.status->code);
    EXPECT_EQ(footer.shown[0].prefix, want.status->prefix);
    EXPECT_EQ(footer.shown[0].suffix, QString());
}

const QString kMask = QStringLiteral("__-___-____");
const QString kCaption = QStringLiteral("Holiday Date");

Shown code(const char *c, const QString &prefix = QString()) { return {QString::fromLatin1(c), prefix, {}}; }

} // namespace

TEST(ValidateDate, MonthNameDates) {
    struct Case {
        QString text;
        bool mandatory;
        QString minYear;
        Outcome want;
    };
    const Shown invalid = code("ZVE129", QStringLiteral("Invalid Date"));
    const Case cases[] = {
        {kMask, false, {}, {kMask, {}}},
        {kMask, true, {}, {kMask, code("ZVE128", kCaption)}},
        {QStringLiteral("__/___/____"), true, {}, {kMask, code("ZVE128", kCaption)}},
        {QString(), true, {}, {{}, code("ZVE129")}},
        {QStringLiteral("05-Jan-2004"), true, {}, {QStringLiteral("5-Jan-2004"), {}}},
        {QStringLiteral("05-Jan-04__"), false, {}, {QStringLiteral("5-Jan-2004"), {}}},
        {QStringLiteral("05-1__-2004"), false, {}, {QStringLiteral("5-Jan-2004"), {}}},
        {QStringLiteral("15-12_-2004"), false, {}, {QStringLiteral("15-Dec-2004"), {}}},
        {QStringLiteral("05-13_-2004"), false, {}, {{}, code("ZVE129")}},
        {QStringLiteral("05-Xyz-2004"), false, {}, {{}, code("ZVE129")}},
        {QStringLiteral("05-___-2004"), false, {}, {{}, code("ZVE129")}},
        {QStringLiteral("31-Feb-2004"), false, {}, {{}, invalid}},
        {QStringLiteral("00-Jan-2004"), false, {}, {{}, invalid}},
        {QStringLiteral("29-Feb-2004"), false, {}, {QStringLiteral("29-Feb-2004"), {}}},
        {QStringLiteral("29-Feb-2003"), false, {}, {{}, invalid}},
        {QStringLiteral("29-Feb-2000"), false, {}, {QStringLiteral("29-Feb-2000"), {}}},
        {QStringLiteral("29-Feb-1900"), false, {}, {{}, invalid}},
        {QStringLiteral("31-Apr-2004"), false, {}, {{}, invalid}},
        {QStringLiteral("31-Dec-2004"), false, {}, {QStringLiteral("31-Dec-2004"), {}}},
        {QStringLiteral("05-Jan-204_"), false, {}, {{}, invalid}},
        {QStringLiteral("05-Jan-20a4"), false, {}, {{}, code("ZVE129")}},
        {QStringLiteral("05-Jan-1799"), false, {}, {{}, code("ZVE129")}},
        {QStringLiteral("05-Jan-1800"), false, {}, {QStringLiteral("5-Jan-1800"), {}}},
        {QStringLiteral("05-Jan-2004"), false, QStringLiteral("2005"), {{}, code("ZVE129")}},
        {QStringLiteral("05-Jan-2005"), false, QStringLiteral("2005"), {QStringLiteral("5-Jan-2005"), {}}},
    };
    clsDATEVALIDATE dv;
    FakeUtility util;
    for (const Case &c : cases) {
        FakeFooter footer;
        const QString r = dv.validateDate(c.text, zv::dateinput::statusVia(util, footer),
                                          QStringLiteral("dd-MMM-yyyy"), c.mandatory, c.minYear, kCaption);
        expectOutcome(footer, r, c.want, c.text + QStringLiteral(" min ") + c.minYear);
    }
}

TEST(ValidateDate, FormatDoesNotChangeTheReadingAndWithoutTableShowsNothing) {
    clsDATEVALIDATE dv;
    FakeUtility util;
    FakeFooter footer;
    const auto hook = zv::dateinput::statusVia(util, footer);
    EXPECT_EQ(dv.validateDate(QStringLiteral("05-Jan-2004"), hook, QStringLiteral("MM/dd/yyyy"), true, {}, kCaption),
              QStringLiteral("5-Jan-2004"));
    EXPECT_EQ(dv.validateDateWithOutTBL(kMask, QStringLiteral("dd-MMM-yyyy"), true, {}), kMask);
    EXPECT_EQ(dv.validateDateWithOutTBL(QStringLiteral("31-Feb-2004"), {}, false, {}), QString());
    EXPECT_EQ(dv.validateDateWithOutTBL(QStringLiteral("05-Jan-2004"), {}, false, QStringLiteral("2005")), QString());
    EXPECT_EQ(dv.validateDateWithOutTBL(QStringLiteral("07-3__-04__"), {}, false, {}), QStringLiteral("7-Mar-2004"));
    EXPECT_TRUE(footer.shown.empty());
}

TEST(ValidateDate, MonthNamesAreEnglishWhateverTheLocale) {
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    clsDATEVALIDATE dv;
    EXPECT_EQ(dv.GetMonth(3), QStringLiteral("Mar"));
    EXPECT_EQ(dv.validateDateWithOutTBL(QStringLiteral("05-Mar-2004"), {}, false, {}), QStringLiteral("5-Mar-2004"));
    EXPECT_EQ(dv.validateDateWithOutTBL(QStringLiteral("05-Mär-2004"), {}, false, {}), QString());
    EXPECT_EQ(dv.validateDateWithOutTBL(QStringLiteral("05-Okt-2004"), {}, false, {}), QString());
    QARNDATEVALIDATE nv;
    EXPECT_EQ(nv.validateDate(QStringLiteral("05/10/2004"), {}, QStringLiteral("dd/mm/yyyy"), false, {}, {}),
              QStringLiteral("5-Oct-2004"));
    EXPECT_EQ(nv.GetDate(QStringLiteral("05/10/2004")), QStringLiteral("'05-Oct-2004'"));
    QLocale::setDefault(saved);
}

TEST(ValidateDate, NumericDates) {
    struct Case {
        QString text, format;
        bool mandatory;
        Outcome want;
    };
    const QString dmy = QStringLiteral("dd/mm/yyyy");
    const QString numeric = QStringLiteral("__/__/____");
    const Case cases[] = {
        {numeric, dmy, false, {numeric, {}}},
        {numeric, dmy, true, {numeric, code("DB128", kCaption)}},
        {QStringLiteral("__-__-____"), dmy, true, {numeric, code("DB128", kCaption)}},
        {QStringLiteral("05/01/2004"), dmy, false, {QStringLiteral("5-Jan-2004"), {}}},
        {QStringLiteral("05/01/04__"), dmy, false, {QStringLiteral("5-Jan-2004"), {}}},
        {QStringLiteral("05/13/2004"), dmy, false, {{}, code("DB129")}},
        {QStringLiteral("05/13/2004"), QStringLiteral("MM/dd/yyyy"), false, {QStringLiteral("13-May-2004"), {}}},
        {QStringLiteral("05/13/2004"), QStringLiteral("mm/dd/yyyy"), false, {QStringLiteral("13-May-2004"), {}}},
        {QStringLiteral("31/02/2004"), dmy, false, {{}, code("DB129", QStringLiteral("Invalid Date"))}},
        {QStringLiteral("05/01/204_"), dmy, false, {{}, code("DB129", QStringLiteral("Invalid Date"))}},
        {QStringLiteral("05/00/2004"), dmy, false, {{}, code("DB129")}},
    };
    QARNDATEVALIDATE nv;
    FakeUtility util;
    for (const Case &c : cases) {
        FakeFooter footer;
        const QString r =
            nv.validateDate(c.text, zv::dateinput::statusVia(util, footer), c.format, c.mandatory, {}, kCaption);
        expectOutcome(footer, r, c.want, c.text + QLatin1Char(' ') + c.format);
    }
}

TEST(ValidateTime, TimesAndRefusals) {
    struct Case {
        QString text;
        Outcome want;
    };
    const QString caption = QStringLiteral("Start Time");
    const Shown refused = code("ZVE130", caption);
    const Case cases[] = {
        {QStringLiteral("7_:5_ PM"), {QStringLiteral("07:05 PM"), {}}},
        {QStringLiteral("12:00 XM"), {QStringLiteral("12:00 AM"), {}}},
        {QStringLiteral("11:59 pm"), {QStringLiteral("11:59 PM"), {}}},
        {QStringLiteral("00:05 AM"), {QStringLiteral("00:05 AM"), {}}},
        {QStringLiteral("__:__ _M"), {QStringLiteral("__:__ _M"), refused}},
        {QStringLiteral("00:00 AM"), {{}, refused}},
        {QStringLiteral("13:00 PM"), {{}, refused}},
        {QStringLiteral("10:60 AM"), {{}, refused}},
        // Whatever the text, a refusal and never a failure.
        {QString(), {{}, refused}},
        {QStringLiteral("x"), {{}, refused}},
        {QStringLiteral("ab:cd"), {{}, refused}},
        {QString(500, QLatin1Char('9')), {{}, refused}},
    };
    clsDATEVALIDATE dv;
    FakeUtility util;
    for (const Case &c : cases) {
        FakeFooter footer;
        const QString r = dv.validateTime(c.text, zv::dateinput::statusVia(util, footer), caption);
        expectOutcome(footer, r, c.want, c.text.left(20));
    }
    QARNDATEVALIDATE nv;
    FakeFooter footer;
    EXPECT_EQ(nv.validateTime(QStringLiteral("13:00 PM"), zv::dateinput::statusVia(util, footer), caption), QString());
    ASSERT_EQ(footer.shown.size(), 1u);
    EXPECT_EQ(footer.shown[0].code, QStringLiteral("DB130"));
}

TEST(ValidateDateTime, BothGenerations) {
    const QString caption = QStringLiteral("Entry Time");
    FakeUtility util;
    QARNDATEVALIDATE nv;
    clsDATEVALIDATE dv;
    const QString dmy = QStringLiteral("dd/mm/yyyy");
    struct Case {
        bool monthName;
        QString text;
        bool mandatory;
        Outcome want;
    };
    const Case cases[] = {
        {false, QStringLiteral("__/__/____ __:__ _M"), true, {QStringLiteral("__/__/____ __:__ _M"), code("DB128", caption)}},
        {false, QStringLiteral("05/01/2004 __:__ _M"), false, {{}, code("DB130", caption)}},
        {false, QStringLiteral("05/01/2004 07:05 PM"), false, {QStringLiteral("5-Jan-2004 07:05 PM"), {}}},
        {false, QStringLiteral("31/02/2004 07:05 PM"), false, {{}, code("DB129", QStringLiteral("Invalid Date"))}},
        {true, QStringLiteral("05/01/2004 07:05 PM"), false, {QStringLiteral("5-Jan-2004 07:05 PM"), {}}},
        {true, QStringLiteral("05-Jan-2004 07:05 AM"), false, {QStringLiteral("5-Jan-2004 07:05 AM"), {}}},
        {true, QStringLiteral("__/__/____ __:__ _M"), false, {QStringLiteral("__/___/____ __:__ _M"), {}}},
        {true, QStringLiteral("__/__/____ __:__ _M"), true, {QStringLiteral("__/___/____ __:__ _M"), code("ZVE128", caption)}},
        {true, QStringLiteral("05/13/2004 07:05 PM"), false, {{}, code("ZVE129")}},
        {true, QStringLiteral("31/02/2004 07:05 PM"), false, {{}, code("ZVE129", QStringLiteral("Invalid Date"))}},
        {true, QStringLiteral("05/01/2004 13:05 PM"), false, {{}, code("ZVE130", caption)}},
        {true, QStringLiteral("05/01/2004 __:__ _M"), false, {{}, code("ZVE130", caption)}},
        {true, QStringLiteral("?"), false, {{}, code("ZVE129")}},
    };
    for (const Case &c : cases) {
        FakeFooter footer;
        const auto hook = zv::dateinput::statusVia(util, footer);
        const QString r = c.monthName ? dv.validateDateTime(c.text, hook, dmy, c.mandatory, {}, caption)
                                      : nv.validateDateTime(c.text, hook, dmy, c.mandatory, {}, caption);
        expectOutcome(footer, r, c.want, c.text);
    }
}

TEST(DateConversions, GetDateGetDateTimeGetMonth) {
    clsDATEVALIDATE dv;
    QARNDATEVALIDATE nv;
    const std::pair<QString, QString> dates[] = {
        {QStringLiteral("05/01/2004"), QStringLiteral("'05-Jan-2004'")},
        {QStringLiteral("5_/1_/04__"), QStringLiteral("'05-Jan-2004'")},
        {QStringLiteral("29/02/2004"), QStringLiteral("'29-Feb-2004'")},
        {QStringLiteral("05/00/2004"), QStringLiteral("Null")},
        {QStringLiteral("05/01/204_"), QStringLiteral("Null")},
        {QStringLiteral("29/02/2003"), QStringLiteral("Null")},
        {QString(), QStringLiteral("Null")},
    };
    for (const auto &[in, out] : dates) {
        EXPECT_EQ(dv.GetDate(in), out) << in.toStdString();
        EXPECT_EQ(nv.GetDate(in), out) << in.toStdString();
    }
    const std::pair<QString, QString> dateTimes[] = {
        {QStringLiteral("05/01/2004 07:05 PM"), QStringLiteral("'05-Jan-2004 07:05 PM'")},
        {QStringLiteral("05/01/2004 12:30 AM"), QStringLiteral("'05-Jan-2004 12:30 AM'")},
        {QStringLiteral("05/01/2004"), QStringLiteral("'05-Jan-2004 12:00 AM'")},
        {QStringLiteral("5-Jan-2004 19:05"), QStringLiteral("'05-Jan-2004 07:05 PM'")},
        {QStringLiteral("31/02/2004 07:05 PM"), QStringLiteral("NULL")},
        {QStringLiteral("05/01/2004 13:05 PM"), QStringLiteral("NULL")},
        {QStringLiteral("no date"), QStringLiteral("NULL")},
        {QString(), QStringLiteral("NULL")},
    };
    for (const auto &[in, out] : dateTimes) {
        EXPECT_EQ(dv.GetDateTime(in), out) << in.toStdString();
        EXPECT_EQ(nv.GetDateTime(in), out) << in.toStdString();
    }
    EXPECT_EQ(dv.GetMonth(1), QStringLiteral("Jan"));
    EXPECT_EQ(dv.GetMonth(12), QStringLiteral("Dec"));
    for (int bad : {0, 13, -1, 32767})
        EXPECT_EQ(dv.GetMonth(bad), QStringLiteral("___")) << bad;
}

TEST(DateConversions, ValidatedTextToDate) {
    EXPECT_EQ(zv::dateinput::dateOfValidated(QStringLiteral("5-Jan-2004")), QDate(2004, 1, 5));
    EXPECT_EQ(zv::dateinput::dateOfValidated(QStringLiteral("29-feb-2004")), QDate(2004, 2, 29));
    EXPECT_FALSE(zv::dateinput::dateOfValidated(QStringLiteral("__-___-____")).isValid());
    EXPECT_FALSE(zv::dateinput::dateOfValidated(QString()).isValid());
    EXPECT_FALSE(zv::dateinput::dateOfValidated(QStringLiteral("30-Feb-2004")).isValid());
}

// A message that cannot be read (the file is held) ends the caller's step: the
// date is never answered "refused" or "blank" from a read that failed.
TEST(ValidateDate, AMessageThatCannotBeReadReachesTheCaller) {
    clsDATEVALIDATE dv;
    QARNDATEVALIDATE nv;
    int asked = 0;
    const zv::dateinput::StatusDisplay held = [&asked](const QString &, const QString &, const QString &) {
        ++asked;
        throw zv::db::DbError(zv::db::err::DatabaseInUse, QStringLiteral("database is locked"));
    };
    const QString mdy = QStringLiteral("dd-MMM-yyyy"), dmy = QStringLiteral("dd/mm/yyyy");
    const std::pair<const char *, std::function<QString()>> calls[] = {
        {"blank and mandatory", [&] { return dv.validateDate(kMask, held, mdy, true, {}, kCaption); }},
        {"no month", [&] { return dv.validateDate(QStringLiteral("05-13_-2004"), held, mdy, false, {}, kCaption); }},
        {"no year", [&] { return dv.validateDate(QStringLiteral("31-Feb-____"), held, mdy, false, {}, kCaption); }},
        {"no such day", [&] { return dv.validateDate(QStringLiteral("31-Feb-2004"), held, mdy, false, {}, kCaption); }},
        {"before the least year",
         [&] { return dv.validateDate(QStringLiteral("05-Jan-2004"), held, mdy, false, QStringLiteral("2005"), kCaption); }},
        {"date and time, no time",
         [&] { return dv.validateDateTime(QStringLiteral("05/01/2004 13:05 PM"), held, dmy, false, {}, kCaption); }},
        {"date and time, blank", [&] {
             return dv.validateDateTime(QStringLiteral("__/__/____ __:__ _M"), held, dmy, true, {}, kCaption);
         }},
        {"time", [&] { return dv.validateTime(QStringLiteral("13:00 PM"), held, kCaption); }},
        {"numeric, no month", [&] { return nv.validateDate(QStringLiteral("05/13/2004"), held, dmy, false, {}, kCaption); }},
        {"numeric, no such day",
         [&] { return nv.validateDate(QStringLiteral("31/02/2004"), held, dmy, false, {}, kCaption); }},
        {"numeric date and time, no time",
         [&] { return nv.validateDateTime(QStringLiteral("05/01/2004 __:__ _M"), held, dmy, false, {}, kCaption); }},
        {"numeric time", [&] { return nv.validateTime(QStringLiteral("00:00 AM"), held, kCaption); }},
    };
    for (const auto &[what, call] : calls) {
        SCOPED_TRACE(what);
        asked = 0;
        EXPECT_THROW(call(), zv::db::DbError);
        EXPECT_EQ(asked, 1);
    }
}
