#include "core/runner/batch_run.h"

#include <QElapsedTimer>
#include <QFile>
#include <QStringDecoder>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

constexpr int Rounds = 9;

// Five items buried in blank space of every kind the reader accepts: blank lines that end in
// CR LF, LF or CR alone, runs of blanks and tabs; quoted paths full of commas, and unquoted
// delays with blanks around them. About 8 MB in all.
QByteArray oddBatch() {
    const QByteArray blanks = "  \t \r\n\n\t\t  \r \r\n";
    const QByteArray gap = blanks.repeated(512 * 1024 / blanks.size());
    QByteArray text;
    for (int i = 0; i < MaxBatchItems; ++i) {
        text += gap + "\"/home/me/" + QByteArray("docs, notes, ").repeated(2500) +
                QByteArray::number(i) + "\"\r\n";
        text += gap + "  \t 2.5 \t\r\n";
        text += gap + "\"Normal\"\n";
    }
    return text + gap;
}

// The median time of a number of rounds, in seconds.
template <typename Work> double medianSeconds(Work work) {
    std::vector<double> times;
    for (int round = 0; round < Rounds; ++round) {
        QElapsedTimer clock;
        clock.start();
        work();
        times.push_back(double(clock.nsecsElapsed()) / 1e9);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

// Prints the file's size, the time the runner takes to read its items and the time it takes
// only to read the file and decode its text, which any reader must spend.
int main() {
    QTemporaryDir folder;
    const QString path = folder.filePath(u"Odd.rvq"_s);
    QFile file(path);
    const QByteArray bytes = oddBatch();
    if (!folder.isValid() || !file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return 1;
    file.close();
    if (readRunItems(path).size() != MaxBatchItems)
        return 1;

    qsizetype decoded = 0;
    const double reader = medianSeconds([&] { readRunItems(path); });
    const double baseline = medianSeconds([&] {
        QFile input(path);
        if (input.open(QIODevice::ReadOnly)) {
            QStringDecoder decode(QStringConverter::System);
            decoded = QString(decode(input.readAll())).size();
        }
    });
    std::printf("%lld %.6f %.6f\n", static_cast<long long>(bytes.size()), reader, baseline);
    return decoded == bytes.size() ? 0 : 1;
}
