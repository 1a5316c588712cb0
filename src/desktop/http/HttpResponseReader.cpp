#include "desktop/http/HttpResponseReader.h"

#include <utility>

namespace {

// A chunk-size line: hexadecimal digits and perhaps chunk extensions.
constexpr qsizetype kMaxChunkSizeLine = 1024;

bool IsDigits(QByteArrayView text)
{
    if (text.isEmpty())
        return false;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

bool IsTokenChar(char c)
{
    return c > 0x20 && c < 0x7f && c != ':' && c != '(' && c != ')' && c != ',' && c != ';' && c != '"' && c != '/'
        && c != '<' && c != '>' && c != '=' && c != '?' && c != '@' && c != '[' && c != ']' && c != '\\' && c != '{'
        && c != '}';
}

// The status code of "HTTP/1.x NNN reason", or 0.
int StatusCodeOf(QByteArrayView line)
{
    if (line.size() < 12 || !line.startsWith("HTTP/1.") || line[7] < '0' || line[7] > '9' || line[8] != ' ')
        return 0;
    const QByteArrayView code = line.sliced(9, 3);
    if (!IsDigits(code) || (line.size() > 12 && line[12] != ' '))
        return 0;
    const int status = code.toInt();
    return status >= 100 && status <= 599 ? status : 0;
}

// A chunk's size, or -1 when the line holds none; sizes past `cap` come
// back as cap + 1.
qint64 ChunkSizeOf(QByteArrayView line, qint64 cap)
{
    const qsizetype extensions = line.indexOf(';');
    const QByteArrayView digits = (extensions < 0 ? line : line.first(extensions)).trimmed();
    if (digits.isEmpty())
        return -1;
    qint64 size = 0;
    for (const char c : digits) {
        int value;
        if (c >= '0' && c <= '9')
            value = c - '0';
        else if (c >= 'a' && c <= 'f')
            value = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            value = c - 'A' + 10;
        else
            return -1;
        size = size * 16 + value;
        if (size > cap)
            size = cap + 1; // keeps reading the digits without overflow
    }
    return size;
}

} // namespace

HttpResponseReader::HttpResponseReader(qsizetype maxHeadBytes, qsizetype maxBodyBytes, Mode mode)
    : m_maxHeadBytes(maxHeadBytes)
    , m_maxBodyBytes(maxBodyBytes)
    , m_mode(mode)
{
}

QByteArray HttpResponseReader::Header(QByteArrayView name) const
{
    for (const auto& [key, value] : m_headers) {
        if (key.compare(name, Qt::CaseInsensitive) == 0)
            return value;
    }
    return QByteArray();
}

void HttpResponseReader::Feed(QByteArrayView data)
{
    if (m_state == State::ReadingHead)
        FeedHead(data);
    if (m_state == State::ReadingBody)
        FeedBody(data);
    // After a complete response the request asked for the connection to
    // close; anything more is not read.
}

void HttpResponseReader::EndOfStream()
{
    if (m_state == State::ReadingBody && m_framing == Framing::UntilClose)
        m_state = State::Complete;
    else if (m_state == State::ReadingHead || m_state == State::ReadingBody)
        Fail(Failure::Truncated);
}

void HttpResponseReader::Fail(Failure failure)
{
    m_state = State::Failed;
    m_failure = failure;
    m_pending.clear();
    m_body.clear();
}

// Moves the next line, without its line break, from `data` to `line`;
// `raw` is its length with the break. False while the line is unfinished,
// and when it would pass `room` bytes (then the reader fails with `tooLong`).
bool HttpResponseReader::TakeLine(
    QByteArrayView& data, qsizetype room, Failure tooLong, QByteArray* line, qsizetype* raw)
{
    const qsizetype end = data.indexOf('\n');
    const qsizetype take = end < 0 ? data.size() : end + 1;
    if (m_pending.size() + take > room) {
        Fail(tooLong);
        return false;
    }
    m_pending.append(data.first(take));
    data = data.sliced(take);
    if (end < 0)
        return false;
    *line = std::exchange(m_pending, QByteArray());
    *raw = line->size();
    line->chop(line->endsWith("\r\n") ? 2 : 1);
    return true;
}

void HttpResponseReader::FeedHead(QByteArrayView& data)
{
    QByteArray line;
    qsizetype raw = 0;
    while (m_state == State::ReadingHead && !data.isEmpty()) {
        if (!TakeLine(data, m_maxHeadBytes - m_headBytes, Failure::HeadTooLarge, &line, &raw))
            return;
        m_headBytes += raw;
        if (m_status == 0) {
            if (line.isEmpty())
                continue; // a stray line break before the status line
            m_status = StatusCodeOf(line);
            if (m_status == 0)
                Fail(Failure::Malformed);
            continue;
        }
        if (!line.isEmpty()) {
            if (!AddHeaderLine(line))
                Fail(Failure::Malformed);
            continue;
        }
        EndHead(data);
    }
}

bool HttpResponseReader::AddHeaderLine(const QByteArray& line)
{
    if (line.front() == ' ' || line.front() == '\t') {
        // An obsolete continuation of the previous header's value.
        if (m_headers.isEmpty())
            return false;
        m_headers.last().second += ' ' + line.trimmed();
        return true;
    }
    const qsizetype colon = line.indexOf(':');
    if (colon <= 0)
        return false;
    const QByteArray name = line.first(colon);
    for (const char c : name) {
        if (!IsTokenChar(c))
            return false;
    }
    m_headers.append({name, line.sliced(colon + 1).trimmed()});
    return true;
}

void HttpResponseReader::EndHead(QByteArrayView& data)
{
    if (m_mode == Mode::HeadOnly) {
        m_headComplete = true;
        m_state = State::Complete;
        m_leftover = data.toByteArray();
        data = {};
        return;
    }
    if (m_status < 200 && m_status != 101) {
        // An interim answer (100 Continue and the like): the real one follows.
        m_status = 0;
        m_headers.clear();
        return;
    }
    m_headComplete = true;
    if (ChooseFraming())
        m_state = m_framing == Framing::None ? State::Complete : State::ReadingBody;
}

bool HttpResponseReader::ChooseFraming()
{
    if (m_status < 200 || m_status == 204 || m_status == 304) {
        m_framing = Framing::None;
        return true;
    }
    const QByteArray transferEncoding = Header("Transfer-Encoding");
    if (!transferEncoding.isNull()) {
        const QByteArray last = transferEncoding.split(',').last().trimmed();
        m_framing = last.compare("chunked", Qt::CaseInsensitive) == 0 ? Framing::Chunked : Framing::UntilClose;
        return true;
    }
    // Several Content-Length headers (or a list in one) must agree.
    qint64 length = -1;
    for (const auto& [key, value] : m_headers) {
        if (key.compare("Content-Length", Qt::CaseInsensitive) != 0)
            continue;
        for (const QByteArray& item : value.split(',')) {
            const QByteArray digits = item.trimmed();
            bool ok = IsDigits(digits) && digits.size() <= 18;
            const qint64 value = ok ? digits.toLongLong(&ok) : -1;
            if (!ok || (length >= 0 && value != length)) {
                Fail(Failure::Malformed);
                return false;
            }
            length = value;
        }
    }
    if (length < 0) {
        m_framing = Framing::UntilClose;
        return true;
    }
    if (length > m_maxBodyBytes) {
        Fail(Failure::BodyTooLarge);
        return false;
    }
    m_framing = length == 0 ? Framing::None : Framing::Length;
    m_remaining = length;
    return true;
}

void HttpResponseReader::FeedBody(QByteArrayView& data)
{
    switch (m_framing) {
    case Framing::Length: {
        const qsizetype take = std::min(m_remaining, data.size());
        if (AppendBody(data.first(take))) {
            m_remaining -= take;
            if (m_remaining == 0)
                m_state = State::Complete;
        }
        break;
    }
    case Framing::UntilClose: AppendBody(data); break;
    case Framing::Chunked: FeedChunked(data); break;
    case Framing::None: break;
    }
    data = {};
}

void HttpResponseReader::FeedChunked(QByteArrayView& data)
{
    QByteArray line;
    qsizetype raw = 0;
    while (m_state == State::ReadingBody && !data.isEmpty()) {
        switch (m_chunkStep) {
        case ChunkStep::Size: {
            if (!TakeLine(data, kMaxChunkSizeLine, Failure::Malformed, &line, &raw))
                return;
            const qint64 room = m_maxBodyBytes - m_body.size();
            const qint64 size = ChunkSizeOf(line, room);
            if (size < 0 || size > room) {
                Fail(size < 0 ? Failure::Malformed : Failure::BodyTooLarge);
                return;
            }
            m_remaining = size;
            m_chunkStep = size == 0 ? ChunkStep::Trailer : ChunkStep::Data;
            break;
        }
        case ChunkStep::Data: {
            const qsizetype take = std::min(m_remaining, data.size());
            if (!AppendBody(data.first(take)))
                return;
            data = data.sliced(take);
            m_remaining -= take;
            if (m_remaining == 0)
                m_chunkStep = ChunkStep::DataEnd;
            break;
        }
        case ChunkStep::DataEnd:
            if (!TakeLine(data, 2, Failure::Malformed, &line, &raw))
                return;
            if (!line.isEmpty())
                Fail(Failure::Malformed);
            m_chunkStep = ChunkStep::Size;
            break;
        case ChunkStep::Trailer:
            // Trailer fields are not used, but count as part of the head.
            if (!TakeLine(data, m_maxHeadBytes - m_headBytes, Failure::HeadTooLarge, &line, &raw))
                return;
            m_headBytes += raw;
            if (line.isEmpty())
                m_state = State::Complete;
            break;
        }
    }
}

bool HttpResponseReader::AppendBody(QByteArrayView bytes)
{
    if (bytes.size() > m_maxBodyBytes - m_body.size()) {
        Fail(Failure::BodyTooLarge);
        return false;
    }
    m_body.append(bytes);
    return true;
}
