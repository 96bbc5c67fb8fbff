// DrawText: measuring, placement flags, clipping and access-key marks. Glyph pixels depend on
// the font engine, so these tests check rectangles, where ink lands and where it does not.
#include "controls/raster/canvas.h"
#include "tests/support/case_name.h"

#include <gtest/gtest.h>

#include <QFontMetrics>

using namespace scrivlet;

using namespace gdi;

namespace {

constexpr ColorRef kPaper = RGB(255, 255, 255);
constexpr ColorRef kText = RGB(0, 0, 0);

struct Ink
{
    bool any = false;
    QRect box; // bounding box of pixels that differ from the paper
};

Ink inkOf(const QImage &image)
{
    Ink ink;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFFu) != (toQRgb(kPaper) & 0xFFFFFFu)) {
                ink.box = ink.any ? ink.box.united(QRect(x, y, 1, 1)) : QRect(x, y, 1, 1);
                ink.any = true;
            }
    return ink;
}

class CanvasText : public ::testing::Test
{
protected:
    CanvasText() : m_image(200, 80, QImage::Format_RGB32), m_canvas(m_image)
    {
        m_image.fill(toQRgb(kPaper));
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(13);
        m_canvas.setFont(font);
        m_canvas.setTextColor(kText);
        m_canvas.setBkMode(TRANSPARENT);
    }
    Rect measure(const QString &text, Rect rect, unsigned format)
    {
        m_canvas.drawText(text, rect, format | DT_CALCRECT);
        return rect;
    }
    QImage m_image;
    Canvas m_canvas;
};

TEST_F(CanvasText, CalcRectKeepsTheCornerAndDrawsNothing)
{
    const Rect r = measure(QStringLiteral("Browse"), {4, 4, 69, 21}, DT_WORDBREAK);
    EXPECT_EQ(r.left, 4);
    EXPECT_EQ(r.top, 4);
    EXPECT_GT(r.width(), 0);
    EXPECT_LT(r.width(), 65);
    EXPECT_EQ(r.height(), QFontMetrics(m_canvas.font(), &m_image).height());
    EXPECT_FALSE(inkOf(m_image).any);
}

TEST_F(CanvasText, WordBreakWrapsToTheWidthAndWidensForALongWord)
{
    const QString words = QStringLiteral("one two three four five six");
    const Rect oneLine = measure(words, {0, 0, 1000, 10}, DT_WORDBREAK);
    const Rect wrapped = measure(words, {0, 0, 60, 10}, DT_WORDBREAK);
    EXPECT_LE(wrapped.width(), 60);
    EXPECT_GE(wrapped.height(), 2 * oneLine.height());
    const Rect longWord = measure(QStringLiteral("Incomprehensibilities"), {0, 0, 20, 10}, DT_WORDBREAK);
    EXPECT_GT(longWord.width(), 20);
    EXPECT_EQ(longWord.height(), oneLine.height());
}

TEST_F(CanvasText, SingleLineIgnoresLineBreaks)
{
    const QString text = QStringLiteral("top\nbottom");
    const Rect multi = measure(text, {0, 0, 300, 10}, 0);
    const Rect single = measure(text, {0, 0, 300, 10}, DT_SINGLELINE);
    EXPECT_EQ(multi.height(), 2 * single.height());
}

// The format flags in words: "centre vcentre single line"; "left top" when none is set.
std::string flagWords(unsigned format)
{
    const std::pair<unsigned, const char *> names[] = {
        {DT_CENTER, "centre"},      {DT_RIGHT, "right"},          {DT_VCENTER, "vcentre"},
        {DT_BOTTOM, "bottom"},      {DT_WORDBREAK, "word break"}, {DT_SINGLELINE, "single line"},
        {DT_NOPREFIX, "no prefix"}, {DT_RTLREADING, "rtl"},       {DT_HIDEPREFIX, "hide prefix"}};
    std::string words;
    for (const auto &[flag, name] : names)
        if ((format & flag) != 0)
            words += (words.empty() ? "" : " ") + std::string(name);
    return words.empty() ? std::string("left top") : words;
}

struct PrefixCase
{
    const char *text;
    unsigned format;
    const char *sameWidthAs; // measured with DT_NOPREFIX
};

void PrintTo(const PrefixCase &c, std::ostream *out)
{
    *out << c.text << " " << flagWords(c.format);
}

class Prefixes : public CanvasText, public ::testing::WithParamInterface<PrefixCase>
{
};

TEST_P(Prefixes, AmpersandMarksAreNotMeasured)
{
    const PrefixCase c = GetParam();
    const Rect got = measure(QString::fromUtf8(c.text), {0, 0, 300, 20}, DT_SINGLELINE | c.format);
    const Rect plain =
        measure(QString::fromUtf8(c.sameWidthAs), {0, 0, 300, 20}, DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_EQ(got.width(), plain.width()) << c.text;
}

INSTANTIATE_TEST_SUITE_P(Canvas, Prefixes,
                         ::testing::Values(PrefixCase{"&Save", 0, "Save"},
                                           PrefixCase{"&Save", DT_HIDEPREFIX, "Save"},
                                           PrefixCase{"&Save", DT_NOPREFIX, "&Save"},
                                           PrefixCase{"Salt && Pepper", 0, "Salt & Pepper"}),
                         PrintedCaseName());

struct PlaceCase
{
    unsigned format;
    int column; // -1 left, 0 centre, 1 right
    int row;    // -1 top, 0 middle, 1 bottom
};

void PrintTo(const PlaceCase &c, std::ostream *out)
{
    *out << flagWords(c.format);
}

class Placement : public CanvasText, public ::testing::WithParamInterface<PlaceCase>
{
};

// The ink lies in the part of the rectangle that the flags name; vertical placement only applies
// to single-line text.
TEST_P(Placement, InkSitsWhereTheFlagsSay)
{
    const PlaceCase c = GetParam();
    Rect r{10, 5, 190, 75};
    m_canvas.drawText(QStringLiteral("Save"), r, c.format);
    const Ink ink = inkOf(m_image);
    ASSERT_TRUE(ink.any);
    const int thirdW = r.width() / 3;
    const int thirdH = r.height() / 3;
    const int cx = ink.box.center().x();
    const int cy = ink.box.center().y();
    EXPECT_EQ(cx < r.left + thirdW ? -1 : cx >= r.right - thirdW ? 1 : 0, c.column) << ink.box.x();
    EXPECT_EQ(cy < r.top + thirdH ? -1 : cy >= r.bottom - thirdH ? 1 : 0, c.row) << ink.box.y();
    EXPECT_TRUE(QRect(r.left, r.top, r.width(), r.height()).contains(ink.box));
}

INSTANTIATE_TEST_SUITE_P(
    Canvas, Placement,
    ::testing::Values(PlaceCase{DT_LEFT, -1, -1}, PlaceCase{DT_CENTER, 0, -1}, PlaceCase{DT_RIGHT, 1, -1},
                      PlaceCase{DT_CENTER | DT_VCENTER | DT_SINGLELINE, 0, 0},
                      PlaceCase{DT_RIGHT | DT_BOTTOM | DT_SINGLELINE, 1, 1},
                      PlaceCase{DT_CENTER | DT_VCENTER | DT_WORDBREAK, 0, -1}, // not single-line: top
                      PlaceCase{DT_BOTTOM | DT_WORDBREAK, -1, -1}, PlaceCase{DT_LEFT | DT_RTLREADING, -1, -1},
                      PlaceCase{DT_RIGHT | DT_RTLREADING, 1, -1}),
    PrintedCaseName());

TEST_F(CanvasText, ClippedToTheRectangleUnlessNoClip)
{
    Rect small{20, 20, 30, 26};
    m_canvas.drawText(QStringLiteral("Gathering"), small, DT_SINGLELINE);
    const Ink clipped = inkOf(m_image);
    ASSERT_TRUE(clipped.any);
    EXPECT_TRUE(QRect(20, 20, 10, 6).contains(clipped.box));

    m_image.fill(toQRgb(kPaper));
    m_canvas.drawText(QStringLiteral("Gathering"), small, DT_SINGLELINE | DT_NOCLIP);
    EXPECT_GT(inkOf(m_image).box.right(), 29);

    // A rectangle whose right lies left of its left clips everything away.
    m_image.fill(toQRgb(kPaper));
    Rect inverted{60, 20, 40, 40};
    m_canvas.drawText(QStringLiteral("Gathering"), inverted, DT_SINGLELINE);
    EXPECT_FALSE(inkOf(m_image).any);
}

TEST_F(CanvasText, OpaqueModeFillsTheTextBoxWithTheBackground)
{
    m_canvas.setBkMode(OPAQUE);
    m_canvas.setBkColor(RGB(0, 255, 0));
    Rect r{0, 0, 200, 80};
    const int height = m_canvas.drawText(QStringLiteral("Save"), r, 0);
    EXPECT_EQ(m_canvas.getPixel(0, 0), RGB(0, 255, 0));
    EXPECT_EQ(m_canvas.getPixel(0, height - 1), RGB(0, 255, 0));
    EXPECT_EQ(m_canvas.getPixel(150, 0), kPaper);
    EXPECT_EQ(m_canvas.getPixel(0, height), kPaper);
}

// The access key's underline adds ink below the baseline that the hidden mark does not.
TEST_F(CanvasText, AccessKeyIsUnderlinedUnlessHidden)
{
    auto inkBelowBaseline = [this](unsigned format) {
        m_image.fill(toQRgb(kPaper));
        Rect r{10, 10, 190, 70};
        m_canvas.drawText(QStringLiteral("&Save"), r, format);
        const int baseline = 10 + QFontMetrics(m_canvas.font(), &m_image).ascent();
        int count = 0;
        for (int y = baseline; y < 70; ++y)
            for (int x = 0; x < 200; ++x)
                count += (m_image.pixel(x, y) & 0xFFFFFFu) != (toQRgb(kPaper) & 0xFFFFFFu);
        return count;
    };
    EXPECT_GT(inkBelowBaseline(0), inkBelowBaseline(DT_HIDEPREFIX));
}

TEST_F(CanvasText, ReturnsTheHeightBelowTheTop)
{
    const int line = QFontMetrics(m_canvas.font(), &m_image).height();
    Rect r{0, 0, 200, 40};
    EXPECT_EQ(m_canvas.drawText(QStringLiteral("a\nb"), r, 0), 2 * line);
    EXPECT_EQ(m_canvas.drawText(QStringLiteral("a"), r, DT_SINGLELINE | DT_VCENTER), (40 - line) / 2 + line);
    EXPECT_EQ(m_canvas.drawText(QStringLiteral("a"), r, DT_SINGLELINE | DT_BOTTOM), 40);
}

TEST_F(CanvasText, EmptyTextMeasuresNothing)
{
    Rect r{4, 4, 40, 20};
    EXPECT_EQ(m_canvas.drawText(QString(), r, DT_CALCRECT | DT_WORDBREAK), 0);
    EXPECT_EQ(r, (Rect{4, 4, 4, 4}));
}

} // namespace
