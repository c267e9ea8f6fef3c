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

QString XDisplay::missingTools(WindowManager manager) {
    QStringList tools{u"Xvfb"_s, u"xdotool"_s};
    if (manager == WindowManager::Openbox)
        tools << u"openbox"_s << u"xprop"_s << u"xwininfo"_s;
    QStringList missing;
    for (const QString &tool : tools) {
        if (QStandardPaths::findExecutable(tool).isEmpty())
            missing << tool;
    }
    return missing.join(u", "_s);
}

XDisplay::XDisplay(WindowManager wanted) {
    if (!missingTools(wanted).isEmpty())
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
    if (isReady() && wanted == WindowManager::Openbox && !startWindowManager())
        name_.clear();
}

// Ready once it has announced itself on the root window, as a managing window manager does.
bool XDisplay::startWindowManager() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"DISPLAY"_s, name_);
    manager.setProcessEnvironment(environment);
    manager.start(u"openbox"_s, {u"--sm-disable"_s});
    return QTest::qWaitFor(
               [&] {
                   return manager.state() == QProcess::NotRunning ||
                          run(u"xprop"_s, {u"-root"_s, u"_NET_SUPPORTING_WM_CHECK"_s})
                              .contains(u"window id"_s);
               },
               ToolBoundMs) &&
           manager.state() != QProcess::NotRunning;
}

XDisplay::~XDisplay() {
    if (manager.state() != QProcess::NotRunning) {
        manager.terminate();
        manager.waitForFinished(ToolBoundMs);
    }
    if (server.state() != QProcess::NotRunning) {
        server.terminate();
        server.waitForFinished(ToolBoundMs);
    }
}

void XDisplay::useIn(QProcessEnvironment &environment) const {
    environment.insert(u"DISPLAY"_s, name_);
    environment.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
}

QString XDisplay::windowManagerState(const QString &title) const {
    return run(u"xprop"_s, {u"-name"_s, title, u"_NET_WM_STATE"_s}).trimmed();
}

QString XDisplay::run(const QString &program, const QStringList &arguments, bool *succeeded) const {
    QProcess tool;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"DISPLAY"_s, name_);
    tool.setProcessEnvironment(environment);
    tool.start(program, arguments);
    const bool finished = tool.waitForFinished(ToolBoundMs);
    if (succeeded)
        *succeeded = finished && tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0;
    return QString::fromUtf8(tool.readAllStandardOutput());
}

QString XDisplay::xdotool(const QStringList &arguments, bool *succeeded) const {
    return run(u"xdotool"_s, arguments, succeeded);
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

std::optional<QRect> XDisplay::outerGeometry(const QString &title) const {
    const auto field = [](const QString &report, const QString &name) {
        const QRegularExpression line(u"^\\s*"_s + QRegularExpression::escape(name) +
                                          u":\\s*(\\S+)"_s,
                                      QRegularExpression::MultilineOption);
        return line.match(report).captured(1);
    };
    QString window = xdotool({u"search"_s, u"--onlyvisible"_s, u"--name"_s, endsWith(title)})
                         .section(u'\n', 0, 0);
    if (window.isEmpty())
        return std::nullopt;
    // A window manager puts each window into a frame of its own, a child of the root window.
    for (;;) {
        const QString tree = run(u"xwininfo"_s, {u"-tree"_s, u"-id"_s, window});
        const QString parent = field(tree, u"Parent window id"_s);
        if (parent.isEmpty())
            return std::nullopt;
        if (parent == field(tree, u"Root window id"_s))
            break;
        window = parent;
    }
    const QString report = run(u"xwininfo"_s, {u"-id"_s, window});
    return QRect(field(report, u"Absolute upper-left X"_s).toInt(),
                 field(report, u"Absolute upper-left Y"_s).toInt(),
                 field(report, u"Width"_s).toInt(), field(report, u"Height"_s).toInt());
}
