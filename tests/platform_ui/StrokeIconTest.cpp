#include "platform/ui/StrokeIcon.h"
#include "platform/ui/Ui.h"
#include <QFile>
#include <QImage>
#include <gtest/gtest.h>

using namespace zv::ui;

namespace {

// The largest difference of any channel of any pixel.
int largestDifference(const QImage &a, const QImage &b) {
    int worst = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            worst = std::max({worst, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                              std::abs(qBlue(p) - qBlue(q)), std::abs(qAlpha(p) - qAlpha(q))});
        }
    return worst;
}

bool loaded(const char *library) {
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains(library);
}

} // namespace

TEST(StrokeIcons, TheLoginsPicturesLoadNoSvgLibrary) {
    if (loaded("libqsvgicon"))
        GTEST_SKIP() << "an earlier test of this process loaded the SVG icon engine";
    // A build that links the SVG library into the tests has it loaded from the start.
    const bool svgLinked = loaded("libQt6Svg");
    for (const char *key : {"Ok", "Cancel"}) {
        const QIcon i = strokeIcon(key);
        ASSERT_FALSE(i.isNull()) << key;
        EXPECT_FALSE(i.pixmap(24, 24).isNull()) << key;
        EXPECT_FALSE(i.pixmap(QSize(24, 24), QIcon::Disabled).isNull()) << key;
    }
    EXPECT_FALSE(loaded("libqsvgicon"));
    EXPECT_EQ(loaded("libQt6Svg"), svgLinked);
}

// Whatever the painter draws looks as the SVG engine draws it; the rest is
// the SVG icon itself.
TEST(StrokeIcons, DrawEveryPictureAsTheSvgEngineDoes) {
    int drawnByPainter = 0;
    for (const QString &key : iconKeys()) {
        const QIcon stroke = strokeIcon(key), svg = icon(key);
        if (stroke.cacheKey() == svg.cacheKey())
            continue;
        ++drawnByPainter;
        for (const int size : {16, 24, 48})
            for (const QIcon::Mode mode : {QIcon::Normal, QIcon::Disabled}) {
                const QImage mine = stroke.pixmap(QSize(size, size), mode).toImage().convertToFormat(QImage::Format_ARGB32);
                const QImage theirs = svg.pixmap(QSize(size, size), mode).toImage().convertToFormat(QImage::Format_ARGB32);
                ASSERT_EQ(mine.size(), theirs.size()) << key.toStdString() << " " << size;
                EXPECT_LE(largestDifference(mine, theirs), 2) << key.toStdString() << " at " << size << " mode " << mode;
            }
    }
    EXPECT_GE(drawnByPainter, 2) << "OK and Cancel at least";
    EXPECT_TRUE(strokeIcon("NoSuchKey").isNull());
}
