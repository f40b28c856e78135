// LUMAssistant: the desktop program.
#include <QApplication>
#include <QCommandLineParser>
#include <QMessageBox>
#include <cstring>

#include "assistant/fontdiscovery.h"
#include "assistant/frmprincipale.h"
#include "assistant/frmsplash.h"
#include "assistant/stringtable.h"
#include "assistant/widgets.h"

namespace {

// The command line: --help and --version; Qt's own options (-platform,
// -style, ...) are taken by QApplication before it is read.
void ProcessCommandLine(const QCoreApplication& app)
{
    QCoreApplication::setApplicationName(QStringLiteral("LUMAssistant"));
    QCoreApplication::setApplicationVersion(QStringLiteral(LUM_VERSION_TEXT));
    QCommandLineParser options;
    options.setApplicationDescription(
        QStringLiteral("LUM Assistant: turns a code into a barcode set in the VOR barcode fonts."));
    options.addHelpOption();
    options.addVersionOption();
    options.process(app);
}

// True when the command line asks only for information, which needs no display.
bool AsksForInformation(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i)
        for (const char* option : {"-h", "--help", "--help-all", "-v", "--version"})
            if (std::strcmp(argv[i], option) == 0)
                return true;
    return false;
}

} // namespace

int main(int argc, char* argv[])
{
    if (AsksForInformation(argc, argv)) {
        const QCoreApplication information(argc, argv);
        ProcessCommandLine(information); // prints and exits
    }
    QApplication app(argc, argv);
    ProcessCommandLine(app);
    QApplication::setWindowIcon(QIcon(lum::assistant::DisegnaLogo(64)));

    lum::assistant::frmSplash splash(lum::assistant::kEnglish);
    splash.show();
    QApplication::processEvents();

    lum::assistant::RegisterFontFolders(lum::assistant::ProjectFontFolders());
    lum::assistant::frmPrincipale window;
    QString error;
    if (!window.Avvia(&error)) {
        splash.close();
        QMessageBox::critical(nullptr, QStringLiteral(" LUM Assistant"), error);
        return 1;
    }
    splash.close();
    window.show();
    return QApplication::exec();
}
