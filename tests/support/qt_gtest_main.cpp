// GoogleTest main for tests that need a QApplication: widgets, QTest input, QSignalSpy.
#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    // Tests run headless unless the caller chose a platform (say xcb, to watch them).
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
