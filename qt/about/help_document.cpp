#include "qt/about/help_document.h"

#include <QFile>
#include <QStringDecoder>

using namespace Qt::StringLiterals;

namespace {

HelpDocument unreadable(const QString &path, const QString &reason) {
    return {QString(), u"The help file could not be opened.\n\n%1\n\n%2"_s.arg(path, reason)};
}

} // namespace

HelpDocument readHelpDocument(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return unreadable(path, file.errorString());
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return unreadable(path, file.errorString());

    QStringDecoder decoder = QStringDecoder::decoderForHtml(bytes);
    if (!decoder.isValid())
        decoder = QStringDecoder(QStringDecoder::Utf8);
    return {decoder.decode(bytes), QString()};
}
