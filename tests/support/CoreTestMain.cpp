// Test entry point for the widget-free libraries: a QCoreApplication so that
// Qt's event loop, timers and file helpers work inside tests.
#include "support/TestEnvironment.h"

#include <QCoreApplication>
#include <gmock/gmock.h>

int main(int argc, char** argv)
{
    UsePrivateTestHome();
    QCoreApplication app(argc, argv);
    testing::InitGoogleMock(&argc, argv);
    return RUN_ALL_TESTS();
}
