#pragma once
// zol-tool: checks, dumps, creates and renders map files without a window, for game makers'
// build pipelines.

#include <QStringList>
#include <QTextStream>

namespace zol {

// Runs one command line (arguments without the program name). Exit status: 0 success, 1 a file
// failed, 2 a usage error.
int Run_Zol_Tool(const QStringList& args, QTextStream& out, QTextStream& err);

} // namespace zol
