#include "platform/shell.h"
#include "platform/window_states.h"

#include <QCoreApplication>
#include <QFile>
#include <QTimer>

// Opens the path given on standard input (any bytes, so no argument parsing is involved) with
// the window state given as the show-command number, and exits 0 when the shell reported success.
// The desktop's application database is cached per process, so each scenario runs in a fresh one.
// The call is made from inside the running event loop, as a click handler makes it.
int main(int argc, char **argv) {
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 2)
        return 2;
    QFile input;
    if (!input.open(stdin, QIODevice::ReadOnly))
        return 2;
    const QString path = QString::fromUtf8(input.readAll());
    const auto show = static_cast<platform::ShowCommand>(arguments.at(1).toInt());
    const std::unique_ptr<platform::WindowStates> states = platform::makeWindowStates();
    QTimer::singleShot(0, &application, [&] {
        QCoreApplication::exit(platform::makeDesktopShell(*states)->open(path, show) ? 0 : 1);
    });
    return QCoreApplication::exec();
}
