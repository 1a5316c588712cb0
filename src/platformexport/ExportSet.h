#pragma once

#include "platformexport/ExportPrint.h"

#include <QString>
#include <QStringList>

#include <vector>

class Model;

// The prints to export, taken from the model at once so that writing them
// needs nothing more from it: the book's title and every print with every
// sub-question in the order the print run writes them.
struct ExportSet {
    QString bookTitle;
    std::vector<ExportPrint> prints;

    // The prints of `model`. A print is named by its entry in `classNames`
    // (same order as the prints) when that is not empty, else "プリントN",
    // N its position from 1. Prints without sub-questions are kept, empty.
    static ExportSet FromModel(const Model& model, const QStringList& classNames = {});

    // "プリントN" for the print at `index` (from 0), or the class name.
    static QString PrintName(int index, const QString& className = {});

    int ItemCount() const;
};
