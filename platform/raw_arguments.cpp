#include "platform/raw_arguments.h"

namespace platform {

QString rawArgumentText(const QStringList &arguments) {
    QString text;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (i == 0) {
            text = argument;
            continue;
        }
        text += u' ';
        if (argument.contains(u'"'))
            text += argument;
        else
            text += u'"' + argument + u'"';
    }
    return text;
}

} // namespace platform
