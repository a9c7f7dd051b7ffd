#include "Report.h"
#include "ReportError.h"
#include "platform/db/Dates.h"
#include <QAbstractTextDocumentLayout>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
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
    m_doc.reset();
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
    m_doc.reset();
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

void Report::render() {
    const QSizeF portrait = QPageSize(m_layout.pageSize).size(QPageSize::Millimeter);
    render(portrait, m_layout.orientation);
}

void Report::render(QSizeF paperMm, QPageLayout::Orientation orientation) {
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
    m_pageHeaderPx = bold.height() + 8;
    m_pageFooterPx = normal.height() + 8;
    m_bodyPx = QSizeF(bodyWidth, m_paperPx.height() - mmToPx(mg.top() + mg.bottom()) - m_pageHeaderPx - m_pageFooterPx);
    buildDocument();
}

void Report::buildDocument() {
    m_doc = std::make_unique<QTextDocument>();
    m_doc->documentLayout()->setPaintDevice(&m_device);
    m_doc->setDefaultFont(font());
    m_doc->setDocumentMargin(0);
    m_doc->setPageSize(m_bodyPx);

    const QFontMetricsF metrics(font(), &m_device);
    QTextCursor cur(m_doc.get());
    cur.beginEditBlock();
    bool first = true;
    auto block = [&](const QTextBlockFormat &bf, const QTextCharFormat &cf, const QString &text) {
        if (first) {
            cur.setBlockFormat(bf);
            cur.setBlockCharFormat(cf);
            first = false;
        } else {
            cur.insertBlock(bf, cf);
        }
        cur.insertText(text, cf);
    };
    auto styled = [&](const QString &style) {
        QTextCharFormat cf;
        cf.setFont(font(style));
        return cf;
    };
    auto bandFormat = [](const QString &style) {
        QTextBlockFormat bf;
        if (style != QLatin1String("normal"))
            bf.setAlignment(Qt::AlignHCenter);
        bf.setBottomMargin(2);
        return bf;
    };

    for (const Band &b : std::as_const(m_layout.reportHeader))
        block(bandFormat(b.style), styled(b.style), expand(b.text));
    int captionsBlock = -1;
    if (!m_layout.reportHeader.isEmpty()) {
        QTextBlockFormat rule;
        rule.setProperty(QTextFormat::BlockTrailingHorizontalRulerWidth, QTextLength(QTextLength::PercentageLength, 100));
        // Under the rule, room for the first page's column captions: they read under the title.
        rule.setBottomMargin(4 + m_pageHeaderPx);
        block(rule, styled(QStringLiteral("normal")), QString());
        captionsBlock = cur.block().blockNumber();
    }

    // Detail lines: one block per row, cells at tab stops, each cut to its width.
    QTextBlockFormat detail;
    QList<QTextOption::Tab> tabs;
    QVector<bool> tabBefore;
    for (int i = 0; i < m_layout.columns.size(); ++i) {
        const Column &c = m_layout.columns.at(i);
        if (c.align & Qt::AlignRight) {
            tabs << QTextOption::Tab(m_columnX[i] + m_columnW[i] - kRightPad, QTextOption::RightTab);
            tabBefore << true;
        } else if (c.align & Qt::AlignHCenter) {
            tabs << QTextOption::Tab(m_columnX[i] + m_columnW[i] / 2, QTextOption::CenterTab);
            tabBefore << true;
        } else if (i == 0) {
            tabBefore << false;
        } else {
            tabs << QTextOption::Tab(m_columnX[i], QTextOption::LeftTab);
            tabBefore << true;
        }
    }
    detail.setTabPositions(tabs);
    detail.setNonBreakableLines(true);
    const QTextCharFormat detailChars = styled(QStringLiteral("normal"));
    QVector<int> fieldOf;
    for (const Column &c : m_layout.columns)
        fieldOf << m_data.fieldIndex(c.field);

    // Rows in data order; grouped reports sort by their group fields first,
    // keeping the data order inside a group.
    QVector<int> order(m_data.recordCount());
    std::iota(order.begin(), order.end(), 0);
    QVector<int> groupField;
    for (const Group &g : m_layout.groups)
        groupField << m_data.fieldIndex(g.field);
    if (!groupField.isEmpty())
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
            for (int f : std::as_const(groupField)) {
                const int c = zv::db::compareValues(m_data.valueAt(a, f), m_data.valueAt(b, f));
                if (c != 0)
                    return c < 0;
            }
            return false;
        });

    // Totals: one set per group level, and the report's.
    const int levels = groupField.size();
    QVector<QVector<double>> acc(levels + 1, QVector<double>(m_layout.totals.size(), 0.0));
    auto add = [&](int row) {
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
            for (auto &level : acc)
                level[t] += v;
        }
    };
    auto totalLines = [&](int level, const QString &style) {
        QTextBlockFormat bf;
        bf.setLeftMargin(level < levels ? 12.0 * (level + 1) : 0);
        QTextCharFormat cf = styled(style);
        if (level < levels)
            cf.setFontItalic(true);
        for (int t = 0; t < m_layout.totals.size(); ++t) {
            block(bf, cf, m_layout.totals.at(t).label + QStringLiteral(": ") + numberText(acc[level][t]));
            acc[level][t] = 0;
        }
    };

    int previous = -1;
    for (int row : std::as_const(order)) {
        // The first level whose value differs from the previous row's.
        int changed = previous < 0 ? 0 : levels;
        for (int l = 0; previous >= 0 && l < levels; ++l)
            if (zv::db::compareValues(m_data.valueAt(row, groupField[l]), m_data.valueAt(previous, groupField[l])) != 0) {
                changed = l;
                break;
            }
        if (previous >= 0)
            for (int l = levels - 1; l >= changed; --l)
                totalLines(l, QStringLiteral("normal"));
        for (int l = changed; l < levels; ++l) {
            QTextBlockFormat bf;
            bf.setTopMargin(6);
            bf.setLeftMargin(12.0 * l);
            block(bf, styled(QStringLiteral("bold")),
                  expandRow(m_layout.groups.at(l).caption, row, m_layout.groups.at(l).format));
        }
        QString line;
        for (int i = 0; i < fieldOf.size(); ++i) {
            const QString text = cellText(m_data.valueAt(row, fieldOf[i]), m_layout.columns.at(i).format);
            if (tabBefore[i])
                line += QLatin1Char('\t');
            line += metrics.elidedText(text, Qt::ElideRight, m_columnW[i] - padOf(m_layout.columns.at(i).align));
        }
        block(detail, detailChars, line);
        add(row);
        previous = row;
    }
    if (previous >= 0)
        for (int l = levels - 1; l >= 0; --l)
            totalLines(l, QStringLiteral("normal"));
    if (!m_layout.totals.isEmpty()) {
        QTextBlockFormat rule;
        rule.setProperty(QTextFormat::BlockTrailingHorizontalRulerWidth, QTextLength(QTextLength::PercentageLength, 100));
        rule.setTopMargin(6);
        block(rule, styled(QStringLiteral("normal")), QString());
        totalLines(levels, QStringLiteral("bold"));
    }
    for (const Band &b : std::as_const(m_layout.reportFooter))
        block(bandFormat(b.style), styled(b.style), expand(b.text));
    cur.endEditBlock();

    m_firstCaptionsY = -1;
    if (captionsBlock >= 0) {
        const QRectF room = m_doc->documentLayout()->blockBoundingRect(m_doc->findBlockByNumber(captionsBlock));
        if (room.bottom() <= m_bodyPx.height())   // the room is on the first page
            m_firstCaptionsY = room.bottom() + 2;   // the rect ends at the rule, before the room
    }
}

QString Report::pageHeaderText() const { return m_captions.join(QLatin1Char('\t')); }

QPageLayout Report::pageLayout() const {
    return QPageLayout(QPageSize(m_layout.pageSize), m_layout.orientation, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

void Report::paintPage(QPainter &p, int page, int pages) const {
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

    p.save();
    p.translate(left, top + m_pageHeaderPx);
    const QRectF view(0, page * m_bodyPx.height(), m_bodyPx.width(), m_bodyPx.height());
    p.setClipRect(QRectF(QPointF(0, 0), m_bodyPx));
    p.translate(0, -view.top());
    QAbstractTextDocumentLayout::PaintContext ctx;
    ctx.clip = view;
    ctx.palette.setColor(QPalette::Text, Qt::black);
    m_doc->documentLayout()->draw(&p, ctx);
    p.restore();

    const QFont normal = pixelFont(QString());
    p.setFont(normal);
    const QFontMetricsF nm(font(), &m_device);
    const QRectF foot(left, m_paperPx.height() - mmToPx(mg.bottom()) - nm.height(), m_bodyPx.width(), nm.height());
    p.drawText(foot, Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Printed on ") + zv::db::toDisplayDate(QDate::currentDate()));
    p.drawText(foot, Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("Page %1 of %2").arg(page + 1).arg(pages));
}

void Report::print(QPagedPaintDevice *device) {
    const QPageLayout pl = device->pageLayout();
    const QSizeF paperMm = pl.pageSize().size(QPageSize::Millimeter);
    QSizeF wanted = paperMm;
    if ((pl.orientation() == QPageLayout::Landscape) != (wanted.width() > wanted.height()))
        wanted.transpose();
    if (!m_doc || std::fabs(mmToPx(wanted.width()) - m_paperPx.width()) > 0.5 ||
        std::fabs(mmToPx(wanted.height()) - m_paperPx.height()) > 0.5)
        render(paperMm, pl.orientation());

    const int pages = pageCount();
    int from = 1, to = pages;
    if (auto *printer = dynamic_cast<QPrinter *>(device)) {
        if (printer->fromPage() > 0)
            from = std::max(1, printer->fromPage());
        if (printer->toPage() > 0)
            to = std::min(pages, printer->toPage());
    }
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
        paintPage(p, page, pages);
        p.restore();
    }
    p.end();
}

void Report::exportPdf(const QString &path) {
    {
        QPdfWriter writer(path);
        writer.setResolution(300);
        writer.setPageLayout(pageLayout());
        writer.setTitle(m_layout.title);
        writer.setCreator(QStringLiteral("Zorvane"));
        print(&writer);
    }
    const QFileInfo fi(path);
    if (!fi.exists() || fi.size() == 0)
        throw ReportError(err::ExportFailed, QStringLiteral("The file %1 could not be written.").arg(path));
}

} // namespace zv::report
