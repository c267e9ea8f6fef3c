#include "core/document/output_folder.h"
#include "core/document/program_error.h"
#include "platform/path_separator.h"
#include "platform/shell.h"
#include "qt/about/about_box.h"
#include "qt/about/help.h"
#include "qt/editor/editor_window.h"

#include <QComboBox>
#include <QLineEdit>

using namespace Qt::StringLiterals;

namespace {

const QString MessageTitle = u"Message"_s;

} // namespace

// Every command runs under one failure handler: a failure ends the command, what was done
// before it stays done, and the user is told.
void EditorWindow::runToolbarCommand(const QString &key) {
    try {
        if (key == u"new") {
            if (askToSaveChanges())
                emptyEditor();
        } else if (key == u"open") {
            if (askToSaveChanges())
                openBatch();
        } else if (key == u"save") {
            SaveBatch();
        } else if (key == u"about") {
            AboutBox about(this);
            about.exec();
        } else if (key == u"help") {
            Help::showContents();
        } else if (key == u"exit") {
            close();
        }
    } catch (const ProgramError &failure) {
        loading = false;
        Message(failure.description(), u"OK"_s, MessageTitle);
    }
}

// Returns whether the command may go on. Only a save that really happened, or the user's
// choice to drop the changes, lets it: Cancel and a refused or failed save keep the batch and
// keep it marked as changed.
bool EditorWindow::askToSaveChanges() {
    if (!isWindowModified())
        return true;
    const int answer = Message(u"Changes have been made to this file, save it."_s,
                               u"Yes/No/Cancel"_s, MessageTitle);
    if (answer == 1)
        return SaveBatch();
    if (answer == 3)
        return false;
    setBatchChanged(false);
    return true;
}

void EditorWindow::emptyEditor() {
    for (int i = 0; i < RowCount; ++i)
        clearRow(i);
    nameEdit->setText(QString());
}

void EditorWindow::openBatch() {
    emptyEditor();
    const QString chosen =
        BrowseForFile(this, u"RVQ Files (*.rvq)|*.rvq"_s, u"Select a RVQ file"_s, outputFolder);
    if (chosen.isEmpty())
        return;
    LoadBatch(chosen);
}

// Returns whether the batch was written; throws ProgramError when writing failed.
bool EditorWindow::SaveBatch() {
    if (nameEdit->text().isEmpty()) {
        Message(u"Enter a Name."_s, u"OK"_s, MessageTitle);
        return false;
    }
    bool anyItem = false;
    for (QLineEdit *path : pathEdits)
        anyItem = anyItem || !path->text().isEmpty();
    if (!anyItem) {
        Message(u"Enter a least one file, folder or shortcut."_s, u"OK"_s, MessageTitle);
        return false;
    }
    if (!nameIsStorable())
        return false;
    WriteBatchFile(outputFolder + nameEdit->text() + u".rvq"_s);
    setBatchChanged(false);
    showOutputFolder();
    return true;
}

// The name becomes a file name in outputFolder: a separator would write somewhere else, and a
// double quote cannot stand inside the quoted path with which the batch is run or edited.
bool EditorWindow::nameIsStorable() {
    const QString name = nameEdit->text();
    QString refused;
    if (name.contains(platform::PathSeparator) || name.contains(QChar(0)))
        refused = u'"' + QString(platform::PathSeparator) + u'"';
    else if (name.contains(u'"'))
        refused = u"a double quote"_s;
    else
        return true;
    Message(u"The name "_s + name + u" cannot be used as a file name: it may not contain "_s +
                refused + u'.',
            u"OK"_s, MessageTitle);
    return false;
}

void EditorWindow::showOutputFolder() {
    const QString output = outputFolderWithoutDesktop(services_.programFolder);
    if (outputFolder == output + platform::PathSeparator)
        services_.shell->open(output, platform::ShowCommand::Normal);
}

// Closing asks the same question; a save that fails while closing keeps the window open.
void EditorWindow::confirmClose(bool &cancel) {
    try {
        cancel = !askToSaveChanges();
    } catch (const ProgramError &failure) {
        Message(failure.description(), u"OK"_s, MessageTitle);
        cancel = true;
    }
}
