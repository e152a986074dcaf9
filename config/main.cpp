#include "appearance.h"
#include "forms.h"
#include "hauptmenu.h"
#include "packagefiles.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // The program ends only when the main window closes, never because the
    // last visible window (the setup dialog, say) went away.
    app.setQuitOnLastWindowClosed(false);
    Appearance::applyApplicationFont(app);
    Appearance::applyApplicationStyle(app);

    Forms::get<hauptmenu>()->startup();
    const int status = app.exec();
    PackageFiles::UnlockPackageFolder();
    return status;
}
