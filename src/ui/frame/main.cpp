// Starts the editor: the main frame, maximised, with any files named on the command line opened
// as if dropped on it once the frame is on screen. --help and --version answer on standard
// output and end the program before anything needs a display; --lang chooses the language for
// this run.

#include "ui/frame/zol.h"
#include "ui/windows/map_view.h"
#include "ui/winlib/message_box.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QStandardPaths>
#include <QTimer>

#include <cstdio>
#include <cstring>
#include <optional>

namespace {

// With ZOL_EXIT_AFTER_FIRST_PAINT set (the start-up benchmark), says "painted" on standard
// output once the first map window's picture has been painted, and ends the program.
class FirstPaintExit : public QObject {
public:
    explicit FirstPaintExit(zol::Zol& frame) : frame_(frame) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && zol::Map_Controls(frame_, 0).picture == watched && !painted_) {
            painted_ = true;
            // Said at once, for the benchmark stops its clock here; the program then ends.
            std::fputs("painted\n", stdout);
            std::fflush(stdout);
            QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
        }
        return false;
    }

private:
    zol::Zol& frame_;
    bool painted_ = false;
};

const char* const kUsage =
    "usage: zol [--lang ja|en] [FILE...]\n"
    "       zol --help\n"
    "       zol --version\n"
    "\n"
    "Starts the Zol tile map editor and opens each map (.zol) and tileset bitmap (.bmp)\n"
    "named, as if they had been dropped on its window.\n"
    "\n"
    "  --lang ja|en  speak Japanese or English for this run only; the language chosen\n"
    "                in the settings menu stays as it is\n";

// Answers --help or --version, wherever it stands, on standard output; false when neither is given.
bool Answered_Help_Or_Version(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--help") || !std::strcmp(argv[i], "-h")) {
            std::fputs(kUsage, stdout);
            return true;
        }
        if (!std::strcmp(argv[i], "--version")) {
            std::fputs("zol " ZOL_VERSION "\n", stdout);
            return true;
        }
    }
    return false;
}

// The command line without --lang and its code. Sets this_run to the language named, or
// language_error when the code is missing or unknown.
QStringList Without_Language(const QStringList& arguments, std::optional<zol::winlib::Language>& this_run,
                             bool& language_error)
{
    QStringList rest;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        QString code;
        if (arguments[i] == QLatin1String("--lang")) {
            if (++i < arguments.size()) code = arguments[i];
        } else if (arguments[i].startsWith(QLatin1String("--lang="))) {
            code = arguments[i].mid(7);
        } else {
            rest << arguments[i];
            continue;
        }
        this_run = zol::winlib::Language_Of_Code(code);
        if (!this_run) language_error = true;
    }
    return rest;
}

} // namespace

int main(int argc, char** argv)
{
    // Before QApplication, which needs a display.
    if (Answered_Help_Or_Version(argc, argv)) return std::fflush(stdout) == 0 ? 0 : 1;
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("zol"));
    std::optional<zol::winlib::Language> this_run;
    bool language_error = false;
    QStringList files = Without_Language(app.arguments().mid(1), this_run, language_error);
    if (language_error) {
        std::fputs("zol: --lang takes ja or en\n", stderr);
        std::fputs(kUsage, stderr);
        return 2;
    }
    // The recent maps and the language are the user's own, kept with the user's settings, not
    // in Zol.cfg.
    const QString config = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    const QString user_settings = config.isEmpty() ? QString() : config + QStringLiteral("/settings.ini");
    // The language goes in first, so that every window is made in it.
    zol::winlib::Use_Language(zol::Starting_Language(user_settings, this_run));
    app.setWindowIcon(QIcon(QStringLiteral(":/zol/icon.png")));
    zol::Zol frame;
    // The settings live in Zol.cfg in the folder the editor was started in.
    frame.Use_Config(QDir::current().absoluteFilePath(QStringLiteral("Zol.cfg")));
    zol::Use_Recent_Maps(frame, user_settings);
    zol::Use_Language_Setting(frame, user_settings, this_run);
    zol::QtMessagePresenter messages(&frame);
    zol::Set_Message_Presenter(&messages);
    // Copies of unsaved work go to the user's data folder; those of an editor that died are
    // offered once the frame is on screen.
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    zol::Start_Recovery(frame, data.isEmpty() ? QString() : data + QStringLiteral("/recovery"));
    frame.showMaximized();
    QTimer::singleShot(0, &frame, [&frame] { zol::Offer_Recovery(frame); });
    frame.Open_When_Shown(files);
    FirstPaintExit first_paint(frame);
    if (qEnvironmentVariableIsSet("ZOL_EXIT_AFTER_FIRST_PAINT")) app.installEventFilter(&first_paint);
    const int status = app.exec();
    zol::Set_Message_Presenter(nullptr);
    return status;
}
