// The form layer: handlers by event name, the controls' events, the frame and child windows,
// the dialog seams and the shared window idioms.

#include "ui/winlib/preview_file_dialog.h"
#include "ui/winlib/winlib.h"
#include "scripted_dialogs.h"

#include <QApplication>
#include <QMainWindow>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <ostream>
#include <tuple>

// Readable failure messages for the Qt values compared below.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }
inline void PrintTo(const QStringList& list, std::ostream* out) { *out << '{' << list.join(" | ").toStdString() << '}'; }
inline void PrintTo(const QSize& size, std::ostream* out) { *out << size.width() << 'x' << size.height(); }
inline void PrintTo(const QPoint& point, std::ostream* out) { *out << '(' << point.x() << ", " << point.y() << ')'; }
inline void PrintTo(const QColor& colour, std::ostream* out) { *out << colour.name().toStdString(); }
QT_END_NAMESPACE

using namespace zol::winlib;

namespace {

// Every test must leave no window behind, including those closed with WA_DeleteOnClose.
class Winlib : public ::testing::Test {
protected:
    void TearDown() override
    {
        Override_Buttons(std::nullopt);
        Override_Pointer(std::nullopt);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        const QWidgetList left = QApplication::topLevelWidgets();
        for (QWidget* widget : left) ADD_FAILURE() << "window left behind: " << widget->metaObject()->className();
    }
};

// Records "Name x,y" for each bound event of a control.
struct Recorder {
    QStringList seen;
    void Watch(QObject* control, const QStringList& names)
    {
        for (const QString& name : names)
            Bind(control, name, [this](QObject*, EventArgs& args) {
                seen << QStringLiteral("%1 %2,%3").arg(args.name).arg(args.x).arg(args.y);
            });
    }
};

const QStringList kMouseEvents = {
    "MouseMoveEvent",        "LeftButtonDownEvent",    "LeftButtonUpEvent",
    "LeftButtonDoubleEvent", "RightButtonDownEvent",   "RightButtonUpEvent",
    "RightButtonDoubleEvent"};

// ---- Events by name -------------------------------------------------------------------------

TEST_F(Winlib, HandlersAreFoundByEventNameAndReplaced)
{
    QObject control;
    EventArgs args;
    EXPECT_FALSE(Fire(&control, "ClickEvent", args)) << "nothing bound yet";

    QString got;
    QObject* sender = nullptr;
    Bind(&control, "ClickEvent", [&](QObject* s, EventArgs& a) {
        sender = s;
        got = QStringLiteral("first %1 %2,%3").arg(a.name).arg(a.x).arg(a.y);
    });
    EXPECT_TRUE(Fire(&control, "ClickEvent", 4, 7));
    EXPECT_EQ(got, "first ClickEvent 4,7");
    EXPECT_EQ(sender, &control);
    EXPECT_FALSE(Fire(&control, "ChangeEvent", args)) << "another name of the same control";

    Bind(&control, "ClickEvent", [&](QObject*, EventArgs&) { got = "second"; });
    EXPECT_TRUE(Fire(&control, "ClickEvent"));
    EXPECT_EQ(got, "second");

    Unbind(&control, "ClickEvent");
    EXPECT_FALSE(Fire(&control, "ClickEvent"));
}

TEST_F(Winlib, HandlerMayRebindItselfAndArgsComeBack)
{
    QObject control;
    int runs = 0;
    Bind(&control, "CloseEvent", [&](QObject* sender, EventArgs& args) {
        ++runs;
        args.allow = false;
        Bind(sender, "CloseEvent", [&](QObject*, EventArgs&) { runs += 10; });
    });
    EventArgs args;
    EXPECT_TRUE(Fire(&control, "CloseEvent", args));
    EXPECT_FALSE(args.allow);
    EXPECT_TRUE(Fire(&control, "CloseEvent", args));
    EXPECT_EQ(runs, 11);
}

TEST_F(Winlib, HandlerTableGoesWithItsObject)
{
    auto held = std::make_shared<int>(0);
    auto control = std::make_unique<QObject>();
    Bind(control.get(), "ClickEvent", [held](QObject*, EventArgs&) {});
    EXPECT_EQ(held.use_count(), 2);
    control.reset();
    EXPECT_EQ(held.use_count(), 1) << "the handler was released with its object";
}

// ---- Button snapshot and pointer ------------------------------------------------------------

TEST_F(Winlib, ButtonsAndPointerCanBeOverridden)
{
    ButtonSnapshot held;
    held.right = true;
    held.shift = true;
    Override_Buttons(held);
    EXPECT_TRUE(Buttons_Now().right);
    EXPECT_TRUE(Buttons_Now().shift);
    EXPECT_FALSE(Buttons_Now().left);
    Override_Buttons(ButtonSnapshot{});
    EXPECT_FALSE(Buttons_Now().right);
    Override_Buttons(std::nullopt);
    EXPECT_EQ(Buttons_Now().right, bool(QGuiApplication::mouseButtons() & Qt::RightButton))
        << "the real state again";

    Override_Pointer(QPoint(123, 45));
    EXPECT_EQ(Pointer_Position(), QPoint(123, 45));
    Override_Pointer(std::nullopt);
    EXPECT_EQ(Pointer_Position(), QCursor::pos());
}

// ---- Picture box ----------------------------------------------------------------------------

TEST_F(Winlib, PictureBoxRaisesMouseEventsWithItsPixels)
{
    WPictureBox box;
    box.resize(100, 80);
    box.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
    Recorder recorder;
    recorder.Watch(&box, kMouseEvents);

    QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(10, 20));
    QTest::mouseClick(&box, Qt::RightButton, {}, QPoint(30, 40));
    EXPECT_EQ(recorder.seen, QStringList({"LeftButtonDownEvent 10,20", "LeftButtonUpEvent 10,20",
                                          "RightButtonDownEvent 30,40", "RightButtonUpEvent 30,40"}));

    recorder.seen.clear();
    QTest::mouseDClick(&box, Qt::LeftButton, {}, QPoint(5, 6));
    EXPECT_TRUE(recorder.seen.contains("LeftButtonDoubleEvent 5,6")) << recorder.seen.join("; ").toStdString();
    recorder.seen.clear();
    QTest::mouseDClick(&box, Qt::RightButton, {}, QPoint(7, 8));
    EXPECT_TRUE(recorder.seen.contains("RightButtonDoubleEvent 7,8")) << recorder.seen.join("; ").toStdString();
    recorder.seen.clear();
    QTest::mouseClick(&box, Qt::MiddleButton, {}, QPoint(1, 1));
    EXPECT_TRUE(recorder.seen.isEmpty()) << "the middle button raises nothing";

    // No button is held: the move arrives all the same.
    recorder.seen.clear();
    QTest::mouseMove(&box, QPoint(50, 60));
    QTest::mouseMove(&box, QPoint(51, 62));
    ASSERT_FALSE(recorder.seen.isEmpty());
    EXPECT_EQ(recorder.seen.last(), "MouseMoveEvent 51,62");
}

TEST_F(Winlib, PictureBoxShowsImageOverlayAndWhiteBeyond)
{
    WPictureBox box;
    box.resize(20, 10);
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::red);
    box.Set_Image(image);
    QImage shown = box.Grab();
    ASSERT_EQ(shown.size(), QSize(20, 10));
    EXPECT_EQ(shown.pixelColor(7, 7), QColor(Qt::red));
    EXPECT_EQ(shown.pixelColor(8, 0), QColor(Qt::white));
    EXPECT_EQ(shown.pixelColor(0, 9), QColor(Qt::white));

    box.Set_Overlay(QRect(2, 2, 10, 6));
    shown = box.Grab();
    // The outline runs over the border pixels of the rect (x 2..11, y 2..7), dotted.
    auto black_between = [&](QPoint from, QPoint step, int count) {
        int black = 0;
        for (int i = 0; i < count; ++i) black += shown.pixelColor(from + step * i) == QColor(Qt::black);
        return black;
    };
    for (const auto& [from, step, count] : {std::tuple{QPoint(2, 2), QPoint(1, 0), 10},
                                             std::tuple{QPoint(2, 7), QPoint(1, 0), 10},
                                             std::tuple{QPoint(2, 2), QPoint(0, 1), 6},
                                             std::tuple{QPoint(11, 2), QPoint(0, 1), 6}}) {
        const int black = black_between(from, step, count);
        EXPECT_GE(black, 2) << "edge from " << from.x() << "," << from.y();
        EXPECT_LT(black, count) << "dotted, edge from " << from.x() << "," << from.y();
    }
    EXPECT_EQ(black_between(QPoint(12, 0), QPoint(0, 1), 10), 0) << "nothing right of the rect";
    EXPECT_EQ(black_between(QPoint(0, 8), QPoint(1, 0), 20), 0) << "nothing below the rect";
    EXPECT_EQ(shown.pixelColor(5, 5), QColor(Qt::red)) << "the inside is not filled";

    box.Set_Image(image);
    EXPECT_FALSE(box.Overlay()) << "showing the image again removes the outline";
    EXPECT_EQ(box.Grab().pixelColor(2, 2), QColor(Qt::red));
}

// ---- Scroll bar -----------------------------------------------------------------------------

TEST_F(Winlib, ScrollBarStepsRaiseCodesWithTheNewPosition)
{
    WScrollBar bar(Qt::Vertical);
    bar.setRange(0, 10);
    bar.setValue(3);
    std::vector<std::pair<int, int>> seen;
    int value_in_handler = -1;
    Bind(&bar, "ScrollEvent", [&](QObject*, EventArgs& args) {
        seen.emplace_back(args.scroll_code, args.position);
        value_in_handler = bar.value();
    });

    bar.triggerAction(QAbstractSlider::SliderSingleStepAdd);
    bar.triggerAction(QAbstractSlider::SliderPageStepSub);
    bar.triggerAction(QAbstractSlider::SliderPageStepSub);
    bar.triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(seen, (std::vector<std::pair<int, int>>{{1, 4}, {2, 3}, {2, 2}, {0, 1}}))
        << "line and page steps are both one";
    EXPECT_EQ(value_in_handler, 1) << "the handler sees the bar where the step leaves it";
    EXPECT_EQ(bar.value(), 1);

    // Jumps of the context menu: to either end, and "Scroll here", which sets the value.
    seen.clear();
    bar.triggerAction(QAbstractSlider::SliderToMaximum);
    bar.triggerAction(QAbstractSlider::SliderToMinimum);
    bar.setValue(7);
    bar.setValue(7);
    EXPECT_EQ(seen, (std::vector<std::pair<int, int>>{{7, 10}, {6, 0}, {4, 7}}))
        << "every change of value is reported once, a value set again not at all";

    seen.clear();
    bar.setValue(10);
    bar.triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(seen, (std::vector<std::pair<int, int>>{{4, 10}, {3, 10}})) << "a step at the end still reports";

    // Dragging the thumb: tracking, then the final position and the end of scrolling.
    seen.clear();
    bar.setSliderDown(true);
    bar.setSliderPosition(6);
    bar.setSliderDown(false);
    EXPECT_EQ(seen, (std::vector<std::pair<int, int>>{{5, 6}, {4, 6}, {8, 6}}));
}

TEST_F(Winlib, StatusBarPanesHoldTheirTexts)
{
    WStatusBar status(2);
    status.Set_Text(0, "X:1 Y:2");
    status.Set_Text(1, "map.zol");
    status.Set_Text(2, "ignored");
    EXPECT_EQ(status.Text(0), "X:1 Y:2");
    EXPECT_EQ(status.Text(1), "map.zol");
    EXPECT_EQ(status.Text(2), QString());

    // A text longer than its pane is shortened, whole in its tooltip, and widens nothing.
    QMainWindow window;
    auto* bar = new WStatusBar(2, &window);
    window.setStatusBar(bar);
    window.resize(400, 300);
    window.show();
    const QString long_name = QString(240, QLatin1Char('m')) + QStringLiteral(".zol");
    bar->Set_Text(1, long_name);
    QApplication::processEvents();
    EXPECT_EQ(window.width(), 400);
    EXPECT_EQ(bar->Text(1), long_name);
    EXPECT_TRUE(bar->Pane(1)->text().endsWith(QChar(0x2026))) << bar->Pane(1)->text().toStdString();
    EXPECT_EQ(bar->Pane(1)->toolTip(), long_name);
    bar->Set_Text(1, "short.zol");
    QApplication::processEvents();
    EXPECT_EQ(bar->Pane(1)->text(), "short.zol");
    EXPECT_TRUE(bar->Pane(1)->toolTip().isEmpty());
}

// ---- Frame ----------------------------------------------------------------------------------

TEST_F(Winlib, FrameBuildsMenusByPathAndRunsCommands)
{
    Zol_Base frame;
    QAction* open = frame.Add_Menu_Item({"ファイル(&F)", "開く(&O)"}, 1002);
    frame.Add_Menu_Separator({"ファイル(&F)"});
    QAction* recent = frame.Add_Menu_Item({"ファイル(&F)", "最近(&R)", "a.zol"}, 1050);
    QAction* zoom = frame.Add_Menu_Item({"表示(&V)", "ズーム"}, 1020);

    const QList<QAction*> top = frame.menuBar()->actions();
    ASSERT_EQ(top.size(), 2) << "one top menu per title";
    QMenu* file = top[0]->menu();
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->title(), "ファイル(&F)");
    const QList<QAction*> items = file->actions();
    ASSERT_EQ(items.size(), 3);
    EXPECT_EQ(items[0], open);
    EXPECT_TRUE(items[1]->isSeparator());
    ASSERT_NE(items[2]->menu(), nullptr);
    EXPECT_EQ(items[2]->menu()->actions().value(0), recent);
    EXPECT_EQ(top[1]->menu()->actions().value(0), zoom);
    EXPECT_EQ(frame.Menu_Item(1050), recent);
    EXPECT_EQ(frame.Menu_Item(9999), nullptr);

    QStringList ran;
    frame.Bind_Command(1002, [&] { ran << "open"; });
    frame.Bind_Command(1050, [&] { ran << "recent"; });
    open->trigger();
    frame.Run_Command(1050);
    frame.Run_Command(1020); // bound to nothing
    EXPECT_EQ(ran, QStringList({"open", "recent"}));
}

TEST_F(Winlib, FrameCloseCanBeRefusedAndDestroyIsReported)
{
    int destroyed = 0;
    {
        Zol_Base frame;
        Bind(&frame, "DestroyEvent", [&](QObject*, EventArgs&) { ++destroyed; });
        frame.show();
        bool allow = false;
        Bind(&frame, "CloseEvent", [&](QObject*, EventArgs& args) { args.allow = allow; });
        EXPECT_FALSE(frame.close());
        EXPECT_TRUE(frame.isVisible());
        allow = true;
        EXPECT_TRUE(frame.close());
        EXPECT_FALSE(frame.isVisible());
        EXPECT_EQ(destroyed, 0);
    }
    EXPECT_EQ(destroyed, 1);
}

TEST_F(Winlib, FrameReportsDroppedLocalFilesInOrder)
{
    Zol_Base frame;
    QStringList dropped;
    Bind(&frame, "DropFilesEvent", [&](QObject*, EventArgs& args) { dropped = args.files; });
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile("/maps/b.zol"), QUrl("https://example.org/x.zol"),
                  QUrl::fromLocalFile("/maps/a.bmp")});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&frame, &enter);
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&frame, &drop);
    EXPECT_EQ(dropped, QStringList({"/maps/b.zol", "/maps/a.bmp"}));
}

// ---- Child windows --------------------------------------------------------------------------

TEST_F(Winlib, ChildContentGetsExactlyTheAskedSize)
{
    Zol_Base frame;
    frame.resize(900, 700);
    auto* child = new FormChild_Base;
    frame.Client()->addSubWindow(child);
    child->Set_Content_Size(300, 200);
    EXPECT_EQ(child->Content()->size(), QSize(300, 200)) << "before the window is shown";
    frame.show();
    child->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    child->Set_Content_Size(647, 507);
    EXPECT_EQ(child->Content()->size(), QSize(647, 507));
    child->Set_Content_Size(120, 90);
    EXPECT_EQ(child->Content()->size(), QSize(120, 90));
}

TEST_F(Winlib, ChildCloseCanBeRefusedAndResizeIsReported)
{
    Zol_Base frame;
    frame.resize(800, 600);
    auto* child = new FormChild_Base;
    frame.Client()->addSubWindow(child);
    frame.show();
    child->show();
    int resized = 0;
    Bind(child, "ResizeEvent", [&](QObject*, EventArgs&) { ++resized; });
    child->resize(child->width() + 32, child->height());
    EXPECT_EQ(resized, 1);

    Bind(child, "CloseEvent", [](QObject*, EventArgs& args) { args.allow = false; });
    EXPECT_FALSE(child->close());
    EXPECT_TRUE(child->isVisible());
    EXPECT_EQ(frame.Client()->subWindowList().size(), 1);
}

TEST_F(Winlib, ChildDestroyIsReportedOnceWithTheWindowWhole)
{
    Zol_Base frame;
    frame.show();
    // Closed with delete-on-close: reported at the close, not again when the deletion runs.
    auto* closing = new FormChild_Base;
    closing->setAttribute(Qt::WA_DeleteOnClose);
    closing->setWindowTitle("map1");
    frame.Client()->addSubWindow(closing);
    closing->show();
    QStringList reports;
    Bind(closing, "DestroyEvent", [&](QObject* sender, EventArgs&) {
        reports << static_cast<FormChild_Base*>(sender)->windowTitle();
    });
    const QPointer<FormChild_Base> watch(closing);
    EXPECT_TRUE(closing->close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(watch.isNull());
    EXPECT_EQ(reports, QStringList({"map1"}));

    // Deleted in code: reported from its destruction.
    reports.clear();
    auto* deleted = new FormChild_Base;
    deleted->setWindowTitle("map2");
    frame.Client()->addSubWindow(deleted);
    Bind(deleted, "DestroyEvent", [&](QObject* sender, EventArgs&) {
        reports << static_cast<FormChild_Base*>(sender)->windowTitle();
    });
    delete deleted;
    EXPECT_EQ(reports, QStringList({"map2"}));
}

// ---- Shared idioms --------------------------------------------------------------------------

TEST_F(Winlib, ScrollBarAndEditBoxKeepInStep)
{
    QScrollBar bar(Qt::Horizontal);
    bar.setRange(1, 64);
    bar.setValue(12);
    QLineEdit edit;
    Pair_Scroll_And_Edit(&bar, &edit);
    EXPECT_EQ(edit.text(), "12");

    // The bar writes its position into the box.
    bar.setValue(42);
    EXPECT_EQ(edit.text(), "42");

    // A typed value inside the range moves the bar, digit by digit.
    edit.selectAll();
    QTest::keyClicks(&edit, "17");
    EXPECT_EQ(bar.value(), 17);
    EXPECT_EQ(edit.text(), "17");

    // Only digits can be typed.
    QTest::keyClicks(&edit, "x-");
    EXPECT_EQ(edit.text(), "17");

    // Anything outside the range gives way to the bar's position at once, as does an emptied box.
    edit.selectAll();
    QTest::keyClicks(&edit, "0");
    EXPECT_EQ(edit.text(), "17");
    EXPECT_EQ(bar.value(), 17);
    edit.selectAll();
    QTest::keyClicks(&edit, "65");
    EXPECT_EQ(edit.text(), "6") << "6 moved the bar, 65 is one past the end";
    EXPECT_EQ(bar.value(), 6);
    edit.selectAll();
    QTest::keyClick(&edit, Qt::Key_Backspace);
    EXPECT_EQ(edit.text(), "6");
}

TEST_F(Winlib, SingleWindowExistsAtMostOnce)
{
    Zol_Base frame;
    frame.resize(800, 600);
    frame.show();
    Override_Pointer(frame.mapToGlobal(QPoint(40, 50)));
    SingleWindow<QWidget> single;
    EXPECT_FALSE(single.Is_Open());

    QWidget* first = single.Open(&frame, [] { return new QWidget; });
    const QPointer<QWidget> first_watch(first);
    EXPECT_TRUE(single.Is_Open());
    EXPECT_TRUE(first->isVisible());
    QWidget* second = single.Open(&frame, [] { return new QWidget; });
    EXPECT_FALSE(first->isVisible()) << "opening again closes the one open at once";
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(first_watch.isNull()) << "and destroys it from the event loop";
    EXPECT_EQ(single.Get(), second);

    single.Close();
    EXPECT_FALSE(single.Is_Open());
    EXPECT_EQ(single.Get(), nullptr);

    // Destroyed by someone else: the record empties.
    QWidget* third = single.Open(&frame, [] { return new QWidget; });
    delete third;
    EXPECT_FALSE(single.Is_Open());
}

TEST_F(Winlib, ChildWindowsOpenAtThePointerInsideTheFrame)
{
    Zol_Base frame;
    frame.resize(800, 600);
    auto* child = new FormChild_Base;
    frame.Client()->addSubWindow(child);
    child->resize(200, 100);
    frame.show();
    child->show();
    QWidget* area = child->parentWidget();
    ASSERT_NE(area, nullptr);

    Override_Pointer(area->mapToGlobal(QPoint(30, 40)));
    Place_At_Pointer(child, &frame);
    EXPECT_EQ(child->pos(), QPoint(30, 40));

    Override_Pointer(area->mapToGlobal(QPoint(area->width() - 10, area->height() - 5)));
    Place_At_Pointer(child, &frame);
    EXPECT_EQ(child->pos(), QPoint(area->width() - 200, area->height() - 100));

    Override_Pointer(area->mapToGlobal(QPoint(-50, -50)));
    Place_At_Pointer(child, &frame);
    EXPECT_EQ(child->pos(), QPoint(0, 0));
}

TEST_F(Winlib, TopLevelWindowsOpenAtThePointerInsideTheFrame)
{
    Zol_Base frame;
    frame.setGeometry(100, 100, 800, 600);
    frame.show();
    QWidget tool;
    tool.resize(200, 150);
    const QRect bounds = frame.frameGeometry();

    Override_Pointer(bounds.topLeft() + QPoint(30, 40));
    Place_At_Pointer(&tool, &frame);
    EXPECT_EQ(tool.pos(), bounds.topLeft() + QPoint(30, 40));

    Override_Pointer(bounds.bottomRight() + QPoint(500, 500));
    Place_At_Pointer(&tool, &frame);
    EXPECT_EQ(tool.pos(), bounds.bottomRight() + QPoint(1, 1) - QPoint(200, 150));
}

// ---- Dialog seams ---------------------------------------------------------------------------

TEST_F(Winlib, ScriptedDialogsRecordRequestsAndAnswerInTurn)
{
    DialogPresenter* before = Dialogs();
    {
        ScriptedDialogs dialogs;
        EXPECT_EQ(Dialogs(), &dialogs);
        dialogs.Answer_File(QString("/maps/a.zol"));
        dialogs.Answer_File(std::nullopt);
        FileDialogRequest request;
        request.save = true;
        request.title = "名前を付けて保存";
        request.button_text = "保存";
        request.directory = "/maps";
        request.initial_file = "a.zol";
        request.filters = {"ZOLファイル", "*.zol"};
        EXPECT_EQ(Choose_File(nullptr, request), QString("/maps/a.zol"));
        EXPECT_EQ(Choose_File(nullptr, request), std::nullopt) << "a queued cancel";
        EXPECT_EQ(Choose_File(nullptr, request), std::nullopt) << "an empty queue cancels";
        ASSERT_EQ(dialogs.File_Requests().size(), 3u);
        const FileDialogRequest& asked = dialogs.File_Requests()[0];
        EXPECT_TRUE(asked.save);
        EXPECT_EQ(asked.title, "名前を付けて保存");
        EXPECT_EQ(asked.button_text, "保存");
        EXPECT_EQ(asked.directory, "/maps");
        EXPECT_EQ(asked.initial_file, "a.zol");
        EXPECT_EQ(asked.filters, QStringList({"ZOLファイル", "*.zol"}));

        dialogs.Answer_Colour(QColor(1, 2, 3));
        EXPECT_EQ(Choose_Colour(nullptr, Qt::white), QColor(1, 2, 3));
        EXPECT_EQ(Choose_Colour(nullptr, Qt::white), std::nullopt);
        EXPECT_EQ(dialogs.Colour_Requests(), 2);

        {
            ScriptedDialogs inner;
            EXPECT_EQ(Dialogs(), &inner);
        }
        EXPECT_EQ(Dialogs(), &dialogs) << "the inner script restores the outer one";
    }
    EXPECT_EQ(Dialogs(), before);
}

TEST_F(Winlib, FileDialogFiltersComeFromPairs)
{
    EXPECT_EQ(File_Dialog_Filters({"ZOLファイル", "*.zol", "すべてのファイル", "*.*"}),
              QStringList({"ZOLファイル (*.zol)", "すべてのファイル (*)"}));
    EXPECT_EQ(File_Dialog_Filters({"画像", "*.bmp;*.dib"}), QStringList({"画像 (*.bmp *.dib)"}));
    EXPECT_EQ(File_Dialog_Filters({"half a pair"}), QStringList());
}

TEST_F(Winlib, PreviewDialogShowsTheCurrentBitmapScaledToFit)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString big = dir.filePath("big.bmp");
    QImage image(512, 256, QImage::Format_RGB32);
    image.fill(Qt::blue);
    ASSERT_TRUE(image.save(big, "BMP"));
    const QString text = dir.filePath("notes.txt");
    QFile file(text);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a bitmap");
    file.close();

    PreviewFileDialog dialog(nullptr, "Open Bitmap", dir.path(), "ビットマップファイル (*.bmp)");
    const QList<QLabel*> labels = dialog.findChildren<QLabel*>();
    EXPECT_EQ(std::count_if(labels.begin(), labels.end(), [](QLabel* l) { return l->text() == "Preview:"; }), 1);
    EXPECT_TRUE(dialog.Preview().isNull());

    emit dialog.currentChanged(big);
    const QPixmap shown = dialog.Preview();
    ASSERT_FALSE(shown.isNull());
    const QSize room = dialog.Preview_Label()->contentsRect().size();
    EXPECT_LE(shown.width(), room.width());
    EXPECT_LE(shown.height(), room.height());
    EXPECT_EQ(shown.width(), room.width()) << "the wide bitmap fills the width";
    EXPECT_NEAR(double(shown.width()) / shown.height(), 2.0, 0.1) << "the shape is kept";

    emit dialog.currentChanged(text);
    EXPECT_TRUE(dialog.Preview().isNull()) << "an unreadable file clears the preview";
}

} // namespace
