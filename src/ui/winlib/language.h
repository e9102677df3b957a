#pragma once
// The language the program speaks. Japanese is its own: its texts are the source texts, and
// Qt's own texts (standard buttons, file dialogs) come from Qt's Japanese translation. English
// comes from the program's English catalogue, built into the program, with Qt's own texts in
// Qt's English.

#include <QString>

#include <optional>

namespace zol::winlib {

enum class Language { Japanese, English };

// Installs language's translations in the application, replacing the other's; false when a
// translation could not be loaded (those texts stay as they were). Widgets receive
// QEvent::LanguageChange.
bool Use_Language(Language language);
// The language installed last; Japanese before any.
Language Current_Language();

// "ja" and "en", as the command line and the kept choice name them.
QString Language_Code(Language language);
std::optional<Language> Language_Of_Code(const QString& code);

} // namespace zol::winlib
