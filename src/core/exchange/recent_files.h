#pragma once
// The maps opened or saved last, newest first: at most eight, each once. Kept between runs by
// the editor's own settings, not in Zol.cfg, whose layout is fixed.

#include <QString>
#include <QStringList>

namespace zol {

class RecentFiles {
public:
    static constexpr int kMost = 8;

    // path becomes the newest entry (moved up when it is listed already).
    void Add(const QString& path);
    // The list as kept: paths, newest first; empty ones, repeats and those past the eighth go.
    void Set(const QStringList& paths);
    const QStringList& Paths() const { return paths_; }

private:
    QStringList paths_;
};

} // namespace zol
