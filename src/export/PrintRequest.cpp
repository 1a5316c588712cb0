#include "export/PrintRequest.h"

#include "print/Creator.h"
#include "print/Parser.h"
#include "quiz/Model.h"

#include <QFileInfo>

PrintRequest PrintRequest::FromModel(Model& model, const QString& templatePath, int type)
{
    PrintRequest request;
    request.creator = Print::Creator::Registered(model.Creators(), type != 0 ? type : model.Application());
    request.templatePath = templatePath;
    const PrintOptions options = model.ReadPrintOptions();
    request.title = options.title;
    request.rangeText = options.showRange ? model.RangeLine() : QString();
    // Whatever a book makes the parser run into (running out of memory
    // included) fails this run only: without a creator it ends as failed.
    try {
        Print::Parser().Parse(request.commands, model.Quizzes());
    } catch (const std::exception& error) {
        qWarning("The prints cannot be turned into a print run: %s", error.what());
        request.commands.clear();
        request.creator.reset();
    }
    request.record = RunRecord::FromModel(model, QFileInfo(templatePath).fileName(), QString());
    return request;
}
