#include "assistant/fontdiscovery.h"

#include <QCoreApplication>
#include <QDir>
#include <QFontDatabase>

namespace lum::assistant {

int RegisterFontFolders(const QStringList& folders)
{
    int registered = 0;
    for (const QString& folder : folders) {
        const QDir dir(folder);
        if (!dir.exists())
            continue;
        for (const QString& name : dir.entryList({QStringLiteral("*.ttf")}, QDir::Files, QDir::Name))
            if (QFontDatabase::addApplicationFont(dir.filePath(name)) >= 0)
                ++registered;
    }
    return registered;
}

QStringList InstalledDataFolders()
{
    QStringList folders;
    const QString besideProgram = QCoreApplication::applicationDirPath() + QStringLiteral("/../share/LUMAssistant");
    folders << QDir::cleanPath(besideProgram) << QStringLiteral(LUM_INSTALL_DATADIR "/LUMAssistant");
    folders.removeDuplicates();
    return folders;
}

QStringList ProjectFontFolders()
{
    QStringList folders;
#ifdef LUM_BUILD_FONT_DIR
    folders << QStringLiteral(LUM_BUILD_FONT_DIR);
#endif
    const QString share = QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../share"));
    folders << share + QStringLiteral("/fonts/truetype/lum") << share + QStringLiteral("/LUMAssistant")
            << QStringLiteral(LUM_INSTALL_DATADIR "/fonts/truetype/lum")
            << QStringLiteral(LUM_INSTALL_DATADIR "/LUMAssistant");
    folders.removeDuplicates();
    return folders;
}

QStringList BarcodeFamilies(const QStringList& families)
{
    QStringList out;
    for (const QString& f : families)
        if (f.startsWith(QStringLiteral("VOR"), Qt::CaseSensitive) && !out.contains(f))
            out << f;
    return out;
}

QStringList InstalledBarcodeFamilies() { return BarcodeFamilies(QFontDatabase::families()); }

} // namespace lum::assistant
