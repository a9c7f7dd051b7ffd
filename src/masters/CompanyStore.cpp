#include "CompanyStore.h"
#include "StoreQueries.h"

namespace zv::masters {

const QString CompanyStore::table = QStringLiteral("Cmpny_Mast");

namespace {

const QString kColumns =
    QStringLiteral("Cmpny_Name,Addr_Line1,Addr_Line2,City,State,Cntry,Zip_Code,Phone_Num,Fax_Num,Wsite_Addr");

QVariantList valuesOf(const CompanyRow &r) {
    return {r.name, r.addressLine1, r.addressLine2, r.city, r.state, r.country, r.zipCode, r.phone, r.fax, r.webSite};
}

} // namespace

QString CompanyStore::probeStatement() {
    return QStringLiteral("SELECT Sys_Cmpny_Num,") + kColumns +
           QStringLiteral(",Sys_Lock_Num FROM Cmpny_Mast WHERE 1=2");
}

std::optional<CompanyRow> CompanyStore::company() {
    auto rs = m_conn.query(QStringLiteral("SELECT Sys_Cmpny_Num,") + kColumns +
                           QStringLiteral(" FROM Cmpny_Mast ORDER BY Sys_Cmpny_Num LIMIT 1"));
    if (rs.isEmpty())
        return std::nullopt;
    rs.moveFirst();
    const auto text = [&](const char *column) { return rs.text(QString::fromLatin1(column)); };
    return CompanyRow{rs.value(0).toLongLong(),
                      text("Cmpny_Name"),
                      text("Addr_Line1"),
                      text("Addr_Line2"),
                      text("City"),
                      text("State"),
                      text("Cntry"),
                      text("Zip_Code"),
                      text("Phone_Num"),
                      text("Fax_Num"),
                      text("Wsite_Addr")};
}

bool CompanyStore::exists(qint64 key) {
    return anyRow(m_conn, QStringLiteral("Cmpny_Mast WHERE Sys_Cmpny_Num = ?"), {key});
}

qint64 CompanyStore::insert(const CompanyRow &row) {
    zv::db::Transaction t(m_conn);
    m_conn.execute(QStringLiteral("INSERT INTO Cmpny_Mast (") + kColumns +
                       QStringLiteral(") VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                   valuesOf(row));
    const qint64 key = m_conn.lastInsertId();
    m_conn.execute(QStringLiteral("UPDATE Cmpny_Mast SET Sys_Lock_Num = ? WHERE Sys_Cmpny_Num = ?"), {key, key});
    t.commit();
    return key;
}

int CompanyStore::update(qint64 key, const CompanyRow &row) {
    QVariantList values = valuesOf(row);
    values << key;
    return m_conn.execute(QStringLiteral("UPDATE Cmpny_Mast SET Cmpny_Name = ?, Addr_Line1 = ?, Addr_Line2 = ?, "
                                         "City = ?, State = ?, Cntry = ?, Zip_Code = ?, Phone_Num = ?, Fax_Num = ?, "
                                         "Wsite_Addr = ? WHERE Sys_Cmpny_Num = ?"),
                          values);
}

} // namespace zv::masters
