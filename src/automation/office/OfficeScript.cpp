#include "automation/office/OfficeScript.h"

#include "automation/office/OfficeSession.h"

#include <com/sun/star/container/XNameContainer.hpp>
#include <com/sun/star/lang/XMultiComponentFactory.hpp>
#include <com/sun/star/script/XLibraryContainer.hpp>
#include <com/sun/star/script/provider/XScriptProvider.hpp>
#include <com/sun/star/script/provider/XScriptProviderFactory.hpp>
#include <com/sun/star/uno/RuntimeException.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>

#include <QtDebug>

using namespace css;
using rtl::OUString;

namespace Office {
namespace {

const OUString kLibrary("TaviskoOffice");

// The modules' texts. A sub takes what its walk needs at once, so that the
// walk itself makes no round trip to this program. The subs call no sub of
// their own: a Basic call made from outside the office's main thread waits
// for that thread each time.
const OUString kWalks = OUString::createFromAscii(
    "Option Explicit\n"
    "\n"
    "' Each routine gives back an empty text, or what went wrong: an error left to Basic\n"
    "' itself would stop the office at a message box.\n"
    "\n"
    "' Sets the same character properties on ranges in order: aMoves holds, for each, the\n"
    "' steps from the cursor's end to its start and the steps over it. The values come\n"
    "' with the names of their types, which Basic's own values do not keep.\n"
    "Function SetRanges(oCursor As Object, aMoves As Variant, aNames As Variant, aTypes As Variant, aValues As "
    "Variant) As String\n"
    "    On Error GoTo Failed\n"
    "    Dim i As Long, nSteps As Long, nPart As Long, bExpand As Boolean\n"
    "    If UBound(aMoves) < 0 Or UBound(aValues) < 0 Then Exit Function\n"
    "    Dim aTyped(UBound(aValues)) As Variant\n"
    "    For i = 0 To UBound(aValues)\n"
    "        aTyped(i) = CreateUnoValue(aTypes(i), aValues(i))\n"
    "    Next i\n"
    "    For i = 0 To UBound(aMoves)\n"
    "        bExpand = (i Mod 2 = 1)\n"
    "        nSteps = aMoves(i)\n"
    "        If nSteps = 0 And Not bExpand Then oCursor.collapseToEnd()\n"
    "        Do While nSteps > 0\n"
    "            nPart = nSteps\n"
    "            If nPart > 32767 Then nPart = 32767\n"
    "            oCursor.goRight(nPart, bExpand)\n"
    "            nSteps = nSteps - nPart\n"
    "        Loop\n"
    "        If bExpand Then oCursor.setPropertyValues(aNames, aTyped)\n"
    "    Next i\n"
    "    SetRanges = \"\"\n"
    "    Exit Function\n"
    "Failed:\n"
    "    SetRanges = \"SetRanges: error \" & Err & \" in line \" & Erl & \": \" & Error$\n"
    "End Function\n"
    "\n"
    "' Inserts parts of text at the cursor, in order: one with a paragraph style as a portion\n"
    "' of that style (an empty one only sets the style), one without as plain text.\n"
    "Function InsertParts(oText As Object, oCursor As Object, aTexts As Variant, aStyles As Variant) As String\n"
    "    On Error GoTo Failed\n"
    "    Dim i As Long\n"
    "    Dim aStyle(0) As New com.sun.star.beans.PropertyValue\n"
    "    aStyle(0).Name = \"ParaStyleName\"\n"
    "    For i = 0 To UBound(aTexts)\n"
    "        If aStyles(i) = \"\" Then\n"
    "            oText.insertString(oCursor, aTexts(i), False)\n"
    "        ElseIf aTexts(i) = \"\" Then\n"
    "            oCursor.setPropertyValue(\"ParaStyleName\", aStyles(i))\n"
    "        Else\n"
    "            aStyle(0).Value = aStyles(i)\n"
    "            oText.insertTextPortion(aTexts(i), aStyle(), oCursor)\n"
    "        End If\n"
    "    Next i\n"
    "    InsertParts = \"\"\n"
    "    Exit Function\n"
    "Failed:\n"
    "    InsertParts = \"InsertParts: error \" & Err & \" in line \" & Erl & \": \" & Error$\n"
    "End Function\n");

const OUString kEditing = OUString::createFromAscii(R"BASIC(Option Explicit

' The matches FindAfter found ahead in oDoc, kept (a global keeps them from one call to
' the next) for the steps of EditSteps that take them: gTaviskoAhead holds the next
' ones from gTaviskoAheadNext on, gTaviskoAheadCount in all.
Global gTaviskoAhead As Variant, gTaviskoAheadCount As Long, gTaviskoAheadNext As Long
Global gTaviskoAheadDoc As Object, gTaviskoAheadPattern As String

' Ichitaro's editing as the program's editor takes it step by step, one call for many
' steps. Each function gives back an array whose first item is an empty text, or what
' went wrong: an error left to Basic itself would stop the office at a message box.
' The subs call no sub of their own (a Basic call made from outside the office's main
' thread waits for that thread each time); what they share they reach by GoSub.

' Takes the steps aCodes (with aNumbers, aTexts, aDetails) at the insertion point oCaret
' of the main text of oDoc, oAnchor being where the selection began (Empty: none).
' aKinds and aValues hold the typing attributes in the order of aNames below: 0 none,
' 1 the value, 2 back to normal; bApplied: given to the text typed last. Gives back
' the failure, the anchor, bApplied, the six kinds and the six values, in one array
' (arrays within an array do not come back whole).
Function EditSteps(oDoc As Object, oCaret As Object, oAnchor As Variant, aCodes As Variant, aNumbers As Variant, aTexts As Variant, aDetails As Variant, aKinds As Variant, aValues As Variant, bApplied As Boolean) As Variant
    Dim sFailure As String, i As Long, j As Long, nCode As Integer, nSteps As Long, nPart As Long, nUnit As Long
    Dim oText As Object, oSel As Object, oRange As Object, oRemove As Object, oFirst As Object, oWalker As Object
    Dim oFound As Object, oSearch As Object, sPattern As String, bSearched As Boolean
    Dim sText As String, sPage As String, vPage As Variant, bExpand As Boolean, bKinds As Boolean, bDone As Boolean
    Dim sPending As String, sTyped As String, sReplace As String, nDirect As Long
    Dim nSet As Long, nReset As Long, nLine As Long, aNow As Variant, aStates As Variant
    Dim aNames(5) As String, aTypes(5) As String, nKind(5) As Integer, vValue(5) As Variant, aHeights(2) As String
    Dim aSetNames() As String, aSetValues() As Variant, aResetNames() As String, aResult(14) As Variant
    On Error GoTo Failed
    aNames(0) = "CharFontName" : aTypes(0) = "string"
    aNames(1) = "CharFontNameAsian" : aTypes(1) = "string"
    aNames(2) = "CharHeight" : aTypes(2) = "float"
    aNames(3) = "CharHeightAsian" : aTypes(3) = "float"
    aNames(4) = "CharHeightComplex" : aTypes(4) = "float"
    aNames(5) = "CharUnderline" : aTypes(5) = "short"
    aHeights(0) = "CharHeight" : aHeights(1) = "CharHeightAsian" : aHeights(2) = "CharHeightComplex"
    ' Looked up once: Basic looks a constant's name up each time it meets it.
    nDirect = com.sun.star.beans.PropertyState.DIRECT_VALUE
    ' bKinds: some kind is not 0.
    bKinds = False
    For j = 0 To 5
        nKind(j) = aKinds(j)
        vValue(j) = aValues(j)
        If nKind(j) <> 0 Then bKinds = True
    Next j
    If Not IsEmpty(oAnchor) Then
        If Not IsNull(oAnchor) Then oSel = oAnchor
    End If
    oText = oDoc.getText()
    bSearched = False
    For i = 0 To UBound(aCodes)
        nCode = aCodes(i)
        ' Text and breaks typed one after another go in as one piece, when the next step
        ' other than typing (or setting what typing takes on) needs the document.
        If sPending <> "" Then
            Select Case nCode
            Case 7 To 10, 16, 17
            Case Else
                GoSub TypePending
            End Select
        End If
        ' The steps a print is mostly typed with come first: Basic tries the cases in turn.
        Select Case nCode
        Case 8
            If Not IsNull(oSel) Then
                GoSub TypePending
                GoSub RemoveSelection
            End If
            sText = aTexts(i)
            If sText <> "" Then
                If bKinds And Not bApplied Then
                    GoSub TypePending
                    oText.insertString(oCaret, sText, False)
                    oWalker = oCaret : nSteps = -aNumbers(i) : bExpand = True : GoSub Walk
                    GoSub ApplyInput
                    oCaret.collapseToEnd()
                Else
                    sPending = sPending & sText
                End If
            End If
        Case 9, 10
            If Not IsNull(oSel) Then
                GoSub TypePending
                GoSub RemoveSelection
            End If
            ' Typed text takes a paragraph break as CR, a line break as LF.
            If nCode = 9 Then sPending = sPending & Chr(13) Else sPending = sPending & Chr(10)
            bApplied = False
        Case 14
            If IsNull(oSel) Then
                oCaret.setPropertyValue("ParaStyleName", aTexts(i))
            Else
                oRange = oText.createTextCursorByRange(oSel)
                oRange.gotoRange(oCaret, True)
                oRange.setPropertyValue("ParaStyleName", aTexts(i))
            End If
        Case 1
            oCaret.gotoStart(False)
            GoSub Moved
        Case 2
            oCaret.gotoEnd(False)
            GoSub Moved
        Case 3, 4
            nSteps = aNumbers(i)
            If nSteps < 0 Then nSteps = 0
            If nCode = 3 Then nSteps = -nSteps
            oWalker = oCaret : bExpand = False : GoSub Walk
            GoSub Moved
        Case 5
            ' To the next line break in the paragraph, or its end.
            oRange = oText.createTextCursorByRange(oCaret)
            oRange.gotoEndOfParagraph(True)
            sText = oRange.getString()
            nLine = InStr(1, sText, Chr(10), 0)
            If nLine = 0 Then
                oCaret.gotoRange(oRange.getEnd(), False)
            Else
                ' A surrogate pair is one step.
                nSteps = nLine - 1
                For j = 2 To nLine - 1
                    nUnit = Asc(Mid(sText, j, 1))
                    If nUnit < 0 Then nUnit = nUnit + 65536
                    If nUnit >= 56320 And nUnit <= 57343 Then
                        nUnit = Asc(Mid(sText, j - 1, 1))
                        If nUnit < 0 Then nUnit = nUnit + 65536
                        If nUnit >= 55296 And nUnit <= 56319 Then nSteps = nSteps - 1
                    End If
                Next j
                oWalker = oCaret : bExpand = False : GoSub Walk
            End If
            GoSub Moved
        Case 6
            oSel = oText.createTextCursorByRange(oCaret)
        Case 7
            oSel = Nothing
        Case 11
            ' An empty paragraph itself begins the new page.
            If Not (oCaret.isStartOfParagraph() And oCaret.isEndOfParagraph()) Then
                GoSub RemoveSelection
                oText.insertControlCharacter(oCaret, 0, False)
                bApplied = False
            End If
            oCaret.BreakType = com.sun.star.style.BreakType.PAGE_BEFORE
        Case 12, 13
            bDone = False
            If Not IsNull(oSel) Then
                oRange = oText.createTextCursorByRange(oSel)
                oRange.gotoRange(oCaret, True)
                If Not oRange.isCollapsed() Then
                    GoSub RemoveSelection
                    bDone = True
                End If
            End If
            If Not bDone Then
                oSel = Nothing
                oRange = oText.createTextCursorByRange(oCaret)
                If nCode = 12 Then
                    If oRange.goRight(1, True) Then
                        oRemove = oRange : GoSub Remove
                    End If
                ElseIf oRange.goLeft(1, True) Then
                    ' Typing goes on in the formatting of the character removed.
                    aStates = oRange.getPropertyStates(aNames)
                    aNow = oRange.getPropertyValues(aNames)
                    bKinds = True
                    For j = 0 To 5
                        If aStates(j) = nDirect Then
                            nKind(j) = 1
                            vValue(j) = aNow(j)
                        Else
                            nKind(j) = 2
                            vValue(j) = Empty
                        End If
                    Next j
                    bApplied = False
                    oRemove = oRange : GoSub Remove
                End If
            End If
        Case 15
            bDone = False
            If Not IsNull(oSel) Then
                oRange = oText.createTextCursorByRange(oSel)
                oRange.gotoRange(oCaret, True)
                If Not oRange.isCollapsed() Then
                    If aNumbers(i) > 0 Then
                        oRange.setPropertyValues(aHeights, Array(CreateUnoValue("float", aNumbers(i)), CreateUnoValue("float", aNumbers(i)), CreateUnoValue("float", aNumbers(i))))
                    Else
                        oRange.setPropertiesToDefault(aHeights)
                    End If
                    bDone = True
                End If
            End If
            If Not bDone Then
                bKinds = True
                For j = 2 To 4
                    If aNumbers(i) > 0 Then
                        nKind(j) = 1
                        vValue(j) = aNumbers(i)
                    Else
                        nKind(j) = 2
                        vValue(j) = Empty
                    End If
                Next j
                bApplied = False
            End If
        Case 16
            bKinds = True
            If aNumbers(i) <> 0 Then
                nKind(5) = 1
                vValue(5) = 1
            Else
                nKind(5) = 2
                vValue(5) = Empty
            End If
            bApplied = False
        Case 17
            bKinds = True
            For j = 0 To 1
                nKind(j) = 1
                vValue(j) = aTexts(i)
            Next j
            bApplied = False
        Case 18
            ' A match foreseen is the next one FindAfter kept, while that still has the text
            ' foreseen and lies ahead of the insertion point; else the search is made again.
            oFound = Nothing
            If aNumbers(i) <> 0 And gTaviskoAheadNext < gTaviskoAheadCount Then
                If gTaviskoAheadPattern = aTexts(i) And EqualUnoObjects(gTaviskoAheadDoc, oDoc) Then
                    oFound = gTaviskoAhead(gTaviskoAheadNext)
                    gTaviskoAheadNext = gTaviskoAheadNext + 1
                    If oFound.getString() <> aDetails(i) Then
                        oFound = Nothing
                    ElseIf oText.compareRegionStarts(oCaret, oFound) < 0 Then
                        oFound = Nothing
                    End If
                End If
                If IsNull(oFound) Then gTaviskoAheadCount = 0
            End If
            If IsNull(oFound) Then
                If Not bSearched Or sPattern <> aTexts(i) Then
                    oSearch = oDoc.createSearchDescriptor()
                    oSearch.SearchString = aTexts(i)
                    oSearch.SearchCaseSensitive = True
                    oSearch.SearchRegularExpression = True
                    sPattern = aTexts(i)
                    bSearched = True
                End If
                oFound = oDoc.findNext(oCaret, oSearch)
            End If
            If IsNull(oFound) Then
                If aNumbers(i) <> 0 Then
                    sFailure = "EditSteps: the search for " & aTexts(i) & " found nothing where a match was foreseen"
                    GoTo Done
                End If
            Else
                If aNumbers(i) = 0 Or oFound.getString() <> aDetails(i) Then
                    sFailure = "EditSteps: the search for " & aTexts(i) & " found other than was foreseen"
                    GoTo Done
                End If
                bDone = False
                If i < UBound(aCodes) Then
                    ' Typing follows: it replaces the match in one piece (after a move it takes
                    ' no typing attributes), and is taken with this step.
                    If aCodes(i + 1) = 8 Then
                        oRemove = oFound : sReplace = aTexts(i + 1) : GoSub Remove
                        oCaret.gotoRange(oFound.getEnd(), False)
                        oSel = Nothing
                        bDone = True
                        i = i + 1
                    End If
                End If
                If Not bDone Then
                    oSel = oText.createTextCursorByRange(oFound.getStart())
                    oCaret.gotoRange(oFound.getEnd(), False)
                End If
                GoSub Moved
            End If
        Case 19
            ' Down (or up) by whole rows, to the start of the row reached; past the last, to the end.
            nSteps = aNumbers(i)
            If nSteps > 0 Then
                For j = 1 To nSteps
                    If Not oCaret.gotoNextParagraph(False) Then
                        oCaret.gotoEnd(False)
                        Exit For
                    End If
                Next j
            ElseIf nSteps < 0 Then
                oCaret.gotoStartOfParagraph(False)
                For j = 1 To -nSteps
                    If Not oCaret.gotoPreviousParagraph(False) Then Exit For
                Next j
            End If
            GoSub Moved
        Case Else
            sFailure = "EditSteps: no step " & nCode
            GoTo Done
        End Select
    Next i
Done:
    GoSub TypePending
    ' The matches FindAfter kept serve the steps that follow it, in this call.
    gTaviskoAhead = Empty
    gTaviskoAheadCount = 0
    gTaviskoAheadDoc = Nothing
    aResult(0) = sFailure
    aResult(1) = oSel
    aResult(2) = bApplied
    For j = 0 To 5
        aResult(3 + j) = nKind(j)
        aResult(9 + j) = vValue(j)
    Next j
    EditSteps = aResult
    Exit Function

' Inserts the text typed so far at the insertion point.
TypePending:
    If sPending <> "" Then
        sTyped = sPending
        sPending = ""
        oText.insertString(oCaret, sTyped, False)
    End If
    Return

' Moves oWalker by nSteps (left when negative), stretching its range with bExpand.
Walk:
    Do While nSteps <> 0
        nPart = nSteps
        If nPart > 32767 Then nPart = 32767
        If nPart < -32767 Then nPart = -32767
        If nPart > 0 Then
            oWalker.goRight(nPart, bExpand)
        Else
            oWalker.goLeft(-nPart, bExpand)
        End If
        nSteps = nSteps - nPart
    Loop
    Return

' The insertion point moved: the text there decides the formatting.
Moved:
    If bKinds Then
        For j = 0 To 5
            nKind(j) = 0
            vValue(j) = Empty
        Next j
        bKinds = False
    End If
    bApplied = False
    Return

' Gives the text selected by oCaret the typing attributes.
ApplyInput:
    nSet = 0
    nReset = 0
    For j = 0 To 5
        If nKind(j) = 1 Then nSet = nSet + 1
        If nKind(j) = 2 Then nReset = nReset + 1
    Next j
    If nSet > 0 Then
        ReDim aSetNames(nSet - 1) As String
        ReDim aSetValues(nSet - 1) As Variant
        nSet = 0
        For j = 0 To 5
            If nKind(j) = 1 Then
                aSetNames(nSet) = aNames(j)
                aSetValues(nSet) = CreateUnoValue(aTypes(j), vValue(j))
                nSet = nSet + 1
            End If
        Next j
        oCaret.setPropertyValues(aSetNames, aSetValues)
    End If
    If nReset > 0 Then
        ReDim aResetNames(nReset - 1) As String
        nReset = 0
        For j = 0 To 5
            If nKind(j) = 2 Then
                aResetNames(nReset) = aNames(j)
                nReset = nReset + 1
                nKind(j) = 0
            End If
        Next j
        oCaret.setPropertiesToDefault(aResetNames)
    End If
    bKinds = (nSet > 0)
    bApplied = True
    Return

' Removes the selection's text, the insertion point going to where it began.
RemoveSelection:
    If Not IsNull(oSel) Then
        oRange = oText.createTextCursorByRange(oSel)
        oRange.gotoRange(oCaret, True)
        oSel = Nothing
        If Not oRange.isCollapsed() Then
            oRemove = oRange : GoSub Remove
            oCaret.gotoRange(oRange.getStart(), False)
        End If
    End If
    Return

' Removes oRemove's text, or puts sReplace (then emptied) in its place; a page style set on
' the first paragraph stays.
Remove:
    sPage = ""
    If oText.compareRegionStarts(oRemove, oText) = 0 Then
        vPage = oText.createTextCursorByRange(oText.getStart()).getPropertyValue("PageDescName")
        If Not (IsEmpty(vPage) Or IsNull(vPage)) Then sPage = vPage
    End If
    oRemove.setString(sReplace)
    sReplace = ""
    If sPage <> "" Then
        oFirst = oText.createTextCursorByRange(oText.getStart())
        vPage = oFirst.getPropertyValue("PageDescName")
        If IsEmpty(vPage) Or IsNull(vPage) Then vPage = ""
        If vPage = "" Then oFirst.setPropertyValue("PageDescName", sPage)
    End If
    Return

Failed:
    sFailure = "EditSteps: error " & Err & " in line " & Erl & ": " & Error$
    If nCode = 14 And InStr(1, Error$, "IllegalArgumentException", 0) > 0 Then sFailure = "the document has no paragraph style """ & aTexts(i) & """"
    Resume Done
End Function

'' The 1-based row of oCaret in its text, after the failure.
Function RowOf(oCaret As Object) As Variant
    On Error GoTo Failed
    Dim oRows As Object, n As Long
    oRows = oCaret.getText().createTextCursorByRange(oCaret)
    oRows.gotoStartOfParagraph(False)
    n = 1
    Do While oRows.gotoPreviousParagraph(False)
        n = n + 1
    Loop
    RowOf = Array("", n)
    Exit Function
Failed:
    RowOf = Array("RowOf: error " & Err & " in line " & Erl & ": " & Error$)
End Function

' The text of each paragraph of oRange in order, after the failure; a table gives Empty.
Function ParagraphTexts(oRange As Object) As Variant
    On Error GoTo Failed
    Dim oParagraphs As Object, oPart As Object, n As Long, i As Long, aTexts() As Variant
    n = 0
    ReDim aTexts(15) As Variant
    oParagraphs = oRange.createEnumeration()
    Do While oParagraphs.hasMoreElements()
        oPart = oParagraphs.nextElement()
        If n > UBound(aTexts) Then
            ReDim Preserve aTexts(2 * n - 1) As Variant
        End If
        If oPart.supportsService("com.sun.star.text.Paragraph") Then aTexts(n) = oPart.getString() Else aTexts(n) = Empty
        n = n + 1
    Loop
    ' Copied into an array made at its size: only such an array comes back whole.
    Dim aResult(n) As Variant
    aResult(0) = ""
    For i = 1 To n
        aResult(i) = aTexts(i - 1)
    Next i
    ParagraphTexts = aResult
    Exit Function
Failed:
    ParagraphTexts = Array("ParagraphTexts: error " & Err & " in line " & Erl & ": " & Error$)
End Function

' Sets the same character properties on runs within the paragraphs of oRange: aMoves
' holds, for each paragraph in order, the number of its runs, then for each run the
' steps to it (from the paragraph's start or the run before) and over it.
Function SetRunsInParagraphs(oText As Object, oRange As Object, aMoves As Variant, aNames As Variant, aTypes As Variant, aValues As Variant) As Variant
    On Error GoTo Failed
    Dim oParagraphs As Object, oPart As Object, oRun As Object, i As Long, nAt As Long, nRuns As Long
    Dim nSteps As Long, nPart As Long, nMove As Integer, bExpand As Boolean
    If UBound(aMoves) < 0 Then
        SetRunsInParagraphs = Array("")
        Exit Function
    End If
    Dim aTyped(UBound(aValues)) As Variant
    For i = 0 To UBound(aValues)
        aTyped(i) = CreateUnoValue(aTypes(i), aValues(i))
    Next i
    nAt = 0
    oParagraphs = oRange.createEnumeration()
    Do While oParagraphs.hasMoreElements() And nAt <= UBound(aMoves)
        oPart = oParagraphs.nextElement()
        nRuns = aMoves(nAt)
        nAt = nAt + 1
        If nRuns > 0 Then
            oRun = oText.createTextCursorByRange(oPart.getStart())
            For i = 1 To nRuns
                For nMove = 0 To 1
                    nSteps = aMoves(nAt + nMove)
                    bExpand = (nMove = 1)
                    Do While nSteps > 0
                        nPart = nSteps
                        If nPart > 32767 Then nPart = 32767
                        oRun.goRight(nPart, bExpand)
                        nSteps = nSteps - nPart
                    Loop
                Next nMove
                oRun.setPropertyValues(aNames, aTyped)
                oRun.collapseToEnd()
                nAt = nAt + 2
            Next i
        End If
    Loop
    SetRunsInParagraphs = Array("")
    Exit Function
Failed:
    SetRunsInParagraphs = Array("SetRunsInParagraphs: error " & Err & " in line " & Erl & ": " & Error$)
End Function

'' After the failure: whether there are no more matches of the regular expression
' sPattern after oFrom in the main text of oDoc than those that follow (at most nMost).
' They are found at once when every match in the document is in the main text, in
' order, none empty and none reaching over the end of oFrom: those after it are then
' the ones a search from there finds one by one, and are kept for EditSteps.
Function FindAfter(oDoc As Object, oFrom As Object, sPattern As String, nMost As Long) As Variant
    On Error GoTo Failed
    Dim oText As Object, oSearch As Object, oAt As Object, oFound As Object, n As Long, i As Long, bAll As Boolean
    Dim sMatch As String, aFound() As String, oAll As Object, oEnd As Object, oPrevious As Object
    Dim nAll As Long, nAfter As Long, bWhole As Boolean, bPast As Boolean
    oText = oDoc.getText()
    oSearch = oDoc.createSearchDescriptor()
    oSearch.SearchString = sPattern
    oSearch.SearchCaseSensitive = True
    oSearch.SearchRegularExpression = True
    gTaviskoAhead = Empty
    gTaviskoAheadCount = 0
    gTaviskoAheadNext = 0
    gTaviskoAheadDoc = Nothing
    oEnd = oFrom.getEnd()
    oAll = oDoc.findAll(oSearch)
    nAll = oAll.getCount()
    Dim aKept(nAll) As Object
    ReDim aFound(nAll) As String
    n = 0
    nAfter = 0
    bWhole = True
    bPast = False
    For i = 0 To nAll - 1
        oFound = oAll.getByIndex(i)
        If Not EqualUnoObjects(oFound.getText(), oText) Then
            bWhole = False
        ElseIf i > 0 Then
            If oText.compareRegionStarts(oPrevious, oFound) <> 1 Then bWhole = False
        End If
        If Not bWhole Then Exit For
        If Not bPast Then bPast = (oText.compareRegionStarts(oEnd, oFound) >= 0)
        If bPast Then
            sMatch = oFound.getString()
            If sMatch = "" Then
                bWhole = False
                Exit For
            End If
            nAfter = nAfter + 1
            If n < nMost Then
                aKept(n) = oFound
                aFound(n) = sMatch
                n = n + 1
            End If
        ElseIf oText.compareRegionEnds(oFound, oEnd) < 0 Then
            bWhole = False
            Exit For
        End If
        oPrevious = oFound
    Next i
    If bWhole Then
        bAll = (nAfter = n)
        gTaviskoAhead = aKept
        gTaviskoAheadCount = n
        gTaviskoAheadDoc = oDoc
        gTaviskoAheadPattern = sPattern
    Else
        ' One by one from the end of oFrom.
        oAt = oText.createTextCursorByRange(oEnd)
        n = 0
        bAll = False
        ReDim aFound(15) As String
        Do While n < nMost
            oFound = oDoc.findNext(oAt, oSearch)
            If IsNull(oFound) Then
                bAll = True
                Exit Do
            End If
            ' A match elsewhere than in the main text, or an empty one, ends the look ahead.
            If Not EqualUnoObjects(oFound.getText(), oText) Then Exit Do
            sMatch = oFound.getString()
            If sMatch = "" Then Exit Do
            ' (A ReDim on the line of its If would take the next line into the If too.)
            If n > UBound(aFound) Then
                ReDim Preserve aFound(2 * n - 1) As String
            End If
            aFound(n) = sMatch
            n = n + 1
            oAt.gotoRange(oFound.getEnd(), False)
        Loop
    End If
    ' Copied into an array made at its size: only such an array comes back whole.
    Dim aResult(n + 1) As Variant
    aResult(0) = ""
    aResult(1) = bAll
    For i = 1 To n
        aResult(i + 1) = aFound(i - 1)
    Next i
    FindAfter = aResult
    Exit Function
Failed:
    FindAfter = Array("FindAfter: error " & Err & " in line " & Erl & ": " & Error$)
End Function
)BASIC");

struct Module {
    const char* name;
    const OUString& source;
};
const Module kModules[] = {{"Walks", kWalks}, {"Editing", kEditing}};

// Puts the modules in the office's application library, unless they are there as they are here.
void Install(const uno::Reference<uno::XComponentContext>& context)
{
    const uno::Reference<script::XLibraryContainer> libraries(
        context->getServiceManager()->createInstanceWithContext(
            OUString("com.sun.star.script.ApplicationScriptLibraryContainer"), context),
        uno::UNO_QUERY_THROW);
    if (!libraries->hasByName(kLibrary))
        libraries->createLibrary(kLibrary);
    libraries->loadLibrary(kLibrary);
    const uno::Reference<container::XNameContainer> library(libraries->getByName(kLibrary), uno::UNO_QUERY_THROW);
    for (const Module& module : kModules) {
        const OUString name = OUString::createFromAscii(module.name);
        if (!library->hasByName(name)) {
            library->insertByName(name, uno::Any(module.source));
            continue;
        }
        OUString installed;
        library->getByName(name) >>= installed;
        if (installed != module.source)
            library->replaceByName(name, uno::Any(module.source));
    }
}

template <class T>
uno::Sequence<T> ToSequence(const std::vector<T>& items)
{
    return uno::Sequence<T>(items.data(), static_cast<sal_Int32>(items.size()));
}

} // namespace

OfficeScript::OfficeScript(uno::Reference<uno::XInterface> provider)
    : m_provider(std::move(provider))
{
}

std::shared_ptr<OfficeScript> OfficeScript::In(OfficeSession* session)
{
    if (!session->RoutinesAllowed())
        return nullptr;
    try {
        const uno::Reference<uno::XComponentContext> context = session->Context("OfficeScript");
        Install(context);
        const uno::Reference<script::provider::XScriptProviderFactory> factory(
            context->getValueByName(
                OUString("/singletons/com.sun.star.script.provider.theMasterScriptProviderFactory")),
            uno::UNO_QUERY_THROW);
        std::shared_ptr<OfficeScript> script(new OfficeScript(factory->createScriptProvider(uno::Any(OUString()))));
        // An office that refuses macros says so on the first call, not when the script is found.
        script->SetRanges(nullptr, {}, {}, {});
        return script;
    } catch (const uno::Exception& error) {
        qWarning("The office cannot run the program's routines, each step goes to it on its own: %s",
            OUStringToOString(error.Message, RTL_TEXTENCODING_UTF8).getStr());
    } catch (const std::exception& error) {
        qWarning("The office cannot run the program's routines: %s", error.what());
    }
    return nullptr;
}

void OfficeScript::SetRanges(const uno::Reference<text::XTextCursor>& cursor, const std::vector<sal_Int32>& moves,
    const uno::Sequence<OUString>& names, const uno::Sequence<uno::Any>& values)
{
    uno::Sequence<OUString> types(values.getLength());
    for (sal_Int32 i = 0; i < values.getLength(); ++i)
        types[i] = values[i].getValueTypeName();
    Run("SetRanges",
        {uno::Any(uno::Reference<uno::XInterface>(cursor, uno::UNO_QUERY)),
            uno::Any(uno::Sequence<sal_Int32>(moves.data(), static_cast<sal_Int32>(moves.size()))), uno::Any(names),
            uno::Any(types), uno::Any(values)});
}

void OfficeScript::InsertParts(const uno::Reference<text::XText>& text, const uno::Reference<text::XTextCursor>& cursor,
    const std::vector<Part>& parts)
{
    uno::Sequence<OUString> texts(static_cast<sal_Int32>(parts.size()));
    uno::Sequence<OUString> styles(static_cast<sal_Int32>(parts.size()));
    for (std::size_t i = 0; i < parts.size(); ++i) {
        texts[static_cast<sal_Int32>(i)] = parts[i].text;
        styles[static_cast<sal_Int32>(i)] = parts[i].style;
    }
    Run("InsertParts",
        {uno::Any(uno::Reference<uno::XInterface>(text, uno::UNO_QUERY)),
            uno::Any(uno::Reference<uno::XInterface>(cursor, uno::UNO_QUERY)), uno::Any(texts), uno::Any(styles)});
}

void OfficeScript::EditSteps(const uno::Reference<text::XTextDocument>& model,
    const uno::Reference<text::XTextCursor>& caret, const std::vector<EditStep>& steps, EditState& state)
{
    if (steps.empty())
        return;
    const auto count = static_cast<sal_Int32>(steps.size());
    uno::Sequence<sal_Int16> codes(count);
    uno::Sequence<sal_Int32> numbers(count);
    uno::Sequence<OUString> texts(count);
    uno::Sequence<OUString> details(count);
    for (sal_Int32 i = 0; i < count; ++i) {
        codes[i] = static_cast<sal_Int16>(steps[i].code);
        numbers[i] = steps[i].number;
        texts[i] = steps[i].text;
        details[i] = steps[i].detail;
    }
    const uno::Sequence<uno::Any> result = Run("EditSteps",
        {uno::Any(model), uno::Any(caret), state.anchor.is() ? uno::Any(state.anchor) : uno::Any(), uno::Any(codes),
            uno::Any(numbers), uno::Any(texts), uno::Any(details), uno::Any(ToSequence(state.kinds)),
            uno::Any(ToSequence(state.values)), uno::Any(state.applied)},
        "Editing");
    // The anchor, whether applied, the kinds, the values.
    const auto attributes = static_cast<sal_Int32>(state.kinds.size());
    if (result.getLength() != 2 + 2 * attributes)
        throw uno::RuntimeException(OUString("EditSteps gave back what it should not"));
    state.anchor.set(result[0], uno::UNO_QUERY);
    result[1] >>= state.applied;
    for (sal_Int32 i = 0; i < attributes; ++i) {
        sal_Int32 kind = 0;
        result[2 + i] >>= kind;
        state.kinds[i] = static_cast<sal_Int16>(kind);
        state.values[i] = result[2 + attributes + i];
    }
}

int OfficeScript::RowOf(const uno::Reference<text::XTextCursor>& caret)
{
    const uno::Sequence<uno::Any> result = Run("RowOf", {uno::Any(caret)}, "Editing");
    sal_Int32 row = 1;
    if (result.hasElements())
        result[0] >>= row;
    return row;
}

std::vector<std::optional<OUString>> OfficeScript::ParagraphTexts(const uno::Reference<text::XTextCursor>& range)
{
    const uno::Sequence<uno::Any> result = Run("ParagraphTexts", {uno::Any(range)}, "Editing");
    std::vector<std::optional<OUString>> paragraphs;
    for (const uno::Any& item : result) {
        OUString text;
        paragraphs.push_back((item >>= text) ? std::optional<OUString>(text) : std::nullopt);
    }
    return paragraphs;
}

void OfficeScript::SetRunsInParagraphs(const uno::Reference<text::XText>& text,
    const uno::Reference<text::XTextCursor>& range, const std::vector<sal_Int32>& moves,
    const uno::Sequence<OUString>& names, const uno::Sequence<uno::Any>& values)
{
    uno::Sequence<OUString> types(values.getLength());
    for (sal_Int32 i = 0; i < values.getLength(); ++i)
        types[i] = values[i].getValueTypeName();
    Run("SetRunsInParagraphs",
        {uno::Any(text), uno::Any(range), uno::Any(ToSequence(moves)), uno::Any(names), uno::Any(types),
            uno::Any(values)},
        "Editing");
}

OfficeScript::Matches OfficeScript::FindAfter(const uno::Reference<text::XTextDocument>& model,
    const uno::Reference<text::XTextCursor>& from, const OUString& pattern, sal_Int32 most)
{
    const uno::Sequence<uno::Any> result
        = Run("FindAfter", {uno::Any(model), uno::Any(from), uno::Any(pattern), uno::Any(most)}, "Editing");
    Matches matches;
    if (!result.hasElements())
        return matches;
    result[0] >>= matches.all;
    for (sal_Int32 i = 1; i < result.getLength(); ++i) {
        OUString match;
        result[i] >>= match;
        matches.texts.push_back(match);
    }
    return matches;
}

uno::Sequence<uno::Any> OfficeScript::Run(const char* name, const std::vector<uno::Any>& arguments, const char* module)
{
    const std::string key = std::string(module) + '.' + name;
    uno::Reference<script::provider::XScript>& script = m_scripts[key];
    if (!script.is())
        script = uno::Reference<script::provider::XScriptProvider>(m_provider, uno::UNO_QUERY_THROW)
                     ->getScript("vnd.sun.star.script:" + kLibrary + "." + OUString::createFromAscii(module) + "."
                         + OUString::createFromAscii(name) + "?language=Basic&location=application");
    uno::Sequence<sal_Int16> outIndex;
    uno::Sequence<uno::Any> out;
    const uno::Any result = script->invoke(
        uno::Sequence<uno::Any>(arguments.data(), static_cast<sal_Int32>(arguments.size())), outIndex, out);
    // A text alone, or an array that begins with it.
    OUString failure;
    uno::Sequence<uno::Any> items;
    uno::Sequence<OUString> texts;
    if (result >>= items) {
        if (items.hasElements())
            items[0] >>= failure;
    } else if (result >>= texts) {
        // Basic hands an array of texts only over as a sequence of texts.
        items.realloc(texts.getLength());
        for (sal_Int32 i = 0; i < texts.getLength(); ++i)
            items.getArray()[i] <<= texts[i];
        if (items.hasElements())
            items[0] >>= failure;
    } else {
        result >>= failure;
    }
    if (!failure.isEmpty())
        throw uno::RuntimeException(failure);
    if (!items.hasElements())
        return {};
    return uno::Sequence<uno::Any>(items.getConstArray() + 1, items.getLength() - 1);
}

} // namespace Office
