// Help (F1) and the About box's link, end to end: the real program with its
// help page, xdg-open, and a stand-in browser named by BROWSER that writes
// down what it was asked to open.
#include "app/Application.h"
#include "desktop/CVersionChecker.h"
#include "res/ResourceIds.h"
#include "res/StringTable.h"
#include "support/RecordingCreator.h"
#include "support/RecordingMessageSink.h"
#include "quiz/Model.h"
#include "ui/CStaticLink.h"
#include "ui/ControlId.h"
#include "ui/DlgAbout.h"
#include "ui/DlgMain.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <map>
#include <optional>

namespace {

// Sets environment variables (or unsets them, for a null value) for the
// life of the object.
class ScopedEnvironment {
public:
    ScopedEnvironment(std::map<QByteArray, std::optional<QByteArray>> values)
    {
        for (const auto& [name, value] : values) {
            saved_[name]
                = qEnvironmentVariableIsSet(name.constData()) ? std::optional(qgetenv(name.constData())) : std::nullopt;
            Apply(name, value);
        }
    }
    ~ScopedEnvironment()
    {
        for (const auto& [name, value] : saved_)
            Apply(name, value);
    }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    static void Apply(const QByteArray& name, const std::optional<QByteArray>& value)
    {
        if (value)
            qputenv(name.constData(), *value);
        else
            qunsetenv(name.constData());
    }
    std::map<QByteArray, std::optional<QByteArray>> saved_;
};

class HelpAndLinks : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("home")));
        ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("no-applications")));
        QFile browser(BrowserScript());
        ASSERT_TRUE(browser.open(QIODevice::WriteOnly));
        // One line per call, written whole so that a reader never sees half.
        browser.write(QStringLiteral("#!/bin/sh\nprintf '%s\\n' \"$*\" >> '%1'\n").arg(Log()).toUtf8());
        browser.close();
        browser.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    QString BrowserScript() const { return dir.filePath(QStringLiteral("browser.sh")); }
    QString Log() const { return dir.filePath(QStringLiteral("opened.txt")); }

    // What the stand-in browser has been asked to open so far.
    QStringList Opened() const
    {
        QFile file(Log());
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
    }

    // Waits (running events) until the browser has been asked `count` times.
    QStringList WaitForOpened(int count) const
    {
        QDeadlineTimer deadline(20000);
        while (Opened().size() < count && !deadline.hasExpired())
            QTest::qWait(20);
        return Opened();
    }

    // No desktop session and no application for web pages: xdg-open falls
    // back to BROWSER, as on a machine without a desktop environment.
    ScopedEnvironment Desktopless() const
    {
        return ScopedEnvironment({
            {"BROWSER", BrowserScript().toUtf8()},
            {"XDG_DATA_HOME", dir.filePath(QStringLiteral("home")).toUtf8()},
            {"XDG_DATA_DIRS", dir.filePath(QStringLiteral("no-applications")).toUtf8()},
            {"XDG_CURRENT_DESKTOP", std::nullopt},
            {"DESKTOP_SESSION", std::nullopt},
            {"KDE_FULL_SESSION", std::nullopt},
            {"GNOME_DESKTOP_SESSION_ID", std::nullopt},
            {"DISPLAY", std::nullopt},
            {"WAYLAND_DISPLAY", std::nullopt},
        });
    }

    QTemporaryDir dir;
    RecordingMessageSink sink;
};

} // namespace

TEST_F(HelpAndLinks, F1AndTheAboutLinkOpenTheHelpPageAndTheSupportSiteInTheBrowser)
{
    const auto environment = Desktopless();
    // The build's program folder: the sample books, the templates and the
    // help page the program ships with.
    const Path path(QStringLiteral(TV_TEST_DATA_DIR "/.."));
    ASSERT_TRUE(QFile::exists(path.HelpPage()));

    Application application{path};
    application.SetCreatorSource([] {
        return Application::CreatorList{{Model::kWord, std::make_shared<RecordingCreator>()},
            {Model::kIchitaro, std::make_shared<RecordingCreator>()}};
    });
    QStringList afterHelp;
    QStringList afterLink;
    bool aboutOpened = false;
    application.SetWindowHook([&](Application&, DlgMain& window) {
        window.SetVersionChecker(std::make_unique<CVersionChecker>(QStringLiteral("http://127.0.0.1:9/"), QString()));
        QTimer::singleShot(0, &window, [&] {
            window.activateWindow();
            QTest::qWaitForWindowActive(&window);
            QTest::keyClick(&window, Qt::Key_F1);
            afterHelp = WaitForOpened(1);

            // The About box is modal: its link is clicked from inside its
            // own event loop, and the box is closed after that.
            QTimer::singleShot(0, [&] {
                auto* about = qobject_cast<DlgAbout*>(QApplication::activeModalWidget());
                if (!about)
                    return;
                aboutOpened = true;
                auto* link = FindControl<CStaticLink>(about, Res::IDC_SUPPORT_LINK);
                if (link)
                    QTest::mouseClick(link, Qt::LeftButton, {}, link->rect().center());
                afterLink = WaitForOpened(2);
                about->accept();
            });
            QTest::keyClick(&window, Qt::Key_Slash, Qt::AltModifier);
            window.ExecuteCommand(Res::ID_APP_EXIT);
        });
    });
    application.Run();
    CStaticLink::SetVisited(false);

    EXPECT_EQ(afterHelp, QStringList{path.HelpPage()});
    EXPECT_TRUE(aboutOpened);
    EXPECT_EQ(afterLink, (QStringList{path.HelpPage(), Res::String(Res::IDS_SUPPORT_URL)}));
    EXPECT_TRUE(sink.Messages().empty());
}
