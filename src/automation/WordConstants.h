#pragma once

// Values of Word's enumerations that the Word object model here accepts
// and returns (names as in Word's type library).
namespace Word {

enum WdWindowState { wdWindowStateNormal = 0, wdWindowStateMaximize = 1, wdWindowStateMinimize = 2 };

enum WdAlertLevel { wdAlertsNone = 0, wdAlertsMessageBox = -2, wdAlertsAll = -1 };

enum WdSaveOptions { wdDoNotSaveChanges = 0, wdSaveChanges = -1, wdPromptToSaveChanges = -2 };

enum WdBreakType { wdSectionBreakNextPage = 2, wdLineBreak = 6, wdPageBreak = 7 };

enum WdUnits { wdCharacter = 1, wdWord = 2, wdParagraph = 4, wdLine = 5, wdStory = 6 };

enum WdMovementType { wdMove = 0, wdExtend = 1 };

enum WdFindWrap { wdFindStop = 0, wdFindContinue = 1, wdFindAsk = 2 };

enum WdReplace { wdReplaceNone = 0, wdReplaceOne = 1, wdReplaceAll = 2 };

enum WdTextOrientation {
    wdTextOrientationHorizontal = 0,
    wdTextOrientationVerticalFarEast = 1,
    wdTextOrientationUpward = 2,
    wdTextOrientationDownward = 3,
    wdTextOrientationHorizontalRotatedFarEast = 4,
    wdTextOrientationVertical = 5,
};

enum WdUnderline {
    wdUnderlineNone = 0,
    wdUnderlineSingle = 1,
    wdUnderlineDouble = 3,
    wdUnderlineDotted = 4,
    wdUnderlineThick = 6
};

// The file formats Document.SaveAs2 writes.
enum WdSaveFormat {
    wdFormatDocument97 = 0,
    wdFormatXMLDocument = 12,
    wdFormatPDF = 17,
    wdFormatOpenDocumentText = 23,
};

enum WdHorizontalInVerticalType {
    wdHorizontalInVerticalNone = 0,
    wdHorizontalInVerticalFitInLine = 1,
    wdHorizontalInVerticalResizeLine = 2,
};

} // namespace Word
