#include "assistant/settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <future>
#include <gtest/gtest.h>
#include <random>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lum::assistant {
namespace {

std::string Bytes(const std::array<char, kRecordSize>& record) { return std::string(record.begin(), record.end()); }

// The record written out field by field, as its layout reads: text blank-padded,
// 16-bit values low byte first.
class RecordBuilder {
public:
    RecordBuilder& Text(std::string_view text, std::size_t width)
    {
        bytes_ += std::string(text.substr(0, width)) + std::string(width - std::min(width, text.size()), ' ');
        return *this;
    }
    RecordBuilder& Word(unsigned lo, unsigned hi)
    {
        bytes_ += char(lo);
        bytes_ += char(hi);
        return *this;
    }
    std::string Done() const { return bytes_; }

private:
    std::string bytes_;
};

TEST(Settings, DefaultsByteForByte)
{
    // clang-format off
    const std::string expected = RecordBuilder()
                                     .Text("Courier", 128)
                                     .Word(0, 0).Word(0, 0).Word(0, 0).Word(0, 0) // bold, italic, strike, underline
                                     .Word(10, 0)                                 // HRC size
                                     .Text("", 30)                                // symbology
                                     .Word(0, 0).Word(0, 0)                       // HRC option, check digit
                                     .Word(100, 0)                                // barcode size
                                     .Text("Normal", 64)
                                     .Word(0, 0) // check digit in HRC
                                     .Done();
    // clang-format on
    ASSERT_EQ(expected.size(), kRecordSize);
    EXPECT_EQ(Bytes(EncodeSettingsRecord(Configurazione{})), expected);
}

Configurazione Sample()
{
    Configurazione cfg;
    cfg.SetFaceName("Arial");
    cfg.bold = true;
    cfg.underline = true;
    cfg.hrcSize = 12;
    cfg.SetSimbologia("Codice 39");
    cfg.hrcOption = 1;
    cfg.checkDigit = 1;
    cfg.barcodeSize = 300;
    cfg.SetStile("Stretto e corto");
    cfg.includiCheckDigit = true;
    return cfg;
}

TEST(Settings, ItalianNamesAndFlagsByteForByte)
{
    // clang-format off
    const std::string expected = RecordBuilder()
                                     .Text("Arial", 128)
                                     .Word(0xFF, 0xFF).Word(0, 0).Word(0, 0).Word(0xFF, 0xFF)
                                     .Word(12, 0)
                                     .Text("Codice 39", 30)
                                     .Word(1, 0).Word(1, 0)
                                     .Word(300 & 0xFF, 300 >> 8)
                                     .Text("Stretto e corto", 64)
                                     .Word(0xFF, 0xFF)
                                     .Done();
    // clang-format on
    EXPECT_EQ(Bytes(EncodeSettingsRecord(Sample())), expected);
}

TEST(Settings, RoundTrip)
{
    Configurazione cfg = Sample();
    cfg.SetFaceName("Caf\xE9 Sans"); // Windows-1252 e acute
    cfg.italic = true;
    cfg.strikethrough = true;
    const Configurazione back = DecodeSettingsRecord(Bytes(EncodeSettingsRecord(cfg)));
    EXPECT_EQ(back, cfg);
    EXPECT_EQ(TrimBlanks(back.faceName), "Caf\xE9 Sans");
}

TEST(Settings, LongTextsAreCutToTheirFields)
{
    Configurazione cfg;
    cfg.SetFaceName(std::string(200, 'F'));
    cfg.SetSimbologia(std::string(31, 'S') + "X");
    cfg.SetStile(std::string(64, 'T') + "Y");
    const std::string bytes = Bytes(EncodeSettingsRecord(cfg));
    EXPECT_EQ(bytes.substr(0, 128), std::string(128, 'F'));
    EXPECT_EQ(bytes.substr(128, 2), std::string(2, '\0')); // the next field is untouched
    EXPECT_EQ(bytes.substr(138, 30), std::string(30, 'S'));
    EXPECT_EQ(bytes.substr(174, 64), std::string(64, 'T'));
}

TEST(Settings, ShortLongAndEmptyRecords)
{
    const std::string full = Bytes(EncodeSettingsRecord(Sample()));
    EXPECT_EQ(DecodeSettingsRecord(""), Configurazione{});
    EXPECT_EQ(DecodeSettingsRecord(full + std::string(60, 'Z')), Sample());

    // Cut after the HRC size and one byte into the symbology: the fields wholly
    // inside are taken, the rest keep their defaults.
    const Configurazione part = DecodeSettingsRecord(full.substr(0, 139));
    EXPECT_EQ(TrimBlanks(part.faceName), "Arial");
    EXPECT_TRUE(part.bold);
    EXPECT_TRUE(part.underline);
    EXPECT_EQ(part.hrcSize, 12);
    EXPECT_EQ(part.simbologia, Configurazione{}.simbologia);
    EXPECT_EQ(part.barcodeSize, 100);
    EXPECT_EQ(TrimBlanks(part.stile), "Normal");
    EXPECT_FALSE(part.includiCheckDigit);

    // Cut one byte short of the last flag.
    const Configurazione almost = DecodeSettingsRecord(full.substr(0, kRecordSize - 1));
    EXPECT_EQ(TrimBlanks(almost.stile), "Stretto e corto");
    EXPECT_FALSE(almost.includiCheckDigit);
}

TEST(Settings, GarbageReadsAsSoundValues)
{
    std::mt19937 random(240);
    for (int round = 0; round < 200; ++round) {
        SCOPED_TRACE(round);
        std::string bytes(std::size_t(random() % 400), '\0');
        for (char& c : bytes)
            c = char(random());
        const Configurazione cfg = DecodeSettingsRecord(bytes);
        EXPECT_EQ(cfg.faceName.size(), kFaceNameWidth);
        EXPECT_EQ(cfg.simbologia.size(), kSymbologyWidth);
        EXPECT_EQ(cfg.stile.size(), kStyleWidth);
        EXPECT_EQ(cfg.faceName.find('\0'), std::string::npos);
        EXPECT_TRUE(cfg.hrcOption == 0 || cfg.hrcOption == 1);
        EXPECT_TRUE(cfg.checkDigit == 0 || cfg.checkDigit == 1);
        EXPECT_GT(cfg.hrcSize, 0);
        EXPECT_GT(cfg.barcodeSize, 0);
        EXPECT_EQ(DecodeSettingsRecord(Bytes(EncodeSettingsRecord(cfg))), cfg); // what was read writes back as read
    }
    // A check-box value other than 0 or 1 keeps the default; any non-zero flag is true.
    std::string odd = Bytes(EncodeSettingsRecord(Configurazione{}));
    odd[168] = 2;
    odd[128] = 1;
    const Configurazione cfg = DecodeSettingsRecord(odd);
    EXPECT_EQ(cfg.hrcOption, 0);
    EXPECT_TRUE(cfg.bold);
}

class SettingsFile : public ::testing::Test {
protected:
    QString Path() const { return dir_.filePath(QStringLiteral("LUM.CFG")); }
    QByteArray Read() const
    {
        QFile f(Path());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QTemporaryDir dir_;
};

TEST_F(SettingsFile, MissingOrEmptyFileGivesDefaults)
{
    EXPECT_EQ(CaricaConfigurazione(Path()), Configurazione{});
    QFile f(Path());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    EXPECT_EQ(CaricaConfigurazione(Path()), Configurazione{});
}

TEST_F(SettingsFile, SaveWritesExactlyTheRecord)
{
    ASSERT_TRUE(SalvaConfigurazione(Path(), Sample()));
    const QByteArray bytes = Read();
    ASSERT_EQ(bytes.size(), qsizetype(kRecordSize));
    EXPECT_EQ(bytes.toStdString(), Bytes(EncodeSettingsRecord(Sample())));
    EXPECT_EQ(CaricaConfigurazione(Path()), Sample());
    // A later, smaller change leaves a 240-byte file too.
    ASSERT_TRUE(SalvaConfigurazione(Path(), Configurazione{}));
    EXPECT_EQ(Read().size(), qsizetype(kRecordSize));
}

TEST_F(SettingsFile, FailedSaveKeepsThePreviousFile)
{
    ASSERT_TRUE(SalvaConfigurazione(Path(), Sample()));
    const QByteArray before = Read();

    // The file-size limit makes the write fail part way, as a full disk would.
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 100;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    QString why;
    const bool saved = SalvaConfigurazione(Path(), Configurazione{}, &why);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(saved);
    EXPECT_FALSE(why.isEmpty());
    EXPECT_EQ(Read(), before);
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files), QStringList{QStringLiteral("LUM.CFG")}); // no temporary left
}

TEST_F(SettingsFile, FifoIsNeitherWaitedForNorRead)
{
    const QByteArray fifo = QFile::encodeName(Path());
    ASSERT_EQ(::mkfifo(fifo.constData(), 0644), 0);
    ReadProblem problem;
    auto load = std::async(std::launch::async, [&] { return CaricaConfigurazione(Path(), &problem); });
    if (load.wait_for(std::chrono::seconds(10)) == std::future_status::timeout) {
        ADD_FAILURE() << "the load waits for a writer";
        // A writer that comes and goes ends the wait with end of file.
        const int writer = ::open(fifo.constData(), O_WRONLY | O_NONBLOCK);
        if (writer >= 0)
            ::close(writer);
    }
    EXPECT_EQ(load.get(), Configurazione{});
    EXPECT_TRUE(problem.notRegular);

    // A folder is no settings file either; a missing file is no problem.
    ASSERT_TRUE(QFile::remove(Path()) && QDir().mkpath(Path()));
    EXPECT_EQ(CaricaConfigurazione(Path(), &problem), Configurazione{});
    EXPECT_TRUE(problem.notRegular);
    ASSERT_TRUE(QDir(Path()).removeRecursively());
    EXPECT_EQ(CaricaConfigurazione(Path(), &problem), Configurazione{});
    EXPECT_FALSE(problem.Any());
}

TEST_F(SettingsFile, SaveWritesThroughASymbolicLinkAndKeepsThePermissions)
{
    struct Row {
        const char* note;
        const char* link; // what LUM.CFG points to; nullptr: LUM.CFG is the file
        mode_t existing;  // mode of the file there before; 0: none
        mode_t expected;  // mode afterwards, under the umask 027
    };
    const Row rows[] = {
        {"plain file replaced keeps its mode", nullptr, 0600, 0600},
        {"new plain file follows the umask", nullptr, 0, 0640},
        {"absolute link to a file", "@/real/settings.bin", 0604, 0604},
        {"relative link to a file", "real/settings.bin", 0660, 0660},
        {"link to a file yet to be made", "real/settings.bin", 0, 0640},
        {"link to a link", "chain", 0644, 0644},
    };
    const mode_t oldMask = ::umask(027);
    const QDir dir(dir_.path());
    for (const Row& r : rows) {
        SCOPED_TRACE(r.note);
        for (const char* name : {"LUM.CFG", "chain"})
            QFile::remove(dir.filePath(QLatin1String(name)));
        ASSERT_TRUE(QDir(dir.filePath(QStringLiteral("real"))).removeRecursively() &&
                    dir.mkpath(QStringLiteral("real")));
        const QString file = r.link ? dir.filePath(QStringLiteral("real/settings.bin")) : Path();
        if (r.link) {
            QString target = QString::fromLatin1(r.link);
            if (target.startsWith('@'))
                target = dir.path() + target.mid(1);
            ASSERT_EQ(::symlink(QFile::encodeName(target).constData(), QFile::encodeName(Path()).constData()), 0);
            if (target == QStringLiteral("chain")) {
                ASSERT_EQ(::symlink("real/settings.bin", QFile::encodeName(dir.filePath(target)).constData()), 0);
            }
        }
        if (r.existing) {
            QFile old(file);
            ASSERT_TRUE(old.open(QIODevice::WriteOnly));
            old.write("old");
            old.close();
            ASSERT_EQ(::chmod(QFile::encodeName(file).constData(), r.existing), 0);
        }

        ASSERT_TRUE(SalvaConfigurazione(Path(), Sample()));
        EXPECT_EQ(QFileInfo(Path()).isSymLink(), r.link != nullptr);
        QFile saved(file);
        ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
        EXPECT_EQ(saved.readAll().toStdString(), Bytes(EncodeSettingsRecord(Sample())));
        struct stat st {};
        ASSERT_EQ(::stat(QFile::encodeName(file).constData(), &st), 0);
        EXPECT_TRUE(S_ISREG(st.st_mode));
        EXPECT_EQ(st.st_mode & 07777, r.expected) << std::oct << (st.st_mode & 07777);
        EXPECT_EQ(CaricaConfigurazione(Path()), Sample()); // read back through the link
        // No temporary file left beside the link or the file.
        const QStringList left = dir.entryList(QDir::Files | QDir::System) +
                                 QDir(dir.filePath(QStringLiteral("real"))).entryList(QDir::Files);
        EXPECT_EQ(left.filter(QStringLiteral(".tmp")), QStringList{});
    }
    ::umask(oldMask);

    // A cycle of links is an error, not a replaced link.
    QFile::remove(Path());
    ASSERT_EQ(::symlink("LUM.CFG", QFile::encodeName(Path()).constData()), 0);
    QString why;
    EXPECT_FALSE(SalvaConfigurazione(Path(), Sample(), &why));
    EXPECT_EQ(why, QString::fromLocal8Bit(std::strerror(ELOOP)));
    EXPECT_TRUE(QFileInfo(Path()).isSymLink());
}

TEST_F(SettingsFile, SaveIntoAMissingFolderFails)
{
    QString why;
    EXPECT_FALSE(SalvaConfigurazione(dir_.filePath(QStringLiteral("gone/LUM.CFG")), Sample(), &why));
    EXPECT_FALSE(why.isEmpty());
}

} // namespace
} // namespace lum::assistant
