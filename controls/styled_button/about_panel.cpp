#include "controls/styled_button/about_panel.h"

#include "controls/raster/canvas.h"
#include "controls/styled_button/gradient_lines.h"

#include <QMouseEvent>
#include <QPainter>

namespace scrivlet {

namespace {
constexpr int kWidth = 260;
constexpr int kHeight = 140;
} // namespace

AboutPanel::AboutPanel(const QString &version) : m_version(version)
{
    setWindowFlags(Qt::Window | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("About StyledButton ") + version);
    resize(kWidth, kHeight);
}

void AboutPanel::showPanel()
{
    m_pressed = false;
    show();
    raise();
}

QRect AboutPanel::closeButton() const
{
    return {width() - 86, height() - 34, 74, 24};
}

void AboutPanel::paintEvent(QPaintEvent *)
{
    QImage image(size(), QImage::Format_RGB32);
    gdi::Canvas canvas(image);
    GradientLines::vertical(canvas, gdi::RGB(255, 255, 255), gdi::RGB(214, 223, 247), 0, 0, width(),
                            std::max(height() - 1, 1));
    const QRect b = closeButton();
    const gdi::Rect r{b.left(), b.top(), b.right() + 1, b.bottom() + 1};
    if (m_pressed)
        GradientLines::vertical(canvas, gdi::RGB(209, 204, 193), gdi::RGB(242, 241, 238), r.left, r.top,
                                r.right, r.height() - 1);
    else
        GradientLines::vertical(canvas, gdi::RGB(252, 252, 251), gdi::RGB(214, 208, 197), r.left, r.top,
                                r.right, r.height() - 1);
    canvas.frameRect(r, gdi::RGB(0, 60, 116));

    QPainter p(this);
    p.drawImage(0, 0, image);
    QFont title = font();
    title.setPointSize(14);
    title.setBold(true);
    p.setFont(title);
    p.drawText(QRect(12, 10, width() - 24, 28), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("StyledButton"));
    p.setFont(font());
    p.drawText(QRect(12, 40, width() - 24, 18), Qt::AlignLeft, QStringLiteral("Version ") + m_version);
    p.drawText(QRect(12, 60, width() - 24, 18), Qt::AlignLeft,
               QStringLiteral("Owner-drawn button of Scrivlet"));
    QFont link = font();
    link.setUnderline(true);
    p.setFont(link);
    p.setPen(Qt::blue);
    p.drawText(QRect(12, 80, width() - 24, 18), Qt::AlignLeft,
               QStringLiteral("https://scrivlet.example.org/"));
    p.setFont(font());
    p.setPen(Qt::black);
    p.drawText(b.translated(m_pressed ? 1 : 0, m_pressed ? 1 : 0), Qt::AlignCenter, QStringLiteral("Close"));
}

void AboutPanel::mousePressEvent(QMouseEvent *)
{
    m_pressed = true;
    update();
}

void AboutPanel::mouseReleaseEvent(QMouseEvent *)
{
    m_pressed = false;
    hide();
}

} // namespace scrivlet
