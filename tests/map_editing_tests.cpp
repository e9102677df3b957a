// Editing maps with the mouse, offscreen: the tool commands, pen strokes and rectangles, the
// flood fill, undo with its messages and gray state, redo, and the event & link dialog.

#include "ui/dialogs/event_link_dialog.h"
#include "core/map/events_links.h"
#include "frame_fixture.h"

#include <QMouseEvent>

#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>

using namespace zol;
using namespace zol::test;

namespace {

class MapEditingTest : public FrameTest {
protected:
    static winlib::ButtonSnapshot Left() { return {.left = true}; }
    static winlib::ButtonSnapshot Right() { return {.right = true}; }

    // Chooses a tool as from the menu; the fill-rate dialog that some tools open is confirmed.
    void Choose(int tool)
    {
        frame->Run_Command(Tool_Command_Id(tool));
        if (winlib::WNumberDialog* rate = Fill_Rate_Dialog(*frame).Get()) rate->ok->click();
    }
    bool Undo_Enabled() { return frame->Menu_Item(ID_UNDO)->isEnabled(); }
    // The redo menu item and toolbar button, which must agree.
    bool Redo_Enabled()
    {
        const bool item = frame->Menu_Item(ID_REDO)->isEnabled();
        EXPECT_EQ(Toolbar_Controls(*frame).redo_button->isEnabled(), item) << "the toolbar button";
        return item;
    }
    EventLinkDialog* Dialog()
    {
        QApplication::processEvents(); // a closed dialog is deleted from the event loop
        return Event_Link_Window(*frame).Get();
    }

    void Expect_Same_As_Full_Redraw(int slot)
    {
        const QImage shown = Map(slot).picture->Image().copy();
        Redraw_Map(*frame, slot);
        EXPECT_EQ(Map(slot).picture->Image(), shown);
    }

    // A map opened with its palette, L cell 5 and R cell 9, flag 2 for cell 5.
    int Open_Painting_Map(const char* rows)
    {
        const int slot = Open(Write_Test_Map("paint.zol", rows));
        frame->State().palette.l_cell = 5;
        frame->State().palette.r_cell = 9;
        Doc(slot).flags[5] = 2;
        return slot;
    }
};

TEST_F(MapEditingTest, ToolCommandsMoveTheCheckMarkAndWriteTheHint)
{
    EXPECT_EQ(frame->State().tools.current, kPen);
    EXPECT_TRUE(frame->Menu_Item(ID_PEN)->isChecked());
    EXPECT_FALSE(Undo_Enabled());

    Choose(kFloodFill);
    Choose(kRectangleEdges);
    EXPECT_EQ(frame->State().tools.current, kRectangleEdges);
    EXPECT_EQ(frame->State().tools.previous, kFloodFill);
    EXPECT_EQ(frame->Status()->Text(1), QStringLiteral("指定された長方形の辺のみを塗ります"));
    for (int tool = 0; tool < kToolCount; ++tool)
        EXPECT_EQ(frame->Menu_Item(Tool_Command_Id(tool))->isChecked(), tool == kRectangleEdges) << tool;

    Set_Tool(*frame, kCopy);
    EXPECT_EQ(frame->State().tools.previous, kFloodFill) << "Set_Tool leaves the previous tool";
    EXPECT_TRUE(frame->Menu_Item(ID_COPY)->isChecked());

    // Opening a map goes back to the pen.
    ASSERT_EQ(Open(Write_Test_Map("t.zol", "1 2")), 0);
    EXPECT_EQ(frame->State().tools.current, kPen);
    EXPECT_TRUE(frame->Menu_Item(ID_PEN)->isChecked());
}

TEST_F(MapEditingTest, APenStrokeIsOneUndoStep)
{
    const int slot = Open_Painting_Map("0 0 0 0\n0 0 0 0\n0 0 0 0");
    Mouse(slot, "LeftButtonDownEvent", 0, 0, Left());
    Mouse(slot, "MouseMoveEvent", 1, 0, Left());
    Mouse(slot, "MouseMoveEvent", 2, 1, Left());
    Mouse(slot, "MouseMoveEvent", 3, 2); // no button: nothing
    Mouse(slot, "LeftButtonUpEvent", 3, 2);
    EXPECT_EQ(Map_To_Text(Doc(slot)), QStringLiteral("133 133 0 0\n0 0 133 0\n0 0 0 0"))
        << "the L cell with its flag";
    EXPECT_EQ(Doc(slot).saved, 0);
    EXPECT_TRUE(Undo_Enabled());
    Expect_Same_As_Full_Redraw(slot);
    EXPECT_EQ(frame->Status()->Text(0), QStringLiteral("(3,2) Palette=0 Flag=0"));

    Mouse(slot, "RightButtonDownEvent", 3, 2, Right());
    Mouse(slot, "RightButtonUpEvent", 3, 2);
    EXPECT_EQ(Doc(slot).cell(3, 2), 9);

    frame->Run_Command(ID_UNDO);
    EXPECT_EQ(Doc(slot).cell(3, 2), 0);
    EXPECT_EQ(Doc(slot).cell(1, 0), 133);
    frame->Run_Command(ID_UNDO);
    EXPECT_EQ(Map_To_Text(Doc(slot)), QStringLiteral("0 0 0 0\n0 0 0 0\n0 0 0 0"));
    Expect_Same_As_Full_Redraw(slot);
    EXPECT_FALSE(Undo_Enabled()) << "nothing left to undo";
    EXPECT_TRUE(messages.calls().empty());
}

TEST_F(MapEditingTest, DragsPastThePicturesEdgeWriteOnlyInsideTheMap)
{
    const int slot = Open_Painting_Map("0 0 0\n0 0 0");
    Mouse(slot, "LeftButtonDownEvent", 0, 0, Left());
    Mouse(slot, "MouseMoveEvent", -1, 0, Left()); // left of the picture
    Mouse(slot, "MouseMoveEvent", 0, -3, Left());
    Mouse(slot, "MouseMoveEvent", 5, 1, Left());  // right of the map
    Mouse(slot, "LeftButtonUpEvent", 5, 1);
    EXPECT_EQ(Map_To_Text(Doc(slot)), QStringLiteral("133 0 0\n0 0 0"));

    // A rectangle dragged out past the corner ends at the map's last cell.
    Choose(kRectangleFill);
    Mouse(slot, "LeftButtonDownEvent", 1, 0, Left());
    Mouse(slot, "MouseMoveEvent", 7, 6, Left());
    EXPECT_TRUE(Map(slot).picture->Overlay().has_value()) << "a rubber band while dragging";
    Mouse(slot, "LeftButtonUpEvent", 7, 6);
    EXPECT_EQ(Map_To_Text(Doc(slot)), QStringLiteral("133 5 5\n0 5 5")) << "bare cell numbers";
    EXPECT_FALSE(Map(slot).picture->Overlay().has_value());
    Expect_Same_As_Full_Redraw(slot);
}

TEST_F(MapEditingTest, RectangleToolsAndTheFloodFill)
{
    const int slot = Open_Painting_Map("0 0 0 0\n0 0 0 0\n0 0 0 0\n4 4 4 4");
    Choose(kRectangleEdges);
    Mouse(slot, "RightButtonDownEvent", 3, 2, Right());
    Mouse(slot, "MouseMoveEvent", 0, 0, Right());
    EXPECT_EQ(Map(slot).picture->Overlay(), QRect(0, 0, 4 * 32, 3 * 32));
    Mouse(slot, "RightButtonUpEvent", 0, 0);
    EXPECT_EQ(Map_To_Text(Doc(slot)), QStringLiteral("9 9 9 9\n9 0 0 9\n9 9 9 9\n4 4 4 4"));

    Choose(kFloodFill);
    Mouse(slot, "LeftButtonDownEvent", 1, 1, Left());
    Mouse(slot, "LeftButtonUpEvent", 1, 1);
    EXPECT_EQ(Map_To_Text(Doc(slot)), QStringLiteral("9 9 9 9\n9 133 133 9\n9 9 9 9\n4 4 4 4"));
    Expect_Same_As_Full_Redraw(slot);
    EXPECT_TRUE(frame->State().ready);

    // While a fill runs, another press of the fill tool does nothing (but still records).
    frame->State().ready = false;
    Mouse(slot, "LeftButtonDownEvent", 0, 3, Left());
    EXPECT_EQ(Doc(slot).cell(0, 3), 4);
    frame->State().ready = true;
    for (int i = 0; i < 3; ++i) frame->Run_Command(ID_UNDO);
    EXPECT_EQ(Map_To_Text(Doc(slot)), QStringLiteral("0 0 0 0\n0 0 0 0\n0 0 0 0\n4 4 4 4"));
}

TEST_F(MapEditingTest, ARightClickPasteWithTheCopyToolIsUndoneExactly)
{
    // The test map has event 12 and a link to map 2 (5, 7) on (0, 0); the copy takes them along.
    const int slot = Open(Write_Test_Map("paste.zol", "1 2 3 4\n5 70 7 8\n9 10 11 12"));
    Choose(kCopy);
    Mouse(slot, "LeftButtonDownEvent", 0, 0, Left());
    Mouse(slot, "MouseMoveEvent", 1, 1, Left());
    Mouse(slot, "LeftButtonUpEvent", 1, 1);
    const edit_form before = Doc(slot);
    const QImage shown = Map(slot).picture->Image().copy();

    Mouse(slot, "RightButtonDownEvent", 2, 1, Right());
    Mouse(slot, "RightButtonUpEvent", 2, 1);
    ASSERT_EQ(Map_To_Text(Doc(slot)), QStringLiteral("1 2 3 4\n5 70 1 2\n9 10 5 70"));
    ASSERT_EQ(Doc(slot).events.count(), 2);
    ASSERT_EQ(Doc(slot).links.count(), 2);

    frame->Client()->setActiveSubWindow(Window(slot));
    frame->Run_Command(ID_UNDO);
    EXPECT_TRUE(messages.calls().empty());
    EXPECT_TRUE(Doc(slot).grid == before.grid);
    EXPECT_EQ(Doc(slot).links, before.links);
    EXPECT_EQ(Doc(slot).events, before.events);
    EXPECT_EQ(Doc(slot).flags, before.flags);
    EXPECT_EQ(Map(slot).picture->Image(), shown);
}

TEST_F(MapEditingTest, AnUndoAfterSavingLeavesTheMapUnsaved)
{
    const int slot = Open_Painting_Map("0 0");
    Mouse(slot, "LeftButtonDownEvent", 0, 0, Left());
    Mouse(slot, "LeftButtonUpEvent", 0, 0);
    frame->Client()->setActiveSubWindow(Window(slot));
    frame->Run_Command(ID_SAVE_MAP);
    ASSERT_EQ(Doc(slot).saved, 1);

    frame->Run_Command(ID_UNDO);
    EXPECT_EQ(Map_To_Text(Doc(slot)), QStringLiteral("0 0"));
    EXPECT_EQ(Doc(slot).saved, 0) << "the file holds the stroke";
    messages.clear();
    messages.answer(MessageButton::Cancel);
    frame->Run_Command(ID_EXIT);
    EXPECT_TRUE(quits.empty());
    ASSERT_EQ(messages.captions(), QStringList{QStringLiteral("確認")});
    EXPECT_EQ(messages.last().text, QStringLiteral("paintを保存しますか？"));
}

TEST_F(MapEditingTest, UndoAcrossAChangeOfHeightAloneWithTheRingFull)
{
    // Five strokes fill the ring; then the map size dialog changes the height only and two more
    // strokes go into ring slots made at the other height. Each undo gives back the whole state
    // before its step (size, cells, links, events) and the picture of it.
    struct Snapshot {
        Grid grid;
        int width, height;
        LinkTable links;
        EventTable events;
    };
    const struct { const char* name; int side, new_height; } rows[] = {
        {"taller", 200, 256},
        {"shorter", 256, 120},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const int slot = Open(Write_Big_Map("tall.zol", row.side));
        ASSERT_GE(slot, 0);
        frame->State().palette.l_cell = 5;
        // Entries the shorter map drops.
        ASSERT_EQ(Set_Event(Doc(slot), 3, 150, 7), TableChange::Done);
        ASSERT_EQ(Set_Link(Doc(slot), 4, 130, 1, 2, 3), TableChange::Done);
        std::vector<Snapshot> before; // the state before each step
        auto snap = [&] {
            const edit_form& d = Doc(slot);
            before.push_back({d.grid, d.width(), d.height(), d.links, d.events});
        };
        auto stroke = [&](int i, int j) {
            snap();
            Mouse(slot, "LeftButtonDownEvent", i, j, Left());
            Mouse(slot, "LeftButtonUpEvent", i, j);
        };
        for (int i = 0; i < 5; ++i) stroke(i, i);

        snap();
        frame->Client()->setActiveSubWindow(Window(slot));
        frame->Run_Command(ID_MAP_SIZE);
        QDialog* dialog = Map_Size_Window(*frame).Get();
        ASSERT_TRUE(dialog);
        dialog->findChild<QScrollBar*>("height")->setValue(row.new_height);
        if (row.new_height < row.side) messages.answer(MessageButton::Yes);
        dialog->findChildren<winlib::WButton*>()[0]->click();
        QApplication::processEvents();
        ASSERT_EQ(Doc(slot).width(), row.side);
        ASSERT_EQ(Doc(slot).height(), row.new_height);

        // Two strokes at the new height, at the bottom of the map.
        Map(slot).vertical->setValue(Map(slot).vertical->maximum());
        const int j = row.new_height - 1 - Doc(slot).scroll_y;
        ASSERT_GE(Doc(slot).scroll_y + j, row.side < row.new_height ? row.side : 0);
        stroke(6, j);
        stroke(7, j);

        messages.clear();
        for (int k = 0; k < 5; ++k) {
            SCOPED_TRACE(k);
            const Snapshot& expected = before[before.size() - 1 - std::size_t(k)];
            frame->Client()->setActiveSubWindow(Window(slot));
            frame->Run_Command(ID_UNDO);
            ASSERT_EQ(Doc(slot).width(), expected.width);
            ASSERT_EQ(Doc(slot).height(), expected.height);
            EXPECT_TRUE(Doc(slot).grid == expected.grid);
            EXPECT_EQ(Doc(slot).links, expected.links);
            EXPECT_EQ(Doc(slot).events, expected.events);
            Expect_Same_As_Full_Redraw(slot);
        }
        EXPECT_TRUE(messages.calls().empty());
        frame->Run_Command(ID_UNDO);
        EXPECT_EQ(messages.captions(), QStringList{QStringLiteral("仏の顔も…")}) << "five steps at most";
        Close_Map(*frame, slot);
    }
}

TEST_F(MapEditingTest, ModifierAndDoubleClicksOpenTheEventAndLinkDialog)
{
    const int slot = Open_Painting_Map("0 0\n0 0");
    Mouse(slot, "LeftButtonDownEvent", 1, 0, {.left = true, .shift = true});
    ASSERT_TRUE(Dialog());
    EXPECT_EQ(Dialog()->windowTitle(), QStringLiteral("イベント＆リンクの設定"));
    EXPECT_EQ(Doc(slot).cell(1, 0), 0) << "a modifier click paints nothing";
    EXPECT_FALSE(Undo_Enabled());

    // While it is open the map does not take edits.
    Mouse(slot, "LeftButtonDownEvent", 0, 1, Left());
    EXPECT_EQ(Doc(slot).cell(0, 1), 0);
    Close_Event_Link(*frame);

    // Both buttons down, and a double click after the pen's first press.
    Mouse(slot, "RightButtonDownEvent", 0, 1, {.left = true, .right = true});
    ASSERT_TRUE(Dialog());
    Close_Event_Link(*frame);
    Mouse(slot, "LeftButtonDownEvent", 0, 1, Left());
    Mouse(slot, "LeftButtonUpEvent", 0, 1);
    Mouse(slot, "LeftButtonDoubleEvent", 0, 1, Left());
    EXPECT_EQ(Doc(slot).cell(0, 1), 133);
    ASSERT_TRUE(Dialog());
    EXPECT_EQ(Dialog()->cell_x(), 0);
    EXPECT_EQ(Dialog()->cell_y(), 1);

    // Closing a map window closes the dialog.
    Close_Map(*frame, slot);
    QApplication::processEvents();
    EXPECT_FALSE(Dialog());
}

TEST_F(MapEditingTest, TheDialogShowsTheCellAndOkWritesIt)
{
    // The test map has a link to map 2 (5, 7) and event 12 at (0, 0).
    const int slot = Open(Write_Test_Map("dlg.zol", "0 0\n128 0"));
    Open_Event_Link(*frame, slot, 0, 1);
    EventLinkDialog* d = Dialog();
    ASSERT_TRUE(d);
    EXPECT_EQ(d->flags->currentRow(), 2);
    EXPECT_FALSE(d->event_check->isChecked());
    EXPECT_FALSE(d->event_edit->isEnabled());
    EXPECT_TRUE(d->event_edit->text().isEmpty());

    Open_Event_Link(*frame, slot, 0, 0);
    d = Dialog();
    EXPECT_TRUE(d->event_check->isChecked());
    EXPECT_EQ(d->event_edit->text(), QStringLiteral("12"));
    EXPECT_EQ(d->event_spin->value(), 12);
    EXPECT_TRUE(d->link_check->isChecked());
    EXPECT_EQ(d->link_edits[0]->text(), QStringLiteral("2"));
    EXPECT_EQ(d->link_spins[2]->value(), 7);

    // Unchecking the event disables its box; checking again starts from the cell's number.
    d->event_check->click();
    EXPECT_FALSE(d->event_edit->isEnabled());
    EXPECT_TRUE(d->event_edit->text().isEmpty());
    d->event_check->click();
    EXPECT_EQ(d->event_edit->text(), QStringLiteral("12"));

    // A number past 255 never reaches the table: OK reads the spins.
    d->event_edit->setText(QStringLiteral("300"));
    emit d->event_edit->textEdited(QStringLiteral("300"));
    d->link_spins[1]->setValue(40);
    d->flags->setCurrentRow(3);
    d->ok->click();
    EXPECT_FALSE(Dialog());
    EXPECT_EQ(Doc(slot).events.number, std::vector<uint8_t>{12});
    EXPECT_EQ(Doc(slot).links.target_x, std::vector<uint8_t>{40});
    EXPECT_EQ(Doc(slot).cell(0, 0), 3 * 64);
    EXPECT_EQ(Doc(slot).saved, 0) << "the change is asked about before closing";

    // Both boxes unchecked: OK removes the event and the link; undo brings them back.
    Open_Event_Link(*frame, slot, 0, 0);
    Dialog()->event_check->click();
    Dialog()->link_check->click();
    Dialog()->ok->click();
    EXPECT_EQ(Doc(slot).events.count(), 0);
    EXPECT_EQ(Doc(slot).links.count(), 0);
    frame->Client()->setActiveSubWindow(Window(slot));
    frame->Run_Command(ID_UNDO);
    EXPECT_EQ(Doc(slot).events.count(), 1);
    EXPECT_EQ(Doc(slot).links.target_x, std::vector<uint8_t>{40});
}

TEST_F(MapEditingTest, TheDialogOnACellOutsideTheMapWritesOnlyTheTables)
{
    const int slot = Open(Write_Test_Map("out.zol", "7 7"));
    Open_Event_Link(*frame, slot, 9, 4);
    ASSERT_TRUE(Dialog());
    EXPECT_EQ(Dialog()->flags->currentRow(), 0);
    Dialog()->flags->setCurrentRow(2);
    Dialog()->event_check->click();
    Dialog()->event_spin->setValue(33);
    Dialog()->ok->click();
    EXPECT_EQ(Map_To_Text(Doc(slot)), QStringLiteral("7 7"));
    EXPECT_EQ(Doc(slot).events.number, (std::vector<uint8_t>{12, 33}));

    // A dialog whose map has closed only closes.
    Open_Event_Link(*frame, slot, 0, 0);
    QPointer<EventLinkDialog> d = Dialog();
    Event_Link_Window(*frame) = {};   // keep the dialog past the map's close
    Close_Map(*frame, slot);
    ASSERT_TRUE(d);
    d->ok->click();
    QApplication::processEvents();
    EXPECT_FALSE(d);
}

TEST_F(MapEditingTest, UndoMessagesAndGrayState)
{
    frame->Run_Command(ID_UNDO);
    EXPECT_EQ(messages.last().caption, QStringLiteral("やり直すって何を？"));

    const int slot = Open_Painting_Map("0 0");
    frame->Client()->setActiveSubWindow(Window(slot));
    frame->Run_Command(ID_UNDO);
    EXPECT_EQ(messages.last().caption, QStringLiteral("仏の顔も…"));
    EXPECT_EQ(messages.last().text, QStringLiteral("paint.zolはこれ以上元には戻せません"));

    frame->Client()->setActiveSubWindow(Palette_Controls(*frame).window);
    frame->Run_Command(ID_UNDO);
    EXPECT_EQ(messages.last().caption, QStringLiteral("それはちょっと…"));

    // Six strokes, five undos, then the message; the command grays once nothing is left.
    frame->Client()->setActiveSubWindow(Window(slot));
    for (int i = 0; i < 6; ++i) {
        Mouse(slot, "LeftButtonDownEvent", i % 2, 0, Left());
        Mouse(slot, "LeftButtonUpEvent", i % 2, 0);
    }
    messages.clear();
    for (int i = 0; i < 5; ++i) frame->Run_Command(ID_UNDO);
    EXPECT_TRUE(messages.calls().empty());
    EXPECT_FALSE(Undo_Enabled());
    EXPECT_EQ(Map_To_Text(Doc(slot)), QStringLiteral("133 0"));
    frame->Run_Command(ID_UNDO);
    EXPECT_EQ(messages.last().caption, QStringLiteral("仏の顔も…"));

    // The command follows the active window: another map with steps enables it.
    ASSERT_EQ(Open(Write_Test_Map("other.zol", "0")), 1);
    Mouse(1, "LeftButtonDownEvent", 0, 0, Left());
    frame->Client()->setActiveSubWindow(Window(slot));
    EXPECT_FALSE(Undo_Enabled());
    frame->Client()->setActiveSubWindow(Window(1));
    EXPECT_TRUE(Undo_Enabled());
}

} // namespace

TEST_F(MapEditingTest, RedoTakesBackUndosAndGraysWithTheActiveWindow)
{
    const int slot = Open_Painting_Map("0 0 0");
    auto stroke = [&](int i) {
        Mouse(slot, "LeftButtonDownEvent", i, 0, Left());
        Mouse(slot, "LeftButtonUpEvent", i, 0);
    };
    frame->Client()->setActiveSubWindow(Window(slot));
    for (int i = 0; i < 3; ++i) stroke(i);
    EXPECT_FALSE(Redo_Enabled()) << "nothing undone";
    frame->Run_Command(ID_UNDO);
    frame->Run_Command(ID_UNDO);
    EXPECT_TRUE(Redo_Enabled());
    frame->Run_Command(ID_SAVE_MAP);
    Toolbar_Controls(*frame).redo_button->trigger();
    EXPECT_EQ(Map_To_Text(Doc(slot)), QStringLiteral("133 133 0"));
    EXPECT_EQ(Doc(slot).saved, 0) << "the file holds the map before the redo";
    Expect_Same_As_Full_Redraw(slot);

    // Another map, and the palette, have nothing to redo; redo there changes nothing.
    const int other = Open(Write_Test_Map("other.zol", "0"));
    frame->Client()->setActiveSubWindow(Window(other));
    EXPECT_FALSE(Redo_Enabled());
    frame->Run_Command(ID_REDO);
    EXPECT_EQ(Map_To_Text(Doc(slot)), QStringLiteral("133 133 0"));
    frame->Client()->setActiveSubWindow(Palette_Controls(*frame).window);
    EXPECT_FALSE(Redo_Enabled());
    frame->Client()->setActiveSubWindow(Window(slot));
    EXPECT_TRUE(Redo_Enabled());
    frame->Run_Command(ID_REDO);
    EXPECT_EQ(Map_To_Text(Doc(slot)), QStringLiteral("133 133 133"));
    EXPECT_FALSE(Redo_Enabled()) << "every undo taken back";

    // An edit after an undo drops what there was to redo.
    frame->Run_Command(ID_UNDO);
    stroke(2);
    EXPECT_FALSE(Redo_Enabled());
    EXPECT_TRUE(messages.calls().empty());
}

TEST_F(MapEditingTest, AFastStrokeIsJoinedEverywhereAndOneStep)
{
    const int slot = Open(Write_Test_Map("fast.zol", "0 0 0 0 0 0\n0 0 0 0 0 0\n0 0 0 0 0 0"));
    frame->State().palette.l_cell = 7;
    Mouse(slot, "LeftButtonDownEvent", 0, 0, {.left = true});
    Mouse(slot, "MouseMoveEvent", 5, 2, {.left = true}); // one move across five cells
    Mouse(slot, "LeftButtonUpEvent", 5, 2);
    EXPECT_EQ(Map_To_Text(Doc(slot)), QStringLiteral("7 7 0 0 0 0\n0 0 7 7 0 0\n0 0 0 0 7 7"));
    frame->Client()->setActiveSubWindow(Window(slot));
    frame->Run_Command(ID_UNDO);
    EXPECT_EQ(Map_To_Text(Doc(slot)), QStringLiteral("0 0 0 0 0 0\n0 0 0 0 0 0\n0 0 0 0 0 0")) << "one step";

    // In the whole-map view at four times, positions are cells of four pixels.
    frame->Run_Command(ID_WHOLE_MAP);
    Set_Viewer_Scale(*frame, 4);
    winlib::WPictureBox* view = Viewer_Controls(*frame).picture;
    EXPECT_EQ(view->size(), QSize(512, 512));
    const auto mouse = [&](QEvent::Type type, QPoint pixel, bool held) {
        winlib::Override_Buttons(winlib::ButtonSnapshot{.left = held});
        QMouseEvent event(type, QPointF(pixel), view->mapToGlobal(QPointF(pixel)), Qt::LeftButton,
                          held ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(view, &event);
    };
    mouse(QEvent::MouseButtonPress, QPoint(4 * 0 + 2, 4 * 2 + 3), true);
    mouse(QEvent::MouseMove, QPoint(4 * 5 + 1, 4 * 0 + 1), true);
    mouse(QEvent::MouseButtonRelease, QPoint(4 * 5 + 1, 4 * 0 + 1), false);
    EXPECT_EQ(Map_To_Text(Doc(slot)), QStringLiteral("0 0 0 0 7 7\n0 0 7 7 0 0\n7 7 0 0 0 0"));
    EXPECT_EQ(view->Grab().pixel(4 * 5 + 1, 2), frame->State().palette_colours[7]) << "cells drawn four times larger";

    // The cell editor joins its pen's pixels too.
    Open_Load_Bitmap_Form(*frame, 1);
    Open_Cell_Editer(*frame);
    CellEditorControls& editor = Cell_Editor(*frame);
    winlib::Override_Buttons(winlib::ButtonSnapshot{.left = true});
    Editor_Surface_Press(*frame, 5, 5, false);
    Editor_Surface_Move(*frame, 95, 5);
    for (int i = 0; i <= 9; ++i) EXPECT_EQ(editor.cell.pixel(i, 0), editor.colour) << i;
}
