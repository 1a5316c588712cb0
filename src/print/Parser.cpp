#include "print/Parser.h"

#include "markup/InstalledFonts.h"
#include "markup/PrintTokenizer.h"
#include "model/DecimalText.h"
#include "model/Question.h"
#include "model/Sentence.h"
#include "quiz/Quiz.h"

#include <algorithm>

namespace Print {

Parser::Parser()
    : Parser(InstalledFonts::Shared())
{
}

Parser::Parser(InstalledFonts& fonts)
    : m_fonts(fonts)
{
}

bool Parser::Parse(CmdList& out, const std::vector<Quiz>& quizzes)
{
    m_commands.clear();
    m_pass = Questions;
    EmitPrints(quizzes);
    Append(NewPage);
    m_pass = Answers;
    EmitPrints(quizzes);
    out = m_commands;
    return true;
}

int Parser::AnswerLines(int requested)
{
    return std::clamp(requested, 0, kMaxAnswerLines);
}

void Parser::EmitPrints(const std::vector<Quiz>& quizzes)
{
    m_question = nullptr;
    int printNumber = 0;
    for (const Quiz& quiz : quizzes) {
        if (printNumber > 0)
            Append(NewPage);
        AppendNumber(PrintId, ++printNumber);
        Append(NewParagraph);
        Append(PageHeader, quiz.ClassName());
        quiz.Accept(*this);
    }
}

void Parser::VisitQuestion(const Question* question, int number)
{
    m_question = question;
    if (number > 1)
        Append(NewParagraph);
    AppendNumber(QuestionHead, number);
    if (question)
        ParseText(question->question);
    Append(NewParagraph);
}

void Parser::VisitSentence(const Sentence* sentence, int number)
{
    AppendNumber(ItemNumber, number);
    ParseText(sentence->sentence);
    Append(NewParagraph);
    const int answerLines = m_question ? AnswerLines(m_question->ans_field_spc) : 0;
    for (int i = 0; i < answerLines; ++i)
        Append(NewParagraph);
    AppendNumber(AnswerNumber, number);
    if (m_pass == Answers)
        ParseText(sentence->answer);
    else if (m_question)
        ParseText(m_question->ans_field);
    Append(NewParagraph);
}

void Parser::ParseText(QStringView text)
{
    for (Cmd& command : Print::ParseText(text, m_fonts))
        m_commands.push_back(std::make_shared<const Cmd>(std::move(command)));
}

void Parser::ParseTag(QStringView content)
{
    m_commands.push_back(std::make_shared<const Cmd>(Print::ParseTag(content, m_fonts)));
}

void Parser::Append(int kind, const QString& text)
{
    m_commands.push_back(std::make_shared<const Cmd>(Cmd{kind, text}));
}

void Parser::AppendNumber(int kind, int number)
{
    Append(kind, DecimalText::Format(number));
}

} // namespace Print
