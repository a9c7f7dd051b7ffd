#pragma once
#include "ReportLayout.h"
#include "platform/db/Recordset.h"
#include <QFontMetricsF>
#include <QImage>
#include <QPageLayout>
#include <QString>
#include <algorithm>
#include <memory>

class QPagedPaintDevice;
class QPainter;

namespace zv::report {

// An opened report file: its layout, the formula texts as they stand now
// (the file's, until a caller sets them), the data it is given, and the
// rendering of the two.
//
// The body (report header, group headers, detail lines, group totals,
// report totals, report footer) is a list of lines broken into pages; the
// page header (column captions) and the page footer (print date, page
// numbers) are painted around each page. Units are pixels at 96 dpi.
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

    // Lays the whole report out on its own page. Throws FormulaError when a
    // formula the layout shows cannot be evaluated.
    void render();

    // The same in steps, so that a window can show the first pages while
    // later ones are still to come: beginLayout fixes the page geometry and
    // the order of the rows (and throws as render does), each layoutMore
    // places up to rows further rows on pages. Only page breaks are worked
    // out here; the text of a page is set when the page is painted.
    void beginLayout();
    void beginLayout(QSizeF paperMm, QPageLayout::Orientation orientation);
    void layoutMore(int rows);
    // Lays out until pages pages are complete, or the report is.
    void layoutUntilPages(int pages);
    void finishLayout();
    bool layoutStarted() const { return !m_pageStart.isEmpty(); }
    bool layoutComplete() const { return m_complete; }
    int rowsLaidOut() const { return m_next; }
    int rowCount() const { return m_order.size(); }

    // Rendered results. documentText lays out what is left first: the
    // report header, group captions, detail lines (cells separated by tabs),
    // totals and report footer, one line each, rules as empty lines.
    QString documentText();
    QString pageHeaderText() const;
    // Pages laid out so far: every page once the layout is complete, before
    // that the pages that are full.
    int pageCount() const { return m_complete ? m_pageStart.size() : std::max<int>(0, m_pageStart.size() - 1); }
    // The laid-out paper in document pixels (96 dpi).
    QSizeF paperSize() const { return m_paperPx; }

    // The report's own page: size, orientation, no margins (the report keeps its own).
    QPageLayout pageLayout() const;

    // Paints a page laid out (0-based) with the painter at 96 dpi and the
    // paper's top left corner at the origin. Before the layout is complete
    // the page footer gives the page number alone.
    void paintPage(QPainter &p, int page) const;
    // Paints the pages fromPage to toPage (1-based; 0 at either end for all
    // of them) on the device, laid out on the device's paper.
    void print(QPagedPaintDevice *device, int fromPage = 0, int toPage = 0);
    // Writes a PDF file of every page laid out on pageLayout's paper; throws ExportFailed.
    void exportPdf(const QString &path, const QPageLayout &pageLayout);

private:
    // One line of the body: a band, a rule, a group caption, a detail row
    // or a total, placed at y (its top, within its page).
    struct Line {
        enum Kind : quint8 { Band, Rule, GroupCaption, Detail, Total } kind;
        quint8 level = 0;   // group level; for totals, the level (the report's is the number of groups)
        int ref = 0;        // Band: index into m_bandTexts; GroupCaption, Detail: data row; Total: m_totalLines
        float y = 0;
        float height = 0;
    };
    struct TotalLine {
        int total;
        double value;
    };

    Report() = default;
    QString expand(const QString &tmpl) const;              // {@Name}
    QString expandRow(const QString &tmpl, int row, const QString &format) const;   // {Field}
    QString cellText(const QVariant &v, const QString &format) const;
    QFont font(const QString &style = QString()) const;
    QString lineText(const Line &line) const;
    QString detailText(int row, const QFontMetricsF &metrics) const;
    void place(Line line, double topMargin, double bottomMargin, double keepWith = 0);
    void placeBand(const Band &band);
    void placeRule(double topMargin, double bottomMargin);
    void placeTotals(int level);
    void addToTotals(int row);
    void endLayout();
    void invalidate();

    ReportLayout m_layout;
    QString m_path;
    QVector<FormulaField> m_formulas;
    zv::db::Recordset m_data;
    QImage m_device;              // 96 dpi: fixes the document's units
    QSizeF m_paperPx;
    QSizeF m_bodyPx;
    double m_pageHeaderPx = 0;
    // Where the first page's column captions go, under the report header (-1: at the top).
    double m_firstCaptionsY = -1;
    double m_pageFooterPx = 0;
    double m_lineHeight = 0;       // a line of the normal font
    double m_boldHeight = 0;
    QStringList m_captions;
    QVector<double> m_columnX;     // left edge of each column
    QVector<double> m_columnW;
    QVector<int> m_fieldOf;        // data field of each column
    QVector<int> m_groupField;     // data field of each group level

    // The layout: lines, where each page starts, and the state of the steps.
    QVector<Line> m_lines;
    QVector<int> m_pageStart;
    QStringList m_bandTexts;
    QVector<TotalLine> m_totalLines;
    QVector<int> m_order;          // data rows in print order
    QVector<QVector<double>> m_acc;   // running totals per group level and the report's
    int m_next = 0;                // next position in m_order
    int m_previous = -1;           // data row printed last
    double m_y = 0;                // where the next line goes on the last page
    bool m_complete = false;
};

} // namespace zv::report
