#pragma once

#include <string>

namespace platform {

// The object and interface on which the run hears the KWin scripts it loads.
inline constexpr char ReportsPath[] = "/org/runvoy/WindowReports";
inline constexpr char ReportsInterface[] = "org.runvoy.WindowReports";

// The text of the script that KWin runs for one launch. It offers the run every new ordinary
// window, applies what the run answers, and reports the state changes of the windows it was
// told to follow, until it is unloaded or, should the run vanish, after two minutes. busName is
// the run's name on the session bus; marker names the launch and the script. Both may hold only
// letters, digits and ":._-".
std::string kwinWindowScript(const std::string &busName, const std::string &marker);

// What the run answers a script about one window: leave it, follow its state, or put it in one.
enum class ScriptAnswer { Leave, Follow, Maximize, Minimize };
const char *answerWord(ScriptAnswer answer);

} // namespace platform
