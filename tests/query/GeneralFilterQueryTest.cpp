#include "QueryFixture.h"
#include "query/GeneralFilterQuery.h"

using namespace zv::query;

TEST(GeneralFilterQuery, CriteriaAreBoundAndJoinedByKind) {
    struct Case {
        const char *what;
        QList<CriterionInput> inputs;
        QString sql;
        QVariantList params;
    };
    const QDate noPick = noDate();
    const std::vector<Case> cases = {
        {"nothing typed", {{"T", "a", "", {}}, {"T", "b", "   ", {}}, {"DT", "d", "", noPick}}, "", {}},
        {"text trimmed, begins with; a quote is just a character",
         {{"T", "em.Emp_Name", "  O'Bri ", {}}},
         "em.Emp_Name  LIKE  ? ESCAPE '\\'  ",
         {"O'Bri%"}},
        {"two text criteria",
         {{"T", "a", "x", {}}, {"TFT", "b", "y", {}}},
         "a  LIKE  ? ESCAPE '\\'  AND b  LIKE  ? ESCAPE '\\'  ",
         {"x%", "y%"}},
        {"wildcards typed are matched literally", {{"T", "a", "50%_\\", {}}}, "a  LIKE  ? ESCAPE '\\'  ",
         {"50\\%\\_\\\\%"}},
        {"picked date compares the ISO day", {{"DT", "Entry_Date", "", QDate(2004, 3, 5)}},
         "date(Entry_Date) = ?  ", {"2004-03-05"}},
        {"typed date", {{"TF", "Holday_Date", " 05-mar-2004", {}}}, "date(Holday_Date) = ?  ", {"2004-03-05"}},
        {"typed date with blanks", {{"TF", "d", "5 Mar 2004", {}}}, "date(d) = ?  ", {"2004-03-05"}},
        {"unknown kind adds nothing", {{"X", "a", "x", {}}}, "", {}},
    };
    for (const Case &c : cases) {
        const BoundSql b = buildCriteria(c.inputs);
        EXPECT_EQ(b.text, c.sql) << c.what;
        EXPECT_EQ(b.params, c.params) << c.what;
    }
}

TEST(GeneralFilterQuery, TypedTextThatIsNoDateIsRefused) {
    for (const QString &bad : {QStringLiteral("   "), QStringLiteral("31-Feb-2004"), QStringLiteral("tomorrow")})
        EXPECT_THROW(buildCriteria({{"TF", "d", bad, {}}}), FilterError) << bad.toStdString();
}

TEST(GeneralFilterQuery, FinalStatementJoinsCriteriaToTheCallersCondition) {
    const BoundSql crit{QStringLiteral("a  LIKE  ? ESCAPE '\\'  "), {QStringLiteral("x%")}};
    const QString base = QStringLiteral("SELECT Distinct a  AS [A] FROM T   ");

    BoundSql s = buildFinalStatement(base, QString(), crit, QString(), false);
    EXPECT_EQ(s.text, base + " WHERE " + crit.text);
    s = buildFinalStatement(base + "where 1=1", "where 1=1", crit, " ORDER BY a", true);
    EXPECT_EQ(s.text, base + "where 1=1 AND " + crit.text + " ORDER BY a AND " + crit.text);
    EXPECT_EQ(s.params.size(), 2);
    // Only the condition's own WHERE counts, not a column that holds the word.
    s = buildFinalStatement("SELECT Distinct Somewhere  AS [Nowhere] FROM T   ", QString(), crit, QString(), false);
    EXPECT_TRUE(s.text.contains(" WHERE a  LIKE"));
    s = buildFinalStatement(base, QString(), BoundSql{}, " ORDER BY a", true);
    EXPECT_EQ(s.text, base + " ORDER BY a");
    EXPECT_TRUE(s.params.isEmpty());
}

class GeneralFilterMetadata : public QueryFixture {};

TEST_F(GeneralFilterMetadata, EveryScreenKeyMakesAStatementTheDatabaseRuns) {
    struct Key {
        const char *key;
        const char *join;
        const char *from;
        int rows;
    };
    const Key keys[] = {
        {"EMP", "where em.Sys_Desg_Num=dm.Sys_Desg_Num AND dp.Sys_Dept_Num = em.Sys_Dept_Num",
         "Emp_Mast em ,Desg_Mast dm ,Dept_Mast dp ", 5},
        {"F011", "", "Dept_Mast ", 3},
        {"F012", "", "Desg_Mast ", 2},
        {"HOLDAY", "", "Holday_List_Hdr ", 2},
        {"MNGREMP", " WHERE HD.Sys_Emp_Num = EM.Sys_Emp_Num AND EM.Sys_Desg_Num = DM.Sys_Desg_Num ",
         "Emp_Mast EM ,Desg_Mast DM ,Emp_Spvr_Mapg_Hdr HD ", 1},
        {"ACTMASTAS", "", "Actvty_Mast ", 3},
        {"PROJ", "", "Cmpny_Mast ", 1},
    };
    auto &conn = modCommon::MainConnection();
    for (const Key &k : keys) {
        const auto rows = readQueryFields(conn, QStringLiteral(" %1 ").arg(QLatin1String(k.key)));
        const auto grid = readGridColumns(conn, QLatin1String(k.key));
        ASSERT_FALSE(rows.isEmpty()) << k.key;
        EXPECT_GE(grid.size(), rows.size()) << k.key;
        EXPECT_EQ(buildFromList(rows), QLatin1String(k.from)) << k.key;
        const QString base = buildBaseStatement(buildSelectList(rows), buildFromList(rows), QLatin1String(k.join));
        const auto rs = conn.query(base);
        EXPECT_EQ(rs.recordCount(), k.rows) << k.key;
        EXPECT_EQ(rs.fieldCount(), rows.size()) << k.key;
        for (int i = 0; i < rows.size(); ++i)
            EXPECT_EQ(rs.fieldNames().at(i), rows.at(i).dispName) << k.key;
    }
}
