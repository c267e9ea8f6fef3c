#pragma once

#include "editor/form1.h"
#include "platform/shell.h"

#include <QDir>
#include <QSettings>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

namespace testsupport {

// A shell that starts nothing and records what it was asked to open.
class RecordingShell : public platform::Shell {
public:
    bool open(const QString &path, platform::ShowCommand show) override {
        opened << path;
        shows << show;
        return succeed;
    }
    QStringList opened;
    QList<platform::ShowCommand> shows;
    bool succeed = true;
};

// A Form1 built on temporary folders: its own program folder, settings file and shell.
class Form1Fixture {
public:
    Form1Fixture() : settings(dir.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat) {
        services.settings = &settings;
        services.shell = &shell;
        services.programFolder = dir.filePath(QStringLiteral("program"));
        QDir().mkpath(services.programFolder);
    }

    // Builds the window; call Form_Load yourself when the test is about start-up.
    Form1 &make() {
        form = std::make_unique<Form1>(services);
        return *form;
    }

    QTemporaryDir dir;
    QSettings settings;
    RecordingShell shell;
    Form1Services services;
    std::unique_ptr<Form1> form;
};

} // namespace testsupport
