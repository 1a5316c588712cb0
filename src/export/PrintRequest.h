#pragma once

#include "history/RunRecord.h"
#include "markup/Cmd.h"
#include "print/RunObserver.h"

#include <QString>

#include <memory>

class Model;

namespace Print {
class Creator;
}

// Everything one print run needs, taken from the model at the moment the
// run starts: the creator of the word processor, the commands of every
// print, the template, the title and range line, and where the document
// goes. The run then needs nothing more from the model, which the teacher
// may go on changing.
struct PrintRequest {
    std::shared_ptr<Print::Creator> creator;
    Print::CmdList commands;
    QString templatePath;
    QString title;
    QString rangeText;
    Print::RunDestination destination;
    // What the history keeps of the run once it has finished well.
    RunRecord record;

    // The prints of `model` with the template of application `type`
    // (1 Word, 2 Ichitaro; 0: the model's current one). The creator is
    // null when none is registered for the type or the prints could not be
    // turned into commands; a run of such a request fails.
    static PrintRequest FromModel(Model& model, const QString& templatePath, int type = 0);
};
