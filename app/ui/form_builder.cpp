#include "app/ui/form_builder.h"

#include "app/ui/file_list_view.h"
#include "app/ui/text_box.h"

#include "controls/host/property_bag.h"
#include "controls/progress_bar/xp_progress_bar.h"
#include "controls/styled_button/styled_button.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QJsonArray>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScreen>
#include <QStatusBar>

namespace scrivlet {

namespace {

TextBox *makeTextBox(const ControlDesign &control)
{
    auto *edit = new TextBox;
    const QString bars = control.attributes.value(QStringLiteral("scrollBars")).toString();
    const bool vertical = bars == QLatin1String("vertical") || bars == QLatin1String("both");
    const bool horizontal = bars == QLatin1String("horizontal") || bars == QLatin1String("both");
    edit->setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    edit->setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    // A box with a horizontal bar keeps each line whole; otherwise long lines wrap at words.
    edit->setLineWrapMode(horizontal ? QPlainTextEdit::NoWrap : QPlainTextEdit::WidgetWidth);
    edit->setText(control.attributes.value(QStringLiteral("text")).toString());
    return edit;
}

template <typename OwnControl> OwnControl *makeOwnControl(const ControlDesign &control)
{
    auto *widget = new OwnControl;
    widget->setObjectName(control.name);
    return widget;
}

} // namespace

QColor FormBuilder::colorOf(quint32 bgr)
{
    return QColor(static_cast<int>(bgr & 0xFFu), static_cast<int>((bgr >> 8) & 0xFFu),
                  static_cast<int>((bgr >> 16) & 0xFFu));
}

QWidget *FormBuilder::create(const ControlDesign &control, QWidget *parent) const
{
    const QJsonObject &a = control.attributes;
    QWidget *widget = nullptr;
    if (control.kind == QLatin1String("ListView")) {
        widget = new FileListView;
    } else if (control.kind == QLatin1String("GroupBox") || control.kind == QLatin1String("Frame")) {
        widget = new QGroupBox(control.caption());
    } else if (control.kind == QLatin1String("TextBox")) {
        widget = makeTextBox(control);
    } else if (control.kind == QLatin1String("FlatEdit")) {
        auto *edit = new QLineEdit(a.value(QStringLiteral("text")).toString());
        // A locked box shows a value the program sets; it can be selected and copied, not typed in.
        edit->setReadOnly(a.value(QStringLiteral("locked")).toBool());
        widget = edit;
    } else if (control.kind == QLatin1String("RadioButton")) {
        auto *radio = new QRadioButton(control.caption());
        radio->setChecked(a.value(QStringLiteral("value")).toBool());
        widget = radio;
    } else if (control.kind == QLatin1String("CheckBox")) {
        auto *check = new QCheckBox(control.caption());
        check->setChecked(a.value(QStringLiteral("value")).toInt() == 1);
        widget = check;
    } else if (control.kind == QLatin1String("Label")) {
        auto *label = new QLabel(control.caption());
        if (a.contains(QStringLiteral("foreColor"))) {
            QPalette palette = label->palette();
            palette.setColor(QPalette::WindowText,
                             colorOf(static_cast<quint32>(a.value(QStringLiteral("foreColor")).toInteger())));
            label->setPalette(palette);
        }
        label->setAutoFillBackground(!a.value(QStringLiteral("transparent")).toBool());
        widget = label;
    } else if (control.kind == QLatin1String("StatusBar")) {
        auto *bar = new QStatusBar;
        bar->setSizeGripEnabled(false);
        widget = bar;
    } else if (control.kind == QLatin1String("StyledButton")) {
        widget = makeOwnControl<StyledButton>(control);
    } else if (control.kind == QLatin1String("ProgressBar")) {
        widget = makeOwnControl<XP_ProgressBar>(control);
    } else {
        return nullptr;
    }
    widget->setObjectName(control.name);
    widget->setParent(parent);
    if (const std::optional<QFont> font = PropertyBag::fontFromJson(a.value(QStringLiteral("font"))))
        widget->setFont(*font);
    widget->setGeometry(FormDesign::toPixels(control.twips));
    // Own controls take their settings once they sit at their size, as they lay out on loading.
    if (auto *own = qobject_cast<UserControl *>(widget))
        own->readProperties(PropertyBag::fromJson(control.properties()));
    if (!control.visible())
        widget->setVisible(false);
    return widget;
}

void FormBuilder::installFontSubstitutes()
{
    // The designs name the classic Windows interface fonts. Where they are missing, take fonts of
    // about their width, so captions fit the sizes the designs give their controls.
    static const bool installed = [] {
        const QStringList narrow{QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                                 QStringLiteral("Nimbus Sans"), QStringLiteral("Helvetica")};
        for (const char *family : {"MS Sans Serif", "Microsoft Sans Serif", "Tahoma", "Arial"})
            QFont::insertSubstitutions(QString::fromLatin1(family), narrow);
        return true;
    }();
    Q_UNUSED(installed);
}

void FormBuilder::build(const FormDesign &form)
{
    installFontSubstitutes();
    if (const std::optional<QFont> font = PropertyBag::fontFromJson(form.font))
        m_host->setFont(*font);
    m_host->setObjectName(form.name);
    m_host->setWindowTitle(form.caption);
    m_host->setFixedSize(FormDesign::toPixels(form.clientTwips.width()),
                         FormDesign::toPixels(form.clientTwips.height()));
    for (const ControlDesign &control : form.controls) {
        QWidget *parent = control.container == form.name ? m_host : m_widgets.value(control.container);
        if (parent == nullptr)
            continue;
        if (QWidget *widget = create(control, parent))
            m_widgets.insert(control.name, widget);
    }
}

void centreOnScreen(QWidget &window)
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (screen == nullptr || window.isMaximized() || window.isFullScreen())
        return;
    const QRect available = screen->availableGeometry();
    // A window larger than the screen shrinks as far as it may, and its top left corner (the
    // title bar) stays on the screen whatever is left over.
    const QSize frameExtra = window.frameGeometry().size() - window.size();
    const QSize fitting =
        window.size().boundedTo(available.size() - frameExtra).expandedTo(window.minimumSize());
    if (fitting != window.size())
        window.resize(fitting);
    QRect frame = window.frameGeometry();
    frame.moveCenter(available.center());
    frame.moveLeft(qMax(frame.left(), available.left()));
    frame.moveTop(qMax(frame.top(), available.top()));
    window.move(frame.topLeft());
}

} // namespace scrivlet
