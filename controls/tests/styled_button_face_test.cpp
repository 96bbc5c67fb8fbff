// The gradient look (style 5) to the pixel: the expected faces are built here from the look's
// drawing rules with a small reference rasteriser of their own (rows as half-open spans, gradient
// rows with a single-precision step), then compared with what the button shows, caption excluded.
#include "controls/host/system_colors.h"
#include "controls/styled_button/button_painter.h"
#include "controls/styled_button/styled_button.h"
#include "controls/tests/support/image_compare.h"
#include "tests/support/case_name.h"

#include <QFocusEvent>
#include <QTest>
#include <gtest/gtest.h>

#include <cmath>

using namespace scrivlet;

namespace {

using Rgb = std::array<int, 3>;

// Row i of a gradient from a to b over h steps: the step per row is kept as a 32-bit float, the sum
// a + i * step is exact in double, and an exact half goes to the even neighbour.
int gradientChannel(int a, int b, int i, int h)
{
    const float step = static_cast<float>(b - a) / static_cast<float>(h);
    const double v = a + i * static_cast<double>(step);
    const double below = std::floor(v);
    const double frac = v - below;
    int n = static_cast<int>(below);
    if (frac > 0.5 || (frac == 0.5 && n % 2 != 0))
        ++n;
    return n;
}

class Reference
{
public:
    Reference(int w, int h, Rgb background) : m_image(w, h, QImage::Format_RGB32)
    {
        m_image.fill(qRgb(background[0], background[1], background[2]));
    }
    void pixel(int x, int y, Rgb c)
    {
        if (x >= 0 && y >= 0 && x < m_image.width() && y < m_image.height())
            m_image.setPixel(x, y, qRgb(c[0], c[1], c[2]));
    }
    // A row from x1 up to, not including, x2; a column likewise.
    void row(int x1, int x2, int y, Rgb c)
    {
        for (int x = x1; x < x2; ++x)
            pixel(x, y, c);
    }
    void column(int x, int y1, int y2, Rgb c)
    {
        for (int y = y1; y < y2; ++y)
            pixel(x, y, c);
    }
    // Rows y .. y + h, row i in a + i (b - a) / h.
    void gradient(Rgb a, Rgb b, int x1, int y, int x2, int h)
    {
        for (int i = 0; i <= h; ++i) {
            Rgb c;
            for (std::size_t k = 0; k < 3; ++k)
                c[k] = gradientChannel(a[k], b[k], i, h);
            row(x1, x2, y + i, c);
        }
    }
    const QImage &image() const { return m_image; }

private:
    QImage m_image;
};

enum class Look { Normal, Hot, Pressed, Disabled, Focused, Default };

const char *lookName(Look look)
{
    switch (look) {
    case Look::Normal:
        return "normal";
    case Look::Hot:
        return "hot";
    case Look::Pressed:
        return "pressed";
    case Look::Disabled:
        return "disabled";
    case Look::Focused:
        return "focused";
    case Look::Default:
        return "default";
    }
    return "?";
}

Rgb standardFace()
{
    const gdi::ColorRef face = SystemColors::sysColor(15).value();
    return {gdi::GetRValue(face), gdi::GetGValue(face), gdi::GetBValue(face)};
}

// The four corners are cut alike, each a mirror image of the top left one: an offset (dx, dy)
// from the top left corner stands for the pixel dx columns and dy rows in from each corner.
void corners(Reference &r, int W, int H, std::initializer_list<std::pair<int, int>> offsets, Rgb c)
{
    for (auto [dx, dy] : offsets) {
        r.pixel(dx, dy, c);
        r.pixel(W - 1 - dx, dy, c);
        r.pixel(dx, H - 1 - dy, c);
        r.pixel(W - 1 - dx, H - 1 - dy, c);
    }
}

void border(Reference &r, int W, int H)
{
    r.row(1, W - 1, 0, {0, 60, 116});
    r.column(0, 1, H - 1, {0, 60, 116});
    r.column(W - 1, 1, H - 1, {0, 60, 116});
    r.row(1, W - 1, H - 1, {0, 60, 116});
    corners(r, W, H, {{1, 1}}, {72, 110, 144});
    corners(r, W, H, {{0, 1}, {1, 0}}, {106, 139, 162});
    corners(r, W, H, {{1, 2}, {2, 1}}, {191, 199, 202});
}

QImage expectedFace(Look look, int W, int H)
{
    if (look == Look::Disabled) {
        Reference r(W, H, {245, 244, 234});
        r.row(0, W, 0, {201, 199, 186});
        r.row(0, W, H - 1, {201, 199, 186});
        r.column(0, 0, H, {201, 199, 186});
        r.column(W - 1, 0, H, {201, 199, 186});
        corners(r, W, H, {{0, 1}, {1, 1}, {1, 0}}, {216, 213, 199});
        return r.image();
    }
    Reference r(W, H, standardFace());
    if (look == Look::Pressed) {
        r.gradient({209, 204, 193}, {228, 227, 220}, 2, 1, W - 1, 4);
        r.gradient({228, 227, 220}, {227, 226, 219}, 2, 4, W - 1, H - 8);
        r.gradient({227, 226, 219}, {242, 241, 238}, 3, H - 4, W - 1, 3);
        r.gradient({218, 216, 206}, {227, 226, 219}, 1, 3, 2, H - 5);
        r.gradient({218, 216, 206}, {227, 226, 219}, 2, 4, 3, H - 7);
        border(r, W, H);
        return r.image();
    }
    r.gradient({252, 252, 251}, {240, 240, 240}, 1, 1, W - 2, 4);
    r.gradient({250, 250, 249}, {240, 240, 234}, 1, 4, W - 2, H - 8);
    r.gradient({235, 235, 230}, {214, 208, 197}, 1, H - 4, W - 2, 3);
    r.gradient({251, 251, 250}, {228, 226, 218}, W - 3, 3, W - 2, H - 5);
    r.gradient({245, 244, 242}, {219, 215, 205}, W - 2, 3, W - 1, H - 5);
    border(r, W, H);
    if (look == Look::Hot) {
        r.row(2, W - 2, 1, {255, 240, 207});
        r.row(2, W - 2, 2, {253, 216, 137});
        r.row(2, W - 2, H - 3, {248, 179, 48});
        r.row(2, W - 2, H - 2, {229, 151, 16});
        r.gradient({253, 216, 137}, {248, 179, 48}, 1, 2, 3, H - 5);
        r.gradient({253, 216, 137}, {248, 179, 48}, W - 3, 2, W - 1, H - 5);
    } else if (look == Look::Focused || look == Look::Default) {
        r.row(2, W - 2, H - 2, {105, 130, 238});
        r.row(2, W - 2, 1, {206, 231, 255});
        r.row(2, W - 2, 2, {188, 212, 246});
        r.row(2, W - 2, H - 3, {137, 173, 228});
        r.gradient({188, 212, 246}, {137, 173, 228}, 1, 2, 3, H - 5);
        r.gradient({188, 212, 246}, {137, 173, 228}, W - 3, 2, W - 1, H - 5);
    }
    return r.image();
}

// Everything but the caption rectangle.
QImage maskOutside(const gdi::Rect &caption, int W, int H)
{
    QImage mask(W, H, QImage::Format_RGB32);
    mask.fill(Qt::white);
    for (int y = caption.top; y < caption.bottom; ++y)
        for (int x = caption.left; x < caption.right; ++x)
            if (x >= 0 && y >= 0 && x < W && y < H)
                mask.setPixel(x, y, qRgb(0, 0, 0));
    return mask;
}

class StandardColors : public ::testing::Test
{
protected:
    void SetUp() override { SystemColors::setSource(SystemColors::Source::Standard); }
    void TearDown() override { SystemColors::setSource(SystemColors::Source::Palette); }
};

struct FaceCase
{
    int width;
    Look look;
    const char *name;
};

void PrintTo(const FaceCase &c, std::ostream *out)
{
    *out << c.name;
}

class GradientFace : public StandardColors, public ::testing::WithParamInterface<FaceCase>
{
};

// The button itself, driven into each state the way a user would, compared outside its caption.
TEST_P(GradientFace, MatchesTheRulesOutsideTheCaption)
{
    const FaceCase c = GetParam();
    StyledButton button;
    PropertyBag bag;
    bag.writeInt32(QStringLiteral("Style"), 5);
    bag.writeText(QStringLiteral("Caption"), QStringLiteral("Browse"));
    button.readProperties(bag);
    button.resize(c.width, 25);
    button.show();
    switch (c.look) {
    case Look::Hot:
        QTest::mouseMove(&button, QPoint(10, 10));
        break;
    case Look::Pressed:
        QTest::mouseMove(&button, QPoint(10, 10));
        QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(10, 10));
        break;
    case Look::Disabled:
        button.setEnabled(false);
        break;
    case Look::Focused: {
        QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
        QApplication::sendEvent(&button, &in);
        break;
    }
    case Look::Default:
        button.setDisplayAsDefault(true);
        break;
    case Look::Normal:
        break;
    }
    const QImage expected = expectedFace(c.look, c.width, 25);
    EXPECT_TRUE(imagesEqualWhere(button.surface(), expected, maskOutside(button.captionRect(), c.width, 25),
                                 QString::fromLatin1(c.name)));
}

INSTANTIATE_TEST_SUITE_P(
    ProgramSizes, GradientFace,
    ::testing::Values(FaceCase{65, Look::Normal, "w65_normal"}, FaceCase{65, Look::Hot, "w65_hot"},
                      FaceCase{65, Look::Pressed, "w65_pressed"},
                      FaceCase{65, Look::Disabled, "w65_disabled"},
                      FaceCase{65, Look::Focused, "w65_focused"}, FaceCase{65, Look::Default, "w65_default"},
                      FaceCase{73, Look::Normal, "w73_normal"}, FaceCase{73, Look::Hot, "w73_hot"},
                      FaceCase{73, Look::Pressed, "w73_pressed"},
                      FaceCase{73, Look::Disabled, "w73_disabled"},
                      FaceCase{73, Look::Focused, "w73_focused"}, FaceCase{73, Look::Default, "w73_default"}),
    PrintedCaseName());

// Without a caption every pixel is compared, on sizes other than the program's too.
struct BareCase
{
    int width;
    int height;
    ButtonState state;
    bool focus;
    Look look;
};

void PrintTo(const BareCase &c, std::ostream *out)
{
    *out << c.width << "x" << c.height << " " << lookName(c.look)
         << (c.focus && c.look != Look::Focused ? " with focus" : "");
}

class BareGradientFace : public StandardColors, public ::testing::WithParamInterface<BareCase>
{
};

TEST_P(BareGradientFace, EveryPixelMatches)
{
    const BareCase c = GetParam();
    ButtonFaceInput in;
    in.size = {c.width, c.height};
    in.look = ButtonLook::LookGradient;
    in.state = c.state;
    in.enabled = c.state != ButtonState::Disabled;
    in.hasFocus = c.focus;
    in.system = ButtonSystemColors::current();
    const ButtonFace face = ButtonPainter::paint(in);
    EXPECT_EQ(face.margin, 3);
    EXPECT_TRUE(imagesEqual(face.image, expectedFace(c.look, c.width, c.height),
                            QStringLiteral("bare_%1x%2").arg(c.width).arg(c.height)));
}

INSTANTIATE_TEST_SUITE_P(Sizes, BareGradientFace,
                         ::testing::Values(BareCase{20, 20, ButtonState::Normal, false, Look::Normal},
                                           BareCase{40, 31, ButtonState::Hot, false, Look::Hot},
                                           BareCase{120, 48, ButtonState::Pressed, false, Look::Pressed},
                                           BareCase{33, 21, ButtonState::Normal, true, Look::Focused},
                                           BareCase{64, 26, ButtonState::Disabled, false, Look::Disabled},
                                           BareCase{65, 25, ButtonState::Hot, true, Look::Hot}),
                         PrintedCaseName());

// Spot values a reader can check by hand: the first and last face rows of a 65 x 25 button.
TEST_F(StandardColors, FirstAndLastFaceRowsOfARestingButton)
{
    ButtonFaceInput in;
    in.size = {65, 25};
    in.look = ButtonLook::LookGradient;
    in.system = ButtonSystemColors::current();
    const QImage img = ButtonPainter::paint(in).image;
    for (int x = 3; x < 62; ++x) {
        ASSERT_EQ(img.pixel(x, 1) & 0xFFFFFFu, qRgb(252, 252, 251) & 0xFFFFFFu) << "x=" << x;
        ASSERT_EQ(img.pixel(x, 23) & 0xFFFFFFu, qRgb(221, 217, 208) & 0xFFFFFFu) << "x=" << x;
    }
    EXPECT_EQ(img.pixel(30, 0) & 0xFFFFFFu, qRgb(0, 60, 116) & 0xFFFFFFu);
    EXPECT_EQ(img.pixel(30, 24) & 0xFFFFFFu, qRgb(0, 60, 116) & 0xFFFFFFu);
}

// A gradient of no rows ends the face, yet the caption is still drawn.
TEST_F(StandardColors, ADegenerateGradientEndsTheFaceButNotTheCaption)
{
    ButtonFaceInput in;
    in.size = {40, 8}; // step 2 has H - 8 = 0 rows
    in.look = ButtonLook::LookGradient;
    in.system = ButtonSystemColors::current();
    in.caption = QStringLiteral("Wide caption text");
    in.captionRect = {0, 0, 40, 8};
    const QImage img = ButtonPainter::paint(in).image;
    // Step 1 ran (row 1 holds its first colour) but no border was drawn after the failing step.
    EXPECT_EQ(img.pixel(20, 1) & 0xFFFFFFu, qRgb(252, 252, 251) & 0xFFFFFFu);
    EXPECT_NE(img.pixel(0, 4) & 0xFFFFFFu, qRgb(0, 60, 116) & 0xFFFFFFu);
    bool inked = false;
    for (int y = 0; y < 8 && !inked; ++y)
        for (int x = 0; x < 40 && !inked; ++x)
            inked = qGray(img.pixel(x, y)) < 100;
    EXPECT_TRUE(inked) << "the caption should still be drawn";
}

} // namespace
