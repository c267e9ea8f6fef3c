#include "qt/about/about_box.h"
#include "qt/about/help.h"
#include "qt/editor/editor_window.h"
#include "qt/msgbox/message_box.h"
#include "qt/qt_text.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDir>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMimeData>
#include <QRadioButton>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace {

// The path of a dropped file as the file system names it. A name that is not UTF-8 keeps its
// bytes, which only the raw path of the address still holds.
std::filesystem::path droppedPath(const QUrl &url) {
    const QByteArray bytes =
        QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
    if (QString::fromUtf8(bytes).toUtf8() == bytes)
        return corePath(url.toLocalFile());
    return platform::pathFromText(bytes.toStdString());
}

} // namespace

void EditorWindow::showName(const std::string &name) {
    nameEdit->setText(qtText(name));
}

void EditorWindow::showRow(int row, const BatchItem &item) {
    pathEdits[row]->setText(qtText(item.path));
    delayEdits[row]->setText(qtText(item.delay));
    stateCombos[row]->setCurrentIndex(item.state ? int(*item.state) : -1);
}

void EditorWindow::showSelection(std::optional<int> row) {
    if (row) {
        rowSelectors[*row]->setChecked(true);
        return;
    }
    // An exclusive group keeps one button checked; unchecking the last needs a moment without.
    selectors->setExclusive(false);
    for (QRadioButton *selector : rowSelectors)
        selector->setChecked(false);
    selectors->setExclusive(true);
}

// The title shows no mark of the flag, so it is set as an attribute: Qt then looks for no
// placeholder in the title to show it with.
void EditorWindow::showChanged(bool changed) {
    setAttribute(Qt::WA_WindowModified, changed);
}

MessageAnswer EditorWindow::ask(const Message &message) {
    return showMessage(message, this);
}

std::optional<std::filesystem::path> EditorWindow::chooseFile(const FileQuestion &question) {
    QStringList patterns;
    for (const std::string &pattern : question.filter.patterns)
        patterns << qtText(pattern);
    QFileDialog dialog(this, qtText(question.title), qtPath(question.folder));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(qtText(question.filter.description) + u" ("_s + patterns.join(u' ') +
                         u')');
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return corePath(dialog.selectedFiles().constFirst());
}

std::optional<std::filesystem::path> EditorWindow::chooseFolder(const std::string &title) {
    QFileDialog dialog(this, qtText(title), QDir::homePath());
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    const QString folder = dialog.selectedFiles().constFirst();
    if (!QFileInfo(folder).isDir())
        return std::nullopt;
    return corePath(folder);
}

void EditorWindow::showAbout() {
    AboutBox about(this);
    about.exec();
}

void EditorWindow::showHelp() {
    Help::showContents();
}

void EditorWindow::closeWindow() {
    close();
}

// Only a list of files is taken, and only as a copy; text dragged from elsewhere is refused, and
// the drop moves neither the focus nor the selection.
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
    if (type == QEvent::Drop) {
        std::vector<std::filesystem::path> paths;
        for (const QUrl &url : urls) {
            if (url.isLocalFile())
                paths.push_back(droppedPath(url));
        }
        logic_->dropped(row, paths);
    }
    return true;
}
