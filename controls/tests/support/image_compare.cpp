#include "controls/tests/support/image_compare.h"

#include <QDir>

namespace scrivlet {

namespace {
QString saveFolder()
{
    const QString folder = QStringLiteral(SCRIVLET_BUILD_DIR "/test-images");
    QDir().mkpath(folder);
    return folder;
}

::testing::AssertionResult compare(const QImage &actualIn, const QImage &expectedIn, const QImage *mask,
                                   const QString &name)
{
    const QImage actual = actualIn.convertToFormat(QImage::Format_RGB32);
    const QImage expected = expectedIn.convertToFormat(QImage::Format_RGB32);
    if (actual.size() != expected.size())
        return ::testing::AssertionFailure()
               << name.toStdString() << ": size " << actual.width() << "x" << actual.height() << ", expected "
               << expected.width() << "x" << expected.height();
    for (int y = 0; y < expected.height(); ++y) {
        for (int x = 0; x < expected.width(); ++x) {
            if (mask && qGray(mask->pixel(x, y)) == 0)
                continue;
            const QRgb a = actual.pixel(x, y) & 0xFFFFFFu;
            const QRgb e = expected.pixel(x, y) & 0xFFFFFFu;
            if (a != e) {
                const QString base = saveFolder() + QLatin1Char('/') + name;
                actual.save(base + QStringLiteral("-actual.png"));
                expected.save(base + QStringLiteral("-expected.png"));
                return ::testing::AssertionFailure()
                       << name.toStdString() << ": first difference at (" << x << ", " << y << "): got #"
                       << QString::number(a, 16).rightJustified(6, QLatin1Char('0')).toStdString()
                       << ", expected #"
                       << QString::number(e, 16).rightJustified(6, QLatin1Char('0')).toStdString()
                       << " (images saved as " << base.toStdString() << "-*.png)";
            }
        }
    }
    return ::testing::AssertionSuccess();
}
} // namespace

::testing::AssertionResult imagesEqual(const QImage &actual, const QImage &expected, const QString &name)
{
    return compare(actual, expected, nullptr, name);
}

::testing::AssertionResult imagesEqualWhere(const QImage &actual, const QImage &expected, const QImage &mask,
                                            const QString &name)
{
    return compare(actual, expected, &mask, name);
}

QRgb rgbFromColorRef(unsigned colorRef)
{
    return qRgb(static_cast<int>(colorRef & 0xFFu), static_cast<int>((colorRef >> 8) & 0xFFu),
                static_cast<int>((colorRef >> 16) & 0xFFu));
}

QImage enlarged(const QImage &image, int factor)
{
    const QImage source = image.convertToFormat(QImage::Format_RGB32);
    QImage out(source.width() * factor, source.height() * factor, QImage::Format_RGB32);
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x)
            out.setPixel(x, y, source.pixel(x / factor, y / factor));
    return out;
}

int runLength(const QImage &image, QPoint start, QPoint step)
{
    const QRgb colour = image.pixel(start);
    int n = 0;
    for (QPoint p = start; image.valid(p) && image.pixel(p) == colour; p += step)
        ++n;
    return n;
}

} // namespace scrivlet
