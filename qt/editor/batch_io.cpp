#include "core/document/batch_file.h"
#include "qt/editor/editor_window.h"

#include <QComboBox>
#include <QLineEdit>

using namespace Qt::StringLiterals;

// Rows are filled with the items read, so rows read before a failure keep what they got; the
// name is set only once the whole file has been read.
void EditorWindow::LoadBatch(const QString &path) {
    loading = true;
    // The file dialog's result ends in a terminator, which is no part of the path.
    QString file = path;
    if (file.endsWith(QChar(0)))
        file.chop(1);
    const BatchFileReading reading = readBatchFile(file);
    int row = 0;
    for (const BatchItem &item : reading.batch.items) {
        pathEdits[row]->setText(item.path);
        delayEdits[row]->setText(item.delay);
        if (item.state)
            selectState(row, int(*item.state));
        ++row;
    }
    // The item that the failure cut short keeps the fields read of it.
    const QStringList &cutShort = reading.cutShort;
    if (!cutShort.isEmpty())
        pathEdits[row]->setText(cutShort[0]);
    if (cutShort.size() > 1)
        delayEdits[row]->setText(cutShort[1]);
    if (reading.failure) {
        loading = false;
        Message(reading.failure->description(), u"OK"_s, u"Message"_s);
        return;
    }
    nameEdit->setText(reading.batch.name);
    loading = false;
}

// A row with an empty path holds no item.
void EditorWindow::WriteBatchFile(const QString &path) {
    Batch batch;
    batch.name = nameEdit->text();
    for (int i = 0; i < RowCount; ++i) {
        if (pathEdits[i]->text().isEmpty())
            continue;
        const int state = stateCombos[i]->currentIndex();
        batch.items.push_back({pathEdits[i]->text(), delayEdits[i]->text(),
                               state < 0 ? std::nullopt : std::optional(WindowState(state))});
    }
    writeBatchFileAtomically(path, batch);
}
