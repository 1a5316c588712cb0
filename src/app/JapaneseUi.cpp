#include "app/JapaneseUi.h"

#include <QApplication>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QTranslator>

const char* const JapaneseUi::FaceName = "Noto Sans CJK JP";

bool JapaneseUi::Apply(QApplication& application)
{
    const QString face = QString::fromLatin1(FaceName);
    if (QFontDatabase::families().contains(face)) {
        QFont font = QApplication::font();
        font.setFamilies({face});
        QApplication::setFont(font);
    }
    // Owned by the application, which outlives every window.
    auto* translator = new QTranslator(&application);
    if (!translator->load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"), QStringLiteral("_"),
            QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}
