#include "core/exchange/recent_files.h"

namespace zol {

void RecentFiles::Add(const QString& path)
{
    if (path.isEmpty()) return;
    paths_.removeAll(path);
    paths_.prepend(path);
    while (paths_.size() > kMost) paths_.removeLast();
}

void RecentFiles::Set(const QStringList& paths)
{
    paths_.clear();
    for (const QString& path : paths)
        if (!path.isEmpty() && !paths_.contains(path) && paths_.size() < kMost) paths_.append(path);
}

} // namespace zol
