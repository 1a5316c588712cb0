#pragma once

#include <QString>

#include <exception>

namespace Automation {

// A failed call into a word processor's object model: the failure code
// (an HRESULT-like 32-bit value) and the identifier of the interface on
// which the call failed. Raised by every object of the automation layer;
// the print creators catch it at the top of a run.
class AutomationError : public std::exception {
public:
    // What made a document unusable, where the failing call knows it: a
    // print run tells the teacher why a template cannot be used.
    enum class DocumentFault {
        None,
        Unreadable,            // the file is missing or may not be read
        NotATextDocument,      // the word processor cannot open it as a text document
        BeginsWithTable,       // no place of the text lies before its first table
        MissingParagraphStyle, // a paragraph style asked for is not defined (subject: its name)
    };

    // Failure codes used by the automation objects.
    static constexpr int Fail = static_cast<int>(0x80004005u);               // unspecified failure
    static constexpr int NotImplemented = static_cast<int>(0x80004001u);     // member not supported
    static constexpr int NoInterface = static_cast<int>(0x80004002u);        // object has no such interface
    static constexpr int InvalidArgument = static_cast<int>(0x80070057u);    // bad argument value
    static constexpr int ClassNotRegistered = static_cast<int>(0x80040154u); // unknown programmatic identifier
    static constexpr int ServerExecFailure = static_cast<int>(0x80080005u);  // the application did not start
    static constexpr int Disconnected = static_cast<int>(0x80010108u);       // the application has gone away

    AutomationError(int code, QString interfaceId, QString description = {});

    int Code() const { return m_code; }
    const QString& InterfaceId() const { return m_interfaceId; }
    const QString& Description() const { return m_description; }

    // The same error, saying what was wrong with the document (a file
    // path or a style name as `subject`).
    AutomationError& WithFault(DocumentFault fault, QString subject = {});
    DocumentFault Fault() const { return m_fault; }
    const QString& FaultSubject() const { return m_faultSubject; }

    // "Automation error 0x80004005 on {…}: description"
    QString Message() const;
    const char* what() const noexcept override;

private:
    int m_code;
    QString m_interfaceId;
    QString m_description;
    DocumentFault m_fault = DocumentFault::None;
    QString m_faultSubject;
    QByteArray m_what;
};

} // namespace Automation
