// The Guide menu with the guides the build made: the program run from the
// build opens the guide of its language.
#include <QFile>

#include "mainwindow.h"

namespace lum::assistant {
namespace {

TEST_F(MainWindow, GuideMenuOpensTheBuiltGuideOfTheLanguage)
{
    window.reset();
    dataFolders = {QStringLiteral(LUM_GUIDE_DIR)};
    Start();
    const auto openedGuide = [&] {
        opened.clear();
        Action("mnuManuale")->trigger();
        EXPECT_TRUE(notices.empty()) << notices.front().text.toStdString();
        return opened.size() == 1 ? opened[0].toLocalFile() : QString();
    };
    const auto isPdf = [](const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) && f.read(5) == "%PDF-";
    };

    const QString english = openedGuide();
    EXPECT_EQ(english, QStringLiteral(LUM_GUIDE_DIR "/LUMGuide.pdf"));
    EXPECT_TRUE(isPdf(english));

    Action("mnuLinguaItaliano")->trigger();
    const QString italian = openedGuide();
    EXPECT_EQ(italian, QStringLiteral(LUM_GUIDE_DIR "/LUMGuide_ita.pdf"));
    EXPECT_TRUE(isPdf(italian));

    Action("mnuLinguaEnglish")->trigger();
    EXPECT_EQ(openedGuide(), english);
}

} // namespace
} // namespace lum::assistant
