// A second editor for the recovery tests, run as a process of its own (offscreen):
//   recovery_child edit ROOT MAP   opens MAP, paints cell (1, 0), waits until the copy is written
//                                  under ROOT, prints "ready" and waits to be killed;
//   recovery_child offer ROOT      starts on ROOT, answers Yes to every question, and prints
//                                  what it was told, the status line and the maps it restored.

#include "scripted_dialogs.h"
#include "scripted_presenter.h"
#include "ui/frame/zol.h"
#include "ui/windows/map_view.h"
#include "test_support.h"

#include <QApplication>
#include <QDirIterator>
#include <QThread>

#include <cstdio>

using namespace zol;

namespace {

void Say(const QString& line)
{
    std::fputs(qUtf8Printable(line + QLatin1Char('\n')), stdout);
    std::fflush(stdout);
}

QString One_Line(QString text) { return text.replace(QLatin1Char('\n'), QLatin1Char('|')); }

int Edit_And_Wait(Zol& frame, winlib::ScriptedDialogs& dialogs, const QString& root, const QString& map)
{
    Start_Recovery(frame, root);
    dialogs.Answer_File(map);
    frame.Run_Command(ID_OPEN_MAP);
    const int s = frame.State().cell_size;
    winlib::Override_Buttons(winlib::ButtonSnapshot{.left = true});
    winlib::Fire(Map_Controls(frame, 0).picture, QStringLiteral("LeftButtonDownEvent"), s + s / 2, s / 2);
    winlib::Override_Buttons(winlib::ButtonSnapshot{});
    winlib::Fire(Map_Controls(frame, 0).picture, QStringLiteral("LeftButtonUpEvent"), s + s / 2, s / 2);
    // The real timer writes the copy a few seconds after the edit.
    for (int i = 0; i < 150; ++i) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 100);
        Flush_Recovery(frame);
        if (QDirIterator(root, {QStringLiteral("*.json")}, QDir::Files, QDirIterator::Subdirectories).hasNext()) {
            Say(QStringLiteral("ready"));
            break;
        }
        QThread::msleep(100);
    }
    QThread::sleep(60);
    return 1;
}

int Offer(Zol& frame, ScriptedPresenter& messages, const QString& root)
{
    for (int i = 0; i < 8; ++i) messages.answer(MessageButton::Yes);
    Start_Recovery(frame, root);
    Offer_Recovery(frame);
    Flush_Recovery(frame);
    for (const MessageRequest& call : messages.calls()) Say(QStringLiteral("message: ") + call.caption + ": " + One_Line(call.text));
    Say(QStringLiteral("status: ") + frame.Status()->Text(1));
    for (int s = 0; s < kMaxDocuments; ++s)
        if (frame.Map_Window(s))
            Say(QStringLiteral("map%1: %2 %3").arg(s).arg(frame.Documents()[s].file_path, One_Line(test::Map_To_Text(frame.Documents()[s]))));
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    ScriptedPresenter messages;
    winlib::ScriptedDialogs dialogs;
    Zol frame;
    frame.quit = [](int) {};
    frame.resize(1400, 1000);
    frame.show();
    if (args.size() == 4 && args[1] == QLatin1String("edit")) return Edit_And_Wait(frame, dialogs, args[2], args[3]);
    if (args.size() == 3 && args[1] == QLatin1String("offer")) return Offer(frame, messages, args[2]);
    std::fputs("usage: recovery_child edit ROOT MAP | offer ROOT\n", stderr);
    return 2;
}
