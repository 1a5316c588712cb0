#pragma once
// Drives Debian's headless Chromium through chromedriver (W3C WebDriver on
// a loopback port), with a new empty profile and the browser's own network
// traffic switched off, for tests of a web page as a pupil meets it.
#include <QJsonValue>
#include <QNetworkAccessManager>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

class WebDriverSession {
public:
    WebDriverSession();
    ~WebDriverSession();

    // Empty when the session is up, else what went wrong.
    const QString& Error() const { return m_error; }

    void Open(const QString& filePath);
    // The element ids matching a CSS selector, in document order.
    QStringList Find(const QString& selector);
    void Type(const QString& element, const QString& text);
    void Click(const QString& element);
    QString TextOf(const QString& element);
    // Runs a script in the page; its return value.
    QJsonValue Execute(const QString& script);

private:
    QJsonValue Call(const QByteArray& method, const QString& path, const QJsonValue& body = {});

    QTemporaryDir m_profile;
    QProcess m_driver;
    QNetworkAccessManager m_network;
    QString m_base;
    QString m_session;
    QString m_error;
};
