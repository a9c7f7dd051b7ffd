#include "ReportLayout.h"
#include "ReportError.h"
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSet>

namespace zv::report {

namespace {

[[noreturn]] void bad(const QString &what) {
    throw ReportError(err::BadLayout, QStringLiteral("The report file is not valid: %1").arg(what));
}

QString text(const QJsonObject &o, const char *key, bool required = false) {
    const QJsonValue v = o.value(QLatin1String(key));
    if (v.isUndefined() || v.isNull()) {
        if (required)
            bad(QStringLiteral("\"%1\" is missing").arg(QLatin1String(key)));
        return QString();
    }
    if (!v.isString())
        bad(QStringLiteral("\"%1\" is not a text").arg(QLatin1String(key)));
    return v.toString();
}

QJsonArray array(const QJsonObject &o, const char *key) {
    const QJsonValue v = o.value(QLatin1String(key));
    if (v.isUndefined() || v.isNull())
        return {};
    if (!v.isArray())
        bad(QStringLiteral("\"%1\" is not a list").arg(QLatin1String(key)));
    return v.toArray();
}

QJsonObject object(const QJsonValue &v, const QString &where) {
    if (!v.isObject())
        bad(QStringLiteral("an entry of \"%1\" is not an object").arg(where));
    return v.toObject();
}

QPageSize::PageSizeId pageSizeOf(const QString &name) {
    static const QHash<QString, QPageSize::PageSizeId> sizes = {
        {QStringLiteral("a3"), QPageSize::A3},         {QStringLiteral("a4"), QPageSize::A4},
        {QStringLiteral("a5"), QPageSize::A5},         {QStringLiteral("letter"), QPageSize::Letter},
        {QStringLiteral("legal"), QPageSize::Legal},
    };
    const auto it = sizes.constFind(name.toLower());
    if (it == sizes.constEnd())
        bad(QStringLiteral("unknown page size \"%1\"").arg(name));
    return *it;
}

Qt::Alignment alignOf(const QString &name) {
    if (name.isEmpty() || name.compare(QLatin1String("left"), Qt::CaseInsensitive) == 0)
        return Qt::AlignLeft;
    if (name.compare(QLatin1String("right"), Qt::CaseInsensitive) == 0)
        return Qt::AlignRight;
    if (name.compare(QLatin1String("center"), Qt::CaseInsensitive) == 0)
        return Qt::AlignHCenter;
    bad(QStringLiteral("unknown alignment \"%1\"").arg(name));
}

// Every {@Name} of a template must name a formula field of the file.
void checkFormulaRefs(const QString &tmpl, const QSet<QString> &formulas) {
    static const QRegularExpression ref(QStringLiteral("\\{@([^}]*)\\}"));
    for (auto it = ref.globalMatch(tmpl); it.hasNext();) {
        const QString name = it.next().captured(1);
        if (!formulas.contains(name.toUpper()))
            bad(QStringLiteral("\"%1\" names no formula field").arg(tmpl));
    }
}

} // namespace

ReportLayout ReportLayout::load(const QString &path) {
    const QFileInfo fi(path);
    if (!fi.exists() || !fi.isFile())
        throw ReportError(err::FileNotFound, QStringLiteral("File not found: %1").arg(path));
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw ReportError(err::BadLayout, QStringLiteral("The report file %1 cannot be read: %2").arg(path, f.errorString()));
    return fromJson(f.readAll());
}

ReportLayout ReportLayout::fromJson(const QByteArray &json) {
    QJsonParseError pe{};
    const QJsonDocument doc = QJsonDocument::fromJson(json, &pe);
    if (pe.error != QJsonParseError::NoError)
        bad(pe.errorString() + QStringLiteral(" at offset ") + QString::number(pe.offset));
    if (!doc.isObject())
        bad(QStringLiteral("the file holds no object"));
    const QJsonObject root = doc.object();
    if (text(root, "format", true) != QLatin1String("zv-report 1"))
        bad(QStringLiteral("unknown format \"%1\"").arg(text(root, "format")));

    ReportLayout l;
    l.title = text(root, "title");

    const QJsonObject page = root.value(QLatin1String("page")).toObject();
    if (!text(page, "size").isEmpty())
        l.pageSize = pageSizeOf(text(page, "size"));
    const QString orientation = text(page, "orientation");
    if (orientation.compare(QLatin1String("landscape"), Qt::CaseInsensitive) == 0)
        l.orientation = QPageLayout::Landscape;
    else if (!orientation.isEmpty() && orientation.compare(QLatin1String("portrait"), Qt::CaseInsensitive) != 0)
        bad(QStringLiteral("unknown orientation \"%1\"").arg(orientation));
    const QJsonArray margins = array(page, "margins");
    if (!margins.isEmpty()) {
        if (margins.size() != 4)
            bad(QStringLiteral("\"margins\" takes four numbers: left, top, right, bottom"));
        l.marginsMm = QMarginsF(margins[0].toDouble(), margins[1].toDouble(), margins[2].toDouble(),
                                margins[3].toDouble());
    }

    const QJsonObject font = root.value(QLatin1String("font")).toObject();
    l.fontFamily = text(font, "family");
    if (font.contains(QLatin1String("size")))
        l.fontSize = font.value(QLatin1String("size")).toDouble();
    if (l.fontSize < 4 || l.fontSize > 40)
        bad(QStringLiteral("font size %1 out of range").arg(l.fontSize));

    QSet<QString> formulaNames;
    for (const QJsonValue &v : array(root, "formulas")) {
        const QJsonObject o = object(v, QStringLiteral("formulas"));
        FormulaField f{text(o, "name", true), text(o, "text")};
        if (f.name.isEmpty() || f.name.contains(QLatin1Char('}')))
            bad(QStringLiteral("a formula field has no usable name"));
        if (formulaNames.contains(f.name.toUpper()))
            bad(QStringLiteral("formula field \"%1\" is there twice").arg(f.name));
        formulaNames.insert(f.name.toUpper());
        l.formulas.append(f);
    }

    auto bands = [&](const char *key) {
        QVector<Band> out;
        for (const QJsonValue &v : array(root, key)) {
            const QJsonObject o = object(v, QLatin1String(key));
            Band b{text(o, "text"), text(o, "style")};
            if (b.style.isEmpty())
                b.style = QStringLiteral("normal");
            static const QStringList styles = {"company", "title", "subtitle", "normal"};
            if (!styles.contains(b.style))
                bad(QStringLiteral("unknown style \"%1\"").arg(b.style));
            checkFormulaRefs(b.text, formulaNames);
            out.append(b);
        }
        return out;
    };
    l.reportHeader = bands("reportHeader");
    l.reportFooter = bands("reportFooter");

    static const QStringList formats = {"", "text", "date", "number", "flag"};
    for (const QJsonValue &v : array(root, "columns")) {
        const QJsonObject o = object(v, QStringLiteral("columns"));
        Column c;
        c.field = text(o, "field", true);
        c.caption = text(o, "caption");
        c.format = text(o, "format");
        if (!formats.contains(c.format))
            bad(QStringLiteral("unknown format \"%1\"").arg(c.format));
        c.align = alignOf(text(o, "align"));
        if (o.contains(QLatin1String("width")))
            c.widthMm = o.value(QLatin1String("width")).toDouble();
        if (c.widthMm <= 0)
            bad(QStringLiteral("column \"%1\" has no width").arg(c.field));
        checkFormulaRefs(c.caption, formulaNames);
        l.columns.append(c);
    }
    if (l.columns.isEmpty())
        bad(QStringLiteral("the report has no columns"));

    for (const QJsonValue &v : array(root, "groups")) {
        const QJsonObject o = object(v, QStringLiteral("groups"));
        Group g{text(o, "field", true), text(o, "caption"), text(o, "format")};
        if (!formats.contains(g.format))
            bad(QStringLiteral("unknown format \"%1\"").arg(g.format));
        if (g.caption.isEmpty())
            g.caption = QStringLiteral("{") + g.field + QStringLiteral("}");
        l.groups.append(g);
    }

    for (const QJsonValue &v : array(root, "totals")) {
        const QJsonObject o = object(v, QStringLiteral("totals"));
        Total t{text(o, "function", true), text(o, "field"), text(o, "label")};
        if (t.function != QLatin1String("count") && t.function != QLatin1String("count-filled") &&
            t.function != QLatin1String("sum"))
            bad(QStringLiteral("unknown total \"%1\"").arg(t.function));
        if (t.function != QLatin1String("count") && t.field.isEmpty())
            bad(QStringLiteral("total \"%1\" needs a field").arg(t.function));
        l.totals.append(t);
    }
    return l;
}

} // namespace zv::report
