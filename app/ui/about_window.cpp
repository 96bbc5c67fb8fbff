#include "app/ui/about_window.h"

#include "app/platform/platform.h"
#include "app/ui/app_icon.h"
#include "app/ui/form_builder.h"
#include "controls/host/palette_contrast.h"
#include "controls/styled_button/styled_button.h"

#include <QLabel>
#include <QMouseEvent>

namespace scrivlet {

AboutWindow::AboutWindow(Platform &platform, QWidget *parent)
    : QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_platform(platform)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(AppIcon::icon());
    FormBuilder builder(this);
    builder.build(FormDesign::fromResource(QStringLiteral(":/forms/form2.json")));
    m_link = builder.get<QLabel>(QStringLiteral("Label1"));
    m_ok = builder.get<StyledButton>(QStringLiteral("StyledButton1"));
    if (m_link != nullptr) {
        m_link->setCursor(Qt::PointingHandCursor);
        m_link->installEventFilter(this);
        m_storedLinkColor = m_link->palette().color(QPalette::WindowText);
        followPalette();
    }
    if (m_ok != nullptr)
        connect(m_ok, &StyledButton::Click, this, &QWidget::close);
}

QLabel *AboutWindow::label(const QString &name) const
{
    return findChild<QLabel *>(name);
}

void AboutWindow::linkClicked()
{
    m_platform.openUrl(m_link != nullptr ? m_link->text() : QString(kSiteAddress));
}

bool AboutWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_link && event->type() == QEvent::MouseButtonRelease) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::LeftButton && m_link->rect().contains(mouse->position().toPoint()))
            linkClicked();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void AboutWindow::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        followPalette();
}

void AboutWindow::followPalette()
{
    if (m_link == nullptr)
        return;
    // The stored dark blue cannot be read on a dark window.
    const QColor wanted =
        PaletteContrast::isDark(palette()) ? palette().color(QPalette::Link) : m_storedLinkColor;
    if (m_link->palette().color(QPalette::WindowText) == wanted)
        return;
    QPalette linkPalette = m_link->palette();
    linkPalette.setColor(QPalette::WindowText, wanted);
    m_link->setPalette(linkPalette);
}

void AboutWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_centred)
        return;
    m_centred = true;
    centreOnScreen(*this);
}

} // namespace scrivlet
