#pragma once

#include <string>

// Every message and question of the program passes through one message box, with these sets of
// buttons; the answer says which was pressed, or that the box was closed without one.
enum class MessageButtons { Ok, YesNo, YesNoCancel };
enum class MessageAnswer { Closed, Ok, Yes, No, Cancel };

// The titles: the run's report of an item it could not start has its own.
inline constexpr char MessageTitle[] = "Message";
inline constexpr char RunMessageTitle[] = "Message from Runvoy";

struct Message {
    std::string prompt;
    MessageButtons buttons = MessageButtons::Ok;
    std::string title = MessageTitle;
};
