// The binding tests need an application object; they draw offscreen unless
// told otherwise, so they run the same with or without a display.
#include <QApplication>
#include <gtest/gtest.h>

#include "desktop/binding/appearance.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    platform::qt::installFontSubstitutes();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
