#pragma once

#include <QSslCertificate>
#include <QSslKey>
#include <QString>

// A self-signed certificate made for these tests, for the names
// "update.invalid" and "localhost" (not for 127.0.0.1), and its key.
namespace TestTlsIdentity {

QSslCertificate Certificate();
QSslKey Key();
// The certificate as a PEM file, for a client to trust (made once).
QString CertificateFile();

} // namespace TestTlsIdentity
