// The pattern windows, the cell loading window with its bitmap window, and the cell editor,
// driven offscreen through the real frame.

#include "ui/windows/lists.h"
#include "allocation_failures.h"
#include "frame_fixture.h"
#include "ui/dialogs/cell_editer.h"
#include "ui/dialogs/load_bitmap_form.h"

#include <QLineEdit>

using namespace zol;
using namespace zol::test;

[[maybe_unused]] static void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {

constexpr winlib::ButtonSnapshot kLeft{.left = true};

class CellWindowsTest : public FrameTest {
public:
    ProgramState& State() { return frame->State(); }
    void Choose(int tool) { frame->Run_Command(Tool_Command_Id(tool)); }
    static void Click(QWidget* window, const char* text)
    {
        for (winlib::WButton* button : window->findChildren<winlib::WButton*>())
            if (button->text() == QString::fromUtf8(text)) return button->click();
        ADD_FAILURE() << "no button " << text;
    }
    QDialog* Size_Dialog() { return Pattern_Size_Window(*frame).Get(); }
    QDialog* Maker() { return Pattern_Maker(*frame).window.Get(); }
    QScrollBar* Bar(const char* name) { return Size_Dialog()->findChild<QScrollBar*>(QString::fromLatin1(name)); }
    void Size_OK(int w, int h)
    {
        Bar("width")->setValue(w);
        Bar("height")->setValue(h);
        Click(Size_Dialog(), " OK ");
    }
    void Canvas(const char* event, int px, int py, winlib::ButtonSnapshot held)
    {
        winlib::Override_Buttons(held);
        winlib::Fire(Pattern_Maker(*frame).canvas, QString::fromLatin1(event), px * 32 + 5, py * 32 + 5);
    }
    void Choose_Cells(int l, int r)
    {
        State().palette.l_cell = uint8_t(l);
        State().palette.r_cell = uint8_t(r);
    }

    LoaderControls& Loader() { return zol::Loader(*frame); }
    void Double_Click_Palette(int cell)
    {
        const QRect rect = Cell_Rect(cell);
        winlib::Fire(Palette_Controls(*frame).picture, QStringLiteral("LeftButtonDoubleEvent"), rect.x() + 3, rect.y() + 3);
    }
    // Writes a bitmap of w x h pixels, pixel (x, y) coloured (x, y, 7).
    QString Write_Bitmap(const char* name, int w, int h)
    {
        QImage image(w, h, QImage::Format_RGB888);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) image.setPixel(x, y, qRgb(x, y, 7));
        EXPECT_TRUE(image.save(Path(name), "BMP"));
        return Path(name);
    }
    void Load_Bitmap(const QString& path)
    {
        dialogs.Answer_File(path);
        Click(Loader().window.Get(), "ビットマップファイルの読み込み");
    }

    CellEditorControls& Editor() { return Cell_Editor(*frame); }
    void Surface(const char* event, int x, int y, winlib::ButtonSnapshot held = kLeft)
    {
        winlib::Override_Buttons(held);
        winlib::Fire(Editor().surface, QString::fromLatin1(event), x, y);
    }
};

// ---- Patterns ----------------------------------------------------------------------------------

TEST_F(CellWindowsTest, SizeDialogMakerAndPainting)
{
    const int slot = Open(Write_Test_Map("a.zol", "0 0 0 0\n0 0 0 0\n0 0 0 0"));
    Choose(kFloodFill);
    Click(Fill_Rate_Dialog(*frame).Get(), " OK ");
    Choose(kPatternRectangle);
    ASSERT_TRUE(Pattern_Size_Window(*frame).Is_Open());
    EXPECT_EQ(Size_Dialog()->windowTitle(), QStringLiteral("パターンサイズの決定"));
    // A typed 7 is out of range: the box takes the bar's number back.
    auto* edit = Size_Dialog()->findChildren<QLineEdit*>().first();
    edit->setText(QStringLiteral("7"));
    emit edit->editingFinished();
    EXPECT_EQ(edit->text(), QStringLiteral("1"));
    // Editing waits while a pattern window is open.
    Mouse(slot, "LeftButtonDownEvent", 0, 0, kLeft);
    EXPECT_FALSE(Has_Undo_Step(Doc(slot)));

    Size_OK(3, 2);
    EXPECT_FALSE(Pattern_Size_Window(*frame).Is_Open());
    ASSERT_TRUE(Pattern_Maker(*frame).window.Is_Open());
    EXPECT_EQ(State().pattern.cells, std::vector<uint8_t>(6, 0));
    EXPECT_EQ(State().tools.previous, kPatternRectangle) << "the tool is confirmed";
    EXPECT_EQ(Pattern_Maker(*frame).canvas->size(), QSize(96, 64));

    // Left alone takes L; the right button, or the left with a modifier, takes R.
    Choose_Cells(7, 9);
    Canvas("LeftButtonDownEvent", 0, 0, kLeft);
    Canvas("RightButtonDownEvent", 1, 0, {.right = true});
    Canvas("LeftButtonDownEvent", 2, 1, {.left = true, .ctrl = true});
    EXPECT_EQ(State().pattern.cells, (std::vector<uint8_t>{7, 0, 9, 0, 0, 9}));
    EXPECT_EQ(Pattern_Maker(*frame).canvas->Image().pixel(32 + 5, 5), State().palette.cells[9].pixel(5, 5));

    // OK opens the fill-rate dialog when the switch is on; the tool stays.
    Click(Maker(), "   OK   ");
    EXPECT_FALSE(Pattern_Maker(*frame).window.Is_Open());
    ASSERT_TRUE(Fill_Rate_Dialog(*frame).Is_Open());
    Click(Fill_Rate_Dialog(*frame).Get(), "CANCEL");
    EXPECT_FALSE(Fill_Rate_Dialog(*frame).Is_Open()) << "CANCEL closes it when the tool was confirmed";
    EXPECT_EQ(State().tools.current, kPatternRectangle);

    // A drag from (1, 1) to (3, 2) tiles from the map's corner, as one undo step.
    Mouse(slot, "LeftButtonDownEvent", 1, 1, kLeft);
    Mouse(slot, "LeftButtonUpEvent", 3, 2);
    EXPECT_EQ(Map_To_Text(Doc(slot)), QStringLiteral("0 0 0 0\n0 0 9 0\n0 9 0 7"));
    EXPECT_EQ(Doc(slot).saved, 0);
    frame->Client()->setActiveSubWindow(Window(slot));
    frame->Run_Command(ID_UNDO);
    EXPECT_EQ(Map_To_Text(Doc(slot)), QStringLiteral("0 0 0 0\n0 0 0 0\n0 0 0 0"));

    // The pattern fill paints the region with the same tiling, flags included.
    Doc(slot).flags[9] = 2;
    Choose(kPatternFill);
    Size_OK(3, 2);
    Canvas("RightButtonDownEvent", 1, 0, {.right = true});
    Click(Maker(), "   OK   ");
    Click(Fill_Rate_Dialog(*frame).Get(), " OK ");
    Mouse(slot, "LeftButtonDownEvent", 0, 0, kLeft);
    EXPECT_EQ(Map_To_Text(Doc(slot)), QStringLiteral("0 137 0 0\n0 0 0 0\n0 137 0 0"));
    EXPECT_TRUE(State().ready);
}

TEST_F(CellWindowsTest, CancelCloseAndOtherToolsAroundThePatternWindows)
{
    Open(Write_Test_Map("a.zol", "0 0\n0 0"));
    struct Case {
        const char* name;
        void (*act)(CellWindowsTest&);
        int tool;         // the current tool afterwards
        bool pattern;     // a pattern remains
    } cases[] = {
        {"CANCEL", [](CellWindowsTest& t) { Click(t.Size_Dialog(), "CANCEL"); }, kRectangleEdges, false},
        {"close box", [](CellWindowsTest& t) { t.Size_Dialog()->close(); }, kRectangleEdges, false},
        {"another tool chosen", [](CellWindowsTest& t) { t.Choose(kPen); }, kPen, false},
        {"the maker's close box", [](CellWindowsTest& t) {
             t.Size_OK(2, 2);
             t.Maker()->close();
         }, kPatternFill, true},
        {"another tool while the maker is open", [](CellWindowsTest& t) {
             t.Size_OK(1, 1);
             t.Choose(kCut);
         }, kCut, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Choose(kRectangleEdges);
        Choose(kPatternFill);
        ASSERT_TRUE(Pattern_Size_Window(*frame).Is_Open());
        c.act(*this);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(State().tools.current, c.tool);
        EXPECT_EQ(State().pattern.exists(), c.pattern);
        EXPECT_FALSE(Pattern_Size_Window(*frame).Is_Open());
        EXPECT_FALSE(Pattern_Maker(*frame).window.Is_Open());
        EXPECT_FALSE(Fill_Rate_Dialog(*frame).Is_Open());
        EXPECT_TRUE(frame->Menu_Item(Tool_Command_Id(c.tool))->isChecked());
    }
}

// ---- The cell loading window ---------------------------------------------------------------

TEST_F(CellWindowsTest, OkMovesTheFlagInTheChosenMaps)
{
    // Three maps; in each, cell 5 has flag 1 in the table and one cell 5 a flag set by hand.
    std::vector<int> maps;
    for (const char* name : {"a.zol", "b.zol", "c.zol"}) {
        maps.push_back(Open(Write_Test_Map(name, "69 197 5\n69 6 6")));
        Doc(maps.back()).flags[5] = 1;
    }
    Doc(maps[1]).flags[5] = 5; // a hand-made entry above 3 reads as flag 1
    for (int s : maps) Doc(s).saved = 1;

    struct Case {
        const char* name;
        bool edited_too;
        int entry;                  // the map chosen in the list
        std::vector<bool> changed;  // per map
    } cases[] = {
        {"checked: every map", true, 0, {true, true, true}},
        {"cleared: the first through the chosen", false, 1, {true, true, false}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (int s : maps) {
            Doc(s).flags[5] = s == maps[1] ? 5 : 1;
            for (int y = 0; y < 2; ++y) Doc(s).cell(0, y) = 69;
            Doc(s).saved = 1;
        }
        Double_Click_Palette(5);
        ASSERT_TRUE(Loader().window.Is_Open());
        EXPECT_EQ(Loader().window.Get()->windowTitle(), QStringLiteral("No.5"));
        EXPECT_EQ(Loader().maps->count(), 3);
        EXPECT_EQ(Loader().flag->currentText(), QStringLiteral("Flag :1"));
        Loader().edited_too->setChecked(c.edited_too);
        Loader().maps->setCurrentIndex(c.entry);
        winlib::Fire(Loader().maps, QStringLiteral("SelectEvent"));
        EXPECT_EQ(Loader().flag->currentIndex(), 1) << "the low two bits of the entry";
        Loader().flag->setCurrentIndex(2);
        Click(Loader().window.Get(), "  OK  ");
        EXPECT_FALSE(Loader().window.Is_Open());
        for (std::size_t i = 0; i < maps.size(); ++i) {
            const edit_form& doc = Doc(maps[i]);
            EXPECT_EQ(Map_To_Text(doc), c.changed[i] ? QStringLiteral("133 197 5\n133 6 6") : QStringLiteral("69 197 5\n69 6 6")) << i;
            EXPECT_EQ(doc.flags[5] == 2, c.changed[i]) << i;
            EXPECT_EQ(doc.saved, c.changed[i] ? 0 : 1) << i << ": a map whose flags moved asks to be saved";
        }
    }
    EXPECT_EQ(State().palette.l_cell, 5);
    EXPECT_EQ(State().palette.saved, 0);
}

TEST_F(CellWindowsTest, AClosedMapIsSkippedAndItsSlotsNewMapUntouched)
{
    const int a = Open(Write_Test_Map("a.zol", "5 5"));
    const int b = Open(Write_Test_Map("b.zol", "5 5"));
    Double_Click_Palette(5);
    Loader().maps->setCurrentIndex(1);
    Close_Map(*frame, b);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const int c = Open(Write_Test_Map("c.zol", "5 5")); // takes b's slot
    EXPECT_EQ(c, b);
    winlib::Fire(Loader().maps, QStringLiteral("SelectEvent"));
    Loader().flag->setCurrentIndex(3);
    Click(Loader().window.Get(), "  OK  ");
    EXPECT_EQ(Doc(a).flags[5], 3);
    EXPECT_EQ(Doc(c).flags[5], 0);
    EXPECT_EQ(Map_To_Text(Doc(c)), QStringLiteral("5 5"));
}

TEST_F(CellWindowsTest, PickingABlockFromABitmap)
{
    Open(Write_Test_Map("a.zol", "5"));
    const QImage before = State().palette.cells[12];
    Double_Click_Palette(12);

    // An unreadable file, then a 100 x 60 bitmap.
    Write_File(Path("bad.bmp"), "BM not a bitmap");
    Load_Bitmap(Path("bad.bmp"));
    EXPECT_EQ(messages.captions(), QStringList{QStringLiteral("ぐぇっ")});
    EXPECT_EQ(messages.last().text, QStringLiteral("ビットマップファイルのロードに失敗しました。"));
    EXPECT_FALSE(Loader().bitmap_window.Is_Open());
    Load_Bitmap(Write_Bitmap("wide.bmp", 100, 60));
    ASSERT_TRUE(Loader().bitmap_window.Is_Open());
    EXPECT_EQ(dialogs.File_Requests().back().title, QStringLiteral("ビットマップを開く"));

    winlib::Fire(Loader().bitmap_picture, QStringLiteral("MouseMoveEvent"), 3, 58);
    EXPECT_EQ(Loader().bitmap_status->Text(0), QStringLiteral("( 0, 28 )"));
    EXPECT_EQ(Loader().bitmap_picture->Overlay(), QRect(0, 28, 32, 32));
    // Moves outside the picture (a pressed button keeps them coming) are kept to it.
    winlib::Fire(Loader().bitmap_picture, QStringLiteral("MouseMoveEvent"), 500, -40);
    EXPECT_EQ(Loader().bitmap_status->Text(0), QStringLiteral("( 68, 0 )"));
    winlib::Fire(Loader().bitmap_picture, QStringLiteral("RightButtonDownEvent"), 50, 30);
    EXPECT_EQ(Loader().picture.pixel(0, 0), qRgb(34, 14, 7));
    EXPECT_EQ(Loader().preview->Image(), Loader().picture);
    EXPECT_EQ(State().palette.cells[12], before) << "nothing changes before OK";

    // A bitmap smaller than a cell: the block is white beyond it.
    Load_Bitmap(Write_Bitmap("small.bmp", 20, 10));
    winlib::Fire(Loader().bitmap_picture, QStringLiteral("LeftButtonDownEvent"), 15, 8);
    EXPECT_EQ(Loader().bitmap_status->Text(0), QStringLiteral("( 0, 0 )"));
    EXPECT_EQ(Loader().picture.pixel(19, 9), qRgb(19, 9, 7));
    EXPECT_EQ(Loader().picture.pixel(20, 9), qRgb(255, 255, 255));

    // CANCEL changes nothing and closes the bitmap window too.
    Click(Loader().window.Get(), "CANCEL");
    EXPECT_FALSE(Loader().bitmap_window.Is_Open());
    EXPECT_EQ(State().palette.cells[12], before);
    EXPECT_EQ(State().palette.saved, 1);
    EXPECT_EQ(State().palette.history.Newest_Empty(), true);
}

TEST_F(CellWindowsTest, UndoBringsThePicturesBackOneByOne)
{
    const int slot = Open(Write_Test_Map("a.zol", "3"));
    const CellImages original = State().palette.cells;
    for (int i = 0; i < 5; ++i) {
        Double_Click_Palette(3);
        Loader().picture.fill(qRgb(i * 40, 0, 0));
        Click(Loader().window.Get(), "  OK  ");
    }
    EXPECT_EQ(State().palette.cells[3].pixel(0, 0), qRgb(160, 0, 0));
    EXPECT_EQ(Map(slot).picture->Image().pixel(5, 5), qRgb(160, 0, 0)) << "the map shows the new picture";
    EXPECT_TRUE(frame->Menu_Item(ID_UNDO)->isEnabled());
    frame->Client()->setActiveSubWindow(Palette_Controls(*frame).window);
    for (int i = 3; i >= 0; --i) {
        frame->Run_Command(ID_UNDO);
        EXPECT_EQ(State().palette.cells[3].pixel(0, 0), qRgb(i * 40, 0, 0));
    }
    frame->Run_Command(ID_UNDO);
    EXPECT_EQ(State().palette.cells[3], original[3]);
    EXPECT_EQ(Map(slot).picture->Image().pixel(5, 5), original[3].pixel(5, 5));
    EXPECT_TRUE(messages.calls().empty());
    frame->Run_Command(ID_UNDO);
    EXPECT_EQ(messages.captions(), QStringList{QStringLiteral("それはちょっと…")});
    EXPECT_EQ(messages.last().text, QStringLiteral("セルパレットはこれ以上元に戻せません"));
}

TEST_F(CellWindowsTest, RedoPutsThePicturesBackWithThePaletteWindowActive)
{
    const int slot = Open(Write_Test_Map("a.zol", "3"));
    auto replace = [&](int red) {
        Double_Click_Palette(3);
        Loader().picture.fill(qRgb(red, 0, 0));
        Click(Loader().window.Get(), "  OK  ");
        frame->Client()->setActiveSubWindow(Palette_Controls(*frame).window);
    };
    auto redo_enabled = [&] {
        EXPECT_EQ(Toolbar_Controls(*frame).redo_button->isEnabled(), frame->Menu_Item(ID_REDO)->isEnabled());
        return frame->Menu_Item(ID_REDO)->isEnabled();
    };
    auto red = [&] { return qRed(State().palette.cells[3].pixel(0, 0)); };
    for (int r : {40, 80, 120}) replace(r);
    frame->Run_Command(ID_UNDO);
    frame->Run_Command(ID_UNDO);
    EXPECT_TRUE(redo_enabled());
    State().palette.saved = 1;
    frame->Run_Command(ID_REDO);
    EXPECT_EQ(red(), 80);
    EXPECT_EQ(Map(slot).picture->Image().pixel(5, 5), qRgb(80, 0, 0)) << "the map shows the picture";
    EXPECT_EQ(State().palette.saved, 0);

    // With a map active, redo is the map's, which has none.
    frame->Client()->setActiveSubWindow(Window(slot));
    EXPECT_FALSE(redo_enabled());
    frame->Run_Command(ID_REDO);
    EXPECT_EQ(red(), 80);

    // A new picture drops the one left to redo.
    replace(200);
    EXPECT_FALSE(redo_enabled());
    frame->Run_Command(ID_UNDO);
    EXPECT_EQ(red(), 80);
    EXPECT_TRUE(messages.calls().empty());
}

TEST_F(CellWindowsTest, OpeningFromTheFlagListAndClosingWithThePalette)
{
    Open(Write_Test_Map("a.zol", "1"));
    const int b = Open(Write_Test_Map("b.zol", "1"));
    Doc(b).flags[9] = 6;
    List_Command(*frame, ListKind::Flags);
    ListControls& list = List_Controls(*frame, ListKind::Flags);
    list.chooser->setCurrentIndex(1);
    winlib::Fire(list.chooser, QStringLiteral("SelectEvent"));
    list.list->Set_Current_Row(9);
    winlib::Fire(list.list, QStringLiteral("LeftButtonDoubleEvent"));
    ASSERT_TRUE(Loader().window.Is_Open());
    EXPECT_EQ(Loader().cell, 9);
    EXPECT_EQ(Loader().maps->currentIndex(), 1);
    EXPECT_EQ(Loader().flag->currentIndex(), 2);

    // With no map open, OK only changes the picture, the L cell and the saved flag.
    Load_Bitmap(Write_Bitmap("any.bmp", 40, 40));
    Open_Cell_Editer(*frame);
    messages.answer(MessageButton::No);
    frame->Run_Command(ID_NEW_PALETTE);
    EXPECT_FALSE(Loader().window.Is_Open());
    EXPECT_FALSE(Loader().bitmap_window.Is_Open());
    EXPECT_FALSE(Editor().window.Is_Open());
}

// ---- The cell editor ---------------------------------------------------------------------------

TEST_F(CellWindowsTest, PenPickerColoursAndOk)
{
    Open(Write_Test_Map("a.zol", "1"));
    Double_Click_Palette(1);
    const QImage working = Loader().picture.copy();
    winlib::Fire(Loader().preview, QStringLiteral("LeftButtonDoubleEvent"));
    ASSERT_TRUE(Editor().window.Is_Open());
    EXPECT_EQ(Editor().surface->Image().pixel(37, 12), working.pixel(3, 1));
    EXPECT_EQ(Editor().tool->text(), QStringLiteral("ペン"));

    // The pen in the first grid colour (white), then a drag that leaves the surface.
    Surface("LeftButtonDownEvent", 37, 12);
    EXPECT_EQ(Editor().cell.pixel(3, 1), qRgb(255, 255, 255));
    EXPECT_EQ(Editor().surface->Image().pixel(30, 10), qRgb(255, 255, 255));
    QImage drawn = Editor().cell.copy();
    Surface("MouseMoveEvent", 335, 12);
    Surface("MouseMoveEvent", -3, 400);
    Surface("MouseMoveEvent", 50, 50, {.left = true, .shift = true});
    EXPECT_EQ(Editor().cell, drawn);
    Surface("MouseMoveEvent", 55, 15);
    EXPECT_EQ(Editor().cell.pixel(5, 1), qRgb(255, 255, 255));

    // The grid, the right-button picker and the colour chooser.
    winlib::Fire(Editor().grid, QStringLiteral("LeftButtonDownEvent"), 30, 10); // index 1: black
    EXPECT_EQ(Editor().colour, qRgb(0, 0, 0));
    Surface("LeftButtonDownEvent", 0, 0);
    winlib::Fire(Editor().grid, QStringLiteral("LeftButtonDownEvent"), 55, 30); // index 6: yellow
    Surface("RightButtonDownEvent", 5, 5, {.right = true});
    EXPECT_EQ(Editor().colour, qRgb(0, 0, 0));
    EXPECT_EQ(Editor().selected, 6);
    EXPECT_EQ(Editor().colour_box->Image().pixel(10, 10), qRgb(0, 0, 0));
    dialogs.Answer_Colour(QColor(1, 2, 3));
    winlib::Fire(Editor().grid, QStringLiteral("LeftButtonDoubleEvent"), 55, 30);
    EXPECT_EQ(Editor().colours[6], qRgb(1, 2, 3));
    EXPECT_EQ(Editor().colour, qRgb(1, 2, 3));
    EXPECT_EQ(Editor().grid->Image().pixel(62, 37), qRgb(1, 2, 3));

    // OK hands the picture back; the palette waits for the loading window's OK.
    drawn = Editor().cell.copy();
    Click(Editor().window.Get(), "  OK  ");
    EXPECT_FALSE(Editor().window.Is_Open());
    EXPECT_EQ(Loader().picture, drawn);
    EXPECT_EQ(Loader().preview->Image(), drawn);
    EXPECT_EQ(State().palette.cells[1], working);
    Click(Loader().window.Get(), "  OK  ");
    EXPECT_EQ(State().palette.cells[1], drawn);
}

TEST_F(CellWindowsTest, FillEndsInPenModeAndCancelKeepsThePicture)
{
    Open(Write_Test_Map("a.zol", "1"));
    Double_Click_Palette(1);
    Loader().picture.fill(qRgb(9, 9, 9));
    const QImage working = Loader().picture.copy();
    Open_Cell_Editer(*frame);
    Click(Editor().window.Get(), "ペン");
    EXPECT_EQ(Editor().tool->text(), QStringLiteral("塗る"));
    {
        AllocationFailureScope fail(2);
        Surface("LeftButtonDownEvent", 100, 100);
    }
    EXPECT_EQ(messages.captions(), QStringList{QStringLiteral("ERROR:Paint(2)")});
    EXPECT_EQ(Editor().cell, working);
    EXPECT_TRUE(State().ready);
    EXPECT_EQ(Editor().tool->text(), QStringLiteral("ペン"));

    Click(Editor().window.Get(), "ペン");
    Surface("LeftButtonDownEvent", 100, 100);
    QImage white(32, 32, QImage::Format_RGB32);
    white.fill(Qt::white);
    EXPECT_EQ(Editor().cell, white);
    EXPECT_EQ(Editor().surface->Image().pixel(319, 319), qRgb(255, 255, 255));
    EXPECT_EQ(Editor().tool->text(), QStringLiteral("ペン"));
    EXPECT_TRUE(State().ready);

    Click(Editor().window.Get(), "CANCEL");
    EXPECT_FALSE(Editor().window.Is_Open());
    EXPECT_EQ(Loader().picture, working);
}

} // namespace
