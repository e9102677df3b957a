// Starts the editor: the main frame, maximised, with any files named on the command line opened
// as if dropped on it once the frame is on screen.

#include "shell/zol.h"
#include "winlib/message_box.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QStandardPaths>
#include <QTimer>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("zol"));
    zol::winlib::Install_Japanese_Translation();
    app.setWindowIcon(QIcon(QStringLiteral(":/zol/icon.png")));
    zol::Zol frame;
    // The settings live in Zol.cfg in the folder the editor was started in.
    frame.Use_Config(QDir::current().absoluteFilePath(QStringLiteral("Zol.cfg")));
    zol::QtMessagePresenter messages(&frame);
    zol::Set_Message_Presenter(&messages);
    // Copies of unsaved work go to the user's data folder; those of an editor that died are
    // offered once the frame is on screen.
    zol::Start_Recovery(frame, QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) +
                                   QStringLiteral("/recovery"));
    frame.showMaximized();
    QStringList files = app.arguments();
    files.removeFirst();
    QTimer::singleShot(0, &frame, [&frame] { zol::Offer_Recovery(frame); });
    frame.Open_When_Shown(files);
    const int status = app.exec();
    zol::Set_Message_Presenter(nullptr);
    return status;
}
