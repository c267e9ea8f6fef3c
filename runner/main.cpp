#include "editor/form1.h"
#include "platform/desktop_folder.h"
#include "platform/raw_arguments.h"
#include "platform/shell.h"
#include "platform/window_states.h"

#include <QApplication>
#include <QSettings>

using namespace Qt::StringLiterals;

int main(int argc, char **argv) {
    // Taken before the application object, which would consume arguments of its own.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);

    QApplication app(argc, argv);
    // The program ends when its window is unloaded, not when the last visible window closes:
    // a run shows no window at all.
    QApplication::setQuitOnLastWindowClosed(false);

    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, u"Runvoy"_s, u"Runvoy"_s);
    const std::unique_ptr<platform::WindowStates> windowStates = platform::makeWindowStates();
    const std::unique_ptr<platform::Shell> shell = platform::makeDesktopShell(*windowStates);
    Form1Services services;
    services.settings = &settings;
    services.shell = shell.get();
    services.programFolder = QCoreApplication::applicationDirPath();
    services.desktopFolder = platform::desktopFolder();
    services.rawArguments = platform::rawArgumentText(arguments);

    Form1 form(services);
    QObject::connect(&form, &Form1::unloaded, &app, &QCoreApplication::quit);
    form.Form_Load();
    if (form.isUnloaded()) {
        // A finished run stays, still without a window, until its items' windows have their
        // states.
        windowStates->waitForWatches();
        return 0;
    }
    form.show();
    return app.exec();
}
