// The editor in English: every text it shows, in the frame and in each window and dialog its
// menus open, is translated; and the choice of language is kept.

#include "core/map/file_path.h"
#include "support/frame_fixture.h"
#include "ui/winlib/language.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>

namespace zol::test {

namespace {

// Every text a widget and its children show: titles, tooltips, button and label texts, list and
// chooser entries, menu titles and items.
void Add_Shown_Texts(QWidget* root, QStringList& texts)
{
    QList<QWidget*> widgets = root->findChildren<QWidget*>();
    widgets.prepend(root);
    for (QWidget* w : widgets) {
        texts << w->windowTitle() << w->toolTip();
        if (auto* button = qobject_cast<QAbstractButton*>(w)) texts << button->text();
        if (auto* label = qobject_cast<QLabel*>(w)) texts << label->text();
        if (auto* pane = qobject_cast<winlib::WTextPane*>(w)) texts << pane->Text();
        if (auto* menu = qobject_cast<QMenu*>(w)) texts << menu->title();
        if (auto* chooser = qobject_cast<QComboBox*>(w))
            for (int i = 0; i < chooser->count(); ++i) texts << chooser->itemText(i);
        if (auto* list = qobject_cast<winlib::WListBox*>(w))
            for (int i = 0; i < list->Count(); ++i) texts << list->Line(i);
        for (QAction* action : w->actions()) texts << action->text() << action->toolTip();
    }
}

} // namespace

class LanguageTest : public FrameTest {
protected:
    void TearDown() override
    {
        winlib::Use_Language(winlib::Language::Japanese);
        FrameTest::TearDown();
    }

    // The names of the open maps and of the palette: file names, which stay as they are.
    QStringList File_Names()
    {
        QStringList names;
        for (int s = 0; s < kMaxDocuments; ++s)
            if (Doc(s).is_open()) names << Path_File_Name(Doc(s).file_path) << Path_Name_Part(Doc(s).file_path);
        const QString palette = frame->State().palette.path;
        if (!palette.isEmpty()) names << Path_File_Name(palette) << Path_Name_Part(palette);
        std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) { return a.size() > b.size(); });
        return names;
    }

    // Every text on screen, every message and every file dialog so far; those still holding a
    // Japanese character once file names are left out, one to a line.
    std::string Japanese_Shown()
    {
        QStringList texts;
        for (QWidget* window : QApplication::topLevelWidgets())
            if (window->isVisible()) Add_Shown_Texts(window, texts);
        for (const MessageRequest& box : messages.calls()) texts << box.caption << box.text;
        for (const winlib::FileDialogRequest& request : dialogs.File_Requests())
            texts << request.title << request.button_text << request.filters;
        checked += int(texts.size());
        const QStringList names = File_Names();
        QStringList japanese;
        for (QString text : texts) {
            if (text == QStringLiteral("日本語")) continue; // the language's own name, in the menu
            for (const QString& name : names) text.remove(name);
            if (Has_Japanese(text)) japanese << text;
        }
        japanese.removeDuplicates();
        return japanese.join(QLatin1Char('\n')).toStdString();
    }

    int checked = 0;
};

TEST_F(LanguageTest, EnglishFrameWindowsAndDialogsShowNoJapanese)
{
    Use_Language_Setting(*frame, Path("settings.ini"), std::nullopt);
    ASSERT_TRUE(frame->Menu_Item(ID_LANGUAGE_JA)->isChecked());
    // Switched in the menu, on a frame built in Japanese.
    frame->Run_Command(ID_LANGUAGE_EN);
    EXPECT_TRUE(frame->Menu_Item(ID_LANGUAGE_EN)->isChecked());
    EXPECT_FALSE(frame->Menu_Item(ID_LANGUAGE_JA)->isChecked());
    EXPECT_EQ(frame->Menu_Item(ID_OPEN_MAP)->text(), QStringLiteral("&Open Map…"));
    EXPECT_EQ(Toolbar_Controls(*frame).undo_button->toolTip(), QStringLiteral("Undo"));
    emit frame->Recent_Menu()->aboutToShow(); // its "(none)"
    EXPECT_EQ(Japanese_Shown(), "");

    ASSERT_EQ(Open(Write_Test_Map("a.zol", "1 2 3\n4 5 6")), 0);
    // Every command of the menus, each leaving its window, dialog or message for the next check.
    for (int id = ID_NEW_MAP; id < ID_LANGUAGE_JA; ++id) {
        if (!frame->Menu_Item(id) || id == ID_EXIT) continue;
        frame->Activate_Top_Map();
        frame->Run_Command(id);
        QCoreApplication::processEvents();
        EXPECT_EQ(Japanese_Shown(), "") << "after command " << id;
    }
    // The windows that clicks open: the cell loading window, the cell editor, the event and
    // link dialog and the pattern maker.
    Open_Load_Bitmap_Form(*frame, 3);
    Open_Cell_Editer(*frame);
    Open_Event_Link(*frame, 0, 0, 0, Map(0).picture);
    Open_Pattern_Maker(*frame, 2, 2);
    Mouse(0, "MouseMoveEvent", 0, 0); // the status line's cell, with its link and event
    QCoreApplication::processEvents();
    EXPECT_EQ(Japanese_Shown(), "");
    EXPECT_GT(checked, 2000);

    // Back in Japanese: the frame follows at once, and the dialogs left open are told of once.
    const std::size_t before = messages.calls().size();
    frame->Run_Command(ID_LANGUAGE_JA);
    frame->Run_Command(ID_LANGUAGE_EN);
    EXPECT_EQ(frame->Menu_Item(ID_OPEN_MAP)->text(), QStringLiteral("&Open Map…"));
    frame->Run_Command(ID_LANGUAGE_JA);
    EXPECT_EQ(frame->Menu_Item(ID_OPEN_MAP)->text(), QStringLiteral("マップデータを開く(&O)"));
    ASSERT_EQ(messages.calls().size(), before + 1);
    EXPECT_EQ(messages.last().caption, QStringLiteral("言語"));
}

TEST_F(LanguageTest, ChoiceIsKeptAndTheCommandLineChoosesForOneRun)
{
    const QString settings = Path("settings.ini");
    // Japanese first, whatever the system's locale.
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(Starting_Language(settings, std::nullopt), winlib::Language::Japanese);
    Use_Language_Setting(*frame, settings, std::nullopt);
    frame->Run_Command(ID_LANGUAGE_EN);
    EXPECT_EQ(QSettings(settings, QSettings::IniFormat).value("language").toString(), QStringLiteral("en"));
    // The next start speaks English; --lang ja speaks Japanese for one run and keeps the choice.
    EXPECT_EQ(Starting_Language(settings, std::nullopt), winlib::Language::English);
    frame = std::make_unique<Zol>();
    Use_Language_Setting(*frame, settings, winlib::Language::Japanese);
    EXPECT_EQ(winlib::Current_Language(), winlib::Language::Japanese);
    EXPECT_EQ(frame->Menu_Item(ID_OPEN_MAP)->text(), QStringLiteral("マップデータを開く(&O)"));
    EXPECT_EQ(Starting_Language(settings, std::nullopt), winlib::Language::English);
    // A damaged value is no choice.
    QSettings(settings, QSettings::IniFormat).setValue("language", "xx");
    EXPECT_EQ(Starting_Language(settings, std::nullopt), winlib::Language::Japanese);
    QLocale::setDefault(QLocale::system());
}

} // namespace zol::test
