// UserControl: the host services the own controls use: events, property-changed notification,
// ambient values, focus moves, one event-loop pass and the drawn surface.
#include "controls/host/user_control.h"
#include "tests/support/case_name.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace scrivlet;

namespace {

// Opens the protected services to the tests.
class ProbeControl : public UserControl
{
public:
    using UserControl::ensureSurface;
    using UserControl::notifyPropertyChanged;
    using UserControl::raiseClick;
    using UserControl::raiseMouseEnter;
    using UserControl::raiseMouseLeave;
    using UserControl::sendTab;
    using UserControl::setAccessKeys;
    using UserControl::UserControl;
    QStringList ambientChanges;
    int accessKeys = 0;

protected:
    void ambientChanged(const QString &name) override { ambientChanges.append(name); }
    void accessKeyPressed() override { ++accessKeys; }
};

TEST(HostUserControl, EventsAndNotificationsReachTheHost)
{
    ProbeControl control;
    QStringList heard;
    QObject::connect(&control, &UserControl::Click, [&heard] { heard << QStringLiteral("Click"); });
    QObject::connect(&control, &UserControl::MouseEnter, [&heard] { heard << QStringLiteral("MouseEnter"); });
    QObject::connect(&control, &UserControl::MouseLeave, [&heard] { heard << QStringLiteral("MouseLeave"); });
    QObject::connect(&control, &UserControl::propertyChanged,
                     [&heard](const QString &name) { heard << QStringLiteral("changed ") + name; });
    control.raiseMouseEnter();
    control.raiseClick();
    control.notifyPropertyChanged(QStringLiteral("bRTLText"));
    control.raiseMouseLeave();
    EXPECT_EQ(heard, (QStringList{QStringLiteral("MouseEnter"), QStringLiteral("Click"),
                                  QStringLiteral("changed bRTLText"), QStringLiteral("MouseLeave")}));
}

TEST(HostUserControl, AmbientChangesAreReportedOnce)
{
    ProbeControl control;
    EXPECT_TRUE(control.userMode());
    EXPECT_FALSE(control.displayAsDefault());
    control.setDisplayAsDefault(true);
    control.setDisplayAsDefault(true);
    control.setUserMode(false);
    control.setUserMode(false);
    control.setDisplayAsDefault(false);
    EXPECT_EQ(control.ambientChanges,
              (QStringList{QStringLiteral("DisplayAsDefault"), QStringLiteral("UserMode"),
                           QStringLiteral("DisplayAsDefault")}));
    EXPECT_FALSE(control.userMode());
}

// "{TAB}" and "+{TAB}" move the focus along the window's tab order.
TEST(HostUserControl, SendTabMovesTheFocusBothWays)
{
    QWidget window;
    auto *layout = new QHBoxLayout(&window);
    auto *before = new QLineEdit(&window);
    auto *control = new ProbeControl(&window);
    auto *after = new QLineEdit(&window);
    control->setFocusPolicy(Qt::StrongFocus);
    layout->addWidget(before);
    layout->addWidget(control);
    layout->addWidget(after);
    window.show();
    QApplication::setActiveWindow(&window);
    window.activateWindow();

    control->setFocus();
    QApplication::processEvents();
    ASSERT_TRUE(control->hasFocus());
    EXPECT_TRUE(control->sendTab(false));
    EXPECT_TRUE(after->hasFocus());

    control->setFocus();
    QApplication::processEvents();
    EXPECT_TRUE(control->sendTab(true));
    EXPECT_TRUE(before->hasFocus());
}

struct AccessKeyCase
{
    const char *caption;
    Qt::Key pressed;
    int notifications;
};

void PrintTo(const AccessKeyCase &c, std::ostream *out)
{
    *out << c.caption << " with Alt+" << QKeySequence(c.pressed).toString().toStdString();
}

class AccessKeys : public ::testing::TestWithParam<AccessKeyCase>
{
};

// Alt + the marked character reaches the control; other keys and unmarked captions do not.
TEST_P(AccessKeys, AltAndTheMarkedKey)
{
    const AccessKeyCase c = GetParam();
    QWidget window;
    auto *layout = new QHBoxLayout(&window);
    auto *edit = new QLineEdit(&window);
    auto *control = new ProbeControl(&window);
    layout->addWidget(edit);
    layout->addWidget(control);
    control->setAccessKeys(QStringLiteral("&Browse"));
    control->setAccessKeys(QString::fromUtf8(c.caption)); // replaces the first key
    window.show();
    QApplication::setActiveWindow(&window);
    edit->setFocus();
    QApplication::processEvents();
    QTest::keyClick(edit, c.pressed, Qt::AltModifier);
    EXPECT_EQ(control->accessKeys, c.notifications) << c.caption;
}

INSTANTIATE_TEST_SUITE_P(Host, AccessKeys,
                         ::testing::Values(AccessKeyCase{"&Save", Qt::Key_S, 1},
                                           AccessKeyCase{"Sa&ve", Qt::Key_V, 1},
                                           AccessKeyCase{"&Save", Qt::Key_B, 0},
                                           AccessKeyCase{"Salt && Pepper", Qt::Key_P, 0},
                                           AccessKeyCase{"Save", Qt::Key_S, 0}),
                         [](const ::testing::TestParamInfo<AccessKeyCase> &param) {
                             // The access-key mark is spelt out, or "&Save" and "Save" would meet.
                             std::string text;
                             for (const char c : ::testing::PrintToString(param.param))
                                 text += c == '&' ? std::string(" amp ") : std::string(1, c);
                             return caseName(text);
                         });

TEST(HostUserControl, DoEventsRunsPendingWork)
{
    bool ran = false;
    QTimer::singleShot(0, [&ran] { ran = true; });
    EXPECT_FALSE(ran);
    UserControl::doEvents();
    EXPECT_TRUE(ran);
}

TEST(HostUserControl, SurfaceFollowsTheSizeAndIsWhatIsShown)
{
    ProbeControl control;
    control.resize(12, 8);
    QImage &surface = control.ensureSurface();
    EXPECT_EQ(surface.size(), QSize(12, 8));
    EXPECT_EQ(surface.format(), QImage::Format_RGB32);
    surface.fill(qRgb(10, 20, 30));
    surface.setPixel(3, 2, qRgb(200, 100, 0));

    control.resize(15, 6);
    const QImage &resized = control.ensureSurface();
    EXPECT_EQ(resized.size(), QSize(15, 6));
    EXPECT_EQ(resized.pixel(3, 2), qRgb(200, 100, 0)); // kept where it fits
    EXPECT_EQ(resized.pixel(11, 5), qRgb(10, 20, 30));

    const QImage shown = control.grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(shown.size(), QSize(15, 6));
    EXPECT_EQ(shown.pixel(3, 2), qRgb(200, 100, 0));
    EXPECT_EQ(shown.pixel(11, 5), qRgb(10, 20, 30));
}

} // namespace
