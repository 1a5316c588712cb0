#include "desktop/http/HttpResponseReader.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using State = HttpResponseReader::State;
using Failure = HttpResponseReader::Failure;

constexpr qsizetype kHead = 256;
constexpr qsizetype kBody = 1000;

// Feeds `raw` in pieces of random length, then ends the stream.
HttpResponseReader ReadInPieces(const QByteArray& raw, std::mt19937& random, bool endStream = true)
{
    HttpResponseReader reader(kHead, kBody);
    qsizetype at = 0;
    while (at < raw.size()) {
        const qsizetype piece = std::uniform_int_distribution<qsizetype>(1, 9)(random);
        reader.Feed(QByteArrayView(raw).sliced(at, std::min(piece, raw.size() - at)));
        at += piece;
    }
    if (endStream)
        reader.EndOfStream();
    return reader;
}

HttpResponseReader ReadWhole(const QByteArray& raw, bool endStream = true)
{
    HttpResponseReader reader(kHead, kBody);
    reader.Feed(raw);
    if (endStream)
        reader.EndOfStream();
    return reader;
}

QByteArray Chunked(const QByteArray& body, qsizetype chunk)
{
    QByteArray out;
    for (qsizetype at = 0; at < body.size(); at += chunk) {
        const QByteArray part = body.mid(at, chunk);
        out += QByteArray::number(part.size(), 16) + (at % 2 ? ";ext=1" : "") + "\r\n" + part + "\r\n";
    }
    return out + "0\r\nX-Trailer: t\r\n\r\n";
}

} // namespace

// The same body framed by length, in chunks and by the connection's end,
// fed in random pieces, reads back the same: the framings agree.
TEST(HttpResponseReaderTest, EveryFramingInAnyPiecesGivesTheSameBody)
{
    std::mt19937 random(15);
    for (int round = 0; round < 200; ++round) {
        QByteArray body;
        const int size = std::uniform_int_distribution<int>(0, kBody)(random);
        for (int i = 0; i < size; ++i)
            body += static_cast<char>(std::uniform_int_distribution<int>(0, 255)(random));
        const QByteArray head = "HTTP/1.1 200 OK\r\nServer: t\r\n";
        const QByteArray framings[] = {
            head + "Content-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body + "ignored",
            head + "Transfer-Encoding: chunked\r\n\r\n"
                + Chunked(body, std::uniform_int_distribution<int>(1, 300)(random)),
            "HTTP/1.0 200 OK\n\n" + body,
            "HTTP/1.1 100 Continue\r\n\r\n" + head + "\r\n" + body,
        };
        for (const QByteArray& raw : framings) {
            const HttpResponseReader reader = ReadInPieces(raw, random);
            ASSERT_EQ(reader.GetState(), State::Complete) << raw.left(80).constData();
            EXPECT_EQ(reader.Status(), 200);
            EXPECT_EQ(reader.Body(), body);
        }
    }
}

TEST(HttpResponseReaderTest, BoundsHoldToTheByte)
{
    const QByteArray status = "HTTP/1.1 200 OK\r\n";
    // Head: status line, header lines and the blank line, kHead bytes at most.
    const auto headOf = [&](qsizetype size) {
        const qsizetype filler = size - status.size() - QByteArray("X: \r\n\r\n").size();
        return status + "X: " + QByteArray(filler, 'h') + "\r\n\r\n";
    };
    EXPECT_EQ(ReadWhole(headOf(kHead)).GetState(), State::Complete);
    EXPECT_EQ(ReadWhole(headOf(kHead + 1)).GetFailure(), Failure::HeadTooLarge);
    EXPECT_EQ(ReadWhole(status + QByteArray(10 * kHead, 'h'), false).GetFailure(), Failure::HeadTooLarge)
        << "a line that never ends";

    const auto withLength = [&](qsizetype size) {
        return status + "Content-Length: " + QByteArray::number(size) + "\r\n\r\n" + QByteArray(size, 'b');
    };
    EXPECT_EQ(ReadWhole(withLength(kBody)).Body().size(), kBody);
    EXPECT_EQ(ReadWhole(withLength(kBody + 1), false).GetFailure(), Failure::BodyTooLarge)
        << "refused from the announced length";
    EXPECT_EQ(ReadWhole(status + "\r\n" + QByteArray(kBody, 'b')).Body().size(), kBody);
    EXPECT_EQ(ReadWhole(status + "\r\n" + QByteArray(kBody + 1, 'b'), false).GetFailure(), Failure::BodyTooLarge);
    const QByteArray chunkedHead = status + "Transfer-Encoding: chunked\r\n\r\n";
    EXPECT_EQ(ReadWhole(chunkedHead + Chunked(QByteArray(kBody, 'b'), 7)).Body().size(), kBody);
    EXPECT_EQ(ReadWhole(chunkedHead + Chunked(QByteArray(kBody + 1, 'b'), 7)).GetFailure(), Failure::BodyTooLarge);
    EXPECT_EQ(ReadWhole(chunkedHead + "fffffffffffffffffffffffff\r\n", false).GetFailure(), Failure::BodyTooLarge);
    EXPECT_EQ(ReadWhole(chunkedHead + "0\r\n" + QByteArray(kHead, 't'), false).GetFailure(), Failure::HeadTooLarge)
        << "trailers count as head";
    // Interim answers count as head too, so endless "100 Continue" ends.
    QByteArray interim;
    while (interim.size() <= kHead)
        interim += "HTTP/1.1 100 Continue\r\n\r\n";
    EXPECT_EQ(ReadWhole(interim, false).GetFailure(), Failure::HeadTooLarge);
}

TEST(HttpResponseReaderTest, WhatIsNotAWholeResponseFails)
{
    const QByteArray status = "HTTP/1.1 200 OK\r\n";
    const struct {
        QByteArray raw;
        Failure failure;
    } cases[] = {
        {"", Failure::Truncated},
        {"this is not HTTP at all\r\n\r\n", Failure::Malformed},
        {"HTTP/1.1 20 OK\r\n\r\n", Failure::Malformed},
        {"HTTP/1.1 2000 OK\r\n\r\n", Failure::Malformed},
        {"HTTP/2 200 OK\r\n\r\n", Failure::Malformed},
        {status + "no colon here\r\n\r\n", Failure::Malformed},
        {status + "Bad Name: x\r\n\r\n", Failure::Malformed},
        {status + "Content-Length: 5\r\nContent-Length: 6\r\n\r\n", Failure::Malformed},
        {status + "Content-Length: -5\r\n\r\n", Failure::Malformed},
        {status + "Content-Length: 10\r\n\r\nshort", Failure::Truncated},
        {status + "Transfer-Encoding: chunked\r\n\r\nzz\r\n", Failure::Malformed},
        {status + "Transfer-Encoding: chunked\r\n\r\n3\r\nabcX\r\n", Failure::Malformed},
        {status + "Transfer-Encoding: chunked\r\n\r\n3\r\nabc\r\n", Failure::Truncated},
        {status + "Server: t", Failure::Truncated},
    };
    for (const auto& [raw, failure] : cases) {
        const HttpResponseReader reader = ReadWhole(raw);
        EXPECT_EQ(reader.GetState(), State::Failed) << raw.constData();
        EXPECT_EQ(reader.GetFailure(), failure) << raw.constData();
        EXPECT_TRUE(reader.Body().isEmpty()) << "a partial body is never kept";
    }
}

TEST(HttpResponseReaderTest, HeadersAndAProxysAnswer)
{
    const HttpResponseReader redirect
        = ReadWhole("HTTP/1.1 302 Found\r\nlocation:  /moved \r\nX-Long: a\r\n  b\r\nContent-Length: 0\r\n\r\n", false);
    EXPECT_EQ(redirect.GetState(), State::Complete);
    EXPECT_EQ(redirect.Status(), 302);
    EXPECT_EQ(redirect.Header("Location"), "/moved");
    EXPECT_EQ(redirect.Header("x-long"), "a b");
    EXPECT_TRUE(redirect.Header("Absent").isNull());
    EXPECT_EQ(ReadWhole("HTTP/1.1 204 No Content\r\n\r\n", false).GetState(), State::Complete);

    // A proxy's answer to CONNECT ends with its head; what follows is the tunnel's.
    HttpResponseReader tunnel(kHead, 0, HttpResponseReader::Mode::HeadOnly);
    tunnel.Feed("HTTP/1.1 200 Connection established\r\nProxy-Agent: t\r\n");
    EXPECT_EQ(tunnel.GetState(), State::ReadingHead);
    tunnel.Feed("\r\n\x16\x03\x01");
    EXPECT_EQ(tunnel.GetState(), State::Complete);
    EXPECT_EQ(tunnel.Status(), 200);
    EXPECT_EQ(tunnel.Leftover(), "\x16\x03\x01");

    HttpResponseReader endless(kHead, 0, HttpResponseReader::Mode::HeadOnly);
    endless.Feed("HTTP/1.1 200 Connection established\r\n");
    for (int i = 0; i < 100 && endless.GetState() == State::ReadingHead; ++i)
        endless.Feed("X-Filler: aaaaaaaaaa\r\n");
    EXPECT_EQ(endless.GetFailure(), Failure::HeadTooLarge);
}
