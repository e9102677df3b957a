// The whole-map view, the event, flag and link lists and the map size dialog, offscreen.

#include "ui/windows/lists.h"
#include "ui/windows/map_viewer.h"
#include "frame_fixture.h"
#include "ui/dialogs/map_size_dialog.h"

#include <QScrollBar>

using namespace zol;
using namespace zol::test;

namespace {

class ViewerListsTest : public FrameTest {
protected:
    ViewerControls& Viewer() { return Viewer_Controls(*frame); }
    ListControls& List(ListKind kind) { return List_Controls(*frame, kind); }
    QStringList Lines(ListKind kind)
    {
        QStringList lines;
        for (int i = 0; i < List(kind).list->Count(); ++i) lines << List(kind).list->Line(i);
        return lines;
    }
    void View_Mouse(const char* event, int x, int y, winlib::ButtonSnapshot held = {})
    {
        winlib::Override_Buttons(held);
        winlib::Fire(Viewer().picture, QString::fromLatin1(event), x, y);
    }
};

TEST_F(ViewerListsTest, TheViewShowsTheChosenMapAndItsWindowsPart)
{
    frame->Run_Command(ID_WHOLE_MAP);
    ASSERT_TRUE(Viewer().window);
    EXPECT_TRUE(frame->Menu_Item(ID_WHOLE_MAP)->isChecked());
    EXPECT_EQ(Viewer().chooser->count(), 0);
    EXPECT_EQ(Viewer().picture->Image().pixel(10, 10), qRgb(0, 0, 0)) << "no map: black";

    const int a = Open(Write_Big_Map("a.zol", 100));
    const int b = Open(Write_Big_Map("b.zol", 60));
    EXPECT_EQ(Viewer().chooser->count(), 2);
    EXPECT_EQ(Viewer_Slot(*frame), a);
    EXPECT_EQ(Viewer().picture->Image().pixel(3, 4),
              frame->State().palette_colours[Cell_Number(Doc(a).cell(3, 4))]);
    EXPECT_EQ(Viewer().picture->Overlay(), QRect(0, 0, 20, 15));

    // Scrolling the other map leaves the outline; scrolling this one moves it.
    Map(b).vertical->setValue(5);
    EXPECT_EQ(Viewer().picture->Overlay(), QRect(0, 0, 20, 15));
    Map(a).vertical->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(Viewer().picture->Overlay(), QRect(0, 1, 20, 15));
    EXPECT_EQ(Viewer().status->Text(0), QStringLiteral("(0,1)～(20,16)"));

    // A right drag recentres the map window, and not past the map's edge.
    View_Mouse("RightButtonDownEvent", 50, 40, {.right = true});
    EXPECT_EQ(Doc(a).scroll_x, 40);
    EXPECT_EQ(Doc(a).scroll_y, 33);
    View_Mouse("MouseMoveEvent", 3, 40, {.right = true});
    EXPECT_EQ(Doc(a).scroll_x, 40);
    View_Mouse("RightButtonUpEvent", 3, 40);
    const QImage shown = Map(a).picture->Image().copy();
    Redraw_Map(*frame, a);
    EXPECT_EQ(Map(a).picture->Image(), shown);
}

TEST_F(ViewerListsTest, EditingInTheViewIsAnEditOfItsMap)
{
    const int slot = Open(Write_Test_Map("e.zol", "0 0 0\n0 0 0\n0 0 0"));
    frame->Run_Command(ID_WHOLE_MAP);
    frame->State().palette.l_cell = 5;
    View_Mouse("LeftButtonDownEvent", 1, 1, {.left = true});
    View_Mouse("MouseMoveEvent", 2, 1, {.left = true});
    View_Mouse("LeftButtonUpEvent", 2, 1);
    EXPECT_EQ(Map_To_Text(Doc(slot)), QStringLiteral("0 0 0\n0 5 5\n0 0 0"));
    EXPECT_EQ(Doc(slot).saved, 0);
    frame->Client()->setActiveSubWindow(Viewer().window);
    frame->Run_Command(ID_UNDO);
    EXPECT_EQ(Map_To_Text(Doc(slot)), QStringLiteral("0 0 0\n0 0 0\n0 0 0")) << "undo in the view undoes its map";
    ASSERT_TRUE(frame->Menu_Item(ID_REDO)->isEnabled());
    frame->Run_Command(ID_REDO);
    EXPECT_EQ(Map_To_Text(Doc(slot)), QStringLiteral("0 0 0\n0 5 5\n0 0 0")) << "and redo redoes it";
    frame->Run_Command(ID_UNDO);

    // A rectangle whose press fell off the map writes nothing at the release.
    frame->Run_Command(ID_RECT_FILL);
    if (auto* rate = Fill_Rate_Dialog(*frame).Get()) rate->ok->click();
    View_Mouse("LeftButtonDownEvent", 50, 50, {.left = true});
    View_Mouse("LeftButtonUpEvent", 1, 1);
    EXPECT_EQ(Map_To_Text(Doc(slot)), QStringLiteral("0 0 0\n0 0 0\n0 0 0"));
    View_Mouse("LeftButtonDownEvent", 0, 0, {.left = true});
    View_Mouse("LeftButtonUpEvent", 1, 1);
    EXPECT_EQ(Map_To_Text(Doc(slot)), QStringLiteral("5 5 0\n5 5 0\n0 0 0"));
}

TEST_F(ViewerListsTest, ListsFollowTheMaps)
{
    for (ListKind kind : {ListKind::Events, ListKind::Flags, ListKind::Links})
        List_Command(*frame, kind);
    EXPECT_TRUE(frame->Menu_Item(ID_EVENT_LIST)->isChecked());
    EXPECT_EQ(List(ListKind::Events).chooser->count(), 0);
    // Maps in slots 0 and 2.
    Open(Write_Test_Map("zero.zol", "0 0"));
    Open(Write_Test_Map("one.zol", "0 0"));
    const int two = Open(Write_Test_Map("two.zol", "0 0\n0 0"));
    Close_Map(*frame, 1);
    QApplication::processEvents();
    EXPECT_EQ(List(ListKind::Events).chooser->count(), 2);
    EXPECT_EQ(Lines(ListKind::Events), QStringList{QStringLiteral("( 0 ,0 )       Event = 12")});
    EXPECT_EQ(Lines(ListKind::Links), QStringList{QStringLiteral("(0,0)->2,(5,7)")});
    EXPECT_EQ(Lines(ListKind::Flags).size(), 64);

    // The second entry is the map in slot 2; a double click opens its dialog there.
    List(ListKind::Events).chooser->setCurrentIndex(1);
    Fill_List(*frame, ListKind::Events);
    List(ListKind::Events).list->Set_Current_Row(0);
    winlib::Fire(List(ListKind::Events).list, "LeftButtonDoubleEvent");
    ASSERT_TRUE(Event_Link_Window(*frame).Get());
    EXPECT_EQ(Event_Link_Window(*frame).Get()->slot(), two);
    Event_Link_Window(*frame).Get()->event_check->click();
    Event_Link_Window(*frame).Get()->ok->click();
    EXPECT_EQ(Doc(two).events.count(), 0);
}

TEST_F(ViewerListsTest, TheMapSizeDialog)
{
    frame->Run_Command(ID_MAP_SIZE);
    EXPECT_EQ(messages.last().caption, QStringLiteral("そんなこと言うたかて…"));
    EXPECT_FALSE(Map_Size_Window(*frame).Get());

    const int slot = Open(Write_Test_Map("s.zol", "1 2 3\n4 5 6"));
    frame->Client()->setActiveSubWindow(Window(slot));
    frame->Run_Command(ID_MAP_SIZE);
    QDialog* dialog = Map_Size_Window(*frame).Get();
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("s.zolの設定"));
    auto* width = dialog->findChild<QScrollBar*>("width");
    auto* height = dialog->findChild<QScrollBar*>("height");
    EXPECT_EQ(width->value(), 3);
    EXPECT_EQ(width->maximum(), 256);

    // Smaller: the question; No changes nothing and closes.
    width->setValue(2);
    messages.answer(MessageButton::No);
    dialog->findChildren<winlib::WButton*>()[0]->click();
    EXPECT_EQ(messages.last().caption, QStringLiteral("こっちは構わんけど…"));
    QApplication::processEvents();
    EXPECT_FALSE(Map_Size_Window(*frame).Is_Open());
    EXPECT_EQ(Doc(slot).width(), 3);

    frame->Run_Command(ID_MAP_SIZE);
    dialog = Map_Size_Window(*frame).Get();
    dialog->findChild<QScrollBar*>("width")->setValue(2);
    dialog->findChild<QScrollBar*>("height")->setValue(3);
    messages.answer(MessageButton::Yes);
    dialog->findChildren<winlib::WButton*>()[0]->click();
    EXPECT_EQ(Map_To_Text(Doc(slot)), QStringLiteral("1 2\n4 5\n0 0"));
    EXPECT_EQ(Doc(slot).saved, 0);
    EXPECT_TRUE(Window(slot)->windowTitle().startsWith(QStringLiteral("s 2×3")));
    frame->Run_Command(ID_UNDO);
    EXPECT_EQ(Map_To_Text(Doc(slot)), QStringLiteral("1 2 3\n4 5 6"));

    // Closing the map closes the dialog.
    frame->Run_Command(ID_MAP_SIZE);
    Close_Map(*frame, slot);
    EXPECT_FALSE(Map_Size_Window(*frame).Is_Open());
    (void)height;
}

} // namespace
