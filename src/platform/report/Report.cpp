#include "Report.h"
#include "ReportError.h"
#include "platform/clock/Clock.h"
#include "platform/db/Dates.h"
#include <QElapsedTimer>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <numeric>

namespace zv::report {

namespace {

constexpr double kDpi = 96.0;
constexpr double kCellPad = 3.0;    // pixels kept free at the right of a cell
constexpr double kRightPad = 8.0;   // the same for right-aligned cells, apart from the next column

double padOf(Qt::Alignment align) { return (align & Qt::AlignRight) ? kRightPad : kCellPad; }

double mmToPx(double mm) { return mm * kDpi / 25.4; }

QString numberText(double v) {
    if (std::fabs(v - std::round(v)) < 1e-9)
        return QString::number(static_cast<qlonglong>(std::llround(v)));
    return QString::number(v, 'f', 2);
}

// tmpl with each match of ref replaced by value(its first capture).
template <class Value> QString substitute(const QString &tmpl, const QRegularExpression &ref, Value value) {
    QString out;
    qsizetype last = 0;
    for (auto it = ref.globalMatch(tmpl); it.hasNext();) {
        const auto m = it.next();
        out += tmpl.mid(last, m.capturedStart() - last);
        out += value(m.captured(1));
        last = m.capturedEnd();
    }
    out += tmpl.mid(last);
    return out;
}

} // namespace

std::unique_ptr<Report> Report::open(const QString &path) {
    std::unique_ptr<Report> r(new Report);
    r->m_layout = ReportLayout::load(path);
    r->m_path = path;
    r->m_formulas = r->m_layout.formulas;
    // Document units are fixed at 96 dpi whatever the screen.
    r->m_device = QImage(1, 1, QImage::Format_RGB32);
    r->m_device.setDotsPerMeterX(qRound(kDpi / 0.0254));
    r->m_device.setDotsPerMeterY(qRound(kDpi / 0.0254));
    return r;
}

QString Report::formulaFieldName(int index) const {
    if (index < 1 || index > m_formulas.size())
        throw ReportError(err::SubscriptOutOfRange, QStringLiteral("Subscript out of range"));
    return m_formulas.at(index - 1).name;
}

QString Report::formulaText(int index) const {
    if (index < 1 || index > m_formulas.size())
        throw ReportError(err::SubscriptOutOfRange, QStringLiteral("Subscript out of range"));
    return m_formulas.at(index - 1).text;
}

void Report::setFormulaText(int index, const QString &text) {
    if (index < 1 || index > m_formulas.size())
        throw ReportError(err::SubscriptOutOfRange,
                          QStringLiteral("Subscript out of range: the report has %1 formula fields, not %2")
                              .arg(m_formulas.size())
                              .arg(index));
    m_formulas[index - 1].text = text;
    invalidate();
}

int Report::formulaIndex(const QString &name) const {
    for (int i = 0; i < m_formulas.size(); ++i)
        if (m_formulas.at(i).name.compare(name, Qt::CaseInsensitive) == 0)
            return i + 1;
    return 0;
}

QString Report::formulaValue(const QString &name) const {
    const int i = formulaIndex(name);
    if (i == 0)
        throw ReportError(err::FormulaError, QStringLiteral("No formula field {@%1}").arg(name));
    try {
        return evaluate(m_formulas.at(i - 1).text);
    } catch (const ReportError &e) {
        throw ReportError(e.number(), QStringLiteral("Formula field {@%1}: %2").arg(m_formulas.at(i - 1).name, e.description()));
    }
}

QString Report::quoted(const QString &value) {
    QString v = value;
    v.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + v + QLatin1Char('"');
}

QString Report::evaluate(const QString &formulaText) {
    const QString t = formulaText.trimmed();
    if (t.isEmpty())
        return QString();
    auto reject = [&] {
        throw ReportError(err::FormulaError, QStringLiteral("the formula is no text literal: %1").arg(formulaText));
    };
    if (!t.startsWith(QLatin1Char('"')))
        reject();
    QString out;
    int i = 1;
    bool closed = false;
    while (i < t.size()) {
        const QChar c = t.at(i);
        if (c == QLatin1Char('"')) {
            if (i + 1 < t.size() && t.at(i + 1) == QLatin1Char('"')) {
                out += c;
                i += 2;
                continue;
            }
            closed = true;
            break;
        }
        out += c;
        ++i;
    }
    if (!closed || i != t.size() - 1)
        reject();
    return out;
}

void Report::setDataSource(const zv::db::Recordset &rows) {
    auto need = [&](const QString &field, const char *what) {
        if (rows.fieldIndex(field) < 0)
            throw ReportError(err::FieldMissing,
                              QStringLiteral("The data has no field %1 for the %2 of report %3")
                                  .arg(field, QLatin1String(what), QFileInfo(m_path).fileName()));
    };
    for (const Column &c : m_layout.columns)
        need(c.field, "column");
    static const QRegularExpression ref(QStringLiteral("\\{([^@}][^}]*)\\}"));
    for (const Group &g : m_layout.groups) {
        need(g.field, "group");
        for (auto it = ref.globalMatch(g.caption); it.hasNext();)
            need(it.next().captured(1), "group caption");
    }
    for (const Total &t : m_layout.totals)
        if (!t.field.isEmpty())
            need(t.field, "total");
    m_data = rows;
    invalidate();
}

QFont Report::font(const QString &style) const {
    QFont f;
    if (!m_layout.fontFamily.isEmpty())
        f.setFamily(m_layout.fontFamily);
    double size = m_layout.fontSize;
    if (style == QLatin1String("company")) {
        size += 5;
        f.setBold(true);
    } else if (style == QLatin1String("title")) {
        size += 3;
        f.setBold(true);
    } else if (style == QLatin1String("subtitle")) {
        size += 1;
    } else if (style == QLatin1String("bold")) {
        f.setBold(true);
    }
    f.setPointSizeF(size);
    return f;
}

QString Report::expand(const QString &tmpl) const {
    static const QRegularExpression ref(QStringLiteral("\\{@([^}]*)\\}"));
    return substitute(tmpl, ref, [this](const QString &name) { return formulaValue(name); });
}

QString Report::expandRow(const QString &tmpl, int row, const QString &format) const {
    static const QRegularExpression ref(QStringLiteral("\\{([^@}][^}]*)\\}"));
    return expand(substitute(tmpl, ref, [&](const QString &field) {
        return cellText(m_data.valueAt(row, m_data.fieldIndex(field)), format);
    }));
}

QString Report::cellText(const QVariant &v, const QString &format) const {
    if (v.isNull())
        return QString();
    if (format == QLatin1String("date"))
        return zv::db::isoToDisplay(v.toString());
    if (format == QLatin1String("number")) {
        bool ok = false;
        const double d = v.toDouble(&ok);
        return ok ? numberText(d) : v.toString();
    }
    if (format == QLatin1String("flag"))
        return v.toLongLong() == 1 ? QStringLiteral("Yes") : QString();
    return v.toString();
}

void Report::invalidate() {
    m_lines.clear();
    m_pageStart.clear();
    m_order.clear();
    m_complete = false;
    m_next = 0;
}

void Report::render() {
    beginLayout();
    finishLayout();
}

void Report::beginLayout() {
    beginLayout(QPageSize(m_layout.pageSize).size(QPageSize::Millimeter), m_layout.orientation);
}

void Report::beginLayout(QSizeF paperMm, QPageLayout::Orientation orientation) {
    invalidate();
    // Every formula is compiled, shown or not: a field the report cannot
    // evaluate stops the report before anything is shown.
    for (const FormulaField &f : std::as_const(m_formulas))
        formulaValue(f.name);

    if (orientation == QPageLayout::Landscape && paperMm.width() < paperMm.height())
        paperMm.transpose();
    if (orientation == QPageLayout::Portrait && paperMm.width() > paperMm.height())
        paperMm.transpose();
    m_paperPx = QSizeF(mmToPx(paperMm.width()), mmToPx(paperMm.height()));
    const QMarginsF &mg = m_layout.marginsMm;
    const double bodyWidth = m_paperPx.width() - mmToPx(mg.left() + mg.right());

    // Columns are narrowed together when they do not fit the paper.
    double total = 0;
    for (const Column &c : m_layout.columns)
        total += mmToPx(c.widthMm);
    const double fit = total > bodyWidth ? bodyWidth / total : 1.0;
    m_columnX.clear();
    m_columnW.clear();
    double x = 0;
    for (const Column &c : m_layout.columns) {
        m_columnX << x;
        m_columnW << mmToPx(c.widthMm) * fit;
        x += m_columnW.last();
    }

    m_captions.clear();
    for (const Column &c : m_layout.columns)
        m_captions << expand(c.caption);

    const QFontMetricsF bold(font(QStringLiteral("bold")), &m_device);
    const QFontMetricsF normal(font(), &m_device);
    m_lineHeight = normal.height();
    m_boldHeight = bold.height();
    m_pageHeaderPx = bold.height() + 8;
    m_pageFooterPx = normal.height() + 8;
    m_bodyPx = QSizeF(bodyWidth, m_paperPx.height() - mmToPx(mg.top() + mg.bottom()) - m_pageHeaderPx - m_pageFooterPx);

    m_fieldOf.clear();
    for (const Column &c : m_layout.columns)
        m_fieldOf << m_data.fieldIndex(c.field);
    m_groupField.clear();
    for (const Group &g : m_layout.groups)
        m_groupField << m_data.fieldIndex(g.field);

    // Rows in data order; grouped reports sort by their group fields first,
    // keeping the data order inside a group. Text keys are folded once.
    m_order.resize(m_data.recordCount());
    std::iota(m_order.begin(), m_order.end(), 0);
    if (!m_groupField.isEmpty()) {
        QVector<QVariant> keys(m_data.recordCount() * m_groupField.size());
        for (int r = 0; r < m_data.recordCount(); ++r)
            for (int l = 0; l < m_groupField.size(); ++l) {
                QVariant v = m_data.valueAt(r, m_groupField[l]);
                if (v.typeId() == QMetaType::QString)
                    v = v.toString().toCaseFolded();
                keys[r * m_groupField.size() + l] = v;
            }
        const int levels = m_groupField.size();
        std::stable_sort(m_order.begin(), m_order.end(), [&](int a, int b) {
            for (int l = 0; l < levels; ++l) {
                const QVariant &x = keys[a * levels + l];
                const QVariant &y = keys[b * levels + l];
                const int c = (x.typeId() == QMetaType::QString && y.typeId() == QMetaType::QString)
                                  ? QString::compare(x.toString(), y.toString(), Qt::CaseSensitive)
                                  : zv::db::compareValues(x, y);
                if (c != 0)
                    return c < 0;
            }
            return false;
        });
    }

    m_acc = QVector<QVector<double>>(m_groupField.size() + 1, QVector<double>(m_layout.totals.size(), 0.0));
    m_lines.clear();
    m_bandTexts.clear();
    m_totalLines.clear();
    m_pageStart = {0};
    m_y = 0;
    m_next = 0;
    m_previous = -1;
    m_firstCaptionsY = -1;

    for (const Band &b : std::as_const(m_layout.reportHeader))
        placeBand(b);
    if (!m_layout.reportHeader.isEmpty()) {
        // Under the rule, room for the first page's column captions: they read under the title.
        placeRule(0, 4 + m_pageHeaderPx);
        if (m_pageStart.size() == 1) {
            const Line &rule = m_lines.last();
            m_firstCaptionsY = rule.y + rule.height + 2;
        }
    }
    if (m_order.isEmpty())
        endLayout();
}

void Report::place(Line line, double topMargin, double bottomMargin, double keepWith) {
    // A line that does not fit (with the line it keeps with) opens the next page.
    if (m_y > 0 && m_y + topMargin + line.height + keepWith > m_bodyPx.height()) {
        m_pageStart << m_lines.size();
        m_y = 0;
        topMargin = 0;
    }
    line.y = float(m_y + topMargin);
    m_y = line.y + line.height + bottomMargin;
    m_lines << line;
}

void Report::placeBand(const Band &b) {
    m_bandTexts << expand(b.text);
    const QFontMetricsF fm(font(b.style), &m_device);
    const double h = std::max(fm.height(), fm.boundingRect(QRectF(0, 0, m_bodyPx.width(), 1e6),
                                                           Qt::TextWordWrap | Qt::AlignHCenter, m_bandTexts.last())
                                               .height());
    place(Line{Line::Band, 0, int(m_bandTexts.size() - 1), 0, float(h)}, 0, 2);
}

void Report::placeRule(double topMargin, double bottomMargin) {
    place(Line{Line::Rule, 0, 0, 0, float(m_lineHeight)}, topMargin, bottomMargin);
}

void Report::placeTotals(int level) {
    const int levels = m_groupField.size();
    for (int t = 0; t < m_layout.totals.size(); ++t) {
        m_totalLines << TotalLine{t, m_acc[level][t]};
        m_acc[level][t] = 0;
        place(Line{Line::Total, quint8(level), int(m_totalLines.size() - 1), 0,
                   float(level < levels ? m_lineHeight : m_boldHeight)},
              0, 0);
    }
}

void Report::addToTotals(int row) {
    for (int t = 0; t < m_layout.totals.size(); ++t) {
        const Total &tot = m_layout.totals.at(t);
        double v = 0;
        if (tot.function == QLatin1String("count")) {
            v = 1;
        } else {
            const QVariant value = m_data.valueAt(row, m_data.fieldIndex(tot.field));
            if (tot.function == QLatin1String("count-filled"))
                v = (!value.isNull() && !value.toString().isEmpty()) ? 1 : 0;
            else
                v = value.toDouble();
        }
        for (auto &level : m_acc)
            level[t] += v;
    }
}

void Report::layoutMore(int rows) {
    if (m_pageStart.isEmpty())
        throw ReportError(err::ObjectNotSet, QStringLiteral("The report's layout has not begun."));
    const int levels = m_groupField.size();
    const int end = std::min<int>(m_order.size(), m_next + std::max(1, rows));
    for (; m_next < end; ++m_next) {
        const int row = m_order[m_next];
        // The first level whose value differs from the previous row's.
        int changed = m_previous < 0 ? 0 : levels;
        for (int l = 0; m_previous >= 0 && l < levels; ++l)
            if (zv::db::compareValues(m_data.valueAt(row, m_groupField[l]), m_data.valueAt(m_previous, m_groupField[l])) != 0) {
                changed = l;
                break;
            }
        if (m_previous >= 0)
            for (int l = levels - 1; l >= changed; --l)
                placeTotals(l);
        // A group caption stays with its first line.
        for (int l = changed; l < levels; ++l)
            place(Line{Line::GroupCaption, quint8(l), row, 0, float(m_boldHeight)}, 6, 0,
                  l == levels - 1 ? m_lineHeight : m_boldHeight + 6);
        place(Line{Line::Detail, 0, row, 0, float(m_lineHeight)}, 0, 0);
        addToTotals(row);
        m_previous = row;
    }
    if (m_next >= m_order.size() && !m_complete)
        endLayout();
}

void Report::endLayout() {
    if (m_previous >= 0)
        for (int l = int(m_groupField.size()) - 1; l >= 0; --l)
            placeTotals(l);
    if (!m_layout.totals.isEmpty()) {
        placeRule(6, 0);
        placeTotals(m_groupField.size());
    }
    for (const Band &b : std::as_const(m_layout.reportFooter))
        placeBand(b);
    m_complete = true;
}

void Report::layoutUntilPages(int pages) {
    while (!m_complete && pageCount() < pages)
        layoutMore(64);
}

void Report::finishLayout() {
    if (m_pageStart.isEmpty())
        beginLayout();
    while (!m_complete)
        layoutMore(4096);
}

QString Report::detailText(int row, const QFontMetricsF &metrics) const {
    QString line;
    for (int i = 0; i < m_fieldOf.size(); ++i) {
        const Column &c = m_layout.columns.at(i);
        const QString text = cellText(m_data.valueAt(row, m_fieldOf[i]), c.format);
        // A left-aligned first column sits at the margin; every other cell at a tab.
        if (i > 0 || (c.align & (Qt::AlignRight | Qt::AlignHCenter)))
            line += QLatin1Char('\t');
        line += metrics.elidedText(text, Qt::ElideRight, m_columnW[i] - padOf(c.align));
    }
    return line;
}

QString Report::lineText(const Line &line) const {
    switch (line.kind) {
    case Line::Band:
        return m_bandTexts.at(line.ref);
    case Line::Rule:
        return QString();
    case Line::GroupCaption:
        return expandRow(m_layout.groups.at(line.level).caption, line.ref, m_layout.groups.at(line.level).format);
    case Line::Detail:
        return detailText(line.ref, QFontMetricsF(font(), &m_device));
    case Line::Total: {
        const TotalLine &t = m_totalLines.at(line.ref);
        return m_layout.totals.at(t.total).label + QStringLiteral(": ") + numberText(t.value);
    }
    }
    return QString();
}

QString Report::documentText() {
    finishLayout();
    const QFontMetricsF metrics(font(), &m_device);
    QStringList out;
    out.reserve(m_lines.size());
    for (const Line &l : std::as_const(m_lines))
        out << (l.kind == Line::Detail ? detailText(l.ref, metrics) : lineText(l));
    return out.join(QLatin1Char('\n'));
}

QString Report::pageHeaderText() const { return m_captions.join(QLatin1Char('\t')); }

QPageLayout Report::pageLayout() const {
    return QPageLayout(QPageSize(m_layout.pageSize), m_layout.orientation, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

void Report::paintPage(QPainter &p, int page) const {
    if (page < 0 || page >= pageCount())
        return;
    const QMarginsF &mg = m_layout.marginsMm;
    const double left = mmToPx(mg.left());
    const double top = mmToPx(mg.top());

    // Fonts sized in document pixels: the painter is scaled to 96 dpi.
    auto pixelFont = [&](const QString &style) {
        QFont f = font(style);
        f.setPixelSize(qRound(f.pointSizeF() * kDpi / 72.0));
        return f;
    };
    p.setPen(Qt::black);
    const QFont bold = pixelFont(QStringLiteral("bold"));
    p.setFont(bold);
    const QFontMetricsF bm(font(QStringLiteral("bold")), &m_device);
    // The first page shows its captions under the report header, the others at the top.
    const double captionsTop =
        page == 0 && m_firstCaptionsY >= 0 ? top + m_pageHeaderPx + m_firstCaptionsY : top;
    for (int i = 0; i < m_captions.size(); ++i) {
        const QRectF cell(left + m_columnX[i], captionsTop, m_columnW[i] - padOf(m_layout.columns.at(i).align),
                          bm.height());
        // A caption wider than a narrow column is set smaller before it is cut.
        const double wide = bm.horizontalAdvance(m_captions.at(i));
        QFont f = bold;
        QFontMetricsF fm = bm;
        if (wide > cell.width()) {
            QFont smaller = font(QStringLiteral("bold"));
            const double least = smaller.pointSizeF() * 0.6;
            double size = smaller.pointSizeF();
            do {
                size -= 0.25;
                smaller.setPointSizeF(size);
                fm = QFontMetricsF(smaller, &m_device);
            } while (size > least && fm.horizontalAdvance(m_captions.at(i)) > cell.width());
            f.setPixelSize(std::max(1, qRound(size * kDpi / 72.0)));
        }
        p.setFont(f);
        p.drawText(cell, int(m_layout.columns.at(i).align | Qt::AlignVCenter),
                   fm.elidedText(m_captions.at(i), Qt::ElideRight, cell.width()));
    }
    p.setFont(bold);
    const double ruleY = captionsTop + bm.height() + 3;
    p.drawLine(QPointF(left, ruleY), QPointF(left + m_bodyPx.width(), ruleY));

    // The body: the page's lines.
    p.save();
    p.translate(left, top + m_pageHeaderPx);
    p.setClipRect(QRectF(QPointF(0, 0), m_bodyPx));
    const QFont normal = pixelFont(QString());
    const QFontMetricsF nm(font(), &m_device);
    const int first = m_pageStart.at(page);
    const int end = page + 1 < m_pageStart.size() ? m_pageStart.at(page + 1) : m_lines.size();
    for (int i = first; i < end; ++i) {
        const Line &l = m_lines.at(i);
        switch (l.kind) {
        case Line::Band: {
            // Band texts are the header's, then the footer's.
            const int headers = m_layout.reportHeader.size();
            const Band &b = l.ref < headers ? m_layout.reportHeader.at(l.ref) : m_layout.reportFooter.at(l.ref - headers);
            p.setFont(pixelFont(b.style));
            const int align = b.style == QLatin1String("normal") ? Qt::AlignLeft : Qt::AlignHCenter;
            p.drawText(QRectF(0, l.y, m_bodyPx.width(), l.height), align | Qt::TextWordWrap, m_bandTexts.at(l.ref));
            break;
        }
        case Line::Rule:
            p.drawLine(QPointF(0, l.y + l.height / 2), QPointF(m_bodyPx.width(), l.y + l.height / 2));
            break;
        case Line::GroupCaption: {
            p.setFont(bold);
            const double indent = 12.0 * l.level;
            p.drawText(QRectF(indent, l.y, m_bodyPx.width() - indent, l.height), Qt::AlignLeft | Qt::AlignVCenter,
                       bm.elidedText(lineText(l), Qt::ElideRight, m_bodyPx.width() - indent));
            break;
        }
        case Line::Detail:
            p.setFont(normal);
            for (int c = 0; c < m_fieldOf.size(); ++c) {
                const Column &col = m_layout.columns.at(c);
                const QString text = nm.elidedText(cellText(m_data.valueAt(l.ref, m_fieldOf[c]), col.format),
                                                   Qt::ElideRight, m_columnW[c] - padOf(col.align));
                if (!text.isEmpty())
                    p.drawText(QRectF(m_columnX[c], l.y, m_columnW[c] - padOf(col.align), l.height),
                               int(col.align | Qt::AlignVCenter), text);
            }
            break;
        case Line::Total: {
            const bool report = l.level >= m_groupField.size();
            QFont f = report ? bold : normal;
            f.setItalic(!report);
            p.setFont(f);
            const double indent = report ? 0 : 12.0 * (l.level + 1);
            p.drawText(QRectF(indent, l.y, m_bodyPx.width() - indent, l.height), Qt::AlignLeft | Qt::AlignVCenter,
                       lineText(l));
            break;
        }
        }
    }
    p.restore();

    p.setFont(normal);
    const QRectF foot(left, m_paperPx.height() - mmToPx(mg.bottom()) - nm.height(), m_bodyPx.width(), nm.height());
    p.drawText(foot, Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Printed on ") + zv::db::toDisplayDate(zv::clock::today()));
    p.drawText(foot, Qt::AlignRight | Qt::AlignVCenter,
               m_complete ? QStringLiteral("Page %1 of %2").arg(page + 1).arg(pageCount())
                          : QStringLiteral("Page %1").arg(page + 1));
}

void Report::print(QPagedPaintDevice *device, int fromPage, int toPage) {
    const QPageLayout pl = device->pageLayout();
    const QSizeF paperMm = pl.pageSize().size(QPageSize::Millimeter);
    QSizeF wanted = paperMm;
    if ((pl.orientation() == QPageLayout::Landscape) != (wanted.width() > wanted.height()))
        wanted.transpose();
    if (!layoutStarted() || std::fabs(mmToPx(wanted.width()) - m_paperPx.width()) > 0.5 ||
        std::fabs(mmToPx(wanted.height()) - m_paperPx.height()) > 0.5)
        beginLayout(paperMm, pl.orientation());
    // Printing and export give every page, however far the preview got.
    finishLayout();

    const int pages = pageCount();
    int from = 1, to = pages;
    if (fromPage > 0)
        from = std::max(1, fromPage);
    if (toPage > 0)
        to = std::min(pages, toPage);
    QPainter p;
    if (!p.begin(device))
        throw ReportError(err::ExportFailed, QStringLiteral("The report cannot be printed on this device."));
    // The painter starts at the printable area; the report places itself on the paper.
    const int dpi = device->logicalDpiX();
    const QPointF origin = pl.paintRectPixels(dpi).topLeft() - pl.fullRectPixels(dpi).topLeft();
    p.translate(-origin);
    p.scale(device->logicalDpiX() / kDpi, device->logicalDpiY() / kDpi);
    for (int page = from - 1; page < to; ++page) {
        if (page > from - 1)
            device->newPage();
        p.save();
        paintPage(p, page);
        p.restore();
    }
    p.end();
}

void Report::exportPdf(const QString &path, const QPageLayout &pageLayout) {
    {
        QPdfWriter writer(path);
        writer.setResolution(300);
        writer.setPageLayout(QPageLayout(pageLayout.pageSize(), pageLayout.orientation(), QMarginsF(0, 0, 0, 0)));
        writer.setTitle(m_layout.title);
        writer.setCreator(QStringLiteral("Zorvane"));
        print(&writer);
    }
    const QFileInfo fi(path);
    if (!fi.exists() || fi.size() == 0)
        throw ReportError(err::ExportFailed, QStringLiteral("The file %1 could not be written.").arg(path));
}

} // namespace zv::report
