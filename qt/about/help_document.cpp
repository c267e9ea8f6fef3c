#include "qt/about/help_document.h"

#include "core/document/program_error.h"
#include "platform/file_access.h"
#include "qt/qt_text.h"

#include <QStringDecoder>

#include <string>

using namespace Qt::StringLiterals;

namespace {

// Far beyond any help file, small enough to read whole without harm.
constexpr std::size_t MaxHelpFileSize = 16 * 1024 * 1024;

} // namespace

// Only a regular file is read: a pipe or a device of that name would keep the window waiting.
HelpDocument readHelpDocument(const QString &path) {
    std::string bytes;
    const platform::FileOutcome outcome =
        platform::readWholeFile(corePath(path), MaxHelpFileSize, bytes);
    if (!outcome.ok()) {
        const ProgramError failure = ProgramError::fromFileFault(corePath(path), outcome);
        return {QString(),
                u"The help file could not be opened.\n\n"_s + qtText(failure.description())};
    }
    const QByteArray html = QByteArray::fromStdString(bytes);
    QStringDecoder decoder = QStringDecoder::decoderForHtml(html);
    if (!decoder.isValid())
        decoder = QStringDecoder(QStringDecoder::Utf8);
    return {decoder.decode(html), QString()};
}
