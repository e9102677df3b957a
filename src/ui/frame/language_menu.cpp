// 設定 > 言語: the language the program speaks. Japanese unless the user chose English here,
// whatever the system's locale; the choice is kept with the user's own settings (Zol.cfg's
// layout is fixed) and applies at once.

#include "core/messages/show_message.h"
#include "core/messages/texts.h"
#include "ui/frame/zol.h"
#include "ui/windows/toolbar.h"

#include <QAction>
#include <QDialog>
#include <QSettings>

namespace zol {

namespace {

const QString kLanguageKey = QStringLiteral("language");

struct LanguageChoice {
    QString settings_path; // empty: the choice lives only while the editor runs
    bool dialogs_told = false;
};

LanguageChoice& Choice(Editor& editor) { return editor.State().windows.Get<LanguageChoice>(); }

void Check_Language_Items(Editor& editor)
{
    const winlib::Language now = winlib::Current_Language();
    for (auto [id, language] : {std::pair{ID_LANGUAGE_JA, winlib::Language::Japanese},
                                std::pair{ID_LANGUAGE_EN, winlib::Language::English}}) {
        QAction* item = editor.Menu_Item(id);
        item->setCheckable(true);
        item->setChecked(language == now);
    }
}

// The dialogs open now, which keep the language they were made in.
bool Dialogs_Open(Editor& editor)
{
    const QList<QDialog*> dialogs = editor.Main_Window().findChildren<QDialog*>();
    return std::any_of(dialogs.begin(), dialogs.end(), [](const QDialog* d) { return d->isVisible(); });
}

void Apply_Language(Editor& editor, winlib::Language language)
{
    winlib::Use_Language(language);
    Check_Language_Items(editor);
    emit editor.Hub().languageChanged();
}

} // namespace

winlib::Language Starting_Language(const QString& settings_path, std::optional<winlib::Language> this_run)
{
    std::optional<winlib::Language> kept;
    if (!settings_path.isEmpty())
        kept = winlib::Language_Of_Code(QSettings(settings_path, QSettings::IniFormat).value(kLanguageKey).toString());
    return this_run.value_or(kept.value_or(winlib::Language::Japanese));
}

void Use_Language_Setting(Editor& editor, const QString& settings_path, std::optional<winlib::Language> this_run)
{
    Choice(editor).settings_path = settings_path;
    const winlib::Language language = Starting_Language(settings_path, this_run);
    if (language != winlib::Current_Language()) Apply_Language(editor, language);
    else Check_Language_Items(editor);
}

void Language_Command(Editor& editor, winlib::Language language)
{
    LanguageChoice& choice = Choice(editor);
    if (!choice.settings_path.isEmpty()) {
        QSettings settings(choice.settings_path, QSettings::IniFormat);
        settings.setValue(kLanguageKey, winlib::Language_Code(language));
    }
    if (language == winlib::Current_Language()) {
        Check_Language_Items(editor); // a click on the checked item would uncheck it
        return;
    }
    const bool dialogs_open = Dialogs_Open(editor);
    Apply_Language(editor, language);
    if (dialogs_open && !choice.dialogs_told) {
        choice.dialogs_told = true;
        Show_Message(&editor.Main_Window(), Text::tr("言語"),
                     Text::tr("開いているダイアログは、次に開いたときから新しい言語で表示されます。"), MB_OK,
                     MB_ICON_INFORMATION);
    }
}

void Follow_Language(Zol& frame)
{
    QObject::connect(&frame.Hub(), &Changes::languageChanged, &frame, [&frame] {
        frame.Retranslate_Menus();
        Retranslate_Toolbar(frame);
    });
    Check_Language_Items(frame);
}

} // namespace zol
