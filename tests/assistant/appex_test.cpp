#include "assistant/appex.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "testenv.h"

namespace lum::assistant {
namespace {

TEST(AppEx, VersionItemsFromTheKernelRelease)
{
    const AppEx app(QStringLiteral("6.1.0-18-amd64"), QStringLiteral("#1 SMP"));
    EXPECT_DOUBLE_EQ(app.OSVersion(kOsVersionNumber).value.toDouble(), 6.1);
    EXPECT_EQ(app.OSVersion(kOsMajor).value.toInt(), 6);
    EXPECT_EQ(app.OSVersion(kOsMinor).value.toInt(), 1);
    EXPECT_EQ(app.OSVersion(kOsBuild).value.toInt(), 0);
    EXPECT_EQ(app.OSVersion(kOsServiceText).value.toString(), QStringLiteral("#1 SMP"));
    EXPECT_TRUE(app.OSVersion(kOsServicePack).Ok());
    EXPECT_FALSE(app.OSVersion(9).value.isValid());
    EXPECT_TRUE(app.OSVersion(9).Ok());
    EXPECT_DOUBLE_EQ(AppEx(QStringLiteral("5.15.2"), {}).OSVersion(kOsVersionNumber).value.toDouble(), 5.15);
}

TEST(AppEx, FailedVersionQueryRaisesOnUse)
{
    const AppEx app(QStringLiteral("unknown"), {});
    const auto v = app.OSVersion(kOsMajor);
    ASSERT_FALSE(v.Ok());
    EXPECT_EQ(v.error->number, 0x80040000u + 45318u);
    EXPECT_EQ(v.error->source, QStringLiteral("AppEx.OSVersion"));
    EXPECT_EQ(v.error->description, QStringLiteral("System error retrieving information 22"));
}

TEST(AppEx, RunningSystem)
{
    const AppEx app;
    EXPECT_TRUE(app.OSVersion(kOsVersionNumber).Ok());
    EXPECT_GT(app.OSVersion(kOsVersionNumber).value.toDouble(), 0.0);
    EXPECT_FALSE(app.UserName().isEmpty());
    EXPECT_LE(app.ComputerName().size(), 31);
    EXPECT_FALSE(app.IDEMode());
}

TEST(AppEx, FSPresent)
{
    QTemporaryDir dir;
    EXPECT_TRUE(AppEx::FSPresent(dir.path()));
    EXPECT_FALSE(AppEx::FSPresent(dir.filePath(QStringLiteral("missing"))));
    EXPECT_FALSE(AppEx::FSPresent(QString()));
    QFile f(dir.filePath(QStringLiteral("file")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    EXPECT_TRUE(AppEx::FSPresent(f.fileName()));
}

TEST(AppEx, PathFollowsXdgConfigHome)
{
    ScopedConfigHome home;
    const AppEx app;
    const QString root = home.Path() + QStringLiteral("/cfg");
    qputenv("XDG_CONFIG_HOME", root.toLocal8Bit());

    const auto missing = app.Path(kFolderCommonAppData, false);
    ASSERT_FALSE(missing.Ok());
    EXPECT_EQ(missing.error->number, 0x80040000u + 45330u);
    EXPECT_EQ(missing.error->description, QStringLiteral("Valid PathId but folder doesn't exist"));

    const auto created = app.Path(kFolderCommonAppData, true);
    ASSERT_TRUE(created.Ok());
    EXPECT_EQ(created.value, root);
    EXPECT_TRUE(QFileInfo(root).isDir());

    const auto invalid = app.Path(0x7777, true);
    ASSERT_FALSE(invalid.Ok());
    EXPECT_EQ(invalid.error->number, 0x80040000u + 45332u);
    EXPECT_EQ(invalid.error->source, QStringLiteral("AppEx.Path"));
}

TEST(AppEx, RelativeXdgConfigHomeFallsBackToHome)
{
    ScopedConfigHome home;
    const QByteArray oldHome = qgetenv("HOME");
    qputenv("HOME", home.Path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", "relative/dir");
    const auto path = AppEx().Path(kFolderCommonAppData, true);
    qputenv("HOME", oldHome);
    ASSERT_TRUE(path.Ok());
    EXPECT_EQ(path.value, home.Path() + QStringLiteral("/.config"));
    EXPECT_TRUE(QFileInfo(path.value).isDir());
}

TEST(AppEx, PathThatCannotBeCreated)
{
    ScopedConfigHome home;
    QFile blocker(home.Path() + QStringLiteral("/file"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    qputenv("XDG_CONFIG_HOME", (blocker.fileName() + QStringLiteral("/below")).toLocal8Bit());
    const auto path = AppEx().Path(kFolderCommonAppData, true);
    ASSERT_FALSE(path.Ok());
    EXPECT_EQ(path.error->number, 0x80040000u + 45334u);
    EXPECT_TRUE(path.error->description.startsWith(QStringLiteral("System error ")));
}

TEST(AppEx, PathAndSubDir)
{
    ScopedConfigHome home;
    const auto old =
        AppEx(QStringLiteral("5.0.0"), {}).PathAndSubDir(kFolderCommonAppData, QStringLiteral("VOR"), true);
    ASSERT_FALSE(old.Ok());
    EXPECT_EQ(old.error->number, 0x80040000u + 45344u);
    EXPECT_EQ(old.error->source, QStringLiteral("AppEx.PathAndSubDir"));

    const AppEx app(QStringLiteral("6.1.0"), {});
    const auto missing = app.PathAndSubDir(kFolderCommonAppData, QStringLiteral("VOR"), false);
    ASSERT_FALSE(missing.Ok());
    EXPECT_EQ(missing.error->number, 0x80040000u + 45346u);
    const auto invalid = app.PathAndSubDir(0x7777, QStringLiteral("VOR"), false);
    ASSERT_FALSE(invalid.Ok());
    EXPECT_EQ(invalid.error->number, 0x80040000u + 45348u);
    const auto made = app.PathAndSubDir(kFolderCommonAppData, QStringLiteral("VOR"), true);
    ASSERT_TRUE(made.Ok());
    EXPECT_EQ(made.value, home.Path() + QStringLiteral("/VOR"));
    EXPECT_TRUE(QFileInfo(made.value).isDir());
}

} // namespace
} // namespace lum::assistant
