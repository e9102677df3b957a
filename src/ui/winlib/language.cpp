#include "ui/winlib/language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace zol::winlib {

namespace {

struct Translators {
    QTranslator qt_japanese; // Qt's own texts in Japanese
    QTranslator english;     // the program's texts in English
    bool qt_japanese_loaded = false;
    bool english_loaded = false;
    Language current = Language::Japanese;
};

Translators& Installed()
{
    static Translators* translators = [] {
        auto* made = new Translators; // kept for the application's lifetime
        made->qt_japanese_loaded = made->qt_japanese.load(
            QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
        made->english_loaded = made->english.load(QStringLiteral(":/zol/i18n/zol_en.qm"));
        return made;
    }();
    return *translators;
}

} // namespace

bool Use_Language(Language language)
{
    Translators& t = Installed();
    t.current = language;
    const bool english = language == Language::English;
    QTranslator& wanted = english ? t.english : t.qt_japanese;
    QTranslator& other = english ? t.qt_japanese : t.english;
    QCoreApplication::removeTranslator(&other);
    const bool loaded = english ? t.english_loaded : t.qt_japanese_loaded;
    if (loaded) QCoreApplication::installTranslator(&wanted);
    return loaded;
}

Language Current_Language() { return Installed().current; }

QString Language_Code(Language language)
{
    return language == Language::English ? QStringLiteral("en") : QStringLiteral("ja");
}

std::optional<Language> Language_Of_Code(const QString& code)
{
    if (code == QLatin1String("ja")) return Language::Japanese;
    if (code == QLatin1String("en")) return Language::English;
    return std::nullopt;
}

} // namespace zol::winlib
