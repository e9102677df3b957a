#include <gtest/gtest.h>

#include "core/messages/show_message.h"
#include "scripted_presenter.h"

#include <QObject>

#include <ostream>

[[maybe_unused]] static void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace zol {
namespace {

using B = MessageButton;

struct ButtonsRow {
    const char* name;
    int code;
    std::vector<MessageButton> expected;
};

TEST(ShowMessage, ButtonCodesMapToButtonSets)
{
    const ButtonsRow rows[] = {
        {"ok", 0, {B::Ok}},
        {"ok_cancel", 1, {B::Ok, B::Cancel}},
        {"abort_retry_ignore", 2, {B::Abort, B::Retry, B::Ignore}},
        {"yes_no_cancel", 3, {B::Yes, B::No, B::Cancel}},
        {"yes_no", 4, {B::Yes, B::No}},
        {"retry_cancel", 5, {B::Retry, B::Cancel}},
        {"six_is_ok", 6, {B::Ok}},
        {"nine_is_ok", 9, {B::Ok}},
        {"negative_is_ok", -1, {B::Ok}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(Message_Buttons(row.code), row.expected);
    }
}

TEST(ShowMessage, IconCodesMapToIcons)
{
    const struct {
        const char* name;
        int code;
        MessageIcon expected;
    } rows[] = {
        {"none", 0, MessageIcon::None},
        {"information", 1, MessageIcon::Information},
        {"question", 2, MessageIcon::Question},
        {"exclamation_3", 3, MessageIcon::Exclamation},
        {"exclamation_4", 4, MessageIcon::Exclamation},
        {"stop", 5, MessageIcon::Stop},
        {"six_is_none", 6, MessageIcon::None},
        {"nine_is_none", 9, MessageIcon::None},
        {"negative_is_none", -3, MessageIcon::None},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(Message_Icon(row.code), row.expected);
    }
}

TEST(ShowMessage, DefaultButtonIndex)
{
    const struct {
        const char* name;
        int code;
        int buttons;
        int expected;
    } rows[] = {
        {"first", 0, 3, 0},
        {"second", 1, 3, 1},
        {"third", 2, 3, 2},
        {"fourth_of_three_falls_back", 3, 3, 0},
        {"fourth_of_four", 3, 4, 3},
        {"fifth_is_first", 4, 4, 0},
        {"negative_is_first", -1, 3, 0},
        {"second_of_one_is_first", 1, 1, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(Message_Default_Index(row.code, row.buttons), row.expected);
    }
}

TEST(ShowMessage, ModalityCodes)
{
    const struct {
        const char* name;
        int code;
        MessageModality expected;
    } rows[] = {
        {"zero_task", 0, MessageModality::Task},
        {"one_system", 1, MessageModality::System},
        {"two_no_focus", 2, MessageModality::NoFocus},
        {"three_task", 3, MessageModality::Task},
        {"four_application", 4, MessageModality::Application},
        {"five_application", 5, MessageModality::Application},
        {"six_task", 6, MessageModality::Task},
        {"large_task", 100, MessageModality::Task},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(Message_Modality(row.code), row.expected);
    }
}

TEST(ShowMessage, ResultTexts)
{
    const struct {
        MessageButton button;
        const char* expected;
    } rows[] = {
        {B::Ok, "Ok"},         {B::Cancel, "Cancel"}, {B::Abort, "Abort"},
        {B::Retry, "Retry"},   {B::Ignore, "Ignore"}, {B::No, "No"},
        {B::Close, "Close"},   {B::Yes, "Help"},      {B::Help, "Help"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.expected);
        EXPECT_EQ(Message_Result(row.button), QString::fromLatin1(row.expected));
    }
    EXPECT_EQ(kAnswerYes, QStringLiteral("Help"));
}

TEST(ShowMessage, ScriptedPresenterRecordsCallsAndAnswersFromQueue)
{
    ScriptedPresenter presenter;
    QObject owner;
    presenter.answer(B::Yes);
    presenter.answer(B::No);
    presenter.answer(B::Cancel);

    EXPECT_EQ(Show_Message(&owner, QStringLiteral("質問"), QStringLiteral("本当に？"), MB_YESNOCANCEL,
                           MB_ICON_QUESTION, 1, 4),
              QStringLiteral("Help"));
    EXPECT_EQ(Show_Message(nullptr, QStringLiteral("b"), QStringLiteral("t"), 3, 2), kAnswerNo);
    EXPECT_EQ(Show_Message(nullptr, QStringLiteral("c"), QStringLiteral("t"), 3, 2), kAnswerCancel);
    EXPECT_EQ(presenter.pending_answers(), 0u);

    ASSERT_EQ(presenter.calls().size(), 3u);
    const MessageRequest& first = presenter.calls()[0];
    EXPECT_EQ(first.owner, &owner);
    EXPECT_EQ(first.caption, QStringLiteral("質問"));
    EXPECT_EQ(first.text, QStringLiteral("本当に？"));
    EXPECT_EQ(first.buttons, (std::vector<MessageButton>{B::Yes, B::No, B::Cancel}));
    EXPECT_EQ(first.icon, MessageIcon::Question);
    EXPECT_EQ(first.default_index, 1);
    EXPECT_EQ(first.modality, MessageModality::Application);
    EXPECT_EQ(presenter.captions(), (QStringList{QStringLiteral("質問"), QStringLiteral("b"),
                                                 QStringLiteral("c")}));
}

TEST(ShowMessage, ScriptedPresenterWithEmptyQueueAnswersDefault)
{
    ScriptedPresenter presenter;
    EXPECT_EQ(Show_Message(nullptr, QStringLiteral("c"), QStringLiteral("t"), MB_YESNO,
                           MB_ICON_QUESTION, 1),
              kAnswerNo);
    EXPECT_EQ(Show_Message(nullptr, QStringLiteral("c"), QStringLiteral("t"), MB_YESNO,
                           MB_ICON_QUESTION),
              kAnswerYes);
    // Out-of-range codes reach the presenter already mapped.
    EXPECT_EQ(Show_Message(nullptr, QStringLiteral("c"), QStringLiteral("t"), 9, 9, 7, 9), kAnswerOk);
    EXPECT_EQ(presenter.last().buttons, std::vector<MessageButton>{B::Ok});
    EXPECT_EQ(presenter.last().icon, MessageIcon::None);
    EXPECT_EQ(presenter.last().default_index, 0);
    EXPECT_EQ(presenter.last().modality, MessageModality::Task);
}

TEST(ShowMessage, WithoutPresenterAnswersDefaultButton)
{
    MessagePresenter* saved = Set_Message_Presenter(nullptr);
    EXPECT_EQ(Show_Message(nullptr, QStringLiteral("c"), QStringLiteral("t"), MB_OKCANCEL, 0), kAnswerOk);
    EXPECT_EQ(Show_Message(nullptr, QStringLiteral("c"), QStringLiteral("t"), MB_OKCANCEL, 0, 1), kAnswerCancel);
    EXPECT_EQ(Show_Message(nullptr, QStringLiteral("c"), QStringLiteral("t"), MB_ABORTRETRYIGNORE, 0, 2),
              QStringLiteral("Ignore"));
    EXPECT_EQ(Show_Message(nullptr, QStringLiteral("c"), QStringLiteral("t"), MB_RETRYCANCEL, 0),
              QStringLiteral("Retry"));
    EXPECT_EQ(Show_Message(nullptr, QStringLiteral("c"), QStringLiteral("t"), MB_YESNO, 0), kAnswerYes);
    Set_Message_Presenter(saved);
}

TEST(ShowMessage, ScriptedPresentersNestAndRestore)
{
    EXPECT_EQ(Message_Presenter(), nullptr);
    {
        ScriptedPresenter outer;
        EXPECT_EQ(Message_Presenter(), &outer);
        {
            ScriptedPresenter inner;
            EXPECT_EQ(Message_Presenter(), &inner);
            Show_Message(nullptr, QStringLiteral("x"), QStringLiteral("y"), 0, 0);
            EXPECT_EQ(inner.calls().size(), 1u);
        }
        EXPECT_EQ(Message_Presenter(), &outer);
        EXPECT_TRUE(outer.calls().empty());
    }
    EXPECT_EQ(Message_Presenter(), nullptr);
}

} // namespace
} // namespace zol
