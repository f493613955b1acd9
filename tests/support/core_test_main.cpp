#include "support/desktop_locale.h"

#include <gtest/gtest.h>

// Runs the core tests under the desktop's locale, as the editor runs the core.
int main(int argc, char** argv)
{
    if (!takeDesktopLocale())
        return 1;
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
