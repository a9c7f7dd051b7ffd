#include "Recordset.h"
#include "Dates.h"
#include <QRegularExpression>
#include <QStringDecoder>
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

Recordset::Recordset(QStringList columns, QVector<Row> rows) : m_columns(std::move(columns)), m_rowCount(rows.size()) {
    const int cols = m_columns.size();
    m_cells.reserve(qsizetype(m_rowCount) * cols);
    for (const Row &row : std::as_const(rows))
        for (int c = 0; c < cols; ++c)
            m_cells.push_back(cellOf(row.value(c)));
}

namespace {
bool isAscii(const char *p, qsizetype n) {
    unsigned char bits = 0;
    for (qsizetype i = 0; i < n; ++i)
        bits |= static_cast<unsigned char>(p[i]);
    return bits < 0x80;
}
} // namespace

Recordset::Cell Recordset::textCell(const char *utf8, qsizetype bytes) {
    const qsizetype at = m_text.size();
    if (m_text.capacity() < at + bytes)
        m_text.reserve(std::max(at + bytes, 2 * m_text.capacity()));
    if (isAscii(utf8, bytes)) {
        // Most values are plain ASCII, which widens as it stands: far cheaper
        // than the decoder over a large result.
        m_text.append(QLatin1String(utf8, bytes));
        Cell c;
        c.kind = Cell::Text;
        c.offset = at;
        c.size = qint32(bytes);
        return c;
    }
    // UTF-16 never takes more units than UTF-8 takes bytes: decode in place.
    m_text.resize(at + bytes);
    QChar *begin = m_text.data() + at;
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QChar *end = decoder.appendToBuffer(begin, QByteArrayView(utf8, bytes));
    m_text.resize(at + (end - begin));
    Cell c;
    c.kind = Cell::Text;
    c.offset = at;
    c.size = qint32(end - begin);
    return c;
}

Recordset::Cell Recordset::textCell(QStringView text) {
    Cell c;
    c.kind = Cell::Text;
    c.offset = m_text.size();
    c.size = qint32(text.size());
    m_text.append(text);
    return c;
}

Recordset::Cell Recordset::blobCell(const char *data, qsizetype bytes) {
    Cell c;
    c.kind = Cell::Blob;
    c.offset = m_bytes.size();
    c.size = qint32(bytes);
    m_bytes.append(data, bytes);
    return c;
}

Recordset::Cell Recordset::cellOf(const QVariant &v) {
    Cell c;
    switch (v.typeId()) {
    case QMetaType::UnknownType:
        return c;   // Null
    case QMetaType::LongLong:
        c.kind = Cell::Integer;
        c.integer = v.toLongLong();
        return c;
    case QMetaType::Double:
        c.kind = Cell::Real;
        c.real = v.toDouble();
        return c;
    case QMetaType::QString:
        return textCell(*static_cast<const QString *>(v.constData()));
    case QMetaType::QByteArray: {
        const auto *b = static_cast<const QByteArray *>(v.constData());
        return blobCell(b->constData(), b->size());
    }
    default:
        c.kind = Cell::Other;
        c.offset = m_others.size();
        m_others.push_back(v);
        return c;
    }
}

QVariant Recordset::variantOf(const Cell &c) const {
    switch (c.kind) {
    case Cell::Integer:
        return QVariant(qlonglong(c.integer));
    case Cell::Real:
        return QVariant(c.real);
    case Cell::Text: {
        // A loop, not memcpy: for copies this short, memcpy measured several
        // times slower here in a process where Qt's hashing had run.
        QString s(c.size, Qt::Uninitialized);
        const QChar *from = m_text.constData() + c.offset;
        QChar *to = s.data();
        for (qint32 i = 0; i < c.size; ++i)
            to[i] = from[i];
        return QVariant(s);
    }
    case Cell::Blob:
        return QVariant(m_bytes.mid(c.offset, c.size));
    case Cell::Other:
        return m_others.at(c.offset);
    case Cell::Null:
        break;
    }
    return QVariant();
}

int Recordset::compareCells(const Cell &a, const Cell &b) const {
    if (a.kind == Cell::Null || b.kind == Cell::Null)
        return a.kind == b.kind ? 0 : (a.kind == Cell::Null ? -1 : 1);
    if (a.kind == Cell::Text && b.kind == Cell::Text) {
        const int c = textOf(a).compare(textOf(b), Qt::CaseInsensitive);
        return c < 0 ? -1 : (c > 0 ? 1 : 0);
    }
    if (a.kind == Cell::Integer && b.kind == Cell::Integer)
        return a.integer < b.integer ? -1 : (a.integer > b.integer ? 1 : 0);
    return compareValues(variantOf(a), variantOf(b));
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
    if (m_pos < m_rowCount)
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
    else if (pos > m_rowCount)
        m_pos = m_rowCount;
    else
        m_pos = pos - 1;
}

int Recordset::bookmark() const {
    requireCurrent();
    return recordAt(m_pos);
}

void Recordset::setBookmark(int bookmark) {
    const int i = m_order.isEmpty() ? (bookmark >= 0 && bookmark < m_rowCount ? bookmark : -1)
                                    : int(m_order.indexOf(bookmark));
    if (i < 0)
        throw DbError(err::NoCurrentRecord, QStringLiteral("The bookmark is not valid."));
    m_pos = i;
}

void Recordset::refuse(int field) const {
    requireCurrent();
    throw DbError(err::ColumnMissing, QStringLiteral("Item cannot be found in the collection: %1").arg(field));
}

QVariant Recordset::value(const QString &field) const { return value(requireField(field)); }

QString Recordset::text(const QString &field) const {
    const QVariant v = value(field);
    return v.isNull() ? QString() : v.toString();
}

void Recordset::setValue(const QString &field, const QVariant &v) {
    const int f = requireField(field);
    requireCurrent();
    m_cells[qsizetype(recordAt(m_pos)) * m_columns.size() + f] = cellOf(v);
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
    const int current = (bof() || eof()) ? -1 : recordAt(m_pos);
    m_sort = order.trimmed();
    if (keys.isEmpty()) {
        m_order.clear();   // the original order
    } else {
        // Sorting the present order keeps ties as they stand.
        QVector<int> order(m_rowCount);
        for (int i = 0; i < m_rowCount; ++i)
            order[i] = recordAt(i);
        const int cols = m_columns.size();
        std::stable_sort(order.begin(), order.end(), [&](int x, int y) {
            for (const Key &k : keys) {
                const int c = compareCells(m_cells.at(qsizetype(x) * cols + k.field),
                                           m_cells.at(qsizetype(y) * cols + k.field));
                if (c != 0)
                    return k.desc ? c > 0 : c < 0;
            }
            return false;
        });
        m_order = std::move(order);
    }
    if (current >= 0)
        setBookmark(current);
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
    const int n = m_rowCount;
    int i = std::clamp(m_pos, forward ? 0 : -1, forward ? n : n - 1);
    if (skipCurrent)
        i += forward ? 1 : -1;
    for (; forward ? i < n : i >= 0; i += forward ? 1 : -1) {
        if (matches(variantOf(cellAt(i, f)))) {
            m_pos = i;
            return true;
        }
    }
    m_pos = forward ? n : -1;
    return false;
}

} // namespace zv::db
