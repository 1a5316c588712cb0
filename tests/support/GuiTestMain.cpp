// Test entry point for tests that need widgets or the clipboard. Without a
// platform chosen by the caller, the offscreen one is used, so no display
// is needed.
#include "support/TestEnvironment.h"

#include <QApplication>
#include <gmock/gmock.h>

int main(int argc, char** argv)
{
    UsePrivateTestHome();
    QApplication app(argc, argv);
    testing::InitGoogleMock(&argc, argv);
    return RUN_ALL_TESTS();
}
