// AppEx: a thin object over the system services the program needs — special
// folders, file existence, user and computer names, operating-system version.
// On Linux the folders are the XDG base directories and the version is the
// kernel release.
#pragma once

#include <QString>
#include <QVariant>
#include <cstdint>
#include <optional>

namespace lum::assistant {

// A numbered error: object-error base 0x80040000 plus a member-specific number.
struct AppError {
    std::uint32_t number = 0;
    QString source;
    QString description;
    QString path;        // the folder a system error concerns, when there is one
    int systemError = 0; // the system's error number behind it, 0 when none
};

template <class T> struct Outcome {
    T value{};
    std::optional<AppError> error;
    bool Ok() const { return !error.has_value(); }
};

inline constexpr std::uint32_t kErrOSVersion = 0x8004B106;
inline constexpr std::uint32_t kErrPathInvalidId = 0x8004B114;
inline constexpr std::uint32_t kErrPathMissing = 0x8004B112;
inline constexpr std::uint32_t kErrPathSystem = 0x8004B116;
inline constexpr std::uint32_t kErrSubDirVersion = 0x8004B120;
inline constexpr std::uint32_t kErrSubDirInvalidId = 0x8004B124;
inline constexpr std::uint32_t kErrSubDirMissing = 0x8004B122;
inline constexpr std::uint32_t kErrSubDirSystem = 0x8004B126;

// Creates the folder and every missing folder above it. Returns 0, or the
// system's error number of the level that failed (ENOTDIR when a file stands
// where a folder should be).
int CreateFolderPath(const QString& path);

// Folder ids the program asks for.
inline constexpr int kFolderAppData = 0x1A;       // per-user settings: $XDG_CONFIG_HOME
inline constexpr int kFolderLocalAppData = 0x1C;  // per-user data: $XDG_DATA_HOME
inline constexpr int kFolderCommonAppData = 0x23; // the settings folder's root: $XDG_CONFIG_HOME

// Items of OSVersion.
enum OSVersionItem : int {
    kOsMajor = 0,
    kOsMinor = 1,
    kOsBuild = 2,
    kOsPlatformId = 3,
    kOsServiceText = 4, // the kernel's build description
    kOsSuiteMask = 5,
    kOsProductType = 6,
    kOsVersionNumber = 7, // major.minor as a number
    kOsServicePack = 8,
};

class AppEx {
public:
    // Reads the running kernel's release.
    AppEx();
    // A version record from a release text such as "6.1.0-18-amd64"; a
    // non-zero `systemError` stands for a failed version query.
    AppEx(const QString& release, const QString& buildText, int systemError = 0);

    // Common controls need no registration with Qt; kept for the callers.
    void InitCommonControls() const {}
    QString ComputerName() const;
    static bool FSPresent(const QString& path);
    bool IDEMode() const { return false; }
    Outcome<QVariant> OSVersion(int item) const;
    Outcome<QString> Path(int folderId, bool create) const;
    Outcome<QString> PathAndSubDir(int folderId, const QString& subFolder, bool create) const;
    QString UserName() const;

private:
    int major_ = 0, minor_ = 0, build_ = 0;
    QString buildText_;
    int systemError_ = 0;
};

} // namespace lum::assistant
