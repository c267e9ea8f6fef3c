#include "about/context_ids.h"

#include "about/help_window.h"
#include "platform/path_separator.h"

#include <QPointer>
#include <QWidget>

using namespace Qt::StringLiterals;

namespace ContextIDs {

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
    if (lastCharacterOfTrimmed(programFolder) == platform::PathSeparator)
        return programFolder + fileName;
    return programFolder + platform::PathSeparator + fileName;
}

void InitHelp(QWidget *owner, const QString &programFolder) {
    // A window opened for an earlier owner must not outlive that owner's help set-up.
    QuitHelp();
    HelpOwner = owner;
    ApplicationHelpFile = helpFilePath(programFolder);
}

void QuitHelp() {
    if (!OpenHelpWindow)
        return;
    OpenHelpWindow->hide();
    OpenHelpWindow->deleteLater();
    OpenHelpWindow.clear();
}

void ShowHelpContents() {
    if (!OpenHelpWindow)
        OpenHelpWindow = new HelpWindow(HelpOwner);
    OpenHelpWindow->showContents(ApplicationHelpFile);
}

QString HelpFile() {
    return ApplicationHelpFile;
}

} // namespace ContextIDs
