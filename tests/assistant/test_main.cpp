// One application object for every test; the stand-in barcode fonts are
// registered once.
#include <QApplication>
#include <gtest/gtest.h>

#include "assistant/fontdiscovery.h"

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    lum::assistant::RegisterFontFolders({QStringLiteral(LUM_TEST_FONT_DIR)});
    return RUN_ALL_TESTS();
}
