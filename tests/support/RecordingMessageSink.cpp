#include "RecordingMessageSink.h"

#include "desktop/MessageBox.h"

RecordingMessageSink::RecordingMessageSink()
    : m_previous(SetMessageSink(this))
{
}

RecordingMessageSink::~RecordingMessageSink()
{
    SetMessageSink(m_previous);
}

bool RecordingMessageSink::Show(const MessageRequest& request)
{
    m_messages.push_back(request);
    if (request.buttons != MessageButtons::OkCancel || m_answers.empty())
        return true;
    const bool ok = m_answers.front();
    m_answers.pop_front();
    return ok;
}
