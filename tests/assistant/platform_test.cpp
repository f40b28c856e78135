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

TEST(Platform, IsDigit)
{
    EXPECT_TRUE(IsDigit(QStringLiteral("0123456789")));
    EXPECT_TRUE(IsDigit(QString()));
    EXPECT_FALSE(IsDigit(QStringLiteral("12a")));
    EXPECT_FALSE(IsDigit(QStringLiteral("١٢"))); // digits of another script are not "0" to "9"
}

TEST(Platform, SettingsFolderIsCreatedLevelByLevel)
{
    ScopedConfigHome home;
    const auto folder = SettingsFolder(AppEx());
    ASSERT_TRUE(folder.Ok());
    EXPECT_EQ(folder.value, home.SettingsFolder());
    EXPECT_TRUE(QFileInfo(home.Path() + QStringLiteral("/VOR")).isDir());
    EXPECT_TRUE(QFileInfo(folder.value).isDir());
    EXPECT_EQ(SettingsFolder(AppEx()).value, folder.value); // the second time finds it
}

TEST(Platform, SettingsFolderBlockedByAFile)
{
    ScopedConfigHome home;
    QFile blocker(home.Path() + QStringLiteral("/VOR"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const auto folder = SettingsFolder(AppEx());
    ASSERT_FALSE(folder.Ok());
    EXPECT_EQ(folder.error->path, blocker.fileName()); // the level that failed, and why
    EXPECT_EQ(folder.error->systemError, ENOTDIR);
}

TEST(Platform, LanguageMarker)
{
    ScopedConfigHome home;
    const QString folder = SettingsFolder(AppEx()).value;
    EXPECT_EQ(LanguageFromMarker(folder).offset, kEnglish);
    EXPECT_EQ(LanguageFromMarker(folder).manual, QStringLiteral("LUMGuide.pdf"));
    EXPECT_TRUE(SetLanguageMarker(folder, false)); // already English: nothing to do
    EXPECT_FALSE(QFileInfo::exists(folder + QStringLiteral("/ITALIANO.LNG")));

    EXPECT_TRUE(SetLanguageMarker(folder, true));
    const QFileInfo marker(folder + QStringLiteral("/ITALIANO.LNG"));
    EXPECT_TRUE(marker.isFile());
    EXPECT_EQ(marker.size(), 0);
    EXPECT_EQ(LanguageFromMarker(folder).offset, kItalian);
    EXPECT_EQ(LanguageFromMarker(folder).manual, QStringLiteral("LUMGuide_ita.pdf"));
    EXPECT_TRUE(SetLanguageMarker(folder, true));

    EXPECT_TRUE(SetLanguageMarker(folder, false));
    EXPECT_FALSE(QFileInfo::exists(marker.filePath()));
    EXPECT_EQ(LanguageFromMarker(folder).offset, kEnglish);
}

TEST(Platform, ManualIsLookedForInTheSettingsFolderFirst)
{
    ScopedConfigHome home;
    const QString folder = SettingsFolder(AppEx()).value;
    const QString data = home.Path();
    const QString name = QStringLiteral("LUMGuide.pdf");
    EXPECT_TRUE(FindManual(folder, {data}, name).isEmpty());
    QFile inData(data + '/' + name);
    ASSERT_TRUE(inData.open(QIODevice::WriteOnly));
    inData.close();
    EXPECT_EQ(FindManual(folder, {data}, name), inData.fileName());
    QFile inSettings(folder + '/' + name);
    ASSERT_TRUE(inSettings.open(QIODevice::WriteOnly));
    inSettings.close();
    EXPECT_EQ(FindManual(folder, {data}, name), inSettings.fileName());
}

} // namespace
} // namespace lum::assistant
