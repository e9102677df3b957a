#pragma once
// The one channel through which the program tells the user anything: failures, refusals, notices
// and questions. Core code calls Show_Message; the user interface installs the presenter that
// actually shows the box (a QMessageBox in the editor, a scripted one in tests).

#include "core/messages/texts.h"

#include <QObject>
#include <QString>

#include <vector>

namespace zol {

// Button sets, icons and modality as small integers, the way callers pass them.
enum MessageButtonsCode { MB_OK = 0, MB_OKCANCEL = 1, MB_ABORTRETRYIGNORE = 2, MB_YESNOCANCEL = 3,
                          MB_YESNO = 4, MB_RETRYCANCEL = 5 };
enum MessageIconCode { MB_ICON_NONE = 0, MB_ICON_INFORMATION = 1, MB_ICON_QUESTION = 2,
                       MB_ICON_EXCLAMATION = 3, MB_ICON_STOP = 5 };

enum class MessageButton { Ok, Cancel, Abort, Retry, Ignore, Yes, No, Close, Help };
enum class MessageIcon { None, Information, Question, Exclamation, Stop };
enum class MessageModality { Task, System, NoFocus, Application };

// One message box, with the integer arguments already mapped.
struct MessageRequest {
    QObject* owner = nullptr;
    QString caption;
    QString text;
    std::vector<MessageButton> buttons;
    MessageIcon icon = MessageIcon::None;
    int default_index = 0; // index into buttons
    MessageModality modality = MessageModality::Task;
};

class MessagePresenter {
public:
    virtual ~MessagePresenter() = default;
    // Shows the box and returns the button that closed it.
    virtual MessageButton present(const MessageRequest& request) = 0;
};

// Installs a presenter and returns the one it replaces. With none installed, every box is
// answered with its default button (what a headless run such as the command-line tool wants).
MessagePresenter* Set_Message_Presenter(MessagePresenter* presenter);
MessagePresenter* Message_Presenter();

// Returns the pressed button's name: "Ok", "Cancel", "Abort", "Retry", "Ignore", "No", "Close",
// and "Help" for Yes and anything else.
QString Show_Message(QObject* owner, const QString& caption, const QString& text, int buttons,
                     int icon, int default_button = 0, int modality = 0);

std::vector<MessageButton> Message_Buttons(int buttons);
MessageIcon Message_Icon(int icon);
int Message_Default_Index(int default_button, int button_count);
MessageModality Message_Modality(int modality);
QString Message_Result(MessageButton button);

// Result texts callers compare against.
inline const QString kAnswerYes = QStringLiteral("Help");
inline const QString kAnswerNo = QStringLiteral("No");
inline const QString kAnswerCancel = QStringLiteral("Cancel");
inline const QString kAnswerOk = QStringLiteral("Ok");

// The text of every memory shortage.
inline QString No_Memory_Text() { return Text::tr("メモリの確保に失敗しました"); }

} // namespace zol
