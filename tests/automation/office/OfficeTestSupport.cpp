#include "OfficeTestSupport.h"

#include "automation/ClassRegistry.h"
#include "automation/office/OfficeBackends.h"
#include "automation/office/OfficeSession.h"
#include "automation/office/TaroApplication.h"
#include "automation/office/WriterApplication.h"
#include "automation/office/UnoStrings.h"

#include <QDir>
#include <QFile>

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XEnumeration.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/frame/XDesktop2.hpp>
#include <com/sun/star/lang/XServiceInfo.hpp>
#include <com/sun/star/style/BreakType.hpp>
#include <com/sun/star/style/XStyleFamiliesSupplier.hpp>
#include <com/sun/star/text/XTextRange.hpp>

#include <gtest/gtest.h>

using namespace css;
using rtl::OUString;

namespace OfficeTest {
namespace {

// Configures the shared office session for the tests and ends the office
// when the test process ends; fails the run when an office outlives it.
class OfficeEnvironment : public testing::Environment {
public:
    void SetUp() override
    {
        Office::OfficeSession::Options options;
        options.headless = true;
        options.profileDir = QStringLiteral(TV_BUILD_DIR "/test-home/office-profile");
        Office::OfficeSession::ConfigureShared(options);
        ASSERT_TRUE(Office::RegisterBackends()) << "LibreOffice is not installed";
    }

    void TearDown() override
    {
        auto session = Office::OfficeSession::Shared();
        const pid_t group = session->LauncherPid();
        session->Terminate();
        // The office that reads sheets (for imports) too.
        Office::ReleaseBackends();
        if (group > 0)
            EXPECT_FALSE(ProcessGroupAlive(group)) << "an office process outlived the tests";
    }
};

[[maybe_unused]] const testing::Environment* const kEnvironment
    = testing::AddGlobalTestEnvironment(new OfficeEnvironment);

} // namespace

std::shared_ptr<Word::_Application> NewWord()
{
    return Automation::CreateObjectAs<Word::_Application>(QStringLiteral("Word.Application"));
}

QString TemplatePath(const QString& fileName)
{
    return QStringLiteral(TV_TEST_DATA_DIR "/template/") + fileName;
}

QString HorizontalTemplate()
{
    return TemplatePath(QStringLiteral("横書き標準.dot"));
}

QString VerticalTemplate()
{
    return TemplatePath(QStringLiteral("縦書き標準.dot"));
}

RecordedApplications::RecordedApplications()
{
    Automation::ClassRegistry::Register(QStringLiteral("Word.Application"), [this] {
        auto application = Office::WriterApplication::Create(Office::OfficeSession::Shared());
        word.push_back(application);
        return std::static_pointer_cast<Automation::Object>(application);
    });
    Automation::ClassRegistry::Register(QStringLiteral("JXW.Application"), [this] {
        auto application = Office::TaroApplication::Create(Office::OfficeSession::Shared());
        taro.push_back(application);
        return std::static_pointer_cast<Automation::Object>(application);
    });
}

RecordedApplications::~RecordedApplications()
{
    Office::RegisterBackends();
}

int OpenDocumentCount()
{
    int count = 0;
    const uno::Reference<container::XEnumeration> components
        = Office::OfficeSession::Shared()->Desktop("test")->getComponents()->createEnumeration();
    for (; components->hasMoreElements(); components->nextElement())
        ++count;
    return count;
}

std::shared_ptr<Office::WriterDocument> Writer(const std::shared_ptr<Word::_Document>& document)
{
    return std::dynamic_pointer_cast<Office::WriterDocument>(document);
}

namespace {

// The name a paragraph style shows in the office. An office in Japanese
// takes a template's "表題" for its own title style, whose name in the
// document's text is "Title".
QString ShownStyleName(const std::shared_ptr<Word::_Document>& document, const OUString& style)
{
    const uno::Reference<container::XNameAccess> styles(
        uno::Reference<style::XStyleFamiliesSupplier>(Writer(document)->Model(), uno::UNO_QUERY_THROW)
            ->getStyleFamilies()
            ->getByName(OUString("ParagraphStyles")),
        uno::UNO_QUERY_THROW);
    OUString shown = style;
    if (styles->hasByName(style))
        uno::Reference<beans::XPropertySet>(styles->getByName(style), uno::UNO_QUERY_THROW)
            ->getPropertyValue(OUString("DisplayName"))
            >>= shown;
    return Office::ToQString(shown);
}

} // namespace

std::vector<Paragraph> Paragraphs(const std::shared_ptr<Word::_Document>& document)
{
    std::vector<Paragraph> result;
    const auto paragraphs
        = uno::Reference<container::XEnumerationAccess>(Writer(document)->Model()->getText(), uno::UNO_QUERY_THROW)
              ->createEnumeration();
    while (paragraphs->hasMoreElements()) {
        uno::Reference<beans::XPropertySet> props(paragraphs->nextElement(), uno::UNO_QUERY_THROW);
        Paragraph p;
        OUString style;
        props->getPropertyValue(OUString("ParaStyleName")) >>= style;
        p.style = ShownStyleName(document, style);
        p.text = Office::ToQString(uno::Reference<text::XTextRange>(props, uno::UNO_QUERY_THROW)->getString());
        style::BreakType breakType = style::BreakType_NONE;
        props->getPropertyValue(OUString("BreakType")) >>= breakType;
        p.pageBreakBefore = breakType == style::BreakType_PAGE_BEFORE;
        result.push_back(p);
    }
    return result;
}

std::vector<Portion> Portions(const std::shared_ptr<Word::_Document>& document)
{
    std::vector<Portion> result;
    const auto paragraphs
        = uno::Reference<container::XEnumerationAccess>(Writer(document)->Model()->getText(), uno::UNO_QUERY_THROW)
              ->createEnumeration();
    while (paragraphs->hasMoreElements()) {
        const auto portions
            = uno::Reference<container::XEnumerationAccess>(paragraphs->nextElement(), uno::UNO_QUERY_THROW)
                  ->createEnumeration();
        while (portions->hasMoreElements()) {
            uno::Reference<beans::XPropertySet> props(portions->nextElement(), uno::UNO_QUERY_THROW);
            Portion p;
            p.text = Office::ToQString(uno::Reference<text::XTextRange>(props, uno::UNO_QUERY_THROW)->getString());
            sal_Int16 underline = 0, escapement = 0, rotation = 0;
            OUString western, asian;
            props->getPropertyValue(OUString("CharUnderline")) >>= underline;
            props->getPropertyValue(OUString("CharEscapement")) >>= escapement;
            props->getPropertyValue(OUString("CharRotation")) >>= rotation;
            props->getPropertyValue(OUString("CharFontName")) >>= western;
            props->getPropertyValue(OUString("CharFontNameAsian")) >>= asian;
            p.underline = underline;
            p.escapement = escapement;
            p.rotation = rotation;
            p.faceWestern = Office::ToQString(western);
            p.faceAsian = Office::ToQString(asian);
            props->getPropertyValue(OUString("CharHeight")) >>= p.height;
            props->getPropertyValue(OUString("CharHeightAsian")) >>= p.heightAsian;
            result.push_back(p);
        }
    }
    return result;
}

Portion PortionWith(const std::vector<Portion>& portions, const QString& text)
{
    for (const Portion& p : portions)
        if (p.text.contains(text))
            return p;
    return {};
}

bool ProcessGroupAlive(pid_t group)
{
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        bool numeric = false;
        entry.toInt(&numeric);
        if (!numeric)
            continue;
        QFile stat(QStringLiteral("/proc/%1/stat").arg(entry));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        // pid (comm) state ppid pgrp ...; comm may hold spaces, so read after ')'.
        const QByteArray line = stat.readAll();
        const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 2 && fields[0] != "Z" && fields[2].toInt() == group)
            return true;
    }
    return false;
}

} // namespace OfficeTest
