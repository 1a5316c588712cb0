#pragma once

#include "platformexport/ExportBytes.h"

#include <QByteArray>
#include <QString>

struct ExportSet;

// The prints as an IMS QTI 2.1 content package (a zip): per sub-question an
// assessmentItem ("items/item-P-N.xml") with a textEntryInteraction whose
// accepted responses are the forms AnswerNormalizer accepts, each worth
// one point; per print an assessmentTest ("tests/test-P.xml") with a
// section per question format that carries its instruction; the manifest
// "imsmanifest.xml" lists them all, each test depending on its items; and
// a small style sheet for underlined words, which QTI's HTML lacks.
class QtiPackageWriter {
public:
    static constexpr const char* ItemNamespace = "http://www.imsglobal.org/xsd/imsqti_v2p1";
    static constexpr const char* ManifestNamespace = "http://www.imsglobal.org/xsd/imscp_v1p1";

    // The package; empty, with the reason in `error`, when it cannot be made.
    static ExportBytes Write(const ExportSet& set, QString* error);
};
