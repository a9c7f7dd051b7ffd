#include "ErrorText.h"
#include <QStringList>

namespace zv::db {

DbError failureOf(const std::exception &e) {
    if (const auto *db = dynamic_cast<const DbError *>(&e))
        return *db;
    return DbError(err::GeneralFailure, QString::fromLocal8Bit(e.what()), QStringLiteral("zv"));
}

QString inUseText(const QString &subject) {
    return subject + QStringLiteral(" is in use by another program. Please try again when it is closed.");
}

namespace {
long numberOf(const std::exception &e) {
    const auto *db = dynamic_cast<const DbError *>(&e);
    return db ? db->number() : 0;
}
} // namespace

bool isInUse(const std::exception &e) { return numberOf(e) == err::DatabaseInUse; }

bool isDamage(const std::exception &e) {
    const long n = numberOf(e);
    return n == err::GeneralFailure || n == err::TableMissing || n == err::ColumnMissing;
}

QString errorText(const std::exception &e, ErrorLayout layout, const QString &where) {
    const DbError f = failureOf(e);
    if (f.number() == err::DatabaseInUse)
        return inUseText(kInUseSubject);
    const QString number = QString::number(f.number());
    QStringList lines;
    QString lineEnd = QStringLiteral("\r");
    switch (layout) {
    case ErrorLayout::Standard:
        lines = {QStringLiteral("Error Number is ") + number, QStringLiteral("Error Description is    ") + f.description(),
                 f.source(), QStringLiteral("Contact System Administrator")};
        break;
    case ErrorLayout::NumberColon:
        lines = {QStringLiteral("Error Number: ") + number, f.description()};
        lineEnd = QStringLiteral("\r\n");
        break;
    case ErrorLayout::NumberFirst:
        lines = {number, f.description()};
        break;
    case ErrorLayout::NumberFirstLf:
        lines = {number, f.description()};
        lineEnd = QStringLiteral("\n");
        break;
    case ErrorLayout::Labelled:
        lines = {QStringLiteral("Error Number - ") + number, QStringLiteral("Error Description -") + f.description(),
                 QStringLiteral("Error Source - ") + f.source()};
        lineEnd = QStringLiteral("\r\n");
        break;
    case ErrorLayout::DescriptionFirst:
        lines = {f.description(), number};
        break;
    case ErrorLayout::Description:
        lines = {f.description()};
        break;
    }
    if (!where.isEmpty())
        lines << where;
    return lines.join(lineEnd);
}

} // namespace zv::db
