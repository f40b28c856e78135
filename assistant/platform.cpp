#include "assistant/platform.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "assistant/stringtable.h"

namespace lum::assistant {
namespace {

// The folder, created when missing.
Outcome<QString> EnsureFolder(const QString& path)
{
    const int error = CreateFolderPath(path);
    if (error == 0)
        return {path, {}};
    return {{}, AppError{kErrPathSystem, "AppEx.Path", QStringLiteral("System error %1").arg(error), path, error}};
}

bool Fail(QString* error, int code)
{
    if (error)
        *error = QString::fromLocal8Bit(std::strerror(code));
    return false;
}

} // namespace

QString UnisciPercorsoNome(const QString& folder, const QString& name)
{
    const QString joined = folder.endsWith('/') ? folder + name : folder + '/' + name;
    return joined.trimmed();
}

bool IsFile(const QString& path) { return AppEx::FSPresent(path); }

bool IsDigit(const QString& text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c >= '0' && c <= '9'; });
}

Outcome<QString> SettingsFolder(const AppEx& app)
{
    const auto root = app.Path(kFolderCommonAppData, true);
    if (!root.Ok())
        return root;
    const auto vendor = EnsureFolder(UnisciPercorsoNome(root.value, kVendorFolder));
    if (!vendor.Ok())
        return vendor;
    return EnsureFolder(UnisciPercorsoNome(vendor.value, kProgramFolder));
}

LanguageChoice LanguageFor(bool italian)
{
    if (italian)
        return {kItalian, kManualItalian};
    return {kEnglish, kManualEnglish};
}

LanguageChoice LanguageFromMarker(const QString& settingsFolder)
{
    return LanguageFor(IsFile(UnisciPercorsoNome(settingsFolder, kLanguageMarker)));
}

bool SetLanguageMarker(const QString& settingsFolder, bool italian, QString* error)
{
    const QString marker = UnisciPercorsoNome(settingsFolder, kLanguageMarker);
    if (IsFile(marker) == italian)
        return true;
    const QByteArray path = QFile::encodeName(marker);
    if (!italian)
        return ::unlink(path.constData()) == 0 || errno == ENOENT || Fail(error, errno);
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_CLOEXEC | O_NOCTTY, 0666);
    if (fd < 0)
        return Fail(error, errno);
    ::close(fd);
    return true;
}

QString FindManual(const QString& settingsFolder, const QStringList& dataFolders, const QString& name)
{
    QStringList candidates{UnisciPercorsoNome(settingsFolder, name)};
    for (const QString& folder : dataFolders)
        candidates << UnisciPercorsoNome(folder, name);
    for (const QString& path : candidates)
        if (QFileInfo(path).isFile())
            return path;
    return {};
}

} // namespace lum::assistant
