#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QPair>

// Reads one HTTP/1.x response as it arrives in pieces, keeping no more than
// its bounds: the head (status line and header lines, together with any
// interim 1xx heads and a chunked body's trailer) may not pass maxHeadBytes,
// the body may not pass maxBodyBytes. Whatever a peer sends, the reader holds
// at most about the sum of the two.
class HttpResponseReader {
public:
    enum class State {
        ReadingHead,
        ReadingBody,
        Complete,
        Failed,
    };
    enum class Failure {
        None,
        HeadTooLarge,
        BodyTooLarge,
        Malformed,
        Truncated, // the connection ended before the response did
    };
    enum class Mode {
        WholeResponse,
        HeadOnly, // a proxy's answer to CONNECT: what follows the head is the tunnel's
    };

    HttpResponseReader(qsizetype maxHeadBytes, qsizetype maxBodyBytes, Mode mode = Mode::WholeResponse);

    // Takes the next bytes of the connection. In HeadOnly mode the bytes
    // after the head are kept as Leftover().
    void Feed(QByteArrayView data);
    // The connection ended: a body that runs to the end is complete,
    // anything else unfinished is truncated.
    void EndOfStream();

    State GetState() const { return m_state; }
    // The status line and headers are in (and stay, even if the body fails).
    bool HeadComplete() const { return m_headComplete; }
    Failure GetFailure() const { return m_failure; }
    int Status() const { return m_status; }
    // The value of the first header of that name (any case), or a null array.
    QByteArray Header(QByteArrayView name) const;
    const QByteArray& Body() const { return m_body; }
    const QByteArray& Leftover() const { return m_leftover; }

private:
    enum class Framing { None, Length, Chunked, UntilClose };
    enum class ChunkStep { Size, Data, DataEnd, Trailer };

    void FeedHead(QByteArrayView& data);
    bool AddHeaderLine(const QByteArray& line);
    void EndHead(QByteArrayView& data);
    bool ChooseFraming();
    void FeedBody(QByteArrayView& data);
    void FeedChunked(QByteArrayView& data);
    bool TakeLine(QByteArrayView& data, qsizetype room, Failure tooLong, QByteArray* line, qsizetype* raw);
    bool AppendBody(QByteArrayView bytes);
    void Fail(Failure failure);

    qsizetype m_maxHeadBytes;
    qsizetype m_maxBodyBytes;
    Mode m_mode;
    State m_state = State::ReadingHead;
    Failure m_failure = Failure::None;
    qsizetype m_headBytes = 0; // of every head and trailer line read so far
    QByteArray m_pending;      // an unfinished head or line
    int m_status = 0;
    bool m_headComplete = false;
    QList<QPair<QByteArray, QByteArray>> m_headers;
    Framing m_framing = Framing::None;
    qsizetype m_remaining = 0; // of the body (Length) or of the current chunk
    ChunkStep m_chunkStep = ChunkStep::Size;
    QByteArray m_body;
    QByteArray m_leftover;
};
