// Qt's own texts in Japanese and one Japanese face for the widgets.
#include "app/JapaneseUi.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <gtest/gtest.h>

TEST(JapaneseUi, QtsOwnTextsAreJapaneseAndTheWidgetsUseTheJapaneseFace)
{
    auto* application = qobject_cast<QApplication*>(QCoreApplication::instance());
    ASSERT_NE(application, nullptr);
    const QFont before = QApplication::font();
    ASSERT_TRUE(JapaneseUi::Apply(*application)) << "qtbase_ja.qm (qt6-translations-l10n) is missing";
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("キャンセル"));
    if (QFontDatabase::families().contains(QString::fromLatin1(JapaneseUi::FaceName)))
        EXPECT_EQ(QFontInfo(QApplication::font()).family(), QString::fromLatin1(JapaneseUi::FaceName));
    QApplication::setFont(before);
}
