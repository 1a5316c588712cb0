#pragma once
// Flattens prints into one list of print commands: the question half (one
// page per print), a page break, then the answer half, which repeats the
// layout with each answer field replaced by the sentence's answer.
#include "markup/Cmd.h"
#include "quiz/QuizVisitor.h"

#include <QString>
#include <QStringView>

#include <vector>

class InstalledFonts;
class Quiz;

namespace Print {

class Parser : public QuizVisitor {
public:
    // `fonts` decides whether external characters are written in their own
    // font; by default the set of fonts installed on this system.
    Parser();
    explicit Parser(InstalledFonts& fonts);
    virtual ~Parser() = default;

    // The most empty answer lines written under one sub-question. A book
    // may ask for any number; more than a few pages of blank lines is never
    // meant, and an absurd count would grow the command list without end.
    // A negative count writes none.
    static constexpr int kMaxAnswerLines = 100;
    static int AnswerLines(int requested);

    // Builds the whole list for the prints, in order, into `out` (replacing
    // its content). Always succeeds.
    bool Parse(CmdList& out, const std::vector<Quiz>& quizzes);

    void VisitSentence(const Sentence* sentence, int number) override;
    void VisitQuestion(const Question* question, int number) override;

    // Appends the commands of one marked-up content text.
    void ParseText(QStringView text);
    // Appends the command of one tag's content.
    void ParseTag(QStringView content);

private:
    enum Pass { Questions = 0, Answers = 1 };

    void EmitPrints(const std::vector<Quiz>& quizzes);
    void Append(int kind, const QString& text = QString());
    void AppendNumber(int kind, int number);

    InstalledFonts& m_fonts;
    CmdList m_commands;
    Pass m_pass = Questions;
    const Question* m_question = nullptr;
};

} // namespace Print
