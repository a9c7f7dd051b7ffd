#include "GeneralFilterQuery.h"
#include "platform/db/Connection.h"
#include "platform/db/Dates.h"
#include <QLocale>
#include <QRegularExpression>

namespace zv::query {

namespace {
int intOf(const zv::db::Recordset &rs, const char *field) { return rs.value(QLatin1String(field)).toInt(); }
QString textOf(const zv::db::Recordset &rs, const char *field) { return rs.text(QLatin1String(field)); }

// LIKE pattern for "begins with": the typed text matches itself only.
QString beginsWithPattern(const QString &text) {
    QString p;
    p.reserve(text.size() + 2);
    for (QChar c : text) {
        if (c == u'\\' || c == u'%' || c == u'_')
            p += u'\\';
        p += c;
    }
    p += u'%';
    return p;
}
} // namespace

QList<QueryFieldRow> readQueryFields(zv::db::Connection &conn, const QString &screenKey) {
    zv::db::Recordset rs = conn.query(
        QStringLiteral("SELECT Scrn_Name, Scrn_Capn, Tble_Name, Clmn_Name, Disp_Name, User_Cntrl, Capn_Top, "
                       "Capn_Left, Feld_Top, Feld_Left, Feld_Widt, Clmn_Ordr, Data_Type, Feld_Leng "
                       "FROM sys_Qury_Fltr WHERE Scrn_Name = ? ORDER BY Clmn_Ordr"),
        {screenKey.trimmed()});
    QList<QueryFieldRow> rows;
    for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
        QueryFieldRow r;
        r.scrnName = textOf(rs, "Scrn_Name");
        r.scrnCapn = textOf(rs, "Scrn_Capn");
        r.tbleName = textOf(rs, "Tble_Name");
        r.clmnName = textOf(rs, "Clmn_Name");
        r.dispName = textOf(rs, "Disp_Name");
        r.userCntrl = textOf(rs, "User_Cntrl");
        r.capnTop = intOf(rs, "Capn_Top");
        r.capnLeft = intOf(rs, "Capn_Left");
        r.feldTop = intOf(rs, "Feld_Top");
        r.feldLeft = intOf(rs, "Feld_Left");
        r.feldWidt = intOf(rs, "Feld_Widt");
        r.clmnOrdr = intOf(rs, "Clmn_Ordr");
        r.dataType = textOf(rs, "Data_Type");
        r.feldLeng = intOf(rs, "Feld_Leng");
        rows << r;
    }
    return rows;
}

QList<GridColumnRow> readGridColumns(zv::db::Connection &conn, const QString &screenKey) {
    zv::db::Recordset rs = conn.query(
        QStringLiteral("SELECT Feld_Name, User_Cntrl, Clmn_Capn, Clmn_Ordr, Clmn_Size, Data_Type, VIsible "
                       "FROM sys_grid_fltr WHERE Scrn_Name = ? ORDER BY Clmn_Ordr"),
        {screenKey.trimmed()});
    QList<GridColumnRow> rows;
    for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
        GridColumnRow r;
        r.feldName = textOf(rs, "Feld_Name");
        r.userCntrl = textOf(rs, "User_Cntrl");
        r.clmnCapn = textOf(rs, "Clmn_Capn");
        r.clmnOrdr = intOf(rs, "Clmn_Ordr");
        r.clmnSize = rs.value(QStringLiteral("Clmn_Size")).toDouble();
        r.dataType = textOf(rs, "Data_Type");
        r.visible = intOf(rs, "VIsible");
        rows << r;
    }
    return rows;
}

QStringList readShownColumnTypes(zv::db::Connection &conn, const QString &screenKey) {
    QStringList types;
    for (const GridColumnRow &r : readGridColumns(conn, screenKey))
        if (r.visible == 0)
            types << r.dataType.trimmed().toUpper();
    return types;
}

std::shared_ptr<zv::db::Recordset> readFilterRows(zv::db::Connection &conn, const BoundSql &statement) {
    return std::make_shared<zv::db::Recordset>(conn.query(statement));
}

QString buildFromList(const QList<QueryFieldRow> &rows) {
    QStringList seen;
    QString from;
    for (const QueryFieldRow &r : rows) {
        const QString table = r.tbleName.trimmed();
        if (table.isEmpty() || seen.contains(table, Qt::CaseInsensitive))
            continue;
        seen << table;
        from += table + QStringLiteral(" ,");
    }
    from.chop(1);
    return from;
}

QString buildSelectList(const QList<QueryFieldRow> &rows) {
    QString list;
    for (const QueryFieldRow &r : rows)
        list += r.clmnName + QStringLiteral("  AS [") + r.dispName + QStringLiteral("],");
    list.chop(1);
    return list;
}

QString buildBaseStatement(const QString &selectList, const QString &fromList, const QString &joinCondition) {
    return QStringLiteral("SELECT Distinct ") + selectList + QStringLiteral(" FROM ") + fromList +
           QStringLiteral("  ") + joinCondition;
}

QDate parseTypedDate(const QString &text) {
    const QString t = text.trimmed();
    if (t.isEmpty())
        return {};
    QDate d = zv::db::fromIsoDate(t);
    if (d.isValid())
        return d;
    // Day, month (name or number) and year, separated by "-", "/", "." or blanks.
    static const QRegularExpression parts(
        QStringLiteral("^(\\d{1,2})\\s*[-/. ]?\\s*([A-Za-z]{3,9}|\\d{1,2})\\s*[-/. ]?\\s*(\\d{4}|\\d{2})$"));
    const auto m = parts.match(t);
    if (!m.hasMatch())
        return {};
    const int day = m.captured(1).toInt();
    bool numeric = false;
    int month = m.captured(2).toInt(&numeric);
    if (!numeric)
        month = zv::db::monthFromAbbrev(m.captured(2));
    int year = m.captured(3).toInt();
    if (m.captured(3).size() == 2)
        year += 2000;
    d = QDate(year, month, day);
    return d.isValid() ? d : QDate();
}

BoundSql buildCriteria(const QList<CriterionInput> &inputs) {
    BoundSql c;
    for (const CriterionInput &in : inputs) {
        const QString kind = in.kind.trimmed().toUpper();
        if (kind == QLatin1String("DT")) {
            // What was typed into a date field but is no whole date is refused,
            // never taken for no criterion.
            if (!in.date.isValid() && !in.text.trimmed().isEmpty())
                throw FilterError(QStringLiteral("'%1' is not a valid date").arg(in.text.trimmed()));
            if (in.date.isValid() && in.date != noDate()) {
                c.text += QStringLiteral("date(") + in.column + QStringLiteral(") = ?  AND ");
                c.params << zv::db::toIsoDate(in.date);
            }
        } else if (kind == QLatin1String("TF")) {
            if (!in.text.isEmpty()) {
                const QDate d = parseTypedDate(in.text);
                if (!d.isValid())
                    throw FilterError(QStringLiteral("'%1' is not a valid date").arg(in.text.trimmed()));
                c.text += QStringLiteral("date(") + in.column + QStringLiteral(") = ?  AND ");
                c.params << zv::db::toIsoDate(d);
            }
        } else if (kind == QLatin1String("T") || kind == QLatin1String("TFT")) {
            const QString t = in.text.trimmed();
            if (!t.isEmpty()) {
                c.text += in.column + QStringLiteral("  LIKE  ? ESCAPE '\\'  AND ");
                c.params << beginsWithPattern(t);
            }
        }
    }
    if (!c.text.isEmpty())
        c.text.chop(QStringLiteral("AND ").size());
    return c;
}

BoundSql buildFinalStatement(const QString &baseStatement, const QString &joinCondition, const BoundSql &criteria,
                             const QString &appendedText, bool repeat) {
    static const QRegularExpression whereWord(QStringLiteral("\\bWHERE\\b"),
                                              QRegularExpression::CaseInsensitiveOption);
    BoundSql s;
    s.text = baseStatement;
    if (!criteria.isEmpty()) {
        s.text += joinCondition.contains(whereWord) ? QStringLiteral(" AND ") : QStringLiteral(" WHERE ");
        s.text += criteria.text + appendedText;
        s.params = criteria.params;
        if (repeat) {
            s.text += QStringLiteral(" AND ") + criteria.text;
            s.params += criteria.params;
        }
    } else {
        s.text += appendedText;
    }
    return s;
}

} // namespace zv::query
