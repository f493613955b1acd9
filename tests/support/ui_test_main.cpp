#include "support/desktop_locale.h"

#include <QApplication>

#include <gtest/gtest.h>

// Runs the user-interface tests inside one QApplication on the offscreen
// platform, so that they need no display, under the desktop's locale (which
// QApplication takes on too).
int main(int argc, char** argv)
{
    if (!takeDesktopLocale())
        return 1;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
