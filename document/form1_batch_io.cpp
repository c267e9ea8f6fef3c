#include "document/batch_file.h"
#include "document/field_reader.h"
#include "document/path_helpers.h"
#include "document/program_error.h"
#include "editor/form1.h"

#include <QComboBox>
#include <QLineEdit>

using namespace Qt::StringLiterals;

namespace {

int stateIndex(const QString &state) {
    if (state == u"Normal")
        return 0;
    if (state == u"Minimized")
        return 1;
    if (state == u"Maximized")
        return 2;
    return -1;
}

} // namespace

// Rows are filled as their items are read, so rows read before a failure keep what they got;
// the name is set only once the whole file has been read.
void Form1::LoadBatch(const QString &path) {
    Loading = true;
    try {
        // The file dialog's result ends in a terminator, which is no part of the path.
        QString file = path;
        if (file.endsWith(QChar(0)))
            file.chop(1);
        FieldReader reader = FieldReader::open(file);
        int row = -1;
        while (!reader.atEnd()) {
            if (++row >= RowCount)
                throw ProgramError::subscriptOutOfRange();
            Text2[row]->setText(reader.readField());
            Text3[row]->setText(reader.readField());
            const int state = stateIndex(reader.readField());
            if (state >= 0)
                selectState(row, state);
        }
        Text1->setText(FileExtract(file));
        Loading = false;
    } catch (const ProgramError &failure) {
        Loading = false;
        Message(failure.description(), u"OK"_s, u"Message"_s);
    }
}

void Form1::WriteBatchFile(const QString &path) {
    std::vector<BatchRow> rows;
    for (int i = 0; i < RowCount; ++i)
        rows.push_back({Text2[i]->text(), Text3[i]->text(), Combo1[i]->currentText()});
    writeBatchFileAtomically(path, rows);
}
