#include "document/batch_file.h"
#include "editor/form1.h"

#include <QComboBox>
#include <QLineEdit>

using namespace Qt::StringLiterals;

// Rows are filled with the items read, so rows read before a failure keep what they got; the
// name is set only once the whole file has been read.
void Form1::LoadBatch(const QString &path) {
    Loading = true;
    // The file dialog's result ends in a terminator, which is no part of the path.
    QString file = path;
    if (file.endsWith(QChar(0)))
        file.chop(1);
    const BatchFileReading reading = readBatchFile(file);
    int row = 0;
    for (const BatchItem &item : reading.batch.items) {
        Text2[row]->setText(item.path);
        Text3[row]->setText(item.delay);
        if (item.state)
            selectState(row, int(*item.state));
        ++row;
    }
    // The item that the failure cut short keeps the fields read of it.
    const QStringList &cutShort = reading.cutShort;
    if (!cutShort.isEmpty())
        Text2[row]->setText(cutShort[0]);
    if (cutShort.size() > 1)
        Text3[row]->setText(cutShort[1]);
    if (reading.failure) {
        Loading = false;
        Message(reading.failure->description(), u"OK"_s, u"Message"_s);
        return;
    }
    Text1->setText(reading.batch.name);
    Loading = false;
}

// A row with an empty path holds no item.
void Form1::WriteBatchFile(const QString &path) {
    Batch batch;
    batch.name = Text1->text();
    for (int i = 0; i < RowCount; ++i) {
        if (Text2[i]->text().isEmpty())
            continue;
        const int state = Combo1[i]->currentIndex();
        batch.items.push_back({Text2[i]->text(), Text3[i]->text(),
                               state < 0 ? std::nullopt : std::optional(WindowState(state))});
    }
    writeBatchFileAtomically(path, batch);
}
