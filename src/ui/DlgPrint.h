#pragma once

#include "markup/TagStripper.h"
#include "ui/DialogPage.h"
#include "ui/PopupRunner.h"

#include <functional>
#include <map>
#include <memory>
#include <optional>

class ListBuilder;
class ListViewCtrl;
class Model;
class Quiz;

// The page under one print tab of the main window: the print's question
// formats, each as a header row "[n] instruction" followed by its chosen
// sub-questions (or a placeholder row when it has none). A header row
// whose format has no candidate in the current range says so in its last
// column. A print without any question format shows one row that says
// where to begin (question formats, then the range).
//
// The page never changes the print: a double-click on a row, or "小問選択..."
// from its context menu, asks the main window (through the request given at
// construction) to choose the sub-questions of the question format the
// selected row belongs to. The main window then refills the page.
//
// The list is made when the page is first shown or asked for it: until
// then the page keeps only the print and its range marks, so that a window
// with thousands of prints makes one list per print the teacher looks at,
// not one per print.
class DlgPrint : public DialogPage {
    Q_OBJECT

public:
    // Asks the owner to choose the sub-questions of question format `qid`.
    using SentenceRequest = std::function<void(int qid)>;

    // Lays the list out for the type of the model's book; a book of an
    // unknown type gets an empty list.
    explicit DlgPrint(Model& model, QWidget* parent = nullptr);
    ~DlgPrint() override;

    // Shows `quiz`, replacing what the list showed.
    void InsertQuiz(const Quiz& quiz);
    // Marks each header row: its question format's entry in `hasCandidates`
    // true leaves the last column empty; false or no entry says that the
    // range holds no candidate for it.
    void ApplyRangeMarks(const std::map<int, bool>& hasCandidates);

    // The qid of the header at or above the selected row; 0 when no row is
    // selected or no header lies above it.
    int CurrentQuestionId() const;
    // Asks for the sub-question selection of the current question format,
    // if there is one (double-click, command 209).
    void RequestSentences();

    // Where RequestSentences goes; without one it does nothing.
    void SetSentenceRequest(SentenceRequest request) { request_ = std::move(request); }

    // The list, made now if it was not yet.
    ListViewCtrl& List();
    // Whether the list has been made (shown or asked for).
    bool HasList() const { return list_ != nullptr; }
    void SetPopupRunner(PopupRunner runner) { popupRunner_ = std::move(runner); }

    // Showing the page makes its list first, so that it is shown with it.
    void setVisible(bool visible) override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    class Visitor;

    void MakeList();
    void FillList();
    void MarkRows();
    void AddPlaceholders();
    bool IsHeader(int row) const;

    SentenceRequest request_;
    ListViewCtrl* list_ = nullptr;
    TagStripper stripper_;
    std::shared_ptr<ListBuilder> builder_;
    PopupRunner popupRunner_;
    // What the list shows, kept for when it is made: the print, and the
    // range marks given since it was last inserted.
    std::unique_ptr<Quiz> quiz_;
    std::optional<std::map<int, bool>> marks_;
};
