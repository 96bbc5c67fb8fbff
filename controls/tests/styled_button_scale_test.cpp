// On a high-DPI screen the button is drawn at the device's resolution from its 1x geometry: at 2x
// every pixel outside the caption is the 1x pixel as a 2 x 2 block, and at 1.5 the border is one
// stroke wide on every side.
#include "controls/host/system_colors.h"
#include "controls/raster/canvas.h"
#include "controls/styled_button/button_painter.h"
#include "controls/tests/support/image_compare.h"

#include <QApplication>
#include <gtest/gtest.h>

using namespace scrivlet;

namespace {

class ButtonScale : public testing::Test
{
protected:
    void SetUp() override { SystemColors::setSource(SystemColors::Source::Standard); }
    void TearDown() override { SystemColors::setSource(SystemColors::Source::Palette); }

    static ButtonFaceInput input(ButtonLook look, ButtonState state, QSize size)
    {
        ButtonFaceInput in;
        in.size = size;
        in.look = look;
        in.state = state;
        in.enabled = state != ButtonState::Disabled;
        in.caption = QStringLiteral("Save");
        in.captionRect = {22, 6, 52, 19};
        in.system = ButtonSystemColors::current();
        return in;
    }
};

TEST_F(ButtonScale, TwiceTheScaleIsTheFaceInBlocksOutsideTheCaption)
{
    QImage icon(16, 16, QImage::Format_ARGB32);
    icon.fill(qRgb(200, 40, 40));
    for (int look = 0; look <= 10; ++look) {
        if (static_cast<ButtonLook>(look) == ButtonLook::LookTheme)
            continue; // the desktop style draws that one at the device's resolution itself
        for (const ButtonState state :
             {ButtonState::Normal, ButtonState::Hot, ButtonState::Pressed, ButtonState::Disabled}) {
            ButtonFaceInput in = input(static_cast<ButtonLook>(look), state, {73, 25});
            in.icon = icon;
            in.hasFocus = true;
            const QImage one = ButtonPainter::paint(in).image;
            in.scale = 2;
            const QImage two = ButtonPainter::paint(in).image;
            QImage outsideCaption(73, 25, QImage::Format_RGB32);
            outsideCaption.fill(Qt::white);
            for (int y = in.captionRect.top; y < in.captionRect.bottom; ++y)
                for (int x = in.captionRect.left; x < in.captionRect.right; ++x)
                    outsideCaption.setPixel(x, y, qRgb(0, 0, 0));
            EXPECT_TRUE(imagesEqualWhere(
                two, enlarged(one, 2), enlarged(outsideCaption, 2),
                QStringLiteral("button-2x-look%1-state%2").arg(look).arg(static_cast<int>(state))));
        }
    }
}

TEST_F(ButtonScale, BorderAtOneAndAHalfIsOneStrokeWideAllRound)
{
    for (const QSize size : {QSize(73, 25), QSize(64, 24)}) {
        const ButtonFaceInput in = [&] {
            ButtonFaceInput i = input(ButtonLook::LookGradient, ButtonState::Normal, size);
            i.scale = 1.5;
            return i;
        }();
        const QImage face = ButtonPainter::paint(in).image;
        ASSERT_EQ(face.size(), QSize(qRound(size.width() * 1.5), qRound(size.height() * 1.5)));
        const int midX = face.width() / 2 + 20; // clear of the caption
        const int midY = face.height() / 2;
        const QRgb border = qRgb(0, 60, 116);
        EXPECT_EQ(face.pixel(0, midY), border);
        EXPECT_EQ(runLength(face, {0, midY}, {1, 0}), 2) << "left, width " << size.width();
        EXPECT_EQ(runLength(face, {face.width() - 1, midY}, {-1, 0}), 2) << "right, width " << size.width();
        EXPECT_EQ(runLength(face, {midX, 0}, {0, 1}), 2) << "top, height " << size.height();
        EXPECT_EQ(runLength(face, {midX, face.height() - 1}, {0, -1}), 2)
            << "bottom, height " << size.height();
    }
}

} // namespace
