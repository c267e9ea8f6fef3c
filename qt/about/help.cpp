#include "qt/about/help.h"

#include "platform/path_separator.h"
#include "qt/about/help_window.h"

#include <QPointer>
#include <QWidget>

using namespace Qt::StringLiterals;

namespace Help {

namespace {

QPointer<QWidget> HelpOwner;
QString ApplicationHelpFile;
QPointer<HelpWindow> OpenHelpWindow;

// The folder's last character, blanks at either end aside.
QChar lastCharacterOfTrimmed(const QString &folder) {
    qsizetype end = folder.size();
    while (end > 0 && folder.at(end - 1) == u' ')
        --end;
    return end > 0 ? folder.at(end - 1) : QChar();
}

} // namespace

QString helpFilePath(const QString &programFolder) {
    const QString fileName = u"Runvoy.HLP"_s;
    const QLatin1Char separator(platform::PathSeparator);
    if (lastCharacterOfTrimmed(programFolder) == separator)
        return programFolder + fileName;
    return programFolder + separator + fileName;
}

void prepare(QWidget *owner, const QString &programFolder) {
    // A window opened for an earlier owner must not outlive that owner's help set-up.
    close();
    HelpOwner = owner;
    ApplicationHelpFile = helpFilePath(programFolder);
}

void close() {
    if (!OpenHelpWindow)
        return;
    OpenHelpWindow->hide();
    OpenHelpWindow->deleteLater();
    OpenHelpWindow.clear();
}

void showContents() {
    if (!OpenHelpWindow)
        OpenHelpWindow = new HelpWindow(HelpOwner);
    OpenHelpWindow->showContents(ApplicationHelpFile);
}

QString filePath() {
    return ApplicationHelpFile;
}

} // namespace Help
