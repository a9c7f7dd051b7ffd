#include "platform/db/Recordset.h"
#include <gtest/gtest.h>

using namespace zv::db;

namespace {

Recordset sample() {
    return Recordset({"Code", "Name", "Join_Date"},
                     {{1, "banana", "2026-03-01"},
                      {2, "Apple", QVariant()},
                      {3, "cherry", "2025-01-15"},
                      {4, "", "2026-01-01"}});
}

long errorOf(const std::function<void()> &f) {
    try {
        f();
    } catch (const DbError &e) {
        return e.number();
    }
    return 0;
}

TEST(Recordset, FieldsByNameIgnoreCaseAndNullIsNotEmpty) {
    Recordset rs = sample();
    EXPECT_EQ(rs.recordCount(), 4);
    EXPECT_EQ(rs.value("name").toString(), "banana");
    EXPECT_EQ(rs["NAME"].toString(), "banana");
    EXPECT_EQ(rs.value(0).toInt(), 1);
    rs.moveNext();
    EXPECT_TRUE(rs.isNull("join_date"));
    EXPECT_EQ(rs.text("Join_Date"), "");
    rs.moveLast();
    EXPECT_FALSE(rs.isNull("Name"));
    EXPECT_EQ(rs.text("Name"), "");
    EXPECT_EQ(errorOf([&] { rs.value("Missing"); }), err::ColumnMissing);
}

TEST(Recordset, MovesAndPositions) {
    Recordset rs = sample();
    EXPECT_FALSE(rs.bof());
    EXPECT_EQ(rs.absolutePosition(), 1);
    rs.movePrevious();
    EXPECT_TRUE(rs.bof());
    EXPECT_EQ(errorOf([&] { rs.value(0); }), err::NoCurrentRecord);
    rs.moveLast();
    EXPECT_EQ(rs.absolutePosition(), 4);
    rs.moveNext();
    EXPECT_TRUE(rs.eof());
    EXPECT_EQ(errorOf([&] { rs.bookmark(); }), err::NoCurrentRecord);
    rs.setAbsolutePosition(3);
    EXPECT_EQ(rs.text("Name"), "cherry");
    Recordset empty({"A"}, {});
    EXPECT_TRUE(empty.eof());
    EXPECT_TRUE(empty.bof());
    EXPECT_EQ(empty.absolutePosition(), 0);
}

TEST(Recordset, SortKeepsCurrentRecordAndBookmarks) {
    Recordset rs = sample();
    rs.setAbsolutePosition(3);   // cherry
    const int mark = rs.bookmark();
    rs.sort("Name ASC");
    EXPECT_EQ(rs.text("Name"), "cherry");
    QStringList names;
    for (rs.moveFirst(); !rs.eof(); rs.moveNext())
        names << rs.text("Name");
    EXPECT_EQ(names, QStringList({"", "Apple", "banana", "cherry"}));
    rs.sort("Join_Date DESC, Code");
    rs.moveFirst();
    EXPECT_EQ(rs.value("Code").toInt(), 1);
    rs.moveLast();
    EXPECT_TRUE(rs.isNull("Join_Date"));   // Nulls sort first, so last when descending
    rs.setBookmark(mark);
    EXPECT_EQ(rs.text("Name"), "cherry");
    rs.sort("");
    rs.moveFirst();
    EXPECT_EQ(rs.value("Code").toInt(), 1);
    EXPECT_EQ(errorOf([&] { rs.sort("Nope"); }), err::ColumnMissing);
}

// Sorting compares numbers as numbers and text without regard to case, also
// where a column mixes both; bookmarks and the cursor follow every order.
TEST(Recordset, SortMixedColumnsAndBackToTheOriginalOrder) {
    Recordset rs({"K", "V"}, {{1, 10}, {2, "9"}, {3, QVariant()}, {4, 2.5}, {5, "b"}, {6, "A"}, {7, qlonglong(-3)}});
    rs.setAbsolutePosition(5);   // "b"
    const int mark = rs.bookmark();
    rs.sort("V");
    QList<int> keys;
    for (rs.moveFirst(); !rs.eof(); rs.moveNext())
        keys << rs.value("K").toInt();
    EXPECT_EQ(keys, QList<int>({3, 7, 4, 2, 1, 6, 5}));
    rs.sort("V DESC");
    rs.setBookmark(mark);
    EXPECT_EQ(rs.text("V"), "b");
    EXPECT_EQ(rs.absolutePosition(), 1);
    rs.setValue("V", QStringLiteral("c"));
    rs.sort("");
    EXPECT_EQ(rs.absolutePosition(), 5);
    EXPECT_EQ(rs.valueAt(4, 1).toString(), "c");
    EXPECT_EQ(errorOf([&] { rs.setBookmark(99); }), err::NoCurrentRecord);
}

TEST(Recordset, Find) {
    struct Case {
        const char *criterion;
        int expectedCode;   // 0: no match
    } cases[] = {{"Name = 'APPLE'", 2},
                 {"Name LIKE 'ch*'", 3},
                 {"Name LIKE '%an%'", 1},
                 {"Code > 2", 3},
                 {"Code >= 4", 4},
                 {"Join_Date < #01-Jan-2026#", 3},
                 {"[Name] <> 'banana'", 2},
                 {"Name = 'O''Neil'", 0}};
    for (const auto &c : cases) {
        Recordset rs = sample();
        const bool found = rs.find(c.criterion);
        EXPECT_EQ(found, c.expectedCode != 0) << c.criterion;
        if (c.expectedCode)
            EXPECT_EQ(rs.value("Code").toInt(), c.expectedCode) << c.criterion;
        else
            EXPECT_TRUE(rs.eof()) << c.criterion;
    }
    Recordset rs = sample();
    rs.moveLast();
    EXPECT_TRUE(rs.find("Name LIKE '*a*'", true, false));   // backwards, skipping the current
    EXPECT_EQ(rs.value("Code").toInt(), 2);
    EXPECT_TRUE(rs.find("Name LIKE '*a*'", true, false));
    EXPECT_EQ(rs.value("Code").toInt(), 1);
    EXPECT_FALSE(rs.find("Name LIKE '*a*'", true, false));
    EXPECT_TRUE(rs.bof());
    EXPECT_EQ(errorOf([&] { rs.find("Name ~ 'x'"); }), err::GeneralFailure);
}

} // namespace
