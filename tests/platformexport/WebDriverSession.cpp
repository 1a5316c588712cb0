#include "WebDriverSession.h"

#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkReply>
#include <QStandardPaths>
#include <QTcpServer>
#include <QThread>
#include <QTimer>
#include <QUrl>

namespace {

const QString ElementKey = QStringLiteral("element-6066-11e4-a52e-4f735466cecf");

quint16 FreePort()
{
    QTcpServer server;
    server.listen(QHostAddress::LocalHost, 0);
    return server.serverPort();
}

} // namespace

WebDriverSession::WebDriverSession()
{
    const QString driver = QStandardPaths::findExecutable(QStringLiteral("chromedriver"));
    const QString browser = QStandardPaths::findExecutable(QStringLiteral("chromium"));
    if (driver.isEmpty() || browser.isEmpty()) {
        m_error = QStringLiteral("chromium and chromedriver are needed (scripts/install-deps.sh installs them)");
        return;
    }
    const quint16 port = FreePort();
    m_base = QStringLiteral("http://127.0.0.1:%1").arg(port);
    m_driver.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_driver.start(driver, {QStringLiteral("--port=%1").arg(port)});
    if (!m_driver.waitForStarted()) {
        m_error = m_driver.errorString();
        return;
    }
    for (int i = 0; i < 100; ++i) {
        const QJsonValue status = Call("GET", QStringLiteral("/status"));
        if (status[QStringLiteral("ready")].toBool())
            break;
        QThread::msleep(100);
    }
    const QJsonArray args = {QStringLiteral("--headless"), QStringLiteral("--no-sandbox"),
        QStringLiteral("--disable-gpu"), QStringLiteral("--disable-quic"), QStringLiteral("--no-first-run"),
        QStringLiteral("--disable-background-networking"), QStringLiteral("--disable-component-update"),
        QStringLiteral("--disable-sync"), QStringLiteral("--user-data-dir=") + m_profile.path()};
    const QJsonObject options{{QStringLiteral("binary"), browser}, {QStringLiteral("args"), args}};
    const QJsonObject capabilities{{QStringLiteral("alwaysMatch"),
        QJsonObject{{QStringLiteral("browserName"), QStringLiteral("chrome")},
            {QStringLiteral("goog:chromeOptions"), options}}}};
    m_error.clear();
    const QJsonValue session
        = Call("POST", QStringLiteral("/session"), QJsonObject{{QStringLiteral("capabilities"), capabilities}});
    m_session = session[QStringLiteral("sessionId")].toString();
    if (m_session.isEmpty() && m_error.isEmpty())
        m_error = QStringLiteral("no session");
}

WebDriverSession::~WebDriverSession()
{
    if (!m_session.isEmpty())
        Call("DELETE", QStringLiteral("/session/") + m_session);
    if (m_driver.state() != QProcess::NotRunning) {
        m_driver.terminate();
        if (!m_driver.waitForFinished(5000))
            m_driver.kill();
        m_driver.waitForFinished();
    }
}

void WebDriverSession::Open(const QString& filePath)
{
    Call("POST", QStringLiteral("/session/%1/url").arg(m_session),
        QJsonObject{{QStringLiteral("url"), QUrl::fromLocalFile(filePath).toString()}});
}

QStringList WebDriverSession::Find(const QString& selector)
{
    const QJsonValue found = Call("POST", QStringLiteral("/session/%1/elements").arg(m_session),
        QJsonObject{{QStringLiteral("using"), QStringLiteral("css selector")}, {QStringLiteral("value"), selector}});
    QStringList ids;
    for (const QJsonValue element : found.toArray())
        ids << element[ElementKey].toString();
    return ids;
}

void WebDriverSession::Type(const QString& element, const QString& text)
{
    Call("POST", QStringLiteral("/session/%1/element/%2/value").arg(m_session, element),
        QJsonObject{{QStringLiteral("text"), text}});
}

void WebDriverSession::Click(const QString& element)
{
    Call("POST", QStringLiteral("/session/%1/element/%2/click").arg(m_session, element), QJsonObject{});
}

QString WebDriverSession::TextOf(const QString& element)
{
    return Call("GET", QStringLiteral("/session/%1/element/%2/text").arg(m_session, element)).toString();
}

QJsonValue WebDriverSession::Execute(const QString& script)
{
    return Call("POST", QStringLiteral("/session/%1/execute/sync").arg(m_session),
        QJsonObject{{QStringLiteral("script"), script}, {QStringLiteral("args"), QJsonArray()}});
}

// One WebDriver command; its "value". A failed command leaves its message
// in Error().
QJsonValue WebDriverSession::Call(const QByteArray& method, const QString& path, const QJsonValue& body)
{
    QNetworkRequest request(QUrl(m_base + path));
    request.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("application/json"));
    const QByteArray payload
        = body.isUndefined() || body.isNull() ? QByteArray() : QJsonDocument(body.toObject()).toJson();
    QNetworkReply* reply = m_network.sendCustomRequest(request, method, payload);
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    loop.exec();
    const QJsonValue value = QJsonDocument::fromJson(reply->readAll()).object().value(QStringLiteral("value"));
    if (reply->error() != QNetworkReply::NoError && m_error.isEmpty() && path != QLatin1String("/status"))
        m_error = reply->errorString() + QLatin1Char(' ') + value[QStringLiteral("message")].toString();
    reply->deleteLater();
    return value;
}
