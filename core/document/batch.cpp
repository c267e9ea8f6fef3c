#include "core/document/batch.h"

using namespace Qt::StringLiterals;

const QStringList &windowStateNames() {
    static const QStringList names{u"Normal"_s, u"Minimized"_s, u"Maximized"_s};
    return names;
}

std::optional<WindowState> windowStateFromName(const QString &name) {
    const qsizetype index = windowStateNames().indexOf(name);
    if (index < 0)
        return std::nullopt;
    return WindowState(index);
}

QString windowStateName(WindowState state) {
    return windowStateNames().at(int(state));
}
