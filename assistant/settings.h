// The settings record "LUM.CFG": the user's last choices in one fixed 240-byte
// little-endian record. Text fields are Windows-1252, blank-padded to their
// width; flags are 0 / -1, check-box values 0 / 1.
#pragma once

#include <QString>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/text.h"

namespace lum::assistant {

inline constexpr std::size_t kRecordSize = 240;
inline constexpr std::size_t kFaceNameWidth = 128;
inline constexpr std::size_t kSymbologyWidth = 30;
inline constexpr std::size_t kStyleWidth = 64;
inline constexpr const char* kSettingsFileName = "LUM.CFG";

// `text` cut or blank-padded to `width` bytes.
std::string FixedText(std::string_view text, std::size_t width);

struct Configurazione {
    std::string faceName = FixedText("Courier", kFaceNameWidth); // HRC font, always kFaceNameWidth bytes
    bool bold = false;
    bool italic = false;
    bool strikethrough = false;
    bool underline = false;
    std::int16_t hrcSize = 10;
    std::string simbologia = FixedText("", kSymbologyWidth); // display name as shown when stored
    std::int16_t hrcOption = 0;                              // chkHRC, 0 or 1
    std::int16_t checkDigit = 0;                             // chkDigit, 0 or 1
    std::int16_t barcodeSize = 100;                          // points
    std::string stile = FixedText("Normal", kStyleWidth);    // style name as shown when stored
    bool includiCheckDigit = false;                          // mnuIncludiCheckDigit

    void SetFaceName(std::string_view name) { faceName = FixedText(name, kFaceNameWidth); }
    void SetSimbologia(std::string_view name) { simbologia = FixedText(name, kSymbologyWidth); }
    void SetStile(std::string_view name) { stile = FixedText(name, kStyleWidth); }

    bool operator==(const Configurazione&) const = default;
};

std::array<char, kRecordSize> EncodeSettingsRecord(const Configurazione& cfg);

// Reads a record of any length: every field that lies wholly inside `bytes`
// and holds a sound value is taken, every other field keeps its default.
Configurazione DecodeSettingsRecord(std::string_view bytes);

// Why a settings file that is there gave the defaults.
struct ReadProblem {
    bool notRegular = false; // a FIFO, a device, a socket or a folder: never read
    int systemError = 0;     // the system's error number of a failed open or read
    bool Any() const { return notRegular || systemError != 0; }
};

// The record in the file, or the defaults when the file is missing or empty.
// A file that is there but cannot be used gives the defaults as well and is
// described in `problem` (when given). Only regular files are read, and the
// open never waits: a FIFO or a device at the path cannot hold the caller.
Configurazione CaricaConfigurazione(const QString& path, ReadProblem* problem = nullptr);

// Writes the record through a temporary file renamed over the old one, so a
// failed save leaves the previous file whole. A symbolic link at `path` is
// written through: the file it names (following further links) is replaced
// in its own folder and the link stays. The file keeps the permissions of the
// one it replaces; a new file gets those the user's umask allows. On failure
// returns false and sets `error` (when given) to the reason.
bool SalvaConfigurazione(const QString& path, const Configurazione& cfg, QString* error = nullptr);

} // namespace lum::assistant
