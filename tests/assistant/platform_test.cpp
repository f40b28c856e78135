#include "assistant/platform.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <gtest/gtest.h>

#include "assistant/stringtable.h"
#include "testenv.h"

namespace lum::assistant {
namespace {

TEST(Platform, UnisciPercorsoNome)
{
    EXPECT_EQ(UnisciPercorsoNome(QStringLiteral("/a/b"), QStringLiteral("LUM.CFG")), QStringLiteral("/a/b/LUM.CFG"));
    EXPECT_EQ(UnisciPercorsoNome(QStringLiteral("/a/b/"), QStringLiteral("LUM.CFG")), QStringLiteral("/a/b/LUM.CFG"));
    EXPECT_EQ(UnisciPercorsoNome(QStringLiteral("  /a"), QStringLiteral("x  ")), QStringLiteral("/a/x"));
}

TEST(Platform, IsDigitAndNumericValue)
{
    EXPECT_TRUE(IsDigit(QStringLiteral("0123456789")));
    EXPECT_TRUE(IsDigit(QString()));
    EXPECT_FALSE(IsDigit(QStringLiteral("12a")));
    EXPECT_FALSE(IsDigit(QStringLiteral("١٢"))); // digits of another script are not "0" to "9"
    EXPECT_EQ(ValoreNumerico(QStringLiteral("48")), 48.0);
    EXPECT_EQ(ValoreNumerico(QStringLiteral(" 12.5pt")), 12.5);
    EXPECT_EQ(ValoreNumerico(QStringLiteral("abc")), 0.0);
    EXPECT_EQ(ValoreNumerico(QString()), 0.0);
}

TEST(Platform, SettingsFolderIsCreatedLevelByLevel)
{
    ScopedConfigHome home;
    const auto folder = CartellaImpostazioni(AppEx());
    ASSERT_TRUE(folder.Ok());
    EXPECT_EQ(folder.value, home.SettingsFolder());
    EXPECT_TRUE(QFileInfo(home.Path() + QStringLiteral("/VOR")).isDir());
    EXPECT_TRUE(QFileInfo(folder.value).isDir());
    EXPECT_EQ(CartellaImpostazioni(AppEx()).value, folder.value); // the second time finds it
}

TEST(Platform, SettingsFolderBlockedByAFile)
{
    ScopedConfigHome home;
    QFile blocker(home.Path() + QStringLiteral("/VOR"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const auto folder = CartellaImpostazioni(AppEx());
    ASSERT_FALSE(folder.Ok());
    EXPECT_EQ(folder.error->path, blocker.fileName()); // the level that failed, and why
    EXPECT_EQ(folder.error->systemError, ENOTDIR);
}

TEST(Platform, LanguageMarker)
{
    ScopedConfigHome home;
    const QString folder = CartellaImpostazioni(AppEx()).value;
    EXPECT_EQ(LinguaDaMarcatore(folder).offset, kEnglish);
    EXPECT_EQ(LinguaDaMarcatore(folder).manuale, QStringLiteral("LUMGuide.pdf"));
    EXPECT_TRUE(ImpostaMarcatore(folder, false)); // already English: nothing to do
    EXPECT_FALSE(QFileInfo::exists(folder + QStringLiteral("/ITALIANO.LNG")));

    EXPECT_TRUE(ImpostaMarcatore(folder, true));
    const QFileInfo marker(folder + QStringLiteral("/ITALIANO.LNG"));
    EXPECT_TRUE(marker.isFile());
    EXPECT_EQ(marker.size(), 0);
    EXPECT_EQ(LinguaDaMarcatore(folder).offset, kItalian);
    EXPECT_EQ(LinguaDaMarcatore(folder).manuale, QStringLiteral("LUMGuide_ita.pdf"));
    EXPECT_TRUE(ImpostaMarcatore(folder, true));

    EXPECT_TRUE(ImpostaMarcatore(folder, false));
    EXPECT_FALSE(QFileInfo::exists(marker.filePath()));
    EXPECT_EQ(LinguaDaMarcatore(folder).offset, kEnglish);
}

TEST(Platform, ManualIsLookedForInTheSettingsFolderFirst)
{
    ScopedConfigHome home;
    const QString folder = CartellaImpostazioni(AppEx()).value;
    const QString data = home.Path();
    const QString name = QStringLiteral("LUMGuide.pdf");
    EXPECT_TRUE(TrovaManuale(folder, {data}, name).isEmpty());
    QFile inData(data + '/' + name);
    ASSERT_TRUE(inData.open(QIODevice::WriteOnly));
    inData.close();
    EXPECT_EQ(TrovaManuale(folder, {data}, name), inData.fileName());
    QFile inSettings(folder + '/' + name);
    ASSERT_TRUE(inSettings.open(QIODevice::WriteOnly));
    inSettings.close();
    EXPECT_EQ(TrovaManuale(folder, {data}, name), inSettings.fileName());
}

} // namespace
} // namespace lum::assistant
