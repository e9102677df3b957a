// Starts the editor: the main frame, maximised, with any files named on the command line opened
// as if dropped on it.

#include "shell/zol.h"
#include "winlib/message_box.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    app.setWindowIcon(QIcon(QStringLiteral(":/zol/icon.png")));
    zol::Zol frame;
    zol::QtMessagePresenter messages(&frame);
    zol::Set_Message_Presenter(&messages);
    frame.showMaximized();
    QStringList files = app.arguments();
    files.removeFirst();
    frame.Open_Files(files);
    const int status = app.exec();
    zol::Set_Message_Presenter(nullptr);
    return status;
}
