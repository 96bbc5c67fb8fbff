#include "app/ui/about_window.h"

#include "app/platform/platform.h"
#include "app/ui/app_icon.h"
#include "app/ui/form_builder.h"
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
    buildFromDesign();
    m_link->setCursor(Qt::PointingHandCursor);
    m_link->installEventFilter(this);
    connect(m_ok, &StyledButton::Click, this, &QWidget::close);
}

void AboutWindow::buildFromDesign()
{
    FormBuilder builder(this);
    builder.build(FormDesign::fromResource(QStringLiteral(":/forms/about_window.json")));
    QStringList missing;
    // The design names the controls; the window knows them by their roles.
    const auto take = [&]<typename T>(T *&member, const char *name) {
        member = builder.get<T>(QString::fromLatin1(name));
        if (member == nullptr)
            missing.append(QString::fromLatin1(name));
    };
    take(m_version, "Label3");
    take(m_copyright, "lblCopyright");
    take(m_link, "Label1");
    take(m_contact, "Label4");
    take(m_ok, "StyledButton1");
    if (!missing.isEmpty())
        qFatal("the About window's design lacks %s", qPrintable(missing.join(QStringLiteral(", "))));
}

void AboutWindow::linkClicked()
{
    m_platform.openUrl(m_link->text());
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
