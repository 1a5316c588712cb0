// tavisko-book: makes, checks and exports book databases (see BookTool).
#include "bookimport/BookTool.h"

#ifdef TV_HAVE_OFFICE
#include "automation/office/CalcSheetReader.h"
#include "automation/office/OfficeProcess.h"
#include "automation/office/OfficeSession.h"
#endif

#include <QCoreApplication>
#include <QTextStream>

#include <memory>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
#ifdef TV_HAVE_OFFICE
    // ODS and XLSX files are read by an office of the run's own, started
    // only when one is imported and ended with the run.
    std::unique_ptr<Office::CalcSheetReader> calc;
    std::shared_ptr<Office::OfficeSession> session;
    if (!Office::OfficeProcess::FindProgram().isEmpty()) {
        session = std::make_shared<Office::OfficeSession>(Office::CalcSheetReader::SessionOptions());
        calc = std::make_unique<Office::CalcSheetReader>(session);
    }
    const int status = BookTool(out, err, calc.get()).Run(app.arguments().mid(1));
    if (session)
        session->Release();
    return status;
#else
    return BookTool(out, err).Run(app.arguments().mid(1));
#endif
}
