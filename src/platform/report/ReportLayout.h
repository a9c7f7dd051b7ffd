#pragma once
#include <QByteArray>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QString>
#include <QVector>
#include <Qt>

namespace zv::report {

// A formula field of a report: its name and its formula text. The formula
// language is small: an empty text, or one text literal in double quotes
// with a quote inside written twice ("Sales ""A"" team").
struct FormulaField {
    QString name;
    QString text;
};

// One line of the report header or footer. Text may name formula values as
// {@Name}. Styles: "company", "title", "subtitle", "normal".
struct Band {
    QString text;
    QString style;
};

// A detail column bound to a field of the data. The caption may name formula
// values as {@Name}. Formats: "text", "date" (ISO date shown dd-MMM-yyyy),
// "number", "flag" (1 shown as "Yes", anything else blank).
struct Column {
    QString field;
    QString caption;
    double widthMm = 20;
    QString format;
    Qt::Alignment align = Qt::AlignLeft;
};

// Rows are grouped by a field; the caption names fields of the group's first
// row as {Field}.
struct Group {
    QString field;
    QString caption;
    QString format;
};

// A total printed at the end of each group and of the report. Functions:
// "count" (rows), "count-filled" (rows whose field is neither Null nor
// empty), "sum" (of a numeric field).
struct Total {
    QString function;
    QString field;
    QString label;
};

// The layout held in a report file: the project's own JSON format, checked
// when it is read. docs/REPORTS.md describes the format.
struct ReportLayout {
    QString title;
    QPageSize::PageSizeId pageSize = QPageSize::A4;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QMarginsF marginsMm{12, 12, 12, 12};
    QString fontFamily;
    double fontSize = 8;
    QVector<FormulaField> formulas;
    QVector<Band> reportHeader;
    QVector<Band> reportFooter;
    QVector<Column> columns;
    QVector<Group> groups;
    QVector<Total> totals;

    // Throws ReportError: 53 for a missing file, BadLayout for anything unreadable.
    static ReportLayout load(const QString &path);
    static ReportLayout fromJson(const QByteArray &json);
};

} // namespace zv::report
