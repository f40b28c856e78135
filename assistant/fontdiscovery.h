// The barcode font families: the project's own fonts registered with the
// application, and the installed families whose names begin with "VOR".
#pragma once

#include <QStringList>

namespace lum::assistant {

// Registers every *.ttf of the folders with the application's font database;
// returns how many were registered. Missing folders are skipped.
int RegisterFontFolders(const QStringList& folders);

// The folders where the build or the installation put the project's fonts.
QStringList ProjectFontFolders();

// Where the installation put the program's data (guides, fonts).
QStringList InstalledDataFolders();

// The names that begin with "VOR" (case-sensitive), in the order given.
QStringList BarcodeFamilies(const QStringList& families);

// BarcodeFamilies of every family the font database knows.
QStringList InstalledBarcodeFamilies();

} // namespace lum::assistant
