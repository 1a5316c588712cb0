#include "print/RecordingWord.h"

#include "automation/ClassRegistry.h"

namespace RecordingWord {

using Automation::Variant;
using StatePtr = std::shared_ptr<State>;

void State::Log(const QString& call)
{
    log << call;
    if (onCall)
        onCall(call);
}

namespace {

QString Show(const Variant& value)
{
    switch (value.GetType()) {
    case Variant::Type::Missing: return QStringLiteral("-");
    case Variant::Type::Empty: return QStringLiteral("empty");
    case Variant::Type::Bool: return value.ToBool() ? QStringLiteral("true") : QStringLiteral("false");
    case Variant::Type::String: return QLatin1Char('"') + value.ToString() + QLatin1Char('"');
    default: return value.ToString();
    }
}

QString Args(std::initializer_list<Variant> values)
{
    QStringList shown;
    for (const Variant& value : values)
        shown << Show(value);
    return QLatin1Char('(') + shown.join(QLatin1Char(',')) + QLatin1Char(')');
}

QString Flag(bool value)
{
    return value ? QStringLiteral("true") : QStringLiteral("false");
}

class Base {
public:
    explicit Base(StatePtr state)
        : m_state(std::move(state))
    {
    }

protected:
    void Log(const QString& call) const { m_state->Log(call); }
    StatePtr m_state;
};

class FakeRange : public Word::Range, Base {
public:
    FakeRange(StatePtr state, int start, int end)
        : Base(std::move(state))
        , m_start(start)
        , m_end(end)
    {
    }
    int GetStart() override
    {
        Log(Name() + ".Start");
        return m_start;
    }
    void PutStart(int start) override
    {
        Log(Name() + QStringLiteral(".Start=%1").arg(start));
        m_start = start;
    }
    int GetEnd() override
    {
        Log(Name() + ".End");
        return m_end;
    }
    void PutEnd(int end) override
    {
        Log(Name() + QStringLiteral(".End=%1").arg(end));
        m_end = end;
    }
    QString GetText() override
    {
        Log(Name() + ".Text");
        return m_state->documentText.mid(m_start, m_end - m_start);
    }
    void Select() override { Log(Name() + ".Select"); }
    void Copy() override { Log(Name() + ".Copy"); }
    int Delete(const Variant& unit, const Variant& count) override
    {
        Log(Name() + ".Delete" + Args({unit, count}));
        return m_end - m_start;
    }
    int GetHorizontalInVertical() override
    {
        Log(Name() + ".HorizontalInVertical");
        return 0;
    }
    void PutHorizontalInVertical(int type) override
    {
        Log(Name() + QStringLiteral(".HorizontalInVertical=%1").arg(type));
    }

private:
    QString Name() const { return QStringLiteral("Range[%1,%2]").arg(m_start).arg(m_end); }
    int m_start;
    int m_end;
};

class FakeDocument : public Word::_Document, Base {
public:
    using Base::Base;
    std::shared_ptr<Word::Range> Range(const Variant& start, const Variant& end) override
    {
        Log(QStringLiteral("Document.Range") + Args({start, end}));
        const int whole = m_state->documentText.size();
        return std::make_shared<FakeRange>(
            m_state, start.IsNull() ? 0 : start.ToInt(), end.IsNull() ? whole : end.ToInt());
    }
    void SaveAs2(const Variant& fileName, const Variant& fileFormat) override
    {
        Log(QStringLiteral("Document.SaveAs2") + Args({fileName, fileFormat}));
    }
};

class FakeDocuments : public Word::Documents, Base {
public:
    using Base::Base;
    std::shared_ptr<Word::_Document> Add(const Variant& templatePath, const Variant& newTemplate,
        const Variant& documentType, const Variant& visible) override
    {
        Log(QStringLiteral("Documents.Add") + Args({templatePath, newTemplate, documentType, visible}));
        m_state->documentText = m_state->templateText;
        return std::make_shared<FakeDocument>(m_state);
    }
    void Close(const Variant& saveChanges, const Variant& originalFormat, const Variant& routeDocument) override
    {
        Log(QStringLiteral("Documents.Close") + Args({saveChanges, originalFormat, routeDocument}));
    }
};

class FakeFont : public Word::_Font, Base {
public:
    using Base::Base;
    int GetUnderline() override
    {
        Log("Font.Underline");
        return 0;
    }
    void PutUnderline(int underline) override { Log(QStringLiteral("Font.Underline=%1").arg(underline)); }
    int GetSubscript() override
    {
        Log("Font.Subscript");
        return 0;
    }
    void PutSubscript(int subscript) override { Log(QStringLiteral("Font.Subscript=%1").arg(subscript)); }
    QString GetName() override
    {
        Log("Font.Name");
        return m_state->fontName;
    }
    void PutName(const QString& name) override
    {
        Log(QStringLiteral("Font.Name=") + name);
        m_state->fontName = name;
    }
};

class FakeParagraphFormat : public Word::_ParagraphFormat, Base {
public:
    using Base::Base;
    Variant GetStyle() override
    {
        Log("ParagraphFormat.Style");
        return {};
    }
    void PutStyle(const Variant& style) override { Log("ParagraphFormat.Style=" + Show(style)); }
};

class FakeReplacement : public Word::Replacement, Base {
public:
    using Base::Base;
    void ClearFormatting() override { Log("Replacement.ClearFormatting"); }
    QString GetText() override
    {
        Log("Replacement.Text");
        return {};
    }
    void PutText(const QString& text) override { Log("Replacement.Text=\"" + text + "\""); }
};

class FakeFind : public Word::Find, Base {
public:
    using Base::Base;
    void ClearFormatting() override { Log("Find.ClearFormatting"); }
    QString GetText() override
    {
        Log("Find.Text");
        return {};
    }
    void PutText(const QString& text) override
    {
        Log("Find.Text=\"" + text + "\"");
        m_state->findText = text;
    }
    bool GetForward() override
    {
        Log("Find.Forward");
        return true;
    }
    void PutForward(bool value) override { Log("Find.Forward=" + Flag(value)); }
    int GetWrap() override
    {
        Log("Find.Wrap");
        return 0;
    }
    void PutWrap(int wrap) override { Log(QStringLiteral("Find.Wrap=%1").arg(wrap)); }
    bool GetMatchCase() override
    {
        Log("Find.MatchCase");
        return false;
    }
    void PutMatchCase(bool value) override { Log("Find.MatchCase=" + Flag(value)); }
    bool GetMatchByte() override
    {
        Log("Find.MatchByte");
        return false;
    }
    void PutMatchByte(bool value) override { Log("Find.MatchByte=" + Flag(value)); }
    bool GetMatchAllWordForms() override
    {
        Log("Find.MatchAllWordForms");
        return false;
    }
    void PutMatchAllWordForms(bool value) override { Log("Find.MatchAllWordForms=" + Flag(value)); }
    bool GetMatchSoundsLike() override
    {
        Log("Find.MatchSoundsLike");
        return false;
    }
    void PutMatchSoundsLike(bool value) override { Log("Find.MatchSoundsLike=" + Flag(value)); }
    bool GetMatchWildcards() override
    {
        Log("Find.MatchWildcards");
        return false;
    }
    void PutMatchWildcards(bool value) override { Log("Find.MatchWildcards=" + Flag(value)); }
    std::shared_ptr<Word::Replacement> GetReplacement() override
    {
        Log("Find.Replacement");
        return std::make_shared<FakeReplacement>(m_state);
    }
    bool Execute(const Variant& findText, const Variant& matchCase, const Variant& matchWholeWord,
        const Variant& matchWildcards, const Variant& matchSoundsLike, const Variant& matchAllWordForms,
        const Variant& forward, const Variant& wrap, const Variant& format, const Variant& replaceWith,
        const Variant& replace) override
    {
        Log("Find.Execute"
            + Args({findText, matchCase, matchWholeWord, matchWildcards, matchSoundsLike, matchAllWordForms, forward,
                wrap, format, replaceWith, replace}));
        if (replace.IsNull() || replace.ToInt() == 0)
            return m_state->unreplaced.contains(findText.IsNull() ? m_state->findText : findText.ToString());
        return true;
    }
};

class FakeSelection : public Word::Selection, Base {
public:
    using Base::Base;
    void TypeText(const QString& text) override { Log("Selection.TypeText(\"" + text + "\")"); }
    void TypeParagraph() override { Log("Selection.TypeParagraph"); }
    void InsertBreak(const Variant& type) override { Log("Selection.InsertBreak" + Args({type})); }
    void Paste() override { Log("Selection.Paste"); }
    int HomeKey(const Variant& unit, const Variant& extend) override
    {
        Log("Selection.HomeKey" + Args({unit, extend}));
        return 0;
    }
    int GetOrientation() override
    {
        Log("Selection.Orientation");
        return m_state->orientation;
    }
    std::shared_ptr<Word::_Font> GetFont() override
    {
        Log("Selection.Font");
        return std::make_shared<FakeFont>(m_state);
    }
    std::shared_ptr<Word::_ParagraphFormat> GetParagraphFormat() override
    {
        Log("Selection.ParagraphFormat");
        return std::make_shared<FakeParagraphFormat>(m_state);
    }
    std::shared_ptr<Word::Find> GetFind() override
    {
        Log("Selection.Find");
        return std::make_shared<FakeFind>(m_state);
    }
};

class FakeApplication : public Word::_Application, Base {
public:
    using Base::Base;
    void Quit(const Variant& a, const Variant& b, const Variant& c) override
    {
        Log("Application.Quit" + Args({a, b, c}));
    }
    bool GetVisible() override
    {
        Log("Application.Visible");
        return false;
    }
    void PutVisible(bool visible) override { Log("Application.Visible=" + Flag(visible)); }
    int GetWindowState() override
    {
        Log("Application.WindowState");
        return 0;
    }
    void PutWindowState(int state) override { Log(QStringLiteral("Application.WindowState=%1").arg(state)); }
    int GetDisplayAlerts() override
    {
        Log("Application.DisplayAlerts");
        return 0;
    }
    void PutDisplayAlerts(int level) override { Log(QStringLiteral("Application.DisplayAlerts=%1").arg(level)); }
    std::shared_ptr<Word::Documents> GetDocuments() override
    {
        Log("Application.Documents");
        return std::make_shared<FakeDocuments>(m_state);
    }
    std::shared_ptr<Word::Selection> GetSelection() override
    {
        Log("Application.Selection");
        return std::make_shared<FakeSelection>(m_state);
    }
};

} // namespace

std::shared_ptr<Word::_Application> MakeApplication(std::shared_ptr<State> state)
{
    return std::make_shared<FakeApplication>(std::move(state));
}

Registration::Registration(std::shared_ptr<State> state)
{
    Automation::ClassRegistry::Register(QString::fromLatin1(Word::_Application::ProgId), [this, state] {
        ++created;
        auto application = MakeApplication(state);
        lastApplication = application;
        return std::static_pointer_cast<Automation::Object>(application);
    });
}

Registration::~Registration()
{
    Automation::ClassRegistry::Unregister(QString::fromLatin1(Word::_Application::ProgId));
}

} // namespace RecordingWord
