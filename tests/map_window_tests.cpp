// Map windows driven offscreen: scrolling and the wheel, resizing a cell at a time, closing
// with the save question, which window is active afterwards, and the picture's pixels.

#include "frame_fixture.h"

#include <QDir>
#include <QMdiArea>
#include <QWheelEvent>

using namespace zol;
using namespace zol::test;

namespace {

class MapWindowTest : public FrameTest {
protected:
    // The picture now, and after a full redraw at the same position: they must be the same.
    void Expect_Same_As_Full_Redraw(int slot, const char* what)
    {
        const QImage shown = Map(slot).picture->Image().copy();
        Redraw_Map(*frame, slot);
        EXPECT_EQ(Map(slot).picture->Image(), shown) << what;
    }
    void Wheel(int slot, int delta, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QWidget* picture = Map(slot).picture;
        QWheelEvent event(QPointF(50, 50), picture->mapToGlobal(QPointF(50, 50)), QPoint(),
                          QPoint(0, delta), Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
        QApplication::sendEvent(picture, &event);
    }
};

TEST_F(MapWindowTest, ClosingAModifiedMapWindow)
{
    ASSERT_EQ(Open(Write_Test_Map("g.zol", "1 2")), 0);
    Doc(0).saved = 0;
    messages.answer(MessageButton::Cancel);
    EXPECT_FALSE(Window(0)->close());
    EXPECT_EQ(messages.last().caption, QStringLiteral("閉じる前に…"));
    EXPECT_TRUE(Doc(0).has_grid());

    // Yes, then the save dialog is cancelled, or the save fails: the window stays, unsaved.
    messages.answer(MessageButton::Yes);
    dialogs.Answer_File(std::nullopt);
    EXPECT_FALSE(Window(0)->close());
    QDir().mkpath(Path("blocked.zol"));
    messages.answer(MessageButton::Yes);
    dialogs.Answer_File(Path("blocked.zol"));
    EXPECT_FALSE(Window(0)->close());
    EXPECT_EQ(messages.captions(), (QStringList{"閉じる前に…", "閉じる前に…", "閉じる前に…", "ERROR(16)"}));
    EXPECT_EQ(Doc(0).saved, 0);
    EXPECT_EQ(Doc(0).file_path, Path("g.zol"));

    messages.answer(MessageButton::No);
    Window(0)->close();
    QApplication::processEvents();
    EXPECT_FALSE(Window(0));
    EXPECT_FALSE(Doc(0).has_grid());
    EXPECT_FALSE(frame->Menu_Item(ID_SAVE_MAP)->isEnabled());
}

TEST_F(MapWindowTest, ScrollStepsGiveTheSamePixelsAsAFullRedraw)
{
    const int slot = Open(Write_Big_Map("big.zol", 100));
    ASSERT_EQ(slot, 0);
    MapControls& map = Map(slot);
    EXPECT_EQ(map.picture->size(), QSize(640, 480));
    EXPECT_EQ(map.vertical->maximum(), 85);
    EXPECT_EQ(map.horizontal->maximum(), 80);

    map.vertical->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    map.vertical->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    map.horizontal->triggerAction(QAbstractSlider::SliderPageStepAdd);
    map.vertical->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(Doc(slot).scroll_y, 1);
    EXPECT_EQ(Doc(slot).scroll_x, 1);
    const QImage stepped = map.picture->Image().copy();
    Redraw_Map(*frame, slot);
    EXPECT_EQ(map.picture->Image(), stepped);

    // The pointer over a cell writes the status line.
    Doc(slot).cell(3, 2) = 0xC5;
    winlib::Fire(map.picture, "MouseMoveEvent", 2 * 32 + 5, 1 * 32 + 5);
    EXPECT_EQ(frame->Status()->Text(0), QStringLiteral("(3,2) Palette=5 Flag=3"));
    EXPECT_EQ(frame->Status()->Text(1), QStringLiteral("big"));
}

TEST_F(MapWindowTest, TheWheelScrollsOneCellPerNotch)
{
    const int slot = Open(Write_Big_Map("w.zol", 100));
    ASSERT_EQ(slot, 0);
    Wheel(slot, -240, Qt::NoModifier); // two notches down
    EXPECT_EQ(Doc(slot).scroll_y, 2);
    Wheel(slot, 120, Qt::NoModifier);
    EXPECT_EQ(Doc(slot).scroll_y, 1);
    Wheel(slot, -120, Qt::ShiftModifier);
    EXPECT_EQ(Doc(slot).scroll_x, 1);
    Expect_Same_As_Full_Redraw(slot, "after wheel steps");

    // A touchpad's small deltas add up to one cell per 120 units, each way.
    for (int i = 0; i < 7; ++i) Wheel(slot, -15);
    EXPECT_EQ(Doc(slot).scroll_y, 1);
    Wheel(slot, -15);
    EXPECT_EQ(Doc(slot).scroll_y, 2);
    for (int i = 0; i < 12; ++i) Wheel(slot, -20, Qt::ShiftModifier);
    EXPECT_EQ(Doc(slot).scroll_x, 3);
    // Turning back drops what had not yet made a cell: the half notch down is forgotten, and
    // two half notches up make one cell up.
    Wheel(slot, -60);
    Wheel(slot, 60);
    EXPECT_EQ(Doc(slot).scroll_y, 2);
    Wheel(slot, 60);
    EXPECT_EQ(Doc(slot).scroll_y, 1);
    Expect_Same_As_Full_Redraw(slot, "after touchpad steps");
}

TEST_F(MapWindowTest, JumpsOfTheScrollBarShowThePictureThere)
{
    const int slot = Open(Write_Big_Map("jump.zol", 100));
    ASSERT_EQ(slot, 0);
    MapControls& map = Map(slot);
    // The context menu's Bottom and Top, and "Scroll here", which sets the value directly.
    map.vertical->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(Doc(slot).scroll_y, 85);
    Expect_Same_As_Full_Redraw(slot, "bottom");
    map.horizontal->setValue(40);
    EXPECT_EQ(Doc(slot).scroll_x, 40);
    Expect_Same_As_Full_Redraw(slot, "scroll here");
    map.vertical->triggerAction(QAbstractSlider::SliderToMinimum);
    map.vertical->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(Doc(slot).scroll_y, 1);
    Expect_Same_As_Full_Redraw(slot, "a step after a jump");
}

TEST_F(MapWindowTest, StepsThatRecentreThePictureBothWaysMatchAFullRedraw)
{
    const int slot = Open(Write_Big_Map("centre.zol", 120));
    ASSERT_EQ(slot, 0);
    MapControls& map = Map(slot);
    // The picture is 20 x 15 cells in a buffer twice its size: 15 columns and then 12 rows
    // run past the margin each way and copy the picture back to the middle.
    for (int i = 0; i < 15; ++i) map.horizontal->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    for (int i = 0; i < 12; ++i) map.vertical->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(Doc(slot).scroll_x, 15);
    EXPECT_EQ(Doc(slot).scroll_y, 12);
    Expect_Same_As_Full_Redraw(slot, "right and down");
    for (int i = 0; i < 15; ++i) map.horizontal->triggerAction(QAbstractSlider::SliderSingleStepSub);
    for (int i = 0; i < 12; ++i) map.vertical->triggerAction(QAbstractSlider::SliderSingleStepSub);
    Expect_Same_As_Full_Redraw(slot, "back left and up");
}

TEST_F(MapWindowTest, ResizeStepsOneCellAtATime)
{
    const int slot = Open(Write_Big_Map("r.zol", 100));
    ASSERT_EQ(slot, 0);
    MapControls& map = Map(slot);
    const QSize picture = map.picture->size();
    Window(slot)->resize(Window(slot)->width() + 300, Window(slot)->height());
    EXPECT_EQ(map.picture->width(), picture.width() + 32);
    EXPECT_EQ(map.picture->height(), picture.height());
    Window(slot)->resize(Window(slot)->width() - 300, Window(slot)->height() - 5);
    EXPECT_EQ(map.picture->width(), picture.width());
    EXPECT_EQ(map.picture->height(), picture.height() - 32);
}

TEST_F(MapWindowTest, AfterAMapWindowClosesTheNextMapWindowIsActive)
{
    const QString path = Write_Test_Map("one.zol", "1 2");
    ASSERT_EQ(Open(path), 0);
    ASSERT_EQ(Open(Write_Test_Map("two.zol", "3 4")), 1);
    frame->Client()->setActiveSubWindow(Window(1));
    ASSERT_EQ(frame->Active_Map(false), 1);
    Window(1)->close();
    QApplication::processEvents();
    EXPECT_EQ(frame->Active_Map(false), 0);

    // Saving now needs no guess about which map is meant.
    Doc(0).saved = 0;
    frame->Run_Command(ID_SAVE_MAP);
    EXPECT_TRUE(messages.calls().empty()) << messages.captions().join(',').toStdString();
    EXPECT_EQ(Doc(0).saved, 1);
}

TEST_F(MapWindowTest, SaveAsKeepsThePictureAndAFailedOneKeepsTheName)
{
    const int slot = Open(Write_Big_Map("pic.zol", 40));
    ASSERT_EQ(slot, 0);
    const QImage before = Map(slot).picture->Image().copy();

    dialogs.Answer_File(Path("renamed"));
    frame->Run_Command(ID_SAVE_MAP_AS);
    EXPECT_EQ(Doc(slot).file_path, Path("renamed.zol"));
    EXPECT_TRUE(Window(slot)->windowTitle().startsWith(QStringLiteral("renamed 40×40")));
    EXPECT_EQ(Map(slot).picture->Image(), before);

    // A read-only target is refused: the map keeps its name, its path and its picture.
    Write_File(Path("locked.zol"), "old");
    QFile::setPermissions(Path("locked.zol"), QFileDevice::ReadOwner);
    Doc(slot).saved = 0;
    dialogs.Answer_File(Path("locked.zol"));
    frame->Run_Command(ID_SAVE_MAP_AS);
    EXPECT_EQ(messages.last().caption, QStringLiteral("ERROR(16)"));
    EXPECT_EQ(Doc(slot).file_path, Path("renamed.zol"));
    EXPECT_EQ(Doc(slot).saved, 0);
    EXPECT_TRUE(Window(slot)->windowTitle().startsWith(QStringLiteral("renamed 40×40")));
    EXPECT_EQ(Map(slot).picture->Image(), before);
    EXPECT_EQ(Read_File(Path("locked.zol")), "old");
}

TEST_F(MapWindowTest, APictureHeldAcrossALayoutOrACloseNeverShowsFreedPixels)
{
    const int slot = Open(Write_Big_Map("held.zol", 60));
    ASSERT_EQ(slot, 0);
    // Pixels are read here, in code the address checker watches, not inside Qt.
    auto pixel = [](const QImage& image) { return reinterpret_cast<const QRgb*>(image.constScanLine(5))[5]; };
    const QImage held = Map(slot).picture->Image();
    const QRgb first = pixel(held);
    // A resize step makes a new picture; the one held (as a pending paint would) stays readable.
    Window(slot)->resize(Window(slot)->width() + 64, Window(slot)->height() + 64);
    Map(slot).picture->repaint();
    EXPECT_EQ(pixel(held), first);
    const QImage last = Map(slot).picture->Image();
    Map(slot).picture->update();
    Close_Map(*frame, slot);
    QApplication::processEvents();
    EXPECT_EQ(pixel(last), first);
    EXPECT_FALSE(Doc(slot).has_grid());
}

TEST_F(MapWindowTest, MapWindowsCascadeFromTheFirst)
{
    const QString map = Write_Test_Map("c.zol", "1 2");
    for (int i = 0; i < 5; ++i) ASSERT_EQ(Open(map), i);
    const int step = Window(0)->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, Window(0));
    ASSERT_GT(step, 0);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(Window(i)->pos(), QPoint(10 + i * step, 10 + i * step)) << i;
    // With every map closed, the next one is the first again.
    for (int i = 0; i < 5; ++i) Close_Map(*frame, i);
    ASSERT_EQ(Open(map), 0);
    EXPECT_EQ(Window(0)->pos(), QPoint(10, 10));
}

} // namespace
