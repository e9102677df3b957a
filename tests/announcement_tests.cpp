// Every view follows every change: each row changes a map or the palette through its own route
// (the mouse tools, undo, paste, the dialogs, the loader, the palette), with every view open;
// after each, every view must show what a fresh drawing of the model shows.

#include "core/map/file_path.h"
#include "core/render/map_view_layout.h"
#include "core/render/whole_map.h"
#include "frame_fixture.h"

#include <QListWidget>
#include <QScrollBar>

#include <functional>

using namespace zol;
using namespace zol::test;

namespace {

class AnnouncementTest : public FrameTest {
protected:
    // What every view must show now, each against the model drawn afresh.
    void Expect_Views_Follow(const std::string& row, bool map_changed)
    {
        SCOPED_TRACE(row);
        const ProgramState& state = frame->State();
        for (int s = 0; s < kMaxDocuments; ++s) {
            if (!Window(s)) continue;
            const edit_form& doc = Doc(s);
            const QImage shown = Map(s).picture->Image().copy();
            QImage fresh(shown.size(), QImage::Format_RGB32);
            Render_View(fresh, doc, Update_Cell_Cache(*frame));
            EXPECT_EQ(shown, fresh) << "map window " << s;
            EXPECT_EQ(Window(s)->windowTitle(),
                      Map_Caption(Path_Name_Part(doc.file_path), doc.width(), doc.height(), doc.links.count(),
                                  doc.window_width, doc.window_height, state.cell_size) +
                          QStringLiteral("[*]"));
            EXPECT_EQ(Window(s)->isWindowModified(), doc.saved == 0) << "modified mark " << s;
        }
        const int viewed = Viewer_Slot(*frame);
        ASSERT_GE(viewed, 0);
        QImage whole = New_View_Image();
        const QColor background = Viewer_Controls(*frame).window->Content()->palette().color(QPalette::Window);
        Render_Whole_Map(whole, &Doc(viewed), state.palette_colours, background.rgb());
        EXPECT_EQ(Viewer_Controls(*frame).picture->Image(), whole) << "whole-map view";

        const edit_form& doc = Doc(0);
        QStringList events, links, flags;
        for (std::size_t i = 0; i < std::size_t(doc.events.count()); ++i)
            events << Event_Line(doc.events.x[i], doc.events.y[i], doc.events.number[i]);
        for (std::size_t i = 0; i < std::size_t(doc.links.count()); ++i)
            links << Link_Line(doc.links.x[i], doc.links.y[i], doc.links.target_map[i], doc.links.target_x[i],
                               doc.links.target_y[i]);
        for (int n = 0; n < kCellCount; ++n) flags << Flag_Line(n, doc.flags[std::size_t(n)]);
        EXPECT_EQ(Lines(ListKind::Events), events);
        EXPECT_EQ(Lines(ListKind::Links), links);
        EXPECT_EQ(Lines(ListKind::Flags), flags);

        const QImage palette = Palette_Controls(*frame).picture->Image();
        for (int n = 0; n < kCellCount; ++n)
            EXPECT_EQ(palette.pixel(Cell_Rect(n).topLeft() + QPoint(16, 20)), state.palette.cells[std::size_t(n)].pixel(16, 20))
                << "palette cell " << n;

        EXPECT_EQ(frame->Status()->Text(0), Cell_Status_Text(doc, pointed.x(), pointed.y())) << "status line";
        if (map_changed) {
            EXPECT_TRUE(Recovery_State(*frame).maps[0].touched) << "recovery copy";
        }
        const int active = frame->Active_Map(false);
        const bool undo = (active >= 0 && Has_Undo_Step(Doc(active))) || !state.palette.history.Newest_Empty();
        EXPECT_EQ(frame->Menu_Item(ID_UNDO)->isEnabled(), undo) << "undo command, active map " << active;
        const QMdiSubWindow* on = frame->Client()->activeSubWindow();
        const bool redo = active >= 0                              ? Has_Redo_Step(Doc(active))
                          : on && on == Viewer_Controls(*frame).window ? Has_Redo_Step(Doc(viewed))
                          : on && on == Palette_Window(*frame)         ? state.palette.history.redo > 0
                                                                       : false;
        EXPECT_EQ(frame->Menu_Item(ID_REDO)->isEnabled(), redo) << "redo command, active map " << active;
    }

    QStringList Lines(ListKind kind)
    {
        QStringList lines;
        ListControls& list = List_Controls(*frame, kind);
        for (int i = 0; i < list.list->Count(); ++i) lines << list.list->Line(i);
        return lines;
    }

    void Tool(int command)
    {
        frame->Run_Command(command);
        if (auto* rate = Fill_Rate_Dialog(*frame).Get()) rate->ok->click();
    }

    // The pointer over cell (i, j) of slot's window; the status line shows the cell last pointed
    // at in the first map.
    void Pointer(int slot, const char* event, int i, int j, winlib::ButtonSnapshot held = {})
    {
        if (slot == 0 && QByteArray(event) != "LeftButtonUpEvent") pointed = QPoint(i, j);
        Mouse(slot, event, i, j, held);
    }

    void Drag(int slot, int i1, int j1, int i2, int j2)
    {
        Pointer(slot, "LeftButtonDownEvent", i1, j1, {.left = true});
        Pointer(slot, "MouseMoveEvent", i2, j2, {.left = true});
        Pointer(slot, "LeftButtonUpEvent", i2, j2);
    }

    QPoint pointed;
};

TEST_F(AnnouncementTest, EveryViewFollowsEveryChange)
{
    Start_Recovery(*frame, Path("recovery"));
    ASSERT_EQ(Open(Write_Test_Map("a.zol", "1 2 3 4\n5 6 7 8\n9 10 11 12")), 0);
    ASSERT_EQ(Open(Write_Test_Map("b.zol", "3 3\n3 3")), 1);
    frame->Run_Command(ID_WHOLE_MAP);
    for (int id : {ID_EVENT_LIST, ID_FLAG_LIST, ID_LINK_LIST}) frame->Run_Command(id);
    frame->Client()->setActiveSubWindow(Window(0));

    struct Row {
        std::string name;
        std::function<void()> change;
        bool map_changed = true; // the first map changes
    };
    const std::vector<Row> rows = {
        {"pen", [&] { Drag(0, 1, 1, 2, 1); }},
        {"rectangle fill", [&] { Tool(ID_RECT_FILL); Drag(0, 0, 0, 2, 1); }},
        {"rectangle edges", [&] { Tool(ID_RECT_EDGES); Drag(0, 0, 0, 3, 2); }},
        {"flood fill", [&] { Tool(ID_FLOOD_FILL); Drag(0, 3, 2, 3, 2); }},
        {"copy from the other map, then paste with its link and event", [&] {
             Tool(ID_COPY);
             Drag(1, 0, 0, 1, 1);
             Tool(ID_PASTE);
             Drag(0, 2, 1, 2, 1);
         }},
        {"cut", [&] { Tool(ID_CUT); Drag(0, 0, 0, 0, 0); }},
        {"undo", [&] { frame->Run_Command(ID_UNDO); }},
        {"redo", [&] { frame->Run_Command(ID_REDO); }},
        {"undo again", [&] { frame->Run_Command(ID_UNDO); }},
        {"event & link dialog", [&] {
             Open_Event_Link(*frame, 0, 1, 1);
             EventLinkDialog* dialog = Event_Link_Window(*frame).Get();
             dialog->flags->setCurrentRow(3);
             dialog->event_check->click();
             dialog->link_check->click();
             dialog->ok->click();
         }},
        {"map size", [&] {
             frame->Run_Command(ID_MAP_SIZE);
             QDialog* dialog = Map_Size_Window(*frame).Get();
             dialog->findChild<QScrollBar*>("width")->setValue(6);
             dialog->findChildren<winlib::WButton*>()[0]->click();
         }},
        {"cell loading window", [&] {
             Open_Load_Bitmap_Form(*frame, 1);
             Loader(*frame).picture.fill(qRgb(250, 10, 10));
             Loader(*frame).flag->setCurrentIndex(2);
             Loader_OK(*frame);
         }},
        {"palette undo", [&] {
             frame->Client()->setActiveSubWindow(Palette_Window(*frame));
             frame->Run_Command(ID_UNDO);
             frame->Client()->setActiveSubWindow(Window(0));
         }, false},
        {"palette redo", [&] {
             frame->Client()->setActiveSubWindow(Palette_Window(*frame));
             frame->Run_Command(ID_REDO);
             frame->Client()->setActiveSubWindow(Window(0));
         }, false},
        {"palette cells swapped", [&] { Swap_Cells(*frame, 1, 5, false); }},
        {"zoom", [&] { Set_Zoom(*frame, 16); }, false},
        {"palette colours", [&] {
             frame->Run_Command(ID_PALETTE_COLOURS);
             QDialog* dialog = Colour_Window(*frame).Get();
             dialog->findChildren<winlib::WButton*>()[0]->click(); // OK with the colours as shown
         }, false},
        {"save as", [&] {
             dialogs.Answer_File(Path("renamed.zol"));
             Save_Map_As(*frame, 0);
         }, false},
        {"an edit in the whole-map view", [&] {
             Tool(ID_PEN);
             winlib::Override_Buttons(winlib::ButtonSnapshot{.left = true});
             winlib::Fire(Viewer_Controls(*frame).picture, "LeftButtonDownEvent", 1, 1);
             winlib::Override_Buttons(winlib::ButtonSnapshot{});
             winlib::Fire(Viewer_Controls(*frame).picture, "LeftButtonUpEvent", 1, 1);
         }},
    };
    for (const Row& row : rows) {
        frame->State().palette.l_cell = 9;
        frame->Client()->setActiveSubWindow(Window(0));
        Pointer(0, "MouseMoveEvent", 1, 1);
        Recovery_State(*frame).maps[0].touched = false;
        row.change();
        QApplication::processEvents();
        Expect_Views_Follow(row.name, row.map_changed);
    }
    Flush_Recovery(*frame);
}

} // namespace
