#pragma once
// Writes prints into Ichitaro through its late-bound automation server
// ("JXW.Application"): a hidden application opens the template, the
// commands are typed at its last row with the rows above it as the header
// block of every print, and the finished document is shown to the user.
// Every call names its member as text; almost all editing goes through
// the application's "TaroLibrary" object.
#include "print/Creator.h"
#include "print/TaroOptionKeeper.h"

#include "automation/Dispatch.h"

namespace Print {

class CreatorTaro : public Creator {
public:
    CreatorTaro();
    ~CreatorTaro() override;

    bool CanCreate() const override;
    // Probes once per process by starting the application, reading its
    // library and quitting it.
    bool IsAvailable() override;
    // The next IsAvailable probes again.
    static void ForgetAvailability();

protected:
    void Finish() override;
    bool Open(const QString& templatePath) override;
    bool WriteCommand(const Cmd& command) override;
    void Abort() override;
    bool SetTitle(const QString& title) override;
    bool SetRange(const QString& rangeText) override;
    bool ClearMark(const QString& mark) override;
    bool Complete() override;
    bool SaveAs(const QString& path, const QString& format) override;
    bool IsVertical() override;
    void MakeDigitsUpright() override;
    bool Holds(const QString& text) override;

private:
    bool OpenDocument(const QString& templatePath);
    bool PrepareEditing();
    Automation::Variant Lib(
        const QString& name, Automation::Dispatch::Arguments args = {Automation::Variant::Missing()});
    void Insert(const QString& text);
    void WriteNumber(int kind, const QString& text);
    void WriteSubscript(const QString& text);
    void WriteExternalChar(const QString& character);
    void PasteHeader(const QString& className);
    void FillClassMarks(int firstRow, const QString& className);
    void SelectHeaderRows();
    void ReplaceAll(const QString& search, const QString& replacement);
    void ConvertDigitBrackets();
    void ShowApplication();
    void ReleaseAll();

    Automation::DispatchPtr m_application;
    Automation::DispatchPtr m_library;  // "TaroLibrary": the editing calls
    Automation::DispatchPtr m_document; // "ActiveDocument"
    // Rows of the template above the row where writing begins.
    Automation::Variant m_headerRows;
    Automation::Variant m_savedWarningMode;
    bool m_presented = false;
    TaroOptionKeeper m_options;
};

} // namespace Print
