// The editing tools' other half, offscreen: cut, copy and paste with the mouse, the toolbar,
// the fill-rate and background dialogs, zoom, the palette colours and Zol.cfg.

#include "ui/dialogs/zoom.h"
#include "core/exchange/configuration.h"
#include "frame_fixture.h"

#include <QLineEdit>
#include <QRadioButton>

using namespace zol;
using namespace zol::test;

namespace {

class ToolDialogsTest : public FrameTest {
protected:
    void Drag(int slot, int i1, int j1, int i2, int j2)
    {
        Mouse(slot, "LeftButtonDownEvent", i1, j1, {.left = true});
        Mouse(slot, "MouseMoveEvent", i2, j2, {.left = true});
        Mouse(slot, "LeftButtonUpEvent", i2, j2);
    }
    void Choose(int tool) { frame->Run_Command(Tool_Command_Id(tool)); }
    winlib::WNumberDialog* Rate_Dialog() { return Fill_Rate_Dialog(*frame).Get(); }
    bool Paste_Enabled()
    {
        const QAction* button = Toolbar_Controls(*frame).tool_buttons[kPaste];
        EXPECT_EQ(button->isEnabled(), frame->Menu_Item(ID_PASTE)->isEnabled());
        return button->isEnabled();
    }
};

TEST_F(ToolDialogsTest, CutCopyAndPasteWithTheMouse)
{
    const int a = Open(Write_Test_Map("a.zol", "1 2 3\n4 5 6")); // link and event on (0, 0)
    const int b = Open(Write_Test_Map("b.zol", "0 0 0\n0 0 0\n0 0 0", "tiles"));
    EXPECT_FALSE(Paste_Enabled());

    // A right press with an empty clipboard changes nothing and records nothing.
    Choose(kCopy);
    Mouse(b, "RightButtonDownEvent", 0, 0, {.right = true});
    Mouse(b, "RightButtonUpEvent", 0, 0);
    EXPECT_FALSE(Has_Undo_Step(Doc(b)));

    // Cut two cells of a, then undo brings them back with their link and event.
    Choose(kCut);
    Drag(a, 0, 0, 1, 0);
    EXPECT_EQ(Map_To_Text(Doc(a)), QStringLiteral("0 0 3\n4 5 6"));
    EXPECT_EQ(Doc(a).links.count(), 0);
    EXPECT_TRUE(Paste_Enabled());
    frame->Client()->setActiveSubWindow(Window(a));
    frame->Run_Command(ID_UNDO);
    EXPECT_EQ(Map_To_Text(Doc(a)), QStringLiteral("1 2 3\n4 5 6"));
    EXPECT_EQ(Doc(a).links.count(), 1);

    // Pasted into the other map twice; each paste is one undo step.
    Choose(kPaste);
    Mouse(b, "LeftButtonDownEvent", 1, 2, {.left = true});
    Mouse(b, "LeftButtonUpEvent", 1, 2);
    Mouse(b, "RightButtonDownEvent", 0, 0, {.right = true});
    Mouse(b, "RightButtonUpEvent", 0, 0);
    EXPECT_EQ(Map_To_Text(Doc(b)), QStringLiteral("1 2 0\n0 0 0\n0 1 2")) << "the second paste clips at the edge";
    EXPECT_EQ(Doc(b).links.x, (std::vector<uint8_t>{1, 0}));
    EXPECT_EQ(Doc(b).saved, 0);
    const QImage shown = Map(b).picture->Image().copy();
    Redraw_Map(*frame, b);
    EXPECT_EQ(Map(b).picture->Image(), shown);
}

TEST_F(ToolDialogsTest, TheFillRateDialog)
{
    EXPECT_TRUE(frame->Menu_Item(ID_FILL_RATE_ON)->isChecked());
    Choose(kRectangleFill);
    ASSERT_TRUE(Rate_Dialog());
    EXPECT_EQ(Rate_Dialog()->windowTitle(), QStringLiteral("塗りつぶし率設定"));
    EXPECT_EQ(Rate_Dialog()->edit->text(), QStringLiteral("100"));
    // Typing past the range puts the bar's value back; OK applies the bar.
    Rate_Dialog()->bar->setValue(40);
    Rate_Dialog()->edit->setText(QStringLiteral("150"));
    emit Rate_Dialog()->edit->editingFinished();
    EXPECT_EQ(Rate_Dialog()->edit->text(), QStringLiteral("40"));
    Rate_Dialog()->ok->click();
    QApplication::processEvents();
    EXPECT_FALSE(Rate_Dialog());
    EXPECT_EQ(frame->State().fill_rate.rate, 40);

    // CANCEL puts back the tool before; so does the close box.
    Choose(kPen);
    Choose(kFloodFill);
    Rate_Dialog()->cancel->click();
    QApplication::processEvents();
    EXPECT_EQ(frame->State().tools.current, kPen);
    EXPECT_TRUE(frame->Menu_Item(ID_PEN)->isChecked());
    Choose(kFloodFill);
    Rate_Dialog()->close();
    QApplication::processEvents();
    EXPECT_EQ(frame->State().tools.current, kPen);
    EXPECT_EQ(frame->State().fill_rate.rate, 40);
    // Chosen again after it was confirmed, CANCEL still closes the dialog.
    Choose(kFloodFill);
    Rate_Dialog()->ok->click();
    Choose(kFloodFill);
    Rate_Dialog()->cancel->click();
    QApplication::processEvents();
    EXPECT_FALSE(Rate_Dialog());
    EXPECT_EQ(frame->State().tools.current, kFloodFill);

    // Choosing a tool closes it without applying it.
    Choose(kFloodFill);
    Rate_Dialog()->bar->setValue(7);
    Choose(kRectangleEdges);
    QApplication::processEvents();
    EXPECT_FALSE(Rate_Dialog());
    EXPECT_EQ(frame->State().fill_rate.rate, 40);
    EXPECT_EQ(frame->State().tools.current, kRectangleEdges);

    // The switch off: the rate goes back to 100 and no dialog opens.
    frame->Run_Command(ID_FILL_RATE_OFF);
    EXPECT_TRUE(frame->Menu_Item(ID_FILL_RATE_OFF)->isChecked());
    EXPECT_FALSE(frame->Menu_Item(ID_FILL_RATE_ON)->isChecked());
    EXPECT_EQ(frame->State().fill_rate.rate, 100);
    Choose(kFloodFill);
    EXPECT_FALSE(Rate_Dialog());
    frame->Menu_Item(ID_FILL_RATE_OFF)->trigger(); // choosing it again changes nothing
    EXPECT_TRUE(frame->Menu_Item(ID_FILL_RATE_OFF)->isChecked());
}

TEST_F(ToolDialogsTest, TheBackgroundDialogAndCopyWithoutBackground)
{
    const int slot = Open(Write_Test_Map("bg.zol", "5 69\n197 2"));
    Choose(kCopyWithoutBackground);
    winlib::WNumberDialog* dialog = Background_Dialog(*frame).Get();
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("背景の設定"));
    dialog->bar->setValue(5);
    dialog->ok->click();
    QApplication::processEvents();
    EXPECT_EQ(frame->State().background_cell, 5);
    Drag(slot, 0, 0, 1, 1);
    EXPECT_EQ(frame->State().clipboard.at(0, 0), kTransparentCell);
    EXPECT_EQ(frame->State().clipboard.at(1, 1), 2);
}

TEST_F(ToolDialogsTest, TheToolbarRunsTheMenuCommands)
{
    ASSERT_TRUE(Toolbar_Controls(*frame).toolbar);
    EXPECT_TRUE(frame->Menu_Item(ID_TOOLBAR)->isChecked());
    Toolbar_Controls(*frame).tool_buttons[kRectangleEdges]->trigger();
    EXPECT_EQ(frame->State().tools.current, kRectangleEdges);
    EXPECT_TRUE(frame->Menu_Item(ID_RECT_EDGES)->isChecked());
    EXPECT_TRUE(Toolbar_Controls(*frame).tool_buttons[kRectangleEdges]->isChecked());
    EXPECT_FALSE(Toolbar_Controls(*frame).tool_buttons[kPen]->isChecked());
    Toolbar_Controls(*frame).tool_buttons[kRectangleEdges]->trigger(); // the pressed button again
    EXPECT_TRUE(Toolbar_Controls(*frame).tool_buttons[kRectangleEdges]->isChecked());
    EXPECT_EQ(frame->Status()->Text(1), QStringLiteral("指定された長方形の辺のみを塗ります"));
    EXPECT_FALSE(Toolbar_Controls(*frame).undo_button->isEnabled());
    EXPECT_FALSE(Toolbar_Controls(*frame).redo_button->isEnabled());
    // Undo and redo come first, side by side, each with its own picture.
    const QList<QAction*> buttons = Toolbar_Controls(*frame).toolbar->actions();
    ASSERT_GE(buttons.size(), 2);
    EXPECT_EQ(buttons[0], Toolbar_Controls(*frame).undo_button);
    EXPECT_EQ(buttons[1], Toolbar_Controls(*frame).redo_button);
    EXPECT_EQ(buttons.size() - std::count_if(buttons.begin(), buttons.end(), [](QAction* a) { return a->isSeparator(); }),
              2 + kToolCount);
    const QImage undo = buttons[0]->icon().pixmap(24, 24).toImage();
    const QImage redo = buttons[1]->icon().pixmap(24, 24).toImage();
    EXPECT_FALSE(redo.isNull());
    EXPECT_EQ(redo.convertToFormat(undo.format()), undo.mirrored(true, false)) << "the undo arrow turned round";

    // Shown again from the menu: nothing changes; hidden: it is closed and the mark goes.
    QToolBar* toolbar = Toolbar_Controls(*frame).toolbar;
    frame->Menu_Item(ID_TOOLBAR)->trigger();
    EXPECT_EQ(Toolbar_Controls(*frame).toolbar, toolbar);
    EXPECT_TRUE(frame->Menu_Item(ID_TOOLBAR)->isChecked());
    toolbar->hide();
    EXPECT_FALSE(Toolbar_Controls(*frame).toolbar);
    EXPECT_FALSE(frame->Menu_Item(ID_TOOLBAR)->isChecked());
    frame->Run_Command(ID_TOOLBAR);
    ASSERT_TRUE(Toolbar_Controls(*frame).toolbar);
    EXPECT_TRUE(Toolbar_Controls(*frame).tool_buttons[kRectangleEdges]->isChecked()) << "the new toolbar shows the tool";
    EXPECT_FALSE(Toolbar_Controls(*frame).tool_buttons[kPaste]->isEnabled());
}

TEST_F(ToolDialogsTest, ZoomKeepsTheTopLeftCell)
{
    const int slot = Open(Write_Big_Map("z.zol", 100));
    Map(slot).vertical->setValue(10);
    frame->Run_Command(ID_ZOOM);
    QDialog* dialog = Zoom_Window(*frame).Get();
    ASSERT_TRUE(dialog);
    EXPECT_TRUE(dialog->findChild<QRadioButton*>("100%")->isChecked());
    dialog->findChild<winlib::WRadioButton*>("50%")->click();
    QApplication::processEvents();
    EXPECT_FALSE(Zoom_Window(*frame).Get()) << "a choice closes the dialog";
    EXPECT_EQ(Map(slot).picture->size(), QSize(640, 480));
    EXPECT_EQ(Map(slot).vertical->maximum(), 70);
    EXPECT_EQ(Map(slot).horizontal->maximum(), 60);
    EXPECT_EQ(Doc(slot).scroll_y, 10);
    const QImage shown = Map(slot).picture->Image().copy();
    Redraw_Map(*frame, slot);
    EXPECT_EQ(Map(slot).picture->Image(), shown);

    Set_Zoom(*frame, 24);
    EXPECT_EQ(Map(slot).picture->size(), QSize(624, 480));
    // Out and back in: the window the user had comes back.
    Set_Zoom(*frame, 8);
    Set_Zoom(*frame, 32);
    EXPECT_EQ(Map(slot).picture->size(), QSize(640, 480));
    // A picture the user made smaller than one cell of the new size keeps one cell.
    Set_Zoom(*frame, 8);
    Map(slot).picture->resize(8, 8);
    Layout_Map_View(*frame, slot);
    Chosen_Picture_Size(*frame, slot) = QSize(8, 8);
    Set_Zoom(*frame, 32);
    EXPECT_EQ(Map(slot).picture->size(), QSize(32, 32));
    EXPECT_EQ(Map(slot).vertical->maximum(), 99);

    const int small = Open(Write_Big_Map("small.zol", 20));
    Set_Zoom(*frame, 8);
    EXPECT_EQ(Map(small).picture->size(), QSize(160, 160));
    EXPECT_FALSE(Map(small).vertical->isVisible());
}

TEST_F(ToolDialogsTest, PaletteColoursDialog)
{
    frame->Run_Command(ID_PALETTE_COLOURS);
    frame->Run_Command(ID_PALETTE_COLOURS);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QDialog* dialog = Colour_Window(*frame).Get();
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("パレット色設定"));
    EXPECT_EQ(frame->findChildren<QDialog*>().size(), 1) << "opening twice leaves one";

    dialogs.Answer_Colour(QColor(1, 2, 3));
    winlib::Fire(dialog->findChild<QWidget*>("swatch7"), "LeftButtonDoubleEvent");
    EXPECT_EQ(dialogs.Colour_Requests(), 1);
    EXPECT_EQ(frame->State().palette_colours[7], Default_Palette_Colour(7)) << "not before OK";
    dialog->findChild<winlib::WButton*>()->click(); // " OK " comes first
    EXPECT_EQ(frame->State().palette_colours[7], qRgb(1, 2, 3));

    // Format, then the close box: nothing changes.
    frame->Run_Command(ID_PALETTE_COLOURS);
    dialog = Colour_Window(*frame).Get();
    for (auto* button : dialog->findChildren<winlib::WButton*>())
        if (button->text() == "Format") button->click();
    dialog->close();
    EXPECT_EQ(frame->State().palette_colours[7], qRgb(1, 2, 3));
}

TEST_F(ToolDialogsTest, SettingsAreReadAtStartAndWrittenAtTheEnd)
{
    const QString path = Path("Zol.cfg");
    Settings stored;
    stored.fill_rate_on = false;
    stored.colours[3] = qRgb(9, 8, 7);
    ASSERT_TRUE(Write_Config(path, stored));
    frame = std::make_unique<Zol>();
    frame->Use_Config(path);
    EXPECT_FALSE(frame->State().fill_rate.on);
    EXPECT_TRUE(frame->Menu_Item(ID_FILL_RATE_OFF)->isChecked());
    EXPECT_EQ(frame->State().palette_colours[3], qRgb(9, 8, 7));
    frame->Run_Command(ID_FILL_RATE_ON);
    frame.reset();
    const Settings written = Read_Config(path);
    EXPECT_TRUE(written.fill_rate_on);
    EXPECT_EQ(written.colours[3], qRgb(9, 8, 7));

    // A damaged file never stops the editor: it starts with the defaults.
    Write_File(path, "\xff\xfe garbage");
    frame = std::make_unique<Zol>();
    frame->Use_Config(path);
    EXPECT_TRUE(frame->State().fill_rate.on);
    EXPECT_EQ(frame->State().palette_colours[3], Default_Palette_Colour(3));
}

TEST_F(ToolDialogsTest, WindowsAreWideEnoughForTheirTitlesAndButtonsForTheirTexts)
{
    const int slot = Open(Write_Test_Map("a-rather-long-map-name-for-its-dialog.zol", "1 2"));
    frame->Client()->setActiveSubWindow(Window(slot));
    frame->Run_Command(ID_MAP_SIZE);
    frame->Run_Command(ID_ZOOM);
    frame->Run_Command(ID_PALETTE_COLOURS);
    QImage bitmap(40, 40, QImage::Format_RGB32);
    bitmap.fill(Qt::red);
    ASSERT_TRUE(bitmap.save(Path("narrow.bmp")));
    Open_Load_Bitmap_Form(*frame, 3);
    dialogs.Answer_File(Path("narrow.bmp"));
    Load_Bitmap_File(*frame);
    for (QWidget* window : {static_cast<QWidget*>(Map_Size_Window(*frame).Get()), static_cast<QWidget*>(Zoom_Window(*frame).Get()),
                            static_cast<QWidget*>(Colour_Window(*frame).Get()), static_cast<QWidget*>(Loader(*frame).bitmap_window.Get()),
                            static_cast<QWidget*>(Loader(*frame).window.Get())}) {
        ASSERT_TRUE(window);
        window->adjustSize();
        EXPECT_GE(window->width(), winlib::Title_Width(window)) << window->windowTitle().toStdString();
        for (auto* button : window->findChildren<winlib::WButton*>())
            EXPECT_GE(button->width(), button->fontMetrics().horizontalAdvance(button->text()) + 16)
                << button->text().toStdString();
    }
}

} // namespace
