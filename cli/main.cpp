#include "zol_tool.h"

#include <QCoreApplication>


int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments();
    args.removeFirst();
    QTextStream out(stdout);
    QTextStream err(stderr);
    const int status = zol::Run_Zol_Tool(args, out, err);
    out.flush();
    err.flush();
    return status;
}
