#pragma once
#include "platform/db/DbError.h"
#include <QString>

namespace zv::report {

// Error numbers of the report layer, as the viewer's error box shows them.
namespace err {
inline constexpr long FileNotFound = 53;        // the report file is missing
inline constexpr long ObjectNotSet = 91;        // no report open
inline constexpr long SubscriptOutOfRange = 9;  // a formula field index beyond the report's fields
inline constexpr long TypeMismatch = 13;        // a value that should read as a number does not
inline constexpr long BadLayout = 20001;        // the report file is no layout we can read
inline constexpr long FormulaError = 20002;     // a formula text the report cannot evaluate
inline constexpr long FieldMissing = 20003;     // the data lacks a field the layout binds
inline constexpr long ExportFailed = 20004;     // the PDF could not be written
}

// The program's one error type (number, description, source), raised by the report layer.
class ReportError : public zv::db::DbError {
public:
    ReportError(long number, const QString &description, const QString &source = QStringLiteral("zv.report"))
        : DbError(number, description, source) {}
};

} // namespace zv::report
