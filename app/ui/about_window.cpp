#include "app/ui/about_window.h"

#include "app/platform/platform.h"
#include "app/ui/app_icon.h"
#include "app/ui/form_builder.h"
#include "app/ui/help_page.h"
#include "controls/styled_button/styled_button.h"

#include <QLabel>
#include <QMouseEvent>
#include <QShortcut>

namespace scrivlet {

namespace {

constexpr const char *kWebAddress = SCRIVLET_WEB_ADDRESS;

bool hasWebAddress()
{
    return *kWebAddress != '\0';
}

} // namespace

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
        m_link->setText(hasWebAddress() ? QString::fromUtf8(kWebAddress) : QStringLiteral("Help"));
        m_link->setCursor(Qt::PointingHandCursor);
        m_link->installEventFilter(this);
    }
    if (m_ok != nullptr)
        connect(m_ok, &StyledButton::Click, this, &QWidget::close);
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &QWidget::close);
}

QLabel *AboutWindow::label(const QString &name) const
{
    return findChild<QLabel *>(name);
}

void AboutWindow::linkClicked()
{
    if (hasWebAddress())
        m_platform.openUrl(QString::fromUtf8(kWebAddress));
    else
        HelpPage::open(m_platform);
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

void AboutWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_centred)
        return;
    m_centred = true;
    centreOnScreen(*this);
}

} // namespace scrivlet
