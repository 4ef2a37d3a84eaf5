// Entry point of the TORVAN application.
#include <QApplication>

#include "app/AppIcon.h"
#include "app/TorvanApp.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Zelmor Systems"));
    QCoreApplication::setApplicationName(QStringLiteral("TORVAN"));
    QApplication::setWindowIcon(TorvanIcon());

    CTorvanApp theApp;
    // Qt has taken its own options out; what is left after the program's
    // name is the path of a program to open.
    if (!theApp.InitInstance(QCoreApplication::arguments().mid(1))) return 0;
    const int result = QApplication::exec();
    theApp.ExitInstance();
    return result;
}
