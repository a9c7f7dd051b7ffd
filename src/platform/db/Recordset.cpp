#include "Recordset.h"
#include "Dates.h"
#include <QRegularExpression>
#include <algorithm>

namespace zv::db {

namespace {

bool isNumericType(const QVariant &v) {
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Bool:
        return true;
    default:
        return false;
    }
}

QString unbracket(QString name) {
    name = name.trimmed();
    if (name.startsWith(QLatin1Char('[')) && name.endsWith(QLatin1Char(']')))
        name = name.mid(1, name.size() - 2);
    return name;
}

QRegularExpression likePattern(const QString &pattern) {
    QString re;
    for (QChar c : pattern) {
        if (c == QLatin1Char('*') || c == QLatin1Char('%'))
            re += QStringLiteral(".*");
        else if (c == QLatin1Char('?') || c == QLatin1Char('_'))
            re += QLatin1Char('.');
        else
            re += QRegularExpression::escape(QString(c));
    }
    return QRegularExpression(QStringLiteral("^") + re + QStringLiteral("$"),
                              QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
}

} // namespace

int compareValues(const QVariant &a, const QVariant &b) {
    const bool an = a.isNull(), bn = b.isNull();
    if (an || bn)
        return an == bn ? 0 : (an ? -1 : 1);
    if (isNumericType(a) || isNumericType(b)) {
        bool okA = true, okB = true;
        const double x = isNumericType(a) ? a.toDouble() : a.toString().trimmed().toDouble(&okA);
        const double y = isNumericType(b) ? b.toDouble() : b.toString().trimmed().toDouble(&okB);
        if (okA && okB)
            return x < y ? -1 : (x > y ? 1 : 0);
    }
    const int c = QString::compare(a.toString(), b.toString(), Qt::CaseInsensitive);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

Recordset::Recordset(QStringList columns, QVector<Row> rows) : m_columns(std::move(columns)), m_rows(std::move(rows)) {
    m_ids.resize(m_rows.size());
    for (int i = 0; i < m_ids.size(); ++i)
        m_ids[i] = i;
}

int Recordset::fieldIndex(const QString &name) const {
    const QString n = unbracket(name);
    for (int i = 0; i < m_columns.size(); ++i)
        if (m_columns.at(i).compare(n, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

int Recordset::requireField(const QString &name) const {
    const int i = fieldIndex(name);
    if (i < 0)
        throw DbError(err::ColumnMissing, QStringLiteral("Item cannot be found in the collection: %1").arg(name));
    return i;
}

void Recordset::requireCurrent() const {
    if (bof() || eof())
        throw DbError(err::NoCurrentRecord,
                      QStringLiteral("Either BOF or EOF is True, or the current record has been deleted."));
}

void Recordset::moveNext() {
    if (m_pos < m_rows.size())
        ++m_pos;
}

void Recordset::movePrevious() {
    if (m_pos >= 0)
        --m_pos;
}

int Recordset::absolutePosition() const { return (bof() || eof()) ? 0 : m_pos + 1; }

void Recordset::setAbsolutePosition(int pos) {
    if (pos < 1)
        m_pos = -1;
    else if (pos > m_rows.size())
        m_pos = m_rows.size();
    else
        m_pos = pos - 1;
}

int Recordset::bookmark() const {
    requireCurrent();
    return m_ids.at(m_pos);
}

void Recordset::setBookmark(int bookmark) {
    const int i = m_ids.indexOf(bookmark);
    if (i < 0)
        throw DbError(err::NoCurrentRecord, QStringLiteral("The bookmark is not valid."));
    m_pos = i;
}

QVariant Recordset::value(int field) const {
    requireCurrent();
    if (field < 0 || field >= m_columns.size())
        throw DbError(err::ColumnMissing, QStringLiteral("Item cannot be found in the collection: %1").arg(field));
    return m_rows.at(m_pos).at(field);
}

QVariant Recordset::value(const QString &field) const { return value(requireField(field)); }

QString Recordset::text(const QString &field) const {
    const QVariant v = value(field);
    return v.isNull() ? QString() : v.toString();
}

void Recordset::setValue(const QString &field, const QVariant &v) {
    const int f = requireField(field);
    requireCurrent();
    m_rows[m_pos][f] = v;
}

void Recordset::sort(const QString &order) {
    struct Key {
        int field;
        bool desc;
    };
    QVector<Key> keys;
    for (const QString &part : order.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        QString p = part.trimmed();
        bool desc = false;
        if (p.endsWith(QLatin1String(" DESC"), Qt::CaseInsensitive)) {
            desc = true;
            p.chop(5);
        } else if (p.endsWith(QLatin1String(" ASC"), Qt::CaseInsensitive)) {
            p.chop(4);
        }
        keys.push_back({requireField(p), desc});
    }
    const int current = (bof() || eof()) ? -1 : m_ids.at(m_pos);

    QVector<int> rowOrder(m_rows.size());
    for (int i = 0; i < rowOrder.size(); ++i)
        rowOrder[i] = i;
    std::stable_sort(rowOrder.begin(), rowOrder.end(), [&](int x, int y) {
        for (const Key &k : keys) {
            const int c = compareValues(m_rows.at(x).at(k.field), m_rows.at(y).at(k.field));
            if (c != 0)
                return k.desc ? c > 0 : c < 0;
        }
        return keys.isEmpty() ? m_ids.at(x) < m_ids.at(y) : false;
    });
    QVector<Row> rows;
    QVector<int> ids;
    rows.reserve(rowOrder.size());
    ids.reserve(rowOrder.size());
    for (int i : rowOrder) {
        rows.push_back(std::move(m_rows[i]));
        ids.push_back(m_ids.at(i));
    }
    m_rows = std::move(rows);
    m_ids = std::move(ids);
    m_sort = order.trimmed();
    if (current >= 0)
        m_pos = m_ids.indexOf(current);
}

bool Recordset::find(const QString &criterion, bool skipCurrent, bool forward) {
    static const QRegularExpression re(
        QStringLiteral("^\\s*(\\[[^\\]]+\\]|[A-Za-z_][A-Za-z0-9_]*)\\s*(<=|>=|<>|=|<|>|\\bLIKE\\b)\\s*(.*?)\\s*$"),
        QRegularExpression::CaseInsensitiveOption);
    const auto m = re.match(criterion);
    if (!m.hasMatch())
        throw DbError(err::GeneralFailure, QStringLiteral("Invalid Find criterion: %1").arg(criterion));
    const QString raw = m.captured(3);
    QVariant value;
    if (raw.size() >= 2 && raw.startsWith(QLatin1Char('\'')) && raw.endsWith(QLatin1Char('\''))) {
        value = raw.mid(1, raw.size() - 2).replace(QStringLiteral("''"), QStringLiteral("'"));
    } else if (raw.size() >= 2 && raw.startsWith(QLatin1Char('#')) && raw.endsWith(QLatin1Char('#'))) {
        const QString d = raw.mid(1, raw.size() - 2);
        const QDate date = fromDisplayDate(d).isValid() ? fromDisplayDate(d) : fromIsoDate(d);
        if (!date.isValid())
            throw DbError(err::GeneralFailure, QStringLiteral("Invalid date in Find criterion: %1").arg(raw));
        value = toIsoDate(date);
    } else if (raw.compare(QLatin1String("NULL"), Qt::CaseInsensitive) == 0) {
        value = QVariant();
    } else {
        bool ok = false;
        const double d = raw.toDouble(&ok);
        if (!ok)
            throw DbError(err::GeneralFailure, QStringLiteral("Invalid value in Find criterion: %1").arg(raw));
        value = d;
    }
    return find(m.captured(1), m.captured(2).toUpper(), value, skipCurrent, forward);
}

bool Recordset::find(const QString &field, const QString &op, const QVariant &value, bool skipCurrent,
                     bool forward) {
    const int f = requireField(field);
    const QString o = op.trimmed().toUpper();
    const QRegularExpression like = o == QLatin1String("LIKE") ? likePattern(value.toString()) : QRegularExpression();
    auto matches = [&](const QVariant &v) {
        if (o == QLatin1String("LIKE"))
            return !v.isNull() && like.match(v.toString()).hasMatch();
        if (value.isNull() || v.isNull())
            return o == QLatin1String("=") ? v.isNull() == value.isNull()
                                           : (o == QLatin1String("<>") && v.isNull() != value.isNull());
        const int c = compareValues(v, value);
        if (o == QLatin1String("="))
            return c == 0;
        if (o == QLatin1String("<>"))
            return c != 0;
        if (o == QLatin1String("<"))
            return c < 0;
        if (o == QLatin1String(">"))
            return c > 0;
        if (o == QLatin1String("<="))
            return c <= 0;
        if (o == QLatin1String(">="))
            return c >= 0;
        throw DbError(err::GeneralFailure, QStringLiteral("Invalid Find operator: %1").arg(op));
    };
    const int n = m_rows.size();
    int i = std::clamp(m_pos, forward ? 0 : -1, forward ? n : n - 1);
    if (skipCurrent)
        i += forward ? 1 : -1;
    for (; forward ? i < n : i >= 0; i += forward ? 1 : -1) {
        if (matches(m_rows.at(i).at(f))) {
            m_pos = i;
            return true;
        }
    }
    m_pos = forward ? n : -1;
    return false;
}

} // namespace zv::db
