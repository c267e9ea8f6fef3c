#include "tests/e2e/x_display.h"

#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

constexpr int ToolBoundMs = 10000;
// A first start on a fresh, busy machine reads fonts and compiles its keymap from cold caches.
constexpr int ServerStartBoundMs = 60000;

QString endsWith(const QString &title) {
    return QRegularExpression::escape(title) + u'$';
}

} // namespace

QString XDisplay::missingTools() {
    QStringList missing;
    for (const QString &tool : {u"Xvfb"_s, u"xdotool"_s}) {
        if (QStandardPaths::findExecutable(tool).isEmpty())
            missing << tool;
    }
    return missing.join(u", "_s);
}

XDisplay::XDisplay() {
    if (!missingTools().isEmpty())
        return;
    // Xvfb picks a free display number itself and writes it to the descriptor it is given, once
    // it takes connections. Without -noreset it resets whenever its last client leaves (an
    // xdotool call before the program has connected, say), and a client that connects during
    // the reset is turned away.
    server.start(u"Xvfb"_s,
                 {u"-displayfd"_s, u"1"_s, u"-noreset"_s, u"-nolisten"_s, u"tcp"_s, u"-screen"_s,
                  u"0"_s, u"%1x%2x24"_s.arg(screenSize().width()).arg(screenSize().height())});
    if (!QTest::qWaitFor(
            [&] { return server.canReadLine() || server.state() == QProcess::NotRunning; },
            ServerStartBoundMs))
        return;
    const QString number = QString::fromLatin1(server.readLine()).trimmed();
    if (!number.isEmpty())
        name_ = u':' + number;
}

XDisplay::~XDisplay() {
    if (server.state() != QProcess::NotRunning) {
        server.terminate();
        server.waitForFinished(ToolBoundMs);
    }
}

void XDisplay::useIn(QProcessEnvironment &environment) const {
    environment.insert(u"DISPLAY"_s, name_);
    environment.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
}

QString XDisplay::xdotool(const QStringList &arguments, bool *succeeded) const {
    QProcess tool;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"DISPLAY"_s, name_);
    tool.setProcessEnvironment(environment);
    tool.start(u"xdotool"_s, arguments);
    const bool finished = tool.waitForFinished(ToolBoundMs);
    if (succeeded)
        *succeeded = finished && tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0;
    return QString::fromUtf8(tool.readAllStandardOutput());
}

QStringList XDisplay::visibleWindows() const {
    // A search that finds nothing fails, and prints nothing.
    return xdotool(
               {u"search"_s, u"--onlyvisible"_s, u"--name"_s, u"."_s, u"getwindowname"_s, u"%@"_s})
        .split(u'\n', Qt::SkipEmptyParts);
}

bool XDisplay::waitForWindow(const QString &title, int boundMs) const {
    const QRegularExpression pattern(endsWith(title));
    return QTest::qWaitFor([&] { return !visibleWindows().filter(pattern).isEmpty(); }, boundMs);
}

bool XDisplay::pressKey(const QString &title, const QString &key) const {
    bool focused = false;
    xdotool({u"search"_s, u"--onlyvisible"_s, u"--name"_s, endsWith(title), u"windowfocus"_s,
             u"--sync"_s},
            &focused);
    // Typed through the server, as a keyboard would, into the window that has the focus.
    bool typed = false;
    if (focused)
        xdotool({u"key"_s, key}, &typed);
    return typed;
}
