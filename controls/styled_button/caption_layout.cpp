#include "controls/styled_button/caption_layout.h"

#include "controls/styled_button/color_math.h"

namespace scrivlet {

namespace {
int half(int value)
{
    return ColorMath::roundHalfEven(value / 2.0);
}
} // namespace

CaptionPlacement CaptionLayout::place(int width, int height, const gdi::Rect &measured, qint32 captionAlign,
                                      int margin, bool rightToLeft, quint32 previousFormat)
{
    const int W = width;
    const int H = height;
    const int l = measured.left;
    const int t = measured.top;
    const int r = measured.right;
    const int b = measured.bottom;
    const int M = margin;
    using namespace gdi;

    CaptionPlacement out;
    switch (captionAlign) {
    case 0:
        out.rect = {half(W - r - l), half(H - b - t) + 3, half(W + r - l), half(H + b - t)};
        out.textFormat = DT_WORDBREAK | DT_VCENTER | DT_CENTER;
        break;
    case 1:
        out.rect = {M, half(H - b - t) + 3, r + M, half(H + b - t)};
        out.textFormat = DT_WORDBREAK | DT_VCENTER;
        break;
    case 2:
        out.rect = {W - r - l - M, half(H - b - t) + 3, W - l - M, half(H + b - t)};
        out.textFormat = DT_WORDBREAK | DT_VCENTER | DT_RIGHT;
        break;
    case 3:
        out.rect = {half(W - r - l), half(M), half(W + r - l), half(M) + (b - t)};
        out.textFormat = DT_WORDBREAK | DT_CENTER;
        break;
    case 4:
        out.rect = {half(W - r - l), H - (b - t) - half(M), half(W + r - l), H - half(M)};
        out.textFormat = DT_WORDBREAK | DT_BOTTOM | DT_CENTER;
        break;
    default:
        out.rect = {4, 4, W - 4, H - 4};
        out.textFormat = previousFormat;
        break;
    }
    if (rightToLeft)
        out.textFormat |= DT_RTLREADING;
    return out;
}

} // namespace scrivlet
