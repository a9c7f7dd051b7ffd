// The databases the build writes from schema/: identity, shipped rows, the
// filter statements composed from the metadata, relationships and text rules.
#include "platform/db/Connection.h"
#include "platform/db/DbError.h"
#include "support/Organisation.h"
#include "support/ProgramFolder.h"

#include <QDate>
#include <QDirIterator>
#include <QFile>
#include <QLocale>
#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>

#include <iterator>
#include <map>
#include <ostream>
#include <set>

using zv::db::Connection;
using zv::db::DbError;
using zv::db::Recordset;

namespace {

// Every status code the forms show.
const char *const kStatusCodes[] = {
    "ZVE001", "ZVE002", "ZVE003", "ZVE004", "ZVE006", "ZVE007", "ZVE008", "ZVE009", "ZVE011",
    "ZVE013", "ZVE014", "ZVE015", "ZVE019", "ZVE021", "ZVE022", "ZVE027", "ZVE028", "ZVE029",
    "ZVE030", "ZVE034", "ZVE035", "ZVE041", "ZVE043", "ZVE119", "ZVE128", "ZVE129", "ZVE130",
    "ZVE145", "ZVE157", "ZVE158", "ZVE160", "ZVE161", "ZVE164", "ZVE165", "ZVE166", "ZVE175",
    "ZVE176", "ZVE177", "DB001",  "DB015",  "DB128",  "DB129",  "DB130",  "KRE024",
};

QString text(const Recordset &rs, int row, const QString &field) {
    return rs.valueAt(row, rs.fieldIndex(field)).toString();
}

class BuiltDatabases : public ::testing::Test {
protected:
    void SetUp() override { db.open(folder.productionDb()); }

    qint64 count(const QString &sql, const QVariantList &params = {}) {
        return db.scalar(sql, params).toLongLong();
    }

    ProgramFolder folder;
    Connection db;
};

TEST_F(BuiltDatabases, TemplateAndProductionPassTheIdentityQueryWithOnePeriodOfOneYear) {
    for (const QString &path : {folder.templateDb(), folder.productionDb()}) {
        SCOPED_TRACE(path.toStdString());
        Connection c;
        c.open(path);
        EXPECT_EQ(c.scalar("SELECT 1 FROM Parm WHERE UPPER(DB_Check) = 'ZORVANE'").toInt(), 1);
        const Recordset parm = c.query("SELECT Start_Period, End_Period FROM Parm");
        ASSERT_EQ(parm.recordCount(), 1);
        const QDate start = QDate::fromString(text(parm, 0, "Start_Period"), Qt::ISODate);
        const QDate end = QDate::fromString(text(parm, 0, "End_Period"), Qt::ISODate);
        ASSERT_TRUE(start.isValid());
        EXPECT_EQ(end, start.addMonths(12).addDays(-1));
    }
}

TEST_F(BuiltDatabases, SystemDatabaseHoldsOneRowInTheTableTheLoginProbes) {
    Connection sys;
    sys.open(folder.systemDb());
    EXPECT_NO_THROW(sys.query("Select DB_Path,Pswd from ZV_SYS where 1=2"));
    const Recordset rs = sys.query("SELECT DB_Path, Pswd FROM ZV_SYS");
    ASSERT_EQ(rs.recordCount(), 1);
    EXPECT_EQ(text(rs, 0, "DB_Path"), "Data/ZV-DATA.mdb");
    EXPECT_EQ(text(rs, 0, "Pswd").size(), QString("admin").size() + 2);
}

TEST_F(BuiltDatabases, EveryStatusCodeHasAMessageOfAKnownType) {
    for (const char *code : kStatusCodes) {
        SCOPED_TRACE(code);
        const Recordset rs = db.query("SELECT Err_Code, Err_Msg, Err_Type FROM Err_Msg WHERE Err_Code = ?",
                                      {QString::fromLatin1(code)});
        ASSERT_EQ(rs.recordCount(), 1);
        const QString msg = text(rs, 0, "Err_Msg");
        EXPECT_FALSE(msg.trimmed().isEmpty());
        // The footer adds the blanks around the text itself.
        EXPECT_EQ(msg, msg.trimmed());
        EXPECT_TRUE(QStringLiteral("FSWIE").contains(text(rs, 0, "Err_Type").trimmed()))
            << text(rs, 0, "Err_Type").toStdString();
        EXPECT_EQ(text(rs, 0, "Err_Type").size(), 1);
    }
    EXPECT_EQ(count("SELECT COUNT(*) FROM Err_Msg"), qint64(std::size(kStatusCodes)));
}

// A code written into the program without a message would show nothing at all.
TEST_F(BuiltDatabases, EveryStatusCodeInTheSourcesHasAMessage) {
    const QRegularExpression quoted(QStringLiteral("\"((?:ZVE|KRE|DB)\\d{3})\""));
    QSet<QString> used;
    QDirIterator it(QStringLiteral(ZV_SOURCE_DIR "/src"), {"*.cpp", "*.h"}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile f(it.next());
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QString source = QString::fromUtf8(f.readAll());
        for (auto m = quoted.globalMatch(source); m.hasNext();)
            used.insert(m.next().captured(1));
    }
    for (const QString &code : used)
        EXPECT_EQ(count("SELECT COUNT(*) FROM Err_Msg WHERE Err_Code = ?", {code}), 1) << code.toStdString();
}

TEST_F(BuiltDatabases, FrequenciesSortIntoTheRuleKindsAndMonthsAreKeyedByNumber) {
    const Recordset fq = db.query(" SELECT  SYS_CONST_NUM, SCRN_CONST_DESC  FROM  SYS_CONST  WHERE  "
                                  "SCRN_SHRT_NAME = 'FQ' ORDER BY SCRN_CONST_DESC ");
    QStringList names;
    std::set<qint64> fqKeys;
    for (int r = 0; r < fq.recordCount(); ++r) {
        names << fq.valueAt(r, 1).toString();
        fqKeys.insert(fq.valueAt(r, 0).toLongLong());
    }
    // position 0 chosen dates, 1 no rule, 2 monthly, 3 weekly
    EXPECT_EQ(names, QStringList({"Ad-Hoc", "Daily", "Monthly", "Weekly"}));

    const QLocale english(QLocale::English);
    for (int m = 1; m <= 12; ++m) {
        SCOPED_TRACE(m);
        EXPECT_EQ(db.scalar("SELECT Sys_Const_Num FROM Sys_Const WHERE Scrn_Const_Desc = ?",
                            {english.monthName(m, QLocale::LongFormat)})
                      .toInt(),
                  m);
        EXPECT_EQ(fqKeys.count(m), 0u);
    }
}

// ---------------------------------------------------------------------------
// General filter: the statement the filter window composes from the metadata

// A small organisation every screen key finds something in.
void seedEveryKeysRows(Connection &db) {
    seedOrganisation(db);
    db.execute(QStringLiteral(
        "INSERT INTO Cmpny_Mast (Sys_Cmpny_Num, Cmpny_Name, City, Cntry) VALUES (6, 'Zorvane Works', 'Pune', 'India')"));
}

struct FilterCase {
    const char *key;
    const char *join;                    // what the calling form passes
    std::map<int, QString> chosenRow;    // result elements the caller reads
};

const FilterCase kFilterCases[] = {
    {"F011", "", {{0, "1"}, {1, "Accounts"}}},
    {"F012", "", {{0, "2"}, {1, "Manager"}}},
    {"EMP", "where em.Sys_Desg_Num=dm.Sys_Desg_Num AND dp.Sys_Dept_Num = em.Sys_Dept_Num",
     {{1, "RAVI KUMAR"}, {4, "8"}}},
    {"HOLDAY", "", {{0, "4"}, {1, "2026"}}},
    {"MNGREMP", " WHERE HD.Sys_Emp_Num = EM.Sys_Emp_Num AND EM.Sys_Desg_Num = DM.Sys_Desg_Num ",
     {{1, "RAVI"}, {3, "3"}}},
    {"ACTMASTAS", "", {{0, "5"}}},
    {"PROJ", "", {{0, "6"}, {1, "Zorvane Works"}}},
};

void PrintTo(const FilterCase &fc, std::ostream *os) { *os << fc.key; }

class FilterMetadata : public BuiltDatabases, public ::testing::WithParamInterface<FilterCase> {};

TEST_P(FilterMetadata, ComposedStatementRunsAndGivesTheCallerItsElements) {
    const FilterCase &fc = GetParam();
    const QString key = QString::fromLatin1(fc.key);
    seedEveryKeysRows(db);

    // FROM list: every distinct table entry once; SELECT list in column order.
    QStringList from;
    const Recordset tables = db.query(" SELECT Distinct(Tble_Name) FROM sys_Qury_Fltr WHERE scrn_Name=?", {key});
    for (int r = 0; r < tables.recordCount(); ++r)
        from << tables.valueAt(r, 0).toString() + ' ';
    const Recordset cols = db.query(
        "SELECT Clmn_Name, Disp_Name, User_Cntrl, Feld_Left, Data_Type FROM sys_Qury_Fltr "
        "WHERE scrn_Name=? ORDER BY Clmn_Ordr",
        {key});
    const Recordset grid = db.query(
        "SELECT User_Cntrl, Clmn_Capn, VIsible, Data_Type FROM sys_grid_fltr WHERE Scrn_Name = ? ORDER BY Clmn_Ordr",
        {key});
    ASSERT_GT(cols.recordCount(), 0);
    ASSERT_GE(grid.recordCount(), cols.recordCount());

    QStringList select;
    for (int r = 0; r < cols.recordCount(); ++r)
        select << text(cols, r, "Clmn_Name") + "  AS [" + text(cols, r, "Disp_Name") + "]";
    const QString base = "SELECT Distinct " + select.join(',') + " FROM " + from.join(',') + "  " +
                         QString::fromLatin1(fc.join);

    // The window's pairing rules.
    EXPECT_NE(text(cols, 0, "User_Cntrl"), "DT") << "the first field must be a text field";
    const QSet<QString> gridFormats{"TEXT", "NUMERIC", "INTEGER", "DATETIME", "CHECKBOX", "OPTION", "CLOP"};
    for (int r = 0; r < cols.recordCount(); ++r) {
        SCOPED_TRACE(text(cols, r, "Disp_Name").toStdString());
        const QString kind = text(cols, r, "User_Cntrl");
        const QString gridKind = text(grid, r, "User_Cntrl");
        const bool hidden = grid.valueAt(r, grid.fieldIndex("VIsible")).toInt() == 1;
        if (kind == "DT")
            EXPECT_EQ(gridKind, "DT");
        else if (kind == "T" || kind == "TF")
            EXPECT_TRUE(gridKind == "T" || gridKind == "TF") << gridKind.toStdString();
        else
            EXPECT_EQ(gridKind, "TFT");
        EXPECT_EQ(hidden, gridKind == "TFT");
        if (hidden) {
            EXPECT_TRUE(text(grid, r, "Clmn_Capn").trimmed().isEmpty());
            EXPECT_EQ(cols.valueAt(r, cols.fieldIndex("Feld_Left")).toInt(), 0);
        } else {
            EXPECT_EQ(grid.valueAt(r, grid.fieldIndex("VIsible")).toInt(), 0);
            EXPECT_FALSE(text(grid, r, "Clmn_Capn").trimmed().isEmpty());
        }
        EXPECT_TRUE(gridFormats.contains(text(grid, r, "Data_Type").toUpper()));
    }

    // No criterion: the base statement alone.
    const Recordset all = db.query(base);
    ASSERT_EQ(all.fieldCount(), cols.recordCount());
    int chosen = -1;
    for (int r = 0; r < all.recordCount() && chosen < 0; ++r) {
        bool match = true;
        for (const auto &[element, value] : fc.chosenRow)
            match = match && all.valueAt(r, element).toString() == value;
        if (match)
            chosen = r;
    }
    ASSERT_GE(chosen, 0) << "no row gives the caller " << base.toStdString();

    // A criterion on every field, made from the chosen row: text fields match
    // what begins with the typed text, date fields the picked day.
    QStringList criteria;
    QVariantList params;
    for (int r = 0; r < cols.recordCount(); ++r) {
        const QString value = all.valueAt(chosen, r).toString();
        const QString column = text(cols, r, "Clmn_Name");
        if (text(grid, r, "User_Cntrl") == "DT") {
            criteria << column + " = ?";
            params << value;
        } else {
            criteria << column + "  LIKE  ?";
            params << value.left(2).toLower() + '%';
        }
    }
    const QString filtered =
        base + (base.toUpper().contains("WHERE") ? " AND " : " WHERE ") + criteria.join("  AND ");
    const Recordset found = db.query(filtered, params);
    ASSERT_GE(found.recordCount(), 1) << filtered.toStdString();
    for (const auto &[element, value] : fc.chosenRow)
        EXPECT_EQ(found.valueAt(0, element).toString(), value);
}

INSTANTIATE_TEST_SUITE_P(ScreenKeys, FilterMetadata, ::testing::ValuesIn(kFilterCases),
                         [](const auto &info) { return std::string(info.param.key); });

TEST_F(BuiltDatabases, MetadataCoversExactlyTheScreenKeys) {
    std::set<std::string> keys;
    const Recordset rs = db.query("SELECT DISTINCT Scrn_Name FROM sys_Qury_Fltr");
    for (int r = 0; r < rs.recordCount(); ++r)
        keys.insert(rs.valueAt(r, 0).toString().toStdString());
    std::set<std::string> expected;
    for (const FilterCase &fc : kFilterCases)
        expected.insert(fc.key);
    EXPECT_EQ(keys, expected);
}

// ---------------------------------------------------------------------------
// Relationships: a referenced row stays; once unreferenced it can go.

struct Relation {
    const char *name;
    const char *parent;         // inserts the parent row, key 99
    const char *child;          // inserts one row that refers to it
    const char *deleteParent;
    const char *deleteChild;
};

// Rows with key 1 stand by for the other references of a child row.
const char *const kStandBy[] = {
    "INSERT INTO Dept_Mast (Sys_Dept_Num, Dept_Desc) VALUES (1, 'Accounts')",
    "INSERT INTO Desg_Mast (Sys_Desg_Num, Desg_Name) VALUES (1, 'Clerk')",
    "INSERT INTO Emp_Mast (Sys_Emp_Num, Emp_Num, Emp_Name, Sys_Desg_Num, Sys_Dept_Num, Emp_Shrt_Name) "
    "VALUES (1, 'E001', 'ONE', 1, 1, 'ONE')",
    "INSERT INTO Emp_Spvr_Mapg_Hdr (Sys_Mapg_Num, Sys_Emp_Num) VALUES (1, 1)",
    "INSERT INTO Holday_List_Hdr (Sys_Holday_List_Num, Fincl_Year) VALUES (1, 2026)",
    "INSERT INTO Actvty_Mast (Sys_Actvty_Num, Entry_Date, Actvty_Desc) VALUES (1, '2026-04-01', 'Audit')",
    "INSERT INTO Actvty_Mast_Det (Sys_Actvty_Num, Sys_Actvty_Line_Num, Sys_Dept_Num, Sys_Emp_Num, Start_Date, "
    "End_Date, Sys_Const_Num) VALUES (1, 1, 1, 1, '2026-04-01', '2026-06-30', 16)",
};

#define EMP_99 \
    "INSERT INTO Emp_Mast (Sys_Emp_Num, Emp_Num, Emp_Name, Sys_Desg_Num, Sys_Dept_Num, Emp_Shrt_Name) "
#define LINE_99                                                                                          \
    "INSERT INTO Actvty_Mast_Det (Sys_Actvty_Num, Sys_Actvty_Line_Num, Sys_Dept_Num, Sys_Emp_Num, Start_Date, " \
    "End_Date, Sys_Const_Num) "

const Relation kRelations[] = {
    {"EmployeeRefersToDepartment", "INSERT INTO Dept_Mast (Sys_Dept_Num, Dept_Desc) VALUES (99, 'Stores')",
     EMP_99 "VALUES (99, 'E099', 'NINETY', 1, 99, 'NINETY')", "DELETE FROM Dept_Mast WHERE Sys_Dept_Num = 99",
     "DELETE FROM Emp_Mast WHERE Sys_Emp_Num = 99"},
    {"EmployeeRefersToDesignation", "INSERT INTO Desg_Mast (Sys_Desg_Num, Desg_Name) VALUES (99, 'Driver')",
     EMP_99 "VALUES (99, 'E099', 'NINETY', 99, 1, 'NINETY')", "DELETE FROM Desg_Mast WHERE Sys_Desg_Num = 99",
     "DELETE FROM Emp_Mast WHERE Sys_Emp_Num = 99"},
    {"ActivityLineRefersToDepartment", "INSERT INTO Dept_Mast (Sys_Dept_Num, Dept_Desc) VALUES (99, 'Stores')",
     LINE_99 "VALUES (1, 99, 99, 1, '2026-07-01', '2026-07-31', 16)",
     "DELETE FROM Dept_Mast WHERE Sys_Dept_Num = 99", "DELETE FROM Actvty_Mast_Det WHERE Sys_Actvty_Line_Num = 99"},
    {"ActivityLineRefersToEmployee", EMP_99 "VALUES (99, 'E099', 'NINETY', 1, 1, 'NINETY')",
     LINE_99 "VALUES (1, 99, 1, 99, '2026-07-01', '2026-07-31', 16)",
     "DELETE FROM Emp_Mast WHERE Sys_Emp_Num = 99", "DELETE FROM Actvty_Mast_Det WHERE Sys_Actvty_Line_Num = 99"},
    {"MappingRefersToManager", EMP_99 "VALUES (99, 'E099', 'NINETY', 1, 1, 'NINETY')",
     "INSERT INTO Emp_Spvr_Mapg_Hdr (Sys_Mapg_Num, Sys_Emp_Num) VALUES (99, 99)",
     "DELETE FROM Emp_Mast WHERE Sys_Emp_Num = 99", "DELETE FROM Emp_Spvr_Mapg_Hdr WHERE Sys_Mapg_Num = 99"},
    {"MappingLineRefersToEmployee", EMP_99 "VALUES (99, 'E099', 'NINETY', 1, 1, 'NINETY')",
     "INSERT INTO Emp_Spvr_Mapg_Det (Sys_Mapg_Num, Sys_Mapg_Line_Num, Sys_Emp_Num) VALUES (1, 99, 99)",
     "DELETE FROM Emp_Mast WHERE Sys_Emp_Num = 99", "DELETE FROM Emp_Spvr_Mapg_Det WHERE Sys_Mapg_Line_Num = 99"},
    {"MappingLineRefersToMapping", "INSERT INTO Emp_Spvr_Mapg_Hdr (Sys_Mapg_Num, Sys_Emp_Num) VALUES (99, 1)",
     "INSERT INTO Emp_Spvr_Mapg_Det (Sys_Mapg_Num, Sys_Mapg_Line_Num, Sys_Emp_Num) VALUES (99, 99, 1)",
     "DELETE FROM Emp_Spvr_Mapg_Hdr WHERE Sys_Mapg_Num = 99",
     "DELETE FROM Emp_Spvr_Mapg_Det WHERE Sys_Mapg_Line_Num = 99"},
    {"ScheduleEntryRefersToEmployee", EMP_99 "VALUES (99, 'E099', 'NINETY', 1, 1, 'NINETY')",
     "INSERT INTO Statry_Cmpltd_Entry (Sys_Entry_Num, Sys_Actvty_Num, Sys_Actvty_Line_Num, Sys_Emp_Num, "
     "Expctd_Date) VALUES (99, 1, 1, 99, '2026-04-02')",
     "DELETE FROM Emp_Mast WHERE Sys_Emp_Num = 99", "DELETE FROM Statry_Cmpltd_Entry WHERE Sys_Entry_Num = 99"},
    {"MonthlyAllocationRefersToEmployee", EMP_99 "VALUES (99, 'E099', 'NINETY', 1, 1, 'NINETY')",
     "INSERT INTO actvty_mnth_hdr (Sys_Afm_Num, Sys_Const_Num, Sys_Emp_Num, yr) VALUES (99, 4, 99, 2026)",
     "DELETE FROM Emp_Mast WHERE Sys_Emp_Num = 99", "DELETE FROM actvty_mnth_hdr WHERE Sys_Afm_Num = 99"},
    {"TargetAllotmentRefersToEmployee", EMP_99 "VALUES (99, 'E099', 'NINETY', 1, 1, 'NINETY')",
     "INSERT INTO actvty_target_hdr (Sys_Awt_Num, Sys_Emp_Num) VALUES (99, 99)",
     "DELETE FROM Emp_Mast WHERE Sys_Emp_Num = 99", "DELETE FROM actvty_target_hdr WHERE Sys_Awt_Num = 99"},
    {"HolidayRefersToList", "INSERT INTO Holday_List_Hdr (Sys_Holday_List_Num, Fincl_Year) VALUES (99, 2027)",
     "INSERT INTO Holday_List_Det (Sys_Holday_List_Num, Sys_Holday_List_Line_Num, Holday_Date, Holday_Desc) "
     "VALUES (99, 99, '2027-01-26', 'Republic Day')",
     "DELETE FROM Holday_List_Hdr WHERE Sys_Holday_List_Num = 99",
     "DELETE FROM Holday_List_Det WHERE Sys_Holday_List_Line_Num = 99"},
    {"ActivityLineRefersToActivity",
     "INSERT INTO Actvty_Mast (Sys_Actvty_Num, Entry_Date, Actvty_Desc) VALUES (99, '2026-04-01', 'Stock count')",
     LINE_99 "VALUES (99, 99, 1, 1, '2026-07-01', '2026-07-31', 16)",
     "DELETE FROM Actvty_Mast WHERE Sys_Actvty_Num = 99",
     "DELETE FROM Actvty_Mast_Det WHERE Sys_Actvty_Line_Num = 99"},
    {"RuleRowRefersToLine", LINE_99 "VALUES (1, 99, 1, 1, '2026-07-01', '2026-07-31', 16)",
     "INSERT INTO Actvty_Mast_Freq (Sys_Actvty_Num, Sys_Actvty_Line_Num, DOW) VALUES (1, 99, 2)",
     "DELETE FROM Actvty_Mast_Det WHERE Sys_Actvty_Line_Num = 99",
     "DELETE FROM Actvty_Mast_Freq WHERE Sys_Actvty_Line_Num = 99"},
    {"ScheduleEntryRefersToLine", LINE_99 "VALUES (1, 99, 1, 1, '2026-07-01', '2026-07-31', 16)",
     "INSERT INTO Statry_Cmpltd_Entry (Sys_Entry_Num, Sys_Actvty_Num, Sys_Actvty_Line_Num, Sys_Emp_Num, "
     "Expctd_Date) VALUES (99, 1, 99, 1, '2026-07-01')",
     "DELETE FROM Actvty_Mast_Det WHERE Sys_Actvty_Line_Num = 99",
     "DELETE FROM Statry_Cmpltd_Entry WHERE Sys_Entry_Num = 99"},
};
#undef EMP_99
#undef LINE_99

void PrintTo(const Relation &rel, std::ostream *os) { *os << rel.name; }

class Relationships : public BuiltDatabases, public ::testing::WithParamInterface<Relation> {};

TEST_P(Relationships, ReferencedRowCannotBeDeletedUnreferencedCan) {
    const Relation &rel = GetParam();
    for (const char *sql : kStandBy)
        db.execute(QString::fromLatin1(sql));
    db.execute(QString::fromLatin1(rel.parent));
    db.execute(QString::fromLatin1(rel.child));

    try {
        db.execute(QString::fromLatin1(rel.deleteParent));
        FAIL() << "the referenced row was deleted";
    } catch (const DbError &e) {
        EXPECT_EQ(e.number(), zv::db::err::RelatedRows) << e.description().toStdString();
    }
    EXPECT_EQ(db.execute(QString::fromLatin1(rel.deleteChild)), 1);
    EXPECT_EQ(db.execute(QString::fromLatin1(rel.deleteParent)), 1);
}

INSTANTIATE_TEST_SUITE_P(Schema, Relationships, ::testing::ValuesIn(kRelations),
                         [](const auto &info) { return std::string(info.param.name); });

// An activity goes in the order the activity master deletes it: entries,
// rules, lines, header.
TEST_F(BuiltDatabases, ActivityDeletesInTheFormsOrder) {
    for (const char *sql : kStandBy)
        db.execute(QString::fromLatin1(sql));
    db.execute("INSERT INTO Actvty_Mast_Freq (Sys_Actvty_Num, Sys_Actvty_Line_Num, DOW) VALUES (1, 1, 2)");
    db.execute("INSERT INTO Statry_Cmpltd_Entry (Sys_Actvty_Num, Sys_Actvty_Line_Num, Sys_Emp_Num, Expctd_Date) "
               "VALUES (1, 1, 1, '2026-04-07')");
    for (const char *table : {"Statry_Cmpltd_Entry", "actvty_mast_Freq", "actvty_mast_det", "actvty_mast"})
        EXPECT_EQ(db.execute(QString("DELETE FROM %1 WHERE SYS_ACTVTY_NUM = 1").arg(table)), 1) << table;
}

// ---------------------------------------------------------------------------
// Text, defaults and dates

TEST_F(BuiltDatabases, TextComparesWithoutRegardToCaseButPasswordsDoNot) {
    for (const char *sql : kStandBy)
        db.execute(QString::fromLatin1(sql));
    db.execute("INSERT INTO Dept_Mast (Dept_Desc) VALUES ('accounts payable')");
    db.execute("UPDATE Emp_Mast SET Pswd = 'XyZw' WHERE Sys_Emp_Num = 1");

    struct Case {
        const char *sql;
        QVariantList params;
        qint64 expected;
    };
    const Case cases[] = {
        {"SELECT COUNT(*) FROM Dept_Mast WHERE Dept_Desc = ?", {"ACCOUNTS"}, 1},
        {"SELECT COUNT(*) FROM Dept_Mast WHERE Dept_Desc LIKE ?", {"ACC%"}, 2},
        {"SELECT COUNT(*) FROM Emp_Mast WHERE Emp_Shrt_Name = ?", {"one"}, 1},
        {"SELECT COUNT(*) FROM Err_Msg WHERE Err_Code = ?", {"zve007"}, 1},
        {"SELECT COUNT(*) FROM Sys_Const WHERE Scrn_Const_Desc = ?", {"MARCH"}, 1},
        {"SELECT COUNT(*) FROM Emp_Mast WHERE Pswd = ?", {"xyzw"}, 0},
        {"SELECT COUNT(*) FROM Emp_Mast WHERE Pswd = ?", {"XyZw"}, 1},
    };
    for (const Case &c : cases)
        EXPECT_EQ(count(c.sql, c.params), c.expected) << c.sql << " " << c.params.value(0).toString().toStdString();

    // Lists sort the way they are read, not capitals first.
    db.execute("INSERT INTO Dept_Mast (Dept_Desc) VALUES ('cash'), ('Bills')");
    const Recordset sorted = db.query("SELECT Dept_Desc FROM Dept_Mast ORDER BY Dept_Desc");
    QStringList order;
    for (int r = 0; r < sorted.recordCount(); ++r)
        order << sorted.valueAt(r, 0).toString();
    EXPECT_EQ(order, QStringList({"Accounts", "accounts payable", "Bills", "cash"}));
}

TEST_F(BuiltDatabases, ColumnsTheFormsLeaveOutTakeTheirDefaults) {
    for (const char *sql : kStandBy)
        db.execute(QString::fromLatin1(sql));
    db.execute("INSERT INTO Dept_Mast (Dept_Desc) VALUES ('Stores')");
    EXPECT_EQ(db.scalar("SELECT Edit_Allow FROM Dept_Mast WHERE Dept_Desc = 'Stores'").toInt(), 0);
    db.execute("INSERT INTO Actvty_Mast_Det (Sys_Actvty_Num,Sys_Dept_Num,Sys_Emp_Num,Start_Date,End_Date,"
               "Sys_Const_Num) VALUES (1, 1, 1, '2026-07-01', '2026-07-31', 14)");
    const qint64 line = db.lastInsertId();
    EXPECT_EQ(db.scalar("SELECT Assign_By FROM Actvty_Mast_Det WHERE Sys_Actvty_Line_Num = ?", {line}).toInt(), 0);
    EXPECT_TRUE(db.scalar("SELECT Last_Gnrtd_Date FROM Actvty_Mast_Det WHERE Sys_Actvty_Line_Num = ?", {line})
                    .isNull());
    db.execute("INSERT INTO Actvty_Mast_Freq (Sys_Actvty_Num,Sys_Actvty_Line_Num,DOW) VALUES (1, ?, 4)", {line});
    const Recordset rule = db.query("SELECT Mnth, Dow, Days FROM Actvty_Mast_Freq WHERE Sys_Actvty_Line_Num = ?",
                                    {line});
    ASSERT_EQ(rule.recordCount(), 1);
    EXPECT_EQ(rule.valueAt(0, 0).toInt(), 0);
    EXPECT_EQ(rule.valueAt(0, 1).toInt(), 4);
    EXPECT_EQ(rule.valueAt(0, 2).toInt(), 0);
}

TEST_F(BuiltDatabases, DateColumnsHoldIsoDatesOnly) {
    for (const char *sql : kStandBy)
        db.execute(QString::fromLatin1(sql));
    const char *const bad[] = {"10-Dec-2026", "2026-12-10 10:00:00", "2026-02-30", "2026-1-5", ""};
    for (const char *value : bad)
        EXPECT_THROW(db.execute("INSERT INTO Holday_List_Det (Sys_Holday_List_Num, Holday_Date, Holday_Desc) "
                                "VALUES (1, ?, 'x')",
                                {QString::fromLatin1(value)}),
                     DbError)
            << value;
    EXPECT_EQ(db.execute("INSERT INTO Holday_List_Det (Sys_Holday_List_Num, Holday_Date, Holday_Desc) "
                         "VALUES (1, ?, 'Christmas')",
                         {QString("2026-12-25")}),
              1);
    // ISO text sorts and compares as dates do.
    EXPECT_EQ(count("SELECT COUNT(*) FROM Parm WHERE ? BETWEEN Start_Period AND End_Period", {"2026-12-25"}), 1);
}

} // namespace
