#include "assistant/appex.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSysInfo>
#include <cerrno>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/utsname.h>
#include <unistd.h>

namespace lum::assistant {
namespace {

// An absolute XDG base directory from the environment, else its default under
// the home folder.
QString XdgDir(const char* variable, const QString& fallback)
{
    const QString value = qEnvironmentVariable(variable);
    if (!value.isEmpty() && QDir::isAbsolutePath(value))
        return QDir::cleanPath(value);
    return QDir::cleanPath(QDir::homePath() + '/' + fallback);
}

std::optional<QString> FolderOf(int folderId)
{
    switch (folderId) {
    case kFolderAppData:
    case kFolderCommonAppData:
        return XdgDir("XDG_CONFIG_HOME", ".config");
    case kFolderLocalAppData:
        return XdgDir("XDG_DATA_HOME", ".local/share");
    default:
        return std::nullopt;
    }
}

struct PathErrors {
    const char* source;
    std::uint32_t invalidId, missing, system;
};

Outcome<QString> ResolveFolder(const std::optional<QString>& folder, bool create, const PathErrors& e)
{
    if (!folder)
        return {{}, AppError{e.invalidId, e.source, "Invalid PathId for requested function", {}, 0}};
    if (QFileInfo(*folder).isDir())
        return {*folder, {}};
    if (!create)
        return {{}, AppError{e.missing, e.source, "Valid PathId but folder doesn't exist", {}, 0}};
    if (const int error = CreateFolderPath(*folder))
        return {{}, AppError{e.system, e.source, QStringLiteral("System error %1").arg(error), *folder, error}};
    return {*folder, {}};
}

} // namespace

int CreateFolderPath(const QString& path)
{
    const QByteArray native = QFile::encodeName(QDir::cleanPath(path));
    if (native.isEmpty())
        return ENOENT;
    // Each level from the top: the prefix before every "/", then the whole path.
    for (qsizetype end = 1; end <= native.size(); ++end) {
        if (end < native.size() && native[end] != '/')
            continue;
        const QByteArray level = native.left(end);
        if (::mkdir(level.constData(), 0777) == 0)
            continue;
        const int error = errno;
        struct stat st {};
        if (::stat(level.constData(), &st) == 0 && S_ISDIR(st.st_mode))
            continue;
        return error == EEXIST ? ENOTDIR : error;
    }
    return 0;
}

AppEx::AppEx()
{
    utsname u{};
    if (uname(&u) != 0) {
        systemError_ = errno ? errno : EINVAL;
        return;
    }
    *this = AppEx(QString::fromLocal8Bit(u.release), QString::fromLocal8Bit(u.version));
}

AppEx::AppEx(const QString& release, const QString& buildText, int systemError)
    : buildText_(buildText), systemError_(systemError)
{
    static const QRegularExpression version(QStringLiteral("^(\\d+)\\.(\\d+)(?:\\.(\\d+))?"));
    const auto m = version.match(release);
    if (!m.hasMatch()) {
        if (!systemError_)
            systemError_ = EINVAL;
        return;
    }
    major_ = m.captured(1).toInt();
    minor_ = m.captured(2).toInt();
    build_ = m.captured(3).toInt();
}

QString AppEx::ComputerName() const { return QSysInfo::machineHostName().left(31); }

bool AppEx::FSPresent(const QString& path) { return !path.isEmpty() && QFileInfo::exists(path); }

Outcome<QVariant> AppEx::OSVersion(int item) const
{
    if (systemError_)
        return {{},
                AppError{kErrOSVersion,
                         "AppEx.OSVersion",
                         QStringLiteral("System error retrieving information %1").arg(systemError_),
                         {},
                         0}};
    switch (item) {
    // clang-format off
    case kOsMajor: return {major_, {}};
    case kOsMinor: return {minor_, {}};
    case kOsBuild: return {build_, {}};
    case kOsPlatformId: return {2, {}}; // a multi-user system of the current line
    case kOsServiceText: return {buildText_.section(QChar(0), 0, 0), {}};
    case kOsSuiteMask: return {0, {}};
    case kOsProductType: return {1, {}}; // workstation
    case kOsVersionNumber: return {QStringLiteral("%1.%2").arg(major_).arg(minor_).toDouble(), {}};
    case kOsServicePack: return {0.0, {}};
    default: return {};
        // clang-format on
    }
}

Outcome<QString> AppEx::Path(int folderId, bool create) const
{
    return ResolveFolder(FolderOf(folderId), create,
                         {"AppEx.Path", kErrPathInvalidId, kErrPathMissing, kErrPathSystem});
}

Outcome<QString> AppEx::PathAndSubDir(int folderId, const QString& subFolder, bool create) const
{
    const auto version = OSVersion(kOsVersionNumber);
    if (!version.Ok() || version.value.toDouble() < 5.1)
        return {{}, AppError{kErrSubDirVersion, "AppEx.PathAndSubDir", "Requires Windows XP or later", {}, 0}};
    auto folder = FolderOf(folderId);
    if (folder && !subFolder.isEmpty())
        *folder = QDir::cleanPath(*folder + '/' + subFolder);
    return ResolveFolder(folder, create,
                         {"AppEx.PathAndSubDir", kErrSubDirInvalidId, kErrSubDirMissing, kErrSubDirSystem});
}

QString AppEx::UserName() const
{
    if (const passwd* pw = getpwuid(geteuid()); pw && pw->pw_name)
        return QString::fromLocal8Bit(pw->pw_name).left(259);
    return qEnvironmentVariable("USER").left(259);
}

} // namespace lum::assistant
