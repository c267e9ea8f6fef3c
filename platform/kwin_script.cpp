#include "platform/kwin_script.h"

#include <sstream>

namespace platform {

namespace {

// The script works on KWin 5.27 and 6: the newer names are used where they exist. A window is
// offered once it is mapped, so what the run answers applies to a window the user already sees
// for a frame or two at most.
constexpr char ScriptBody[] = R"js(
var followed = {}, maximizedNow = {};
function key(w) { return String(w.internalId); }
function maximized(w) {
    if (typeof w.maximizeMode === "number")
        return w.maximizeMode === 3;
    if (maximizedNow[key(w)] !== undefined)
        return maximizedNow[key(w)];
    var area = workspace.clientArea(KWin.MaximizeArea, w), g = w.frameGeometry;
    return g.x === area.x && g.y === area.y && g.width === area.width && g.height === area.height;
}
function traits(w) {
    var t = [];
    if (w.windowId) t.push("x11");
    if (w.maximizable) t.push("maximizable");
    if (w.minimizable) t.push("minimizable");
    if (maximized(w)) t.push("maximized");
    if (w.minimized) t.push("minimized");
    return t.join(" ");
}
function apply(w, answer) {
    // Followed first: KWin may change the state before the call returns.
    if (answer !== "" && !followed[key(w)])
        follow(w);
    if (answer === "maximize")
        w.setMaximize(true, true);
    else if (answer === "minimize")
        w.minimized = true;
}
function changed(w) {
    callDBus(run, path, face, "Changed", launch, key(w), traits(w), function (answer) {
        apply(w, answer);
    });
}
function follow(w) {
    followed[key(w)] = true;
    w.minimizedChanged.connect(function () { changed(w); });
    if (w.maximizedChanged)
        w.maximizedChanged.connect(function () { changed(w); });
    else
        w.clientMaximizedStateChanged.connect(function (c, h, v) {
            maximizedNow[key(w)] = h && v;
            changed(w);
        });
}
function added(w) {
    if (!w.normalWindow || w.transient)
        return;
    callDBus(run, path, face, "Offer", launch, key(w), String(w.pid), String(w.desktopFileName),
             traits(w), function (answer) { apply(w, answer); });
}
function removed(w) {
    if (followed[key(w)])
        callDBus(run, path, face, "Gone", launch, key(w));
}
(workspace.windowAdded || workspace.clientAdded).connect(added);
(workspace.windowRemoved || workspace.clientRemoved).connect(removed);
var expiry = new QTimer();
expiry.singleShot = true;
expiry.interval = 120000;
expiry.timeout.connect(function () {
    callDBus("org.kde.KWin", "/Scripting", "org.kde.kwin.Scripting", "unloadScript", launch);
});
expiry.start();
callDBus(run, path, face, "Ready", launch);
)js";

} // namespace

std::string kwinWindowScript(const std::string &busName, const std::string &marker) {
    std::ostringstream script;
    script << "// Runvoy: the window of one launch, in the state its batch asks for.\n"
           << "var run = \"" << busName << "\", launch = \"" << marker << "\";\n"
           << "var path = \"" << ReportsPath << "\", face = \"" << ReportsInterface << "\";"
           << ScriptBody;
    return script.str();
}

const char *answerWord(ScriptAnswer answer) {
    switch (answer) {
    case ScriptAnswer::Follow:
        return "follow";
    case ScriptAnswer::Maximize:
        return "maximize";
    case ScriptAnswer::Minimize:
        return "minimize";
    case ScriptAnswer::Leave:
        break;
    }
    return "";
}

} // namespace platform
