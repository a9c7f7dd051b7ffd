#pragma once
#include <QString>
#include <stdexcept>

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

class ReportError : public std::runtime_error {
public:
    ReportError(long number, const QString &description, const QString &source = QStringLiteral("zv.report"))
        : std::runtime_error(description.toStdString()), m_number(number), m_description(description),
          m_source(source) {}
    long number() const { return m_number; }
    const QString &description() const { return m_description; }
    const QString &source() const { return m_source; }

private:
    long m_number;
    QString m_description;
    QString m_source;
};

} // namespace zv::report
