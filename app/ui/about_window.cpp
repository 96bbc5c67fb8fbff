#include "app/ui/about_window.h"

#include "app/platform/platform.h"
#include "app/ui/app_icon.h"
#include "app/ui/form_builder.h"
#include "app/ui/help_page.h"
#include "controls/host/palette_contrast.h"
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
    buildFromDesign();
    m_link->setText(hasWebAddress() ? QString::fromUtf8(kWebAddress) : QStringLiteral("Help"));
    m_link->setCursor(Qt::PointingHandCursor);
    m_link->installEventFilter(this);
    m_storedLinkColor = m_link->palette().color(QPalette::WindowText);
    followPalette();
    connect(m_ok, &StyledButton::Click, this, &QWidget::close);
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &QWidget::close);
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
