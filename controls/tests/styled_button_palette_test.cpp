// The caption and face colours a button chooses under a light, a dark and a high-contrast palette:
// on a dark palette the gradient look takes its shades from the palette's Button colour and its
// caption from ButtonText, and a caption that cannot be read on its face turns black or white.
#include "controls/host/system_colors.h"
#include "controls/styled_button/button_painter.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <ostream>

using namespace scrivlet;

namespace {

using gdi::RGB;

QPalette palette(QColor window, QColor text, QColor button, QColor buttonText, QColor highlight)
{
    QPalette p;
    p.setColor(QPalette::Window, window);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Base, window);
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Button, button);
    p.setColor(QPalette::ButtonText, buttonText);
    p.setColor(QPalette::Highlight, highlight);
    p.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(127, 127, 127));
    return p;
}

enum class Scheme { Light, DarkFusion, HighContrast };

QPalette schemePalette(Scheme scheme)
{
    switch (scheme) {
    case Scheme::Light:
        return palette(QColor(239, 239, 239), Qt::black, QColor(239, 239, 239), Qt::black,
                       QColor(48, 140, 198));
    case Scheme::DarkFusion:
        return palette(QColor(53, 53, 53), Qt::white, QColor(53, 53, 53), Qt::white, QColor(42, 130, 218));
    case Scheme::HighContrast:
        return palette(Qt::black, Qt::white, Qt::black, QColor(255, 255, 0), QColor(0, 255, 255));
    }
    return {};
}

struct PairCase
{
    Scheme scheme;
    ButtonLook look;
    ButtonState state;
    gdi::ColorRef face;    // at the button's centre
    gdi::ColorRef caption; // as drawn
};

void PrintTo(const PairCase &c, std::ostream *out)
{
    const char *schemes[] = {"light", "dark Fusion", "high contrast"};
    *out << schemes[static_cast<int>(c.scheme)] << ", look " << static_cast<int>(c.look) << ", state "
         << static_cast<int>(c.state);
}

class CaptionOnFace : public testing::TestWithParam<PairCase>
{
protected:
    void SetUp() override { m_saved = QApplication::palette(); }
    void TearDown() override { QApplication::setPalette(m_saved); }

private:
    QPalette m_saved;
};

// The gradient look's middle row (y = 12 of 25) is row 8 of its second gradient, from
// (250, 250, 249) to (240, 240, 234) over 17 rows; a dark palette moves both ends by Button - 240.
INSTANTIATE_TEST_SUITE_P(
    Palettes, CaptionOnFace,
    testing::Values(
        // Light: the fixed face and the palette's black text, as always.
        PairCase{Scheme::Light, ButtonLook::LookGradient, ButtonState::Normal, RGB(245, 245, 242),
                 RGB(0, 0, 0)},
        // Dark Fusion: the face from Button (53) - 187, the caption from ButtonText.
        PairCase{Scheme::DarkFusion, ButtonLook::LookGradient, ButtonState::Normal, RGB(58, 58, 55),
                 RGB(255, 255, 255)},
        PairCase{Scheme::DarkFusion, ButtonLook::LookGradient, ButtonState::Hot, RGB(58, 58, 55),
                 RGB(255, 255, 255)},
        // Disabled: the disabled face (245, 244, 234) moved the same way; the grey caption is
        // faint on purpose and stays.
        PairCase{Scheme::DarkFusion, ButtonLook::LookGradient, ButtonState::Disabled, RGB(58, 57, 47),
                 RGB(127, 127, 127)},
        // The highlight look while hot: Highlight lightened by 176 is too light for white text.
        PairCase{Scheme::DarkFusion, ButtonLook::LookHighlight, ButtonState::Hot, RGB(189, 216, 243),
                 RGB(0, 0, 0)},
        PairCase{Scheme::DarkFusion, ButtonLook::LookClassic, ButtonState::Normal, RGB(53, 53, 53),
                 RGB(255, 255, 255)},
        // High contrast: a black face keeps its yellow text; yellow on pale cyan turns black.
        PairCase{Scheme::HighContrast, ButtonLook::LookGradient, ButtonState::Normal, RGB(5, 5, 5),
                 RGB(255, 255, 0)},
        PairCase{Scheme::HighContrast, ButtonLook::LookHighlight, ButtonState::Hot, RGB(176, 255, 255),
                 RGB(0, 0, 0)}));

TEST_P(CaptionOnFace, ChoosesAReadablePair)
{
    const PairCase &c = GetParam();
    QApplication::setPalette(schemePalette(c.scheme));
    ButtonFaceInput in;
    in.size = {73, 25};
    in.look = c.look;
    in.state = c.state;
    in.enabled = c.state != ButtonState::Disabled;
    in.caption = QStringLiteral("Save");
    in.captionRect = {4, 4, 69, 21};
    in.system = ButtonSystemColors::current();
    const ButtonFace face = ButtonPainter::paint(in);
    EXPECT_EQ(face.faceColor, c.face) << std::hex << face.faceColor;
    EXPECT_EQ(face.captionColor, c.caption) << std::hex << face.captionColor;
}

} // namespace
