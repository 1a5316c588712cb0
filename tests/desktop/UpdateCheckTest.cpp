#include "desktop/CUpdateNotifier.h"
#include "desktop/CVersionChecker.h"
#include "desktop/HttpModule.h"
#include "desktop/UpdateMenu.h"
#include "desktop/LoopbackHttpServer.h"
#include "desktop/LoopbackTunnelProxy.h"
#include "desktop/TestTlsIdentity.h"
#include "res/StringTable.h"
#include "support/RecordingMessageSink.h"
#include "support/ScopedEnv.h"

#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <optional>

using namespace std::chrono_literals;

namespace {

const QString kUpdateItem = QStringLiteral("最新版をご利用いただけます");
const QString kUpToDate = QStringLiteral("お使いの製品は最新版です。");
const QString kCheckFailed
    = QStringLiteral("最新版のチェック中にエラーが発生しました。\n時間を置いて再度ご確認ください。");
const QByteArray kDownload = "http://www.example.com/tavisko/download.html";

// The main window's menu bar as far as the update check sees it.
class FakeMenu : public UpdateMenu {
public:
    void AddUpdateItem(const QString& text) override
    {
        items << text;
        log << QStringLiteral("add");
    }
    void RemoveUpdateItem() override
    {
        items.clear();
        log << QStringLiteral("remove");
    }
    QStringList items;
    QStringList log;
};

// Counts the outcomes that reach the checker, so a test can wait for them
// even when a quiet check shows nothing.
class CountingChecker : public CVersionChecker {
public:
    using CVersionChecker::CVersionChecker;
    void OnComplete(const QByteArray& body) override
    {
        ++reports;
        CVersionChecker::OnComplete(body);
    }
    void OnError(const QString& message) override
    {
        ++reports;
        CVersionChecker::OnError(message);
    }
    int reports = 0;
};

class UpdateCheckTest : public testing::Test {
protected:
    UpdateCheckTest()
        : notifier([this](const QString& address) {
            opened << address;
            return true;
        })
    {
        // The checks use the system proxy settings; the loopback server is never behind one.
        const QByteArray noProxy = qgetenv("no_proxy");
        if (!noProxy.contains("127.0.0.1"))
            qputenv("no_proxy", noProxy.isEmpty() ? "127.0.0.1" : noProxy + ",127.0.0.1");
        notifier.SetOwner(&menu);
        MakeChecker({});
    }

    void MakeChecker(const HttpLimits& limits)
    {
        checker = std::make_unique<CountingChecker>(server.BaseAddress(), QStringLiteral("1.0.0"), limits);
    }

    // Runs one check in the given mode and waits for its outcome.
    void Check(bool quiet)
    {
        const int before = checker->reports;
        notifier.SetQuiet(quiet);
        checker->Start(&notifier);
        ASSERT_TRUE(QTest::qWaitFor([&] { return checker->reports > before; }, 10000));
    }

    QStringList Shown() const
    {
        QStringList texts;
        for (const MessageRequest& box : sink.Messages())
            texts << box.text;
        return texts;
    }

    LoopbackHttpServer server;
    RecordingMessageSink sink;
    FakeMenu menu;
    QStringList opened;
    CUpdateNotifier notifier;
    std::unique_ptr<CountingChecker> checker;
};

} // namespace

TEST_F(UpdateCheckTest, AsksTheSupportSiteAboutThisVersion)
{
    server.AnswerWith(LoopbackHttpServer::Response(200, ""));
    Check(true);
    ASSERT_EQ(server.RequestCount(), 1);
    const QByteArray head = server.RequestHead(0);
    EXPECT_TRUE(head.startsWith("GET /tavisko/latest_version.asp?p=tv&v=1.0.0 HTTP/1.1\r\n")) << head.constData();
    EXPECT_TRUE(head.contains("\r\nUser-Agent: WinHttpAsyncTest")) << head.constData();
}

TEST_F(UpdateCheckTest, ProgramAsksTheStringTableAddressWithItsOwnVersion)
{
    const CVersionChecker real;
    EXPECT_EQ(
        real.Address(), Res::String(502) + QStringLiteral("latest_version.asp?p=tv&v=") + QStringLiteral(TV_VERSION));
    EXPECT_TRUE(real.Address().startsWith(u"http")) << "the support address must be a web address";

    CountingChecker noVersion(server.BaseAddress(), QString());
    EXPECT_TRUE(noVersion.Address().isEmpty());
    notifier.SetQuiet(false);
    noVersion.Start(&notifier);
    QTest::qWait(50);
    EXPECT_EQ(server.RequestCount(), 0);
    EXPECT_EQ(noVersion.reports, 0);
    EXPECT_TRUE(sink.Messages().empty());
}

TEST_F(UpdateCheckTest, AddressAnswerAddsTheMenuCommandThatOpensIt)
{
    server.AnswerWith(LoopbackHttpServer::Response(200, "\r\n  " + kDownload + " \r\n"));
    Check(false);
    EXPECT_EQ(menu.items, QStringList{kUpdateItem});
    EXPECT_EQ(notifier.DownloadAddress(), QString::fromLatin1(kDownload));
    EXPECT_TRUE(sink.Messages().empty()) << "an available update is shown by the menu only";

    EXPECT_TRUE(notifier.OpenDownloadPage());
    EXPECT_EQ(opened, QStringList{QString::fromLatin1(kDownload)});

    // Checking again never puts the command in twice.
    Check(true);
    EXPECT_EQ(menu.items, QStringList{kUpdateItem});
}

TEST_F(UpdateCheckTest, BlankAnswerMeansUpToDate)
{
    server.AnswerWith(LoopbackHttpServer::Response(200, kDownload));
    Check(true);
    ASSERT_EQ(menu.items, QStringList{kUpdateItem});

    server.AnswerWith(LoopbackHttpServer::Response(200, " \r\n\t\n  "));
    Check(true);
    EXPECT_TRUE(menu.items.isEmpty()) << "the command is removed once the version is current";
    EXPECT_TRUE(notifier.DownloadAddress().isEmpty());
    EXPECT_TRUE(sink.Messages().empty()) << "a quiet check shows no box";

    Check(false);
    ASSERT_EQ(sink.Messages().size(), 1u);
    EXPECT_EQ(sink.Messages()[0].text, kUpToDate);
    EXPECT_EQ(sink.Messages()[0].icon, MessageIcon::Information);
    EXPECT_EQ(sink.Messages()[0].caption, QStringLiteral("テスト作成システム"));

    EXPECT_FALSE(notifier.OpenDownloadPage());
    EXPECT_TRUE(opened.isEmpty());
}

TEST_F(UpdateCheckTest, FailedChecksReportOnlyWhenNotQuietAndChangeNothing)
{
    server.AnswerWith(LoopbackHttpServer::Response(200, kDownload));
    Check(true);
    menu.log.clear();

    const QByteArray failures[] = {
        LoopbackHttpServer::Response(404, "http://www.example.com/notfound.html"),
        LoopbackHttpServer::Response(500, ""),
        LoopbackHttpServer::Response(200, "ftp://www.example.com/tavisko.tar"),
        LoopbackHttpServer::Response(200, "javascript:alert(1)"),
        LoopbackHttpServer::Response(200, "file:///etc/passwd"),
        LoopbackHttpServer::Response(200, "<html><body>Server busy</body></html>"),
        LoopbackHttpServer::Response(200, "http://"),
        LoopbackHttpServer::Response(200, "http://www.example.com/新版"),
        // The connection ends before the announced length: a partial body.
        "HTTP/1.1 200 OK\r\nContent-Length: 100\r\nConnection: close\r\n\r\nhttp://www.exam",
        "this is not HTTP at all\r\n\r\n",
        // Redirected to itself for ever.
        LoopbackHttpServer::Response(302, "", "Location: " + server.BaseAddress().toLatin1() + "again.asp\r\n"),
    };
    for (const QByteArray& failure : failures) {
        SCOPED_TRACE(failure.constData());
        server.AnswerWith(failure);
        sink.Clear();
        Check(true);
        EXPECT_TRUE(sink.Messages().empty());
        Check(false);
        ASSERT_EQ(sink.Messages().size(), 1u);
        EXPECT_EQ(sink.Messages()[0].text, kCheckFailed);
        EXPECT_EQ(sink.Messages()[0].icon, MessageIcon::Error);
        EXPECT_TRUE(menu.log.isEmpty()) << "a failure leaves the menu alone";
        EXPECT_EQ(notifier.DownloadAddress(), QString::fromLatin1(kDownload));
    }
}

TEST_F(UpdateCheckTest, BodyIsBoundedInLength)
{
    const int limit = 64 * 1024;
    QByteArray longest = "http://www.example.com/?";
    longest += QByteArray(limit - longest.size(), 'a');
    server.AnswerWith(LoopbackHttpServer::Response(200, longest));
    Check(false);
    EXPECT_EQ(menu.items, QStringList{kUpdateItem}) << "a body of exactly the limit is read";
    EXPECT_EQ(notifier.DownloadAddress().size(), limit);

    const QByteArray tooLong = longest + "a";
    server.AnswerWith(LoopbackHttpServer::Response(200, tooLong));
    Check(false);
    // Without a length header the body is cut off as it streams in.
    server.AnswerWith("HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n\r\n" + tooLong + QByteArray(limit, 'b'));
    Check(false);
    EXPECT_EQ(Shown(), QStringList({kCheckFailed, kCheckFailed}));
    EXPECT_EQ(notifier.DownloadAddress().size(), limit);
}

TEST_F(UpdateCheckTest, ServerThatNeverAnswersTimesOut)
{
    MakeChecker(HttpLimits{200ms, 64 * 1024});
    server.Hold();
    Check(true);
    EXPECT_TRUE(sink.Messages().empty());
    Check(false);
    EXPECT_EQ(Shown(), QStringList{kCheckFailed});
    EXPECT_TRUE(menu.log.isEmpty());

    // An answer that arrives after the check gave up changes nothing.
    server.AnswerHeld(1, LoopbackHttpServer::Response(200, kDownload));
    QTest::qWait(50);
    EXPECT_TRUE(menu.items.isEmpty());
    EXPECT_EQ(checker->reports, 2);
}

TEST_F(UpdateCheckTest, RedirectIsFollowed)
{
    server.AnswerWith(
        LoopbackHttpServer::Response(302, "", "Location: " + server.BaseAddress().toLatin1() + "moved.asp\r\n"));
    // The redirected request is answered by whatever is prepared then: hold
    // it, and answer it with the address once it has arrived.
    notifier.SetQuiet(false);
    checker->Start(&notifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return server.RequestCount() == 1; }, 10000));
    server.Hold();
    ASSERT_TRUE(QTest::qWaitFor([&] { return server.RequestCount() == 2; }, 10000));
    EXPECT_TRUE(server.RequestHead(1).startsWith("GET /tavisko/moved.asp "));
    server.AnswerHeld(0, LoopbackHttpServer::Response(200, kDownload));
    ASSERT_TRUE(QTest::qWaitFor([&] { return checker->reports == 1; }, 10000));
    EXPECT_EQ(menu.items, QStringList{kUpdateItem});
    EXPECT_TRUE(sink.Messages().empty());
}

TEST_F(UpdateCheckTest, OverlappingChecksEachReportAndTheLastAnswerWins)
{
    server.Hold();
    notifier.SetQuiet(true);
    checker->Start(&notifier); // the quiet check at start-up
    notifier.SetQuiet(false);
    checker->Start(&notifier); // the user asks while it still runs
    ASSERT_TRUE(QTest::qWaitFor([&] { return server.RequestCount() == 2; }, 10000));

    server.AnswerHeld(1, LoopbackHttpServer::Response(200, ""));
    ASSERT_TRUE(QTest::qWaitFor([&] { return checker->reports == 1; }, 10000));
    EXPECT_TRUE(menu.items.isEmpty());

    server.AnswerHeld(0, LoopbackHttpServer::Response(200, kDownload));
    ASSERT_TRUE(QTest::qWaitFor([&] { return checker->reports == 2; }, 10000));
    EXPECT_EQ(menu.items, QStringList{kUpdateItem});
    EXPECT_EQ(notifier.DownloadAddress(), QString::fromLatin1(kDownload));
    EXPECT_EQ(Shown(), QStringList{kUpToDate});
}

TEST_F(UpdateCheckTest, BadBaseAddressFailsWithoutAsking)
{
    for (const QString& base : {QStringLiteral("support.example.com/"), QStringLiteral("file:///tmp/"),
             QStringLiteral("http:///tavisko/"), QString()}) {
        SCOPED_TRACE(base.toStdString());
        sink.Clear();
        CountingChecker bad(base, QStringLiteral("1.0.0"));
        notifier.SetQuiet(false);
        bad.Start(&notifier);
        EXPECT_EQ(bad.reports, 0) << "reports come from the event loop, not from Start";
        ASSERT_TRUE(QTest::qWaitFor([&] { return bad.reports == 1; }, 10000));
        EXPECT_EQ(Shown(), QStringList{kCheckFailed});
    }
    EXPECT_EQ(server.RequestCount(), 0);
}

TEST_F(UpdateCheckTest, CheckerGoneBeforeTheAnswerCancelsTheCheck)
{
    server.Hold();
    notifier.SetQuiet(false);
    checker->Start(&notifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return server.RequestCount() == 1; }, 10000));
    checker.reset();
    server.AnswerHeld(0, LoopbackHttpServer::Response(200, kDownload));
    QTest::qWait(50);
    EXPECT_TRUE(menu.items.isEmpty());
    EXPECT_TRUE(sink.Messages().empty());
}

TEST_F(UpdateCheckTest, NotifierWithoutMenuStillKeepsTheAddress)
{
    notifier.SetOwner(nullptr);
    notifier.SetQuiet(false);
    notifier.SetResult(QStringLiteral(" https://www.example.com/get "));
    EXPECT_EQ(notifier.DownloadAddress(), QStringLiteral("https://www.example.com/get"));
    EXPECT_TRUE(sink.Messages().empty());
    notifier.SetResult(QString());
    EXPECT_EQ(Shown(), QStringList{kUpToDate});
}

TEST(UpdateAnswerTest, OnlyWebAddressesAreDownloadAddresses)
{
    EXPECT_EQ(CVersionChecker::DownloadAddressIn(""), QString());
    EXPECT_EQ(CVersionChecker::DownloadAddressIn(" \r\n\t "), QString());
    EXPECT_EQ(CVersionChecker::DownloadAddressIn(" HTTPS://Example.com/a?b=c#d\n"),
        QStringLiteral("HTTPS://Example.com/a?b=c#d"));
    EXPECT_EQ(CVersionChecker::DownloadAddressIn("http://127.0.0.1:8080/x"), QStringLiteral("http://127.0.0.1:8080/x"));
    for (const QByteArray& bad :
        {QByteArray("www.example.com/download"), QByteArray("mailto:a@example.com"), QByteArray("http://exa mple.com/"),
            QByteArray("http://example.com/\x01"), QByteArray("http://\xe6\x96\xb0.example.com/"),
            QByteArray("-http://example.com/"), QByteArray("http://[::1/")}) {
        EXPECT_FALSE(CVersionChecker::DownloadAddressIn(bad)) << bad.constData();
    }
}

TEST_F(UpdateCheckTest, GoesThroughTheProxyOfTheSystemSettings)
{
    const QByteArray saved = qgetenv("http_proxy");
    const auto restore = qScopeGuard([&] {
        if (saved.isNull())
            qunsetenv("http_proxy");
        else
            qputenv("http_proxy", saved);
    });
    // The loopback server plays the proxy: it sees the whole address.
    const QUrl proxy(server.BaseAddress());
    qputenv("http_proxy", QStringLiteral("http://127.0.0.1:%1").arg(proxy.port()).toLatin1());
    checker
        = std::make_unique<CountingChecker>(QStringLiteral("http://update.invalid/tavisko/"), QStringLiteral("1.0.0"));
    server.AnswerWith(LoopbackHttpServer::Response(200, kDownload));
    Check(false);

    ASSERT_EQ(server.RequestCount(), 1);
    EXPECT_TRUE(server.RequestHead(0).startsWith(
        "GET http://update.invalid/tavisko/latest_version.asp?p=tv&v=1.0.0 HTTP/1.1\r\n"))
        << server.RequestHead(0).constData();
    EXPECT_EQ(menu.items, QStringList{kUpdateItem});
}

// A proxy or server whose answer never ends is given up on once the answer
// passes its bound, long before the check's time runs out, and the client
// closes the connection having taken in a bounded amount.
TEST_F(UpdateCheckTest, EndlessAnswersAreCutOffBySize)
{
    MakeChecker(HttpLimits{std::chrono::minutes(10)}); // only the size bound can end these checks
    const QByteArray headerLine = "X-Filler: " + QByteArray(100, 'a') + "\r\n";
    const QByteArray proxy = "http://127.0.0.1:" + QByteArray::number(QUrl(server.BaseAddress()).port());
    struct Hostile {
        const char* what;
        const char* proxyVariable; // nullptr: no proxy
        QString base;
        QByteArray start;
        QByteArray filler;
        QByteArray request;
    };
    const Hostile cases[] = {
        {"https through a proxy whose CONNECT answer has endless headers", "https_proxy",
            QStringLiteral("https://update.invalid/tavisko/"), "HTTP/1.1 200 Connection established\r\n", headerLine,
            "CONNECT update.invalid:443 HTTP/1.1\r\n"},
        {"http through a proxy whose answer has endless headers", "http_proxy",
            QStringLiteral("http://update.invalid/tavisko/"), "HTTP/1.1 200 OK\r\n", headerLine,
            "GET http://update.invalid/tavisko/latest_version.asp?p=tv&v=1.0.0 HTTP/1.1\r\n"},
        {"server with endless headers", nullptr, server.BaseAddress(), "HTTP/1.1 200 OK\r\n", headerLine,
            "GET /tavisko/"},
        {"server with an endless status line", nullptr, server.BaseAddress(), "HTTP/1.1 200 ", QByteArray(100, 'a'),
            "GET /tavisko/"},
        {"server with an endless chunked body", nullptr, server.BaseAddress(),
            "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n", "1\r\na\r\n", "GET /tavisko/"},
    };
    for (const Hostile& hostile : cases) {
        SCOPED_TRACE(hostile.what);
        std::optional<ScopedEnv> proxyVariable;
        if (hostile.proxyVariable)
            proxyVariable.emplace(hostile.proxyVariable, proxy);
        checker = std::make_unique<CountingChecker>(
            hostile.base, QStringLiteral("1.0.0"), HttpLimits{std::chrono::minutes(10)});
        const int requestsBefore = server.RequestCount();
        const qint64 sentBefore = server.EndlessBytesSent();
        server.AnswerEndlessly(hostile.start, hostile.filler);
        sink.Clear();
        Check(false);
        EXPECT_EQ(Shown(), QStringList{kCheckFailed});
        ASSERT_EQ(server.RequestCount(), requestsBefore + 1);
        EXPECT_TRUE(server.RequestHead(requestsBefore).startsWith(hostile.request))
            << server.RequestHead(requestsBefore).constData();
        ASSERT_TRUE(QTest::qWaitFor([&] { return server.EndlessAnswersOpen() == 0; }, 10000))
            << "the client closes the connection";
        const qint64 sent = server.EndlessBytesSent() - sentBefore;
        // What the connection carried: the bounded part read, plus what the
        // two ends' socket buffers took in meanwhile.
        EXPECT_LT(sent, 16 * 1024 * 1024);
        std::printf("%s: %lld bytes sent before the client closed\n", hostile.what, static_cast<long long>(sent));
    }
}

// The support site has an https address: the check speaks TLS straight to
// the server and through an HTTP proxy's tunnel, and takes the server only
// with a certificate trusted for the server's name (the tests' own
// authority, given in place of the system's).
TEST_F(UpdateCheckTest, HttpsStraightAndThroughAProxyTunnel)
{
    LoopbackHttpServer tlsServer(TestTlsIdentity::Certificate(), TestTlsIdentity::Key());
    tlsServer.AnswerWith(LoopbackHttpServer::Response(200, kDownload));
    const auto httpsChecker = [&](const QString& host, bool trusting) {
        HttpLimits limits;
        if (trusting)
            limits.trustedCaFile = TestTlsIdentity::CertificateFile();
        return std::make_unique<CountingChecker>(
            QStringLiteral("https://%1:%2/tavisko/").arg(host).arg(tlsServer.Port()), QStringLiteral("1.0.0"), limits);
    };
    checker = httpsChecker(QStringLiteral("localhost"), false);
    Check(false);
    EXPECT_EQ(Shown(), QStringList{kCheckFailed}) << "a certificate nobody vouches for is refused";
    EXPECT_EQ(tlsServer.RequestCount(), 0);

    checker = httpsChecker(QStringLiteral("localhost"), true);
    sink.Clear();
    Check(false);
    EXPECT_EQ(menu.items, QStringList{kUpdateItem});
    ASSERT_EQ(tlsServer.RequestCount(), 1);
    EXPECT_TRUE(tlsServer.RequestHead(0).startsWith("GET /tavisko/latest_version.asp?p=tv&v=1.0.0 HTTP/1.1\r\n"))
        << tlsServer.RequestHead(0).constData();

    // The certificate names localhost, not 127.0.0.1: the name is checked.
    checker = httpsChecker(QStringLiteral("127.0.0.1"), true);
    Check(false);
    EXPECT_EQ(Shown(), QStringList{kCheckFailed});
    EXPECT_EQ(tlsServer.RequestCount(), 1);

    // The proxy, at 127.0.0.1, is not what the certificate names: the
    // server's name is what the TLS session is checked against.
    LoopbackTunnelProxy proxy;
    const ScopedEnv proxySetting("https_proxy", proxy.Address());
    const ScopedEnv noProxy("no_proxy", "127.0.0.1");
    checker = httpsChecker(QStringLiteral("update.invalid"), true);
    tlsServer.AnswerWith(LoopbackHttpServer::Response(200, " \r\n"));
    sink.Clear();
    Check(false);
    ASSERT_EQ(proxy.RequestHeads().size(), 1);
    EXPECT_TRUE(proxy.RequestHeads()[0].startsWith(
        "CONNECT update.invalid:" + QByteArray::number(tlsServer.Port()) + " HTTP/1.1\r\n"))
        << proxy.RequestHeads()[0].constData();
    ASSERT_EQ(tlsServer.RequestCount(), 2);
    EXPECT_TRUE(
        tlsServer.RequestHead(1).contains("\r\nHost: update.invalid:" + QByteArray::number(tlsServer.Port()) + "\r\n"));
    EXPECT_TRUE(menu.items.isEmpty());
    EXPECT_EQ(Shown(), QStringList{kUpToDate});

    // A redirect from https to plain http is not followed.
    tlsServer.AnswerWith(
        LoopbackHttpServer::Response(302, "", "Location: " + server.BaseAddress().toLatin1() + "\r\n"));
    server.AnswerWith(LoopbackHttpServer::Response(200, kDownload));
    sink.Clear();
    Check(false);
    EXPECT_EQ(Shown(), QStringList{kCheckFailed});
    EXPECT_EQ(server.RequestCount(), 0);
}

// A school's proxy that asks for Digest authentication: the check answers
// the challenge with the user and password of the proxy setting and goes
// through; with a wrong password it fails like any failed check.
TEST_F(UpdateCheckTest, ThroughAProxyAskingForDigestAuthentication)
{
    LoopbackHttpServer tlsServer(TestTlsIdentity::Certificate(), TestTlsIdentity::Key());
    tlsServer.AnswerWith(LoopbackHttpServer::Response(200, kDownload));
    LoopbackTunnelProxy proxy;
    proxy.RequireDigest("teacher", "s3cret:pass");
    const ScopedEnv noProxy("no_proxy", "127.0.0.1");
    HttpLimits limits;
    limits.trustedCaFile = TestTlsIdentity::CertificateFile();
    const QString base = QStringLiteral("https://update.invalid:%1/tavisko/").arg(tlsServer.Port());
    const QByteArray port = proxy.Address().mid(proxy.Address().lastIndexOf(':') + 1);

    const auto checkWith = [&](const QByteArray& password) {
        const ScopedEnv proxySetting("https_proxy", "http://teacher:" + password + "@127.0.0.1:" + port);
        checker = std::make_unique<CountingChecker>(base, QStringLiteral("1.0.0"), limits);
        sink.Clear();
        Check(false);
    };
    checkWith("wrong");
    EXPECT_EQ(Shown(), QStringList{kCheckFailed});
    EXPECT_EQ(proxy.AuthenticatedTunnels(), 0);
    EXPECT_EQ(tlsServer.RequestCount(), 0);
    ASSERT_FALSE(proxy.RequestHeads().isEmpty());
    EXPECT_FALSE(proxy.RequestHeads()[0].contains("Proxy-Authorization")) << "asked first without a password";

    checkWith("s3cret%3Apass"); // the password's colon, escaped in the setting
    EXPECT_TRUE(sink.Messages().empty());
    EXPECT_EQ(proxy.AuthenticatedTunnels(), 1);
    EXPECT_TRUE(proxy.RequestHeads().last().contains("Proxy-Authorization: Digest username=\"teacher\""))
        << proxy.RequestHeads().last().constData();
    EXPECT_EQ(tlsServer.RequestCount(), 1);
    EXPECT_EQ(menu.items, QStringList{kUpdateItem});
}

// A SOCKS5 proxy of the system settings carries the check, and what comes
// back through it is bounded like any answer.
TEST_F(UpdateCheckTest, ThroughASocks5Proxy)
{
    LoopbackHttpServer socks;
    socks.ActAsSocks5Proxy();
    const ScopedEnv proxySetting("http_proxy", "socks5://127.0.0.1:" + QByteArray::number(socks.Port()));
    checker = std::make_unique<CountingChecker>(QStringLiteral("http://update.invalid/tavisko/"),
        QStringLiteral("1.0.0"), HttpLimits{std::chrono::minutes(10)});
    socks.AnswerWith(LoopbackHttpServer::Response(200, kDownload));
    Check(false);
    EXPECT_EQ(menu.items, QStringList{kUpdateItem});
    ASSERT_EQ(socks.RequestCount(), 2);
    EXPECT_EQ(socks.RequestHead(0), "SOCKS5 CONNECT update.invalid:80");
    EXPECT_TRUE(socks.RequestHead(1).startsWith("GET /tavisko/latest_version.asp?p=tv&v=1.0.0 HTTP/1.1\r\n"));

    socks.AnswerEndlessly("HTTP/1.1 200 OK\r\n", "X-Filler: " + QByteArray(100, 'a') + "\r\n");
    Check(false);
    EXPECT_EQ(Shown(), QStringList{kCheckFailed});
    ASSERT_TRUE(QTest::qWaitFor([&] { return socks.EndlessAnswersOpen() == 0; }, 10000));
    EXPECT_LT(socks.EndlessBytesSent(), 16 * 1024 * 1024);
    std::printf("through SOCKS5, endless headers: %lld bytes sent before the client closed\n",
        static_cast<long long>(socks.EndlessBytesSent()));
}

// The networking is loaded at the first check: without its module the
// check fails as any other failed check does, later from the event loop,
// and nothing is sent.
TEST_F(UpdateCheckTest, WithoutTheNetworkModuleTheCheckFailsLikeAnyOther)
{
    class Recorder : public CHttpHandler {
    public:
        void OnComplete(const QByteArray&) override { ++completed; }
        void OnError(const QString&) override { ++failed; }
        int completed = 0;
        int failed = 0;
    } recorder;
    QTemporaryDir empty;
    HttpModule missing(empty.path());
    QObject requests;
    missing.Get(&recorder, {}, &requests, server.BaseAddress());
    EXPECT_EQ(recorder.failed, 0) << "reported from within Get";
    EXPECT_FALSE(missing.Error().isEmpty());
    ASSERT_TRUE(QTest::qWaitFor([&] { return recorder.failed == 1; }, 5000));
    EXPECT_EQ(recorder.completed, 0);
    EXPECT_EQ(server.RequestCount(), 0);

    // The program's own module is beside the tests and answers.
    server.AnswerWith(LoopbackHttpServer::Response(200, ""));
    Check(true);
    EXPECT_EQ(server.RequestCount(), 1);
    EXPECT_TRUE(HttpModule::Shared().Error().isEmpty()) << HttpModule::Shared().Error().toStdString();
}
