#pragma once

#include "desktop/MessageSink.h"

#include <deque>
#include <vector>

// Records every message box instead of showing it, and answers question
// boxes from a queue of prepared answers (OK when the queue is empty).
// Installs itself while it exists and puts the previous sink back after.
class RecordingMessageSink : public MessageSink {
public:
    RecordingMessageSink();
    ~RecordingMessageSink() override;
    RecordingMessageSink(const RecordingMessageSink&) = delete;
    RecordingMessageSink& operator=(const RecordingMessageSink&) = delete;

    bool Show(const MessageRequest& request) override;

    // The answer for the next box that asks (true: OK, false: Cancel).
    void QueueAnswer(bool ok) { m_answers.push_back(ok); }

    const std::vector<MessageRequest>& Messages() const { return m_messages; }
    void Clear() { m_messages.clear(); }

private:
    MessageSink* m_previous = nullptr;
    std::vector<MessageRequest> m_messages;
    std::deque<bool> m_answers;
};
