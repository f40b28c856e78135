// LUMAssistant: the desktop program.
#include <QApplication>
#include <QMessageBox>

#include "assistant/fontdiscovery.h"
#include "assistant/frmprincipale.h"
#include "assistant/frmsplash.h"
#include "assistant/stringtable.h"
#include "assistant/widgets.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("LUMAssistant"));
    QApplication::setApplicationVersion(QStringLiteral(LUM_VERSION_TEXT));
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
