// File and folder helpers of the program, the settings folder and the
// language marker.
#pragma once

#include <QString>
#include <QStringList>

#include "assistant/appex.h"

namespace lum::assistant {

inline constexpr const char* kVendorFolder = "VOR";
inline constexpr const char* kProgramFolder = "LUMAssistant";
inline constexpr const char* kLanguageMarker = "ITALIANO.LNG";
inline constexpr const char* kManualEnglish = "LUMGuide.pdf";
inline constexpr const char* kManualItalian = "LUMGuide_ita.pdf";

// Folder and name joined with "/" (no second "/" when the folder ends in
// one), the result trimmed of blanks.
QString UnisciPercorsoNome(const QString& folder, const QString& name);

// True when the path names an existing file or folder; false on any error.
bool IsFile(const QString& path);

// True when every character is "0" to "9" (an empty text included).
bool IsDigit(const QString& text);

// The settings folder <config>/VOR/LUMAssistant, each missing level created.
Outcome<QString> SettingsFolder(const AppEx& app);

// A language: its offset and its guide.
struct LanguageChoice {
    int offset = 0;                  // kEnglish or kItalian
    QString manual = kManualEnglish; // the guide's file name in that language
};
LanguageChoice LanguageFor(bool italian);

// The language chosen by the marker file of the settings folder.
LanguageChoice LanguageFromMarker(const QString& settingsFolder);

// Creates (italian) or deletes the marker, so that the next start comes up in
// that language. True when the marker is as asked afterwards (nothing is done
// when it already was); false, with the system's reason in `error` (when
// given), when it could not be created or deleted.
bool SetLanguageMarker(const QString& settingsFolder, bool italian, QString* error = nullptr);

// Where the guide may be: the settings folder first, then the installed
// data folders. The first existing path, or empty.
QString FindManual(const QString& settingsFolder, const QStringList& dataFolders, const QString& name);

} // namespace lum::assistant
