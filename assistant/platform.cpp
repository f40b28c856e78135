#include "assistant/platform.h"

#include <algorithm>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "assistant/stringtable.h"

namespace lum::assistant {
namespace {

// The folder, created when missing.
Outcome<QString> EnsureFolder(const QString& path)
{
    if (QFileInfo(path).isDir() || QDir().mkdir(path))
        return {path, {}};
    return {{}, AppError{kErrPathSystem, "AppEx.Path", QStringLiteral("System error: cannot create %1").arg(path)}};
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

LanguageChoice LanguageFromMarker(const QString& settingsFolder)
{
    if (IsFile(UnisciPercorsoNome(settingsFolder, kLanguageMarker)))
        return {kItalian, kManualItalian};
    return {kEnglish, kManualEnglish};
}

bool SetLanguageMarker(const QString& settingsFolder, bool italian)
{
    const QString marker = UnisciPercorsoNome(settingsFolder, kLanguageMarker);
    if (IsFile(marker) == italian)
        return false;
    if (!italian) {
        QFile::remove(marker); // a failed deletion leaves the program Italian
        return true;
    }
    QFile file(marker);
    file.open(QIODevice::WriteOnly);
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
