#include "qt/editor/editor_window.h"
#include "qt/editor/file_filter.h"
#include "qt/editor/row_move.h"

#include <QComboBox>
#include <QDir>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QLineEdit>
#include <QMimeData>
#include <QRadioButton>
#include <QUrl>

using namespace Qt::StringLiterals;

void EditorWindow::clearRow(int row) {
    pathEdits[row]->setText(QString());
    delayEdits[row]->setText(u"0"_s);
    selectState(row, 0);
}

void EditorWindow::browseFileForRow(int row) {
    const QString chosen = BrowseForFile(this, u"All Files|*.*"_s, u"Select a file"_s, QString());
    if (chosen.isEmpty())
        return;
    // The path ends at the terminator that the dialog routine leaves after it.
    pathEdits[row]->setText(chosen.left(chosen.indexOf(QChar(0))));
}

void EditorWindow::browseFolderForRow(int row) {
    const QString chosen = BrowseForFolder();
    if (chosen.isEmpty())
        return;
    pathEdits[row]->setText(chosen);
}

void EditorWindow::moveSelectedRow(int direction) {
    const std::optional<int> partner = movePartner(selectedRow, direction, RowCount);
    if (!partner)
        return;
    const int r = selectedRow;
    const int s = *partner;
    const QString delay = delayEdits[s]->text();
    const QString path = pathEdits[s]->text();
    const int state = stateCombos[s]->currentIndex();
    delayEdits[s]->setText(delayEdits[r]->text());
    pathEdits[s]->setText(pathEdits[r]->text());
    selectState(s, stateCombos[r]->currentIndex());
    delayEdits[r]->setText(delay);
    pathEdits[r]->setText(path);
    selectState(r, state);
    selectedRow = qint16(s);
    rowSelectors[s]->setChecked(true);
}

QString EditorWindow::BrowseForFile(QWidget *owner, const QString &filter, const QString &title,
                                    const QString &initialFolder) {
    QFileDialog dialog(owner, title, initialFolder);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(nameFiltersFromPairs(filter));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return QDir::toNativeSeparators(dialog.selectedFiles().constFirst()) + QChar(0);
}

QString EditorWindow::BrowseForFolder() {
    QFileDialog dialog(this, u"Select a Folder"_s, QDir::homePath());
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    const QString folder = QDir::cleanPath(dialog.selectedFiles().constFirst());
    if (!QFileInfo(folder).isDir())
        return {};
    return QDir::toNativeSeparators(folder);
}

// A full stop cannot stay in the name, which becomes a file name with its own extension.
// Each pass removes the last character and, through the change it makes, checks again.
void EditorWindow::removeFullStopFromName() {
    const QString name = nameEdit->text();
    if (name.isEmpty() || !name.contains(u'.'))
        return;
    Message(name + u"   Please re-enter without the (.)."_s, u"OK"_s, u"Message"_s);
    nameEdit->setText(name.left(name.size() - 1));
}

// Only a list of files is taken, only as a copy, and only its first entry; text dragged from
// elsewhere is refused, and the drop moves neither the focus nor the selection.
bool EditorWindow::dropOnPath(int row, QEvent *event) {
    const auto type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return false;
    auto *drop = static_cast<QDropEvent *>(event);
    const QList<QUrl> urls = drop->mimeData()->hasUrls() ? drop->mimeData()->urls() : QList<QUrl>();
    const bool fileList = !urls.isEmpty() && urls.constFirst().isLocalFile();
    if (!fileList || !(drop->possibleActions() & Qt::CopyAction)) {
        drop->setDropAction(Qt::IgnoreAction);
        drop->ignore();
        return true;
    }
    drop->setDropAction(Qt::CopyAction);
    drop->accept();
    if (type == QEvent::Drop)
        pathEdits[row]->setText(
            QDir::toNativeSeparators(QDir::cleanPath(urls.constFirst().toLocalFile())));
    return true;
}
