#pragma once

#include "desktop/MessageSink.h"

// Shows each message as a modal QMessageBox without a parent window.
class DialogMessageSink : public MessageSink {
public:
    bool Show(const MessageRequest& request) override;
};
