#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// The window state an item asks the desktop for.
enum class WindowState { Normal, Minimized, Maximized };

// The states' names, in the order of the enum: how batch files and the editor's state lists
// write them.
const QStringList &windowStateNames();

// The state of a name, compared exactly; none for any other text.
std::optional<WindowState> windowStateFromName(const QString &name);

QString windowStateName(WindowState state);

// One item of a batch: the path and the delay as the user typed them, and the window state; a
// state that the file names in no known way is none.
struct BatchItem {
    QString path;
    QString delay;
    std::optional<WindowState> state;
};

// A batch holds at most five items.
inline constexpr int MaxBatchItems = 5;

// A batch: its name, which is the batch file's name, and its items in order.
struct Batch {
    QString name;
    std::vector<BatchItem> items;
};
