#include "export/PrintRequest.h"

#include "print/Parser.h"
#include "quiz/Model.h"

PrintRequest PrintRequest::FromModel(Model& model, const QString& templatePath, int type)
{
    PrintRequest request;
    request.creator = model.Creators().Find(type != 0 ? type : model.Application());
    request.templatePath = templatePath;
    const PrintOptions options = model.ReadPrintOptions();
    request.title = options.title;
    request.rangeText = options.showRange ? model.RangeLine() : QString();
    Print::Parser().Parse(request.commands, model.Quizzes());
    return request;
}
