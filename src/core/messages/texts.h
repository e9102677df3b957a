#pragma once
// The program's own texts. Every text the editor shows is written in Japanese, the program's own
// language, and goes through Text::tr (context "Zol"), so that a translation (translations/) can
// stand in for it; a text kept in a table is marked with QT_TRANSLATE_NOOP("Zol", ...) and
// translated where it is shown. Texts that are files' contents are never translated.

#include <QCoreApplication>
#include <QString>

namespace zol {

struct Text {
    Q_DECLARE_TR_FUNCTIONS(Zol)
};

// A text marked in a table, in the language in use.
inline QString Translated(const char* source) { return QCoreApplication::translate("Zol", source); }

} // namespace zol
