#pragma once

#include <QString>

// The icon of a message box.
enum class MessageIcon { Warning, Information, Question, Error };

// The buttons of a message box.
enum class MessageButtons { Ok, OkCancel };

// Everything a message box shows.
struct MessageRequest {
    MessageIcon icon = MessageIcon::Information;
    MessageButtons buttons = MessageButtons::Ok;
    QString caption;
    QString text;
};

// Where message boxes go. The program shows them to the user; tests put a
// recorder in its place so that nobody has to press OK.
class MessageSink {
public:
    virtual ~MessageSink() = default;

    // Shows the box and returns true when the user chose OK.
    virtual bool Show(const MessageRequest& request) = 0;
};
