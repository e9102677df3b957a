#include "core/render/cell_palette.h"

#include "core/map/file_path.h"

namespace zol {

bool Same_Palette_Path(const QString& first, const QString& second)
{
    const QString a = Absolute_Path(first);
    const QString b = Absolute_Path(second);
    if (a.size() != b.size()) return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        QChar x = a[i], y = b[i];
        if (x == y) continue;
        auto lower = [](QChar c) {
            return (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ? QChar(c.unicode() + 32) : c;
        };
        if (lower(x) != lower(y)) return false;
    }
    return true;
}

} // namespace zol
