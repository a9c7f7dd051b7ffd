#pragma once
#include "ReportLayout.h"
#include "platform/db/Recordset.h"
#include <QImage>
#include <QPageLayout>
#include <QString>
#include <QTextDocument>
#include <memory>

class QPagedPaintDevice;
class QPainter;

namespace zv::report {

// An opened report file: its layout, the formula texts as they stand now
// (the file's, until a caller sets them), the data it is given, and the
// rendering of the two.
//
// The body (report header, group headers, detail lines, group totals,
// report totals, report footer) is one QTextDocument laid out in pages; the
// page header (column captions) and the page footer (print date, page
// numbers) are painted around each page. Document units are pixels at 96 dpi.
class Report {
public:
    // Throws ReportError (53 missing, BadLayout unreadable).
    static std::unique_ptr<Report> open(const QString &path);

    const ReportLayout &layout() const { return m_layout; }
    const QString &path() const { return m_path; }

    // Formula fields by position, 1 to formulaFieldCount().
    int formulaFieldCount() const { return m_formulas.size(); }
    QString formulaFieldName(int index) const;
    QString formulaText(int index) const;
    // Throws 9 for a position beyond the fields.
    void setFormulaText(int index, const QString &text);
    // Position of the field named name, letter case ignored; 0 when none.
    int formulaIndex(const QString &name) const;
    // The field's value: its formula text evaluated. Throws FormulaError.
    QString formulaValue(const QString &name) const;

    // A value as a formula text: between double quotes, a quote inside doubled.
    static QString quoted(const QString &value);
    // The value of a formula text; throws FormulaError when it is not one
    // text literal (or empty).
    static QString evaluate(const QString &formulaText);

    // The rows to print; throws FieldMissing when a column, group or total
    // names a field the data lacks. Only the rows are read (the caller's
    // cursor is not moved).
    void setDataSource(const zv::db::Recordset &rows);
    const zv::db::Recordset &data() const { return m_data; }

    // Lays the report out on its own page (or on paperMm, when given).
    // Throws FormulaError when a formula the layout shows cannot be evaluated.
    void render();
    void render(QSizeF paperMm, QPageLayout::Orientation orientation);

    // Rendered results (render() first).
    QTextDocument *document() const { return m_doc.get(); }
    QString documentText() const { return m_doc ? m_doc->toPlainText() : QString(); }
    QString pageHeaderText() const;
    int pageCount() const { return m_doc ? m_doc->pageCount() : 0; }

    // The report's own page: size, orientation, no margins (the report keeps its own).
    QPageLayout pageLayout() const;

    // Paints every page on the device, laid out on the device's paper.
    void print(QPagedPaintDevice *device);
    // Writes a PDF file; throws ExportFailed.
    void exportPdf(const QString &path);

private:
    Report() = default;
    QString expand(const QString &tmpl) const;              // {@Name}
    QString expandRow(const QString &tmpl, int row, const QString &format) const;   // {Field}
    QString cellText(const QVariant &v, const QString &format) const;
    QFont font(const QString &style = QString()) const;
    void buildDocument();
    void paintPage(QPainter &p, int page, int pages) const;

    ReportLayout m_layout;
    QString m_path;
    QVector<FormulaField> m_formulas;
    zv::db::Recordset m_data;
    std::unique_ptr<QTextDocument> m_doc;
    QImage m_device;              // 96 dpi: fixes the document's units
    QSizeF m_paperPx;
    QSizeF m_bodyPx;
    double m_pageHeaderPx = 0;
    // Where the first page's column captions go, under the report header (-1: at the top).
    double m_firstCaptionsY = -1;
    double m_pageFooterPx = 0;
    QStringList m_captions;
    QVector<double> m_columnX;     // left edge of each column
    QVector<double> m_columnW;
};

} // namespace zv::report
