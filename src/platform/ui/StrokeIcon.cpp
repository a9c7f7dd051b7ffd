#include "platform/ui/StrokeIcon.h"
#include "platform/ui/Ui.h"
#include <QApplication>
#include <QFile>
#include <QHash>
#include <QIconEngine>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>
#include <QStyleOption>
#include <QXmlStreamReader>
#include <optional>

namespace zv::ui {

namespace {

struct Stroke {
    QPainterPath path;
    QPen pen = Qt::NoPen;
    QBrush fill = Qt::black;   // SVG's default fill; a path of lines alone encloses nothing
};

struct StrokePicture {
    QRectF viewBox;
    QList<Stroke> strokes;
};

// "M4 12.5l5 5L20 6.5", "M5 5L19 19M19 5L5 19": straight segments only.
std::optional<QPainterPath> parsePathData(QStringView d) {
    QPainterPath path;
    QPointF current, start;
    QChar command;
    qsizetype i = 0;
    auto skipSeparators = [&] {
        while (i < d.size() && (d[i].isSpace() || d[i] == QLatin1Char(',')))
            ++i;
    };
    auto number = [&]() -> std::optional<qreal> {
        skipSeparators();
        const qsizetype from = i;
        if (i < d.size() && (d[i] == QLatin1Char('-') || d[i] == QLatin1Char('+')))
            ++i;
        while (i < d.size() && (d[i].isDigit() || d[i] == QLatin1Char('.')))
            ++i;
        if (i < d.size() && (d[i] == QLatin1Char('e') || d[i] == QLatin1Char('E'))) {
            ++i;
            if (i < d.size() && (d[i] == QLatin1Char('-') || d[i] == QLatin1Char('+')))
                ++i;
            while (i < d.size() && d[i].isDigit())
                ++i;
        }
        bool ok = false;
        const qreal v = d.mid(from, i - from).toDouble(&ok);
        return ok ? std::optional<qreal>(v) : std::nullopt;
    };
    for (;;) {
        skipSeparators();
        if (i >= d.size())
            break;
        if (d[i].isLetter()) {
            command = d[i++];
        } else if (command.isNull() || command.toUpper() == QLatin1Char('Z')) {
            return std::nullopt;   // numbers with no command before them
        } else if (command == QLatin1Char('M')) {
            command = QLatin1Char('L');   // further pairs after a move are lines
        } else if (command == QLatin1Char('m')) {
            command = QLatin1Char('l');
        }
        const bool relative = command.isLower();
        const QPointF origin = relative ? current : QPointF();
        switch (command.toUpper().toLatin1()) {
        case 'M':
        case 'L': {
            const auto x = number(), y = number();
            if (!x || !y)
                return std::nullopt;
            current = origin + QPointF(*x, *y);
            if (command.toUpper() == QLatin1Char('M')) {
                path.moveTo(current);
                start = current;
            } else {
                path.lineTo(current);
            }
            break;
        }
        case 'H':
        case 'V': {
            const auto v = number();
            if (!v)
                return std::nullopt;
            if (command.toUpper() == QLatin1Char('H'))
                current.setX((relative ? current.x() : 0) + *v);
            else
                current.setY((relative ? current.y() : 0) + *v);
            path.lineTo(current);
            break;
        }
        case 'Z':
            path.closeSubpath();
            current = start;
            break;
        default:
            return std::nullopt;   // curves and arcs are for the SVG engine
        }
    }
    return path;
}

std::optional<QColor> parseColour(const QString &text) {
    if (text == QLatin1String("none"))
        return QColor();
    const QColor c(text);
    return c.isValid() ? std::optional<QColor>(c) : std::nullopt;
}

std::optional<Stroke> parsePath(const QXmlStreamAttributes &attributes) {
    Stroke s;
    QColor strokeColour;
    qreal width = 1;
    Qt::PenCapStyle cap = Qt::FlatCap;
    Qt::PenJoinStyle join = Qt::MiterJoin;
    for (const QXmlStreamAttribute &a : attributes) {
        const QStringView name = a.name();
        const QString value = a.value().toString().trimmed();
        if (name == QLatin1String("d")) {
            const auto path = parsePathData(value);
            if (!path)
                return std::nullopt;
            s.path = *path;
        } else if (name == QLatin1String("stroke") || name == QLatin1String("fill")) {
            const auto colour = parseColour(value);
            if (!colour)
                return std::nullopt;
            if (name == QLatin1String("stroke"))
                strokeColour = *colour;
            else
                s.fill = colour->isValid() ? QBrush(*colour) : QBrush(Qt::NoBrush);
        } else if (name == QLatin1String("stroke-width")) {
            bool ok = false;
            width = value.toDouble(&ok);
            if (!ok || width < 0)
                return std::nullopt;
        } else if (name == QLatin1String("stroke-linecap")) {
            if (value == QLatin1String("round"))
                cap = Qt::RoundCap;
            else if (value == QLatin1String("square"))
                cap = Qt::SquareCap;
            else if (value != QLatin1String("butt"))
                return std::nullopt;
        } else if (name == QLatin1String("stroke-linejoin")) {
            if (value == QLatin1String("round"))
                join = Qt::RoundJoin;
            else if (value == QLatin1String("bevel"))
                join = Qt::BevelJoin;
            else if (value != QLatin1String("miter"))
                return std::nullopt;
        } else {
            return std::nullopt;   // styles, transforms, opacity: the SVG engine's business
        }
    }
    if (strokeColour.isValid() && width > 0) {
        s.pen = QPen(strokeColour, width, Qt::SolidLine, cap, join);
        s.pen.setMiterLimit(4);   // SVG's default
    }
    return s;
}

std::optional<QRectF> parseViewBox(const QXmlStreamAttributes &attributes) {
    const QStringList box = attributes.value(QLatin1String("viewBox"))
                                .toString()
                                .replace(QLatin1Char(','), QLatin1Char(' '))
                                .simplified()
                                .split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (box.size() == 4) {
        const QRectF r(box[0].toDouble(), box[1].toDouble(), box[2].toDouble(), box[3].toDouble());
        if (r.isValid())
            return r;
        return std::nullopt;
    }
    bool okW = false, okH = false;
    const qreal w = attributes.value(QLatin1String("width")).toDouble(&okW);
    const qreal h = attributes.value(QLatin1String("height")).toDouble(&okH);
    if (okW && okH && w > 0 && h > 0)
        return QRectF(0, 0, w, h);
    return std::nullopt;
}

std::optional<StrokePicture> parsePicture(const QByteArray &svg) {
    StrokePicture picture;
    QXmlStreamReader xml(svg);
    bool sawRoot = false;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (!sawRoot) {
            if (xml.name() != QLatin1String("svg"))
                return std::nullopt;
            const auto box = parseViewBox(xml.attributes());
            if (!box)
                return std::nullopt;
            picture.viewBox = *box;
            sawRoot = true;
        } else if (xml.name() == QLatin1String("path")) {
            const auto stroke = parsePath(xml.attributes());
            if (!stroke)
                return std::nullopt;
            picture.strokes.append(*stroke);
        } else {
            return std::nullopt;
        }
    }
    if (xml.hasError() || !sawRoot)
        return std::nullopt;
    return picture;
}

class StrokeIconEngine : public QIconEngine {
public:
    explicit StrokeIconEngine(StrokePicture picture) : m_picture(std::move(picture)) {}

    QSize actualSize(const QSize &size, QIcon::Mode, QIcon::State) override {
        return m_picture.viewBox.size().scaled(size, Qt::KeepAspectRatio).toSize();
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State) override {
        const QString cacheKey = QStringLiteral("%1x%2/%3").arg(size.width()).arg(size.height()).arg(int(mode));
        const auto cached = m_cache.constFind(cacheKey);
        if (cached != m_cache.constEnd())
            return *cached;
        QImage image(actualSize(size, mode, QIcon::Off), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter p(&image);
            draw(p, QRectF(image.rect()));
        }
        QPixmap pm = QPixmap::fromImage(std::move(image));
        if (mode != QIcon::Normal) {
            // Disabled and selected pictures as the style makes them of any icon.
            QStyleOption option;
            option.palette = QGuiApplication::palette();
            const QPixmap generated = QApplication::style()->generatedIconPixmap(mode, pm, &option);
            if (!generated.isNull())
                pm = generated;
        }
        m_cache.insert(cacheKey, pm);
        return pm;
    }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatio() : 1.0;
        QPixmap pm = pixmap((QSizeF(rect.size()) * ratio).toSize(), mode, state);
        pm.setDevicePixelRatio(ratio);
        painter->drawPixmap(rect, pm);
    }

    QIconEngine *clone() const override { return new StrokeIconEngine(*this); }
    QString key() const override { return QStringLiteral("zv-stroke"); }

private:
    // The view box centred in the target at the largest scale that fits, as SVG places it.
    void draw(QPainter &p, const QRectF &target) const {
        const QRectF &box = m_picture.viewBox;
        const qreal scale = std::min(target.width() / box.width(), target.height() / box.height());
        p.setRenderHint(QPainter::Antialiasing);
        p.translate(target.center());
        p.scale(scale, scale);
        p.translate(-box.center());
        for (const Stroke &s : m_picture.strokes) {
            if (s.fill.style() != Qt::NoBrush)
                p.fillPath(s.path, s.fill);
            if (s.pen.style() != Qt::NoPen)
                p.strokePath(s.path, s.pen);
        }
    }

    StrokePicture m_picture;
    QHash<QString, QPixmap> m_cache;
};

} // namespace

QIcon strokeIcon(const QString &key) {
    static QHash<QString, QIcon> cache;
    const auto cached = cache.constFind(key);
    if (cached != cache.constEnd())
        return *cached;
    const QString path = iconFile(key);
    QFile file(path);
    std::optional<StrokePicture> picture;
    if (!path.isEmpty() && file.open(QIODevice::ReadOnly))
        picture = parsePicture(file.readAll());
    const QIcon result = picture ? QIcon(new StrokeIconEngine(std::move(*picture))) : icon(key);
    cache.insert(key, result);
    return result;
}

} // namespace zv::ui
