// The editor's main frame driven offscreen: opening, saving and closing maps with the questions
// they ask, dropped files, the palette commands and window, and what the map windows show.

#include "ui/windows/cell_palette_window.h"
#include "core/render/map_renderer.h"
#include "ui/windows/map_view.h"
#include "core/exchange/configuration.h"
#include "core/map/file_path.h"
#include "core/map/flag_file.h"
#include "core/map/map_file.h"
#include "core/messages/show_message.h"
#include "ui/frame/zol.h"
#include "ui/winlib/language.h"
#include "frame_fixture.h"

#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QWheelEvent>

#include <gtest/gtest.h>

using namespace zol;
using namespace zol::test;
using winlib::ScriptedDialogs;

namespace {

using MainFrameTest = FrameTest;

TEST_F(MainFrameTest, StartsWithTheFullMenuAndGraySaveCommands)
{
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("Zol"));
    const int ids[] = {1001, 1002, 1004, 1005, 1007, 1008, 1010, 1011, 1013, 1015, 1016, 1017,
                       1018, 1019, 1021, 1023, 1025, 1026, 1027, 1029, 1031, 1032, 1033, 1035,
                       1036, 1038, 1039, 1040, 1042, 1043, 1044, 1045};
    for (int id : ids) EXPECT_NE(frame->Menu_Item(id), nullptr) << id;
    const QList<QAction*> menus = frame->menuBar()->actions();
    ASSERT_EQ(menus.size(), 5);
    EXPECT_EQ(menus[0]->text(), QStringLiteral("ファイル(&F)"));
    EXPECT_EQ(menus[4]->text(), QStringLiteral("設定(&S)"));
    int separators = 0, submenus = 0;
    for (QAction* a : menus[0]->menu()->actions()) {
        separators += a->isSeparator() ? 1 : 0;
        submenus += a->menu() && a->menu()->title() == QStringLiteral("最近使ったマップ(&R)") ? 1 : 0;
    }
    EXPECT_EQ(separators, 6);
    EXPECT_EQ(submenus, 1) << "最近使ったマップ";

    for (int id : {ID_SAVE_MAP, ID_SAVE_MAP_AS, ID_SAVE_PALETTE, ID_SAVE_PALETTE_AS, ID_EXPORT})
        EXPECT_FALSE(frame->Menu_Item(id)->isEnabled()) << id;
    EXPECT_TRUE(messages.calls().empty());
}

TEST_F(MainFrameTest, OpeningAMapInstallsItsPaletteAndShowsIt)
{
    const QString path = Write_Test_Map("first.zol", "1 2 3\n4 5 199");
    const int slot = Open(path);
    ASSERT_EQ(slot, 0);
    const winlib::FileDialogRequest& request = dialogs.File_Requests().back();
    EXPECT_EQ(request.title, QStringLiteral("マップデータを読み込む"));
    EXPECT_EQ(request.button_text, QStringLiteral("開く"));
    EXPECT_EQ(request.filters, (QStringList{"ZOLファイル", "*.zol", "すべてのファイル", "*.*"}));
    EXPECT_TRUE(messages.calls().empty()) << messages.captions().join(',').toStdString();

    EXPECT_TRUE(frame->State().palette.exists);
    EXPECT_EQ(frame->State().palette.path, Path("tiles.bmp"));
    EXPECT_EQ(Window(slot)->windowTitle(),
              QStringLiteral("first 3×2 Link: 1  (%1×%2)[*]")
                  .arg(Doc(slot).window_width / 32)
                  .arg(Doc(slot).window_height / 32));
    // The whole 3 x 2 map fits: no bars, the picture is the map's size.
    EXPECT_EQ(Map(slot).picture->size(), QSize(96, 64));
    EXPECT_FALSE(Map(slot).vertical->isVisible());
    // Cell (2, 1) is 199: tile 7.
    const QImage shown = Map(slot).picture->Image();
    EXPECT_EQ(shown.copy(64, 32, 32, 32).convertToFormat(QImage::Format_RGB32),
              Test_Cells()[7].convertToFormat(QImage::Format_RGB32));
    EXPECT_TRUE(frame->Menu_Item(ID_SAVE_MAP)->isEnabled());
    EXPECT_TRUE(frame->Menu_Item(ID_SAVE_PALETTE)->isEnabled());
}

TEST_F(MainFrameTest, OpeningWithoutFlagFileOrBitmapTellsTheUserAndGoesOn)
{
    const int slot = Open(Write_Test_Map("noflags.zol", "199 135\n7 0", "tiles", false));
    ASSERT_EQ(slot, 0);
    ASSERT_EQ(messages.calls().size(), 1u);
    EXPECT_EQ(messages.last().caption, QStringLiteral("問題ない（ニヤリ）"));
    EXPECT_EQ(Doc(slot).flags[7], 3); // cell 199 comes first in column order
    frame.reset();

    messages.clear();
    frame = std::make_unique<Zol>();
    frame->quit = [](int) {};
    const int other = Open(Write_Test_Map("missing.zol", "1 2", "nowhere"));
    ASSERT_EQ(other, 0);
    ASSERT_EQ(messages.calls().size(), 1u);
    EXPECT_EQ(messages.last().caption, QStringLiteral("ありゃりゃ？"));
    EXPECT_TRUE(messages.last().text.startsWith(QStringLiteral("指定されているビットマップファイル\nnowhere\n")));
    EXPECT_EQ(frame->State().palette.cells[5].pixel(3, 3), qRgb(255, 255, 255));
}

TEST_F(MainFrameTest, AnotherPaletteIsLoadedOnlyWhenTheUserAgrees)
{
    ASSERT_TRUE(Write_Palette_Bitmap(Path("other.bmp"), Blank_Cells()));
    ASSERT_EQ(Open(Write_Test_Map("a.zol", "1 2")), 0);
    const QString second = Write_Test_Map("b.zol", "3 4", "other");

    messages.answer(MessageButton::No);
    EXPECT_EQ(Open(second), -1);
    EXPECT_EQ(messages.last().caption, QStringLiteral("ええんかなぁ？そんなことして"));
    EXPECT_FALSE(Doc(1).has_grid());
    EXPECT_EQ(frame->State().palette.path, Path("tiles.bmp"));

    messages.answer(MessageButton::Yes);
    EXPECT_EQ(Open(second), 1);
    EXPECT_EQ(frame->State().palette.path, Path("other.bmp"));
    // The first map is redrawn with the new palette's green cells.
    EXPECT_EQ(Map(0).picture->Image().pixel(5, 5), qRgb(0, 255, 0));

    // The same palette named in other letter case asks nothing.
    messages.clear();
    EXPECT_EQ(Open(Write_Test_Map("c.zol", "1", "OTHER")), 2);
    EXPECT_TRUE(messages.calls().empty());
}

TEST_F(MainFrameTest, FiveWindowsAtMost)
{
    const QString path = Write_Test_Map("m.zol", "1 2");
    for (int i = 0; i < 5; ++i) ASSERT_EQ(Open(path), i);
    frame->Run_Command(ID_NEW_MAP);
    ASSERT_EQ(messages.calls().size(), 1u);
    EXPECT_EQ(messages.last().caption, QStringLiteral("確認"));
    EXPECT_TRUE(messages.last().text.contains(QStringLiteral("ウィンドーは5まで")));
    const std::size_t requests = dialogs.File_Requests().size();
    frame->Run_Command(ID_OPEN_MAP);
    EXPECT_EQ(dialogs.File_Requests().size(), requests); // refused before the dialog
    EXPECT_EQ(messages.calls().size(), 2u);

    // Closing slot 2 makes it the next new map's, named with 3.
    Close_Map(*frame, 2);
    frame->Run_Command(ID_NEW_MAP);
    EXPECT_TRUE(Doc(2).is_open());
    EXPECT_EQ(Doc(2).file_path, QStringLiteral("新規マップデータ(3).zol"));
    EXPECT_EQ(Doc(2).width(), 201);
}

TEST_F(MainFrameTest, NewMapNeedsAPalette)
{
    frame->Run_Command(ID_NEW_MAP);
    ASSERT_EQ(messages.calls().size(), 1u);
    EXPECT_EQ(messages.last().caption, QStringLiteral("ちょっと待ってよ…"));
    EXPECT_FALSE(Doc(0).has_grid());
    EXPECT_FALSE(frame->Menu_Item(ID_SAVE_MAP)->isEnabled());
}

TEST_F(MainFrameTest, DroppedFiles)
{
    const QString map = Write_Test_Map("d.zol", "1 2");
    for (int i = 0; i < 4; ++i) ASSERT_EQ(Open(map), i);
    frame->Open_Files({map, map, map});
    EXPECT_EQ(Open_Windows(), 5);
    ASSERT_EQ(messages.calls().size(), 1u);
    EXPECT_EQ(messages.last().caption, QStringLiteral("そう欲張るなって"));

    Close_Map(*frame, 0);
    messages.clear();
    QFile::copy(map, Path("CAPS.ZOL"));
    frame->Open_Files({Path("CAPS.ZOL"), Path("tiles.bmp")});
    ASSERT_GE(messages.calls().size(), 1u);
    EXPECT_EQ(messages.calls()[0].caption, QStringLiteral("ほよ？"));
    EXPECT_EQ(messages.calls()[0].text, QStringLiteral("CAPSはZolのファイルではありません"));
    EXPECT_EQ(Open_Windows(), 4);
    EXPECT_EQ(frame->State().palette.path, Path("tiles.bmp"));
}

TEST_F(MainFrameTest, ExitAsksAboutModifiedMapsInSlotOrder)
{
    const QString map = Write_Test_Map("e.zol", "1 2");
    for (int i = 0; i < 4; ++i) ASSERT_EQ(Open(map), i);
    Doc(1).saved = 0;
    Doc(3).saved = 0;

    messages.answer(MessageButton::Cancel);
    frame->Run_Command(ID_EXIT);
    ASSERT_EQ(messages.calls().size(), 1u);
    EXPECT_EQ(messages.last().caption, QStringLiteral("確認"));
    EXPECT_EQ(messages.last().text, QStringLiteral("eを保存しますか？"));
    EXPECT_EQ(Open_Windows(), 4);
    EXPECT_TRUE(quits.empty());

    // No closes slot 1 at once; Yes with a cancelled save dialog stops before anything else.
    messages.clear();
    messages.answer(MessageButton::No);
    messages.answer(MessageButton::Yes);
    dialogs.Answer_File(std::nullopt);
    frame->Run_Command(ID_EXIT);
    EXPECT_EQ(messages.calls().size(), 2u);
    EXPECT_FALSE(Window(1));
    EXPECT_TRUE(Window(3));
    EXPECT_TRUE(quits.empty());

    // Yes with a save: the file is written under the chosen name and the program ends.
    messages.clear();
    messages.answer(MessageButton::Yes);
    dialogs.Answer_File(Path("saved.txt"));
    frame->Run_Command(ID_EXIT);
    EXPECT_EQ(dialogs.File_Requests().back().title, QStringLiteral("マップデータを保存する"));
    EXPECT_TRUE(QFile::exists(Path("saved.zol")));
    EXPECT_TRUE(QFile::exists(Path("saved.flg")));
    EXPECT_EQ(quits, std::vector<int>{1});
}

TEST_F(MainFrameTest, ClosingTheFrameAsksAndCanBeRefused)
{
    ASSERT_EQ(Open(Write_Test_Map("f.zol", "1 2")), 0);
    Doc(0).saved = 0;
    messages.answer(MessageButton::Cancel);
    EXPECT_FALSE(frame->close());
    EXPECT_EQ(messages.last().caption, QStringLiteral("閉じる前に"));
    EXPECT_EQ(messages.last().text, QStringLiteral("f.zolを保存しますか？"));
    EXPECT_TRUE(frame->isVisible());

    // Yes, then the save fails: the frame stays open with the map.
    QDir().mkpath(Path("blocked.zol"));
    messages.answer(MessageButton::Yes);
    dialogs.Answer_File(Path("blocked.zol"));
    EXPECT_FALSE(frame->close());
    EXPECT_EQ(messages.last().caption, QStringLiteral("ERROR(16)"));
    EXPECT_TRUE(Window(0));

    messages.answer(MessageButton::No);
    EXPECT_TRUE(frame->close());
}

TEST_F(MainFrameTest, SaveNeedsATargetAndWritesThePaletteName)
{
    frame->Run_Command(ID_SAVE_MAP);
    EXPECT_EQ(messages.last().caption, QStringLiteral("困った…"));

    ASSERT_EQ(Open(Write_Test_Map("h.zol", "1 2")), 0);
    Doc(0).saved = 0;
    frame->Run_Command(ID_SAVE_MAP);
    EXPECT_EQ(Doc(0).saved, 1);
    EXPECT_TRUE(Read_File(Path("h.zol")).endsWith("tiles"));
}

TEST_F(MainFrameTest, SavingOnAFullDiskTellsKeepsTheFileAndTheEdits)
{
    const QString map = Write_Test_Map("full.zol", "1 2\n3 4");
    const QByteArray before = Read_File(map), flags_before = Read_File(Flag_Path(map));
    ASSERT_EQ(Open(map), 0);
    Mouse(0, "LeftButtonDownEvent", 0, 0, {.left = true});
    Mouse(0, "LeftButtonUpEvent", 0, 0);
    ASSERT_EQ(Doc(0).saved, 0);
    frame->Client()->setActiveSubWindow(Window(0));
    {
        FileSizeLimit full(4);
        frame->Run_Command(ID_SAVE_MAP);
    }
    ASSERT_EQ(messages.captions(), QStringList{"ERROR(17)"});
    EXPECT_EQ(messages.last().text, QStringLiteral("ファイルを開くのに失敗しました"));
    EXPECT_EQ(Read_File(map), before);
    EXPECT_EQ(Read_File(Flag_Path(map)), flags_before);
    EXPECT_EQ(Doc(0).saved, 0) << "the edits are still unsaved";
    EXPECT_EQ(Files_In(dir.path()), (QStringList{"full.flg", "full.zol", "tiles.bmp"}));

    // So leaving asks about them.
    messages.clear();
    messages.answer(MessageButton::Cancel);
    frame->Run_Command(ID_EXIT);
    EXPECT_EQ(messages.captions(), QStringList{"確認"});
    EXPECT_TRUE(quits.empty());
}

TEST_F(MainFrameTest, PaletteCommands)
{
    frame->Run_Command(ID_NEW_PALETTE);
    const PaletteControls& window = Palette_Controls(*frame);
    ASSERT_TRUE(window.window);
    EXPECT_EQ(window.window->windowTitle(), QStringLiteral("新規セルパレット"));
    EXPECT_EQ(window.status->Text(0), QStringLiteral("Cell( L:0 R:1 )"));
    const QImage shown = window.picture->Image();
    EXPECT_EQ(shown.pixel(0, 0), qRgb(0, 0, 255));   // cell 0: blue outline
    EXPECT_EQ(shown.pixel(32, 0), qRgb(255, 0, 0));  // cell 1: red outline
    EXPECT_EQ(shown.pixel(40, 10), qRgb(0, 255, 0)); // blank green inside
    EXPECT_TRUE(frame->Menu_Item(ID_SAVE_PALETTE_AS)->isEnabled());

    dialogs.Answer_File(Path("mine"));
    frame->Run_Command(ID_SAVE_PALETTE_AS);
    EXPECT_EQ(dialogs.File_Requests().back().title, QStringLiteral("セルパレットの保存"));
    const QImage written(Path("mine.bmp"));
    EXPECT_EQ(written.size(), QSize(128, 512));

    // A file that is not a bitmap is refused and the palette stays.
    Write_File(Path("junk.bmp"), "not a bitmap");
    dialogs.Answer_File(Path("junk.bmp"));
    frame->Run_Command(ID_OPEN_PALETTE);
    EXPECT_EQ(messages.last().caption, QStringLiteral("ERROR(18)"));
    EXPECT_TRUE(frame->State().palette.exists);
    EXPECT_EQ(frame->State().palette.path, Path("mine.bmp"));
}

TEST_F(MainFrameTest, ReplacingAnUnsavedPaletteAsksFirst)
{
    frame->Run_Command(ID_NEW_PALETTE);
    frame->State().palette.saved = 0;
    messages.answer(MessageButton::Cancel);
    EXPECT_FALSE(Load_Cell_Palette(*frame, Path("tiles.bmp")));
    EXPECT_EQ(messages.last().caption, QStringLiteral("確認"));
    EXPECT_EQ(messages.last().text, QStringLiteral("新規セルパレットを保存しますか？"));
    EXPECT_EQ(frame->State().palette.path, QStringLiteral("新規セルパレット.bmp"));

    messages.answer(MessageButton::No);
    EXPECT_TRUE(Load_Cell_Palette(*frame, Path("tiles.bmp")));
    EXPECT_EQ(frame->State().palette.saved, 1);
}

TEST_F(MainFrameTest, DraggingACellSwapsItAndEveryMapLooksTheSame)
{
    ASSERT_EQ(Open(Write_Test_Map("p.zol", "3 12 67\n140 0 3")), 0);
    ASSERT_EQ(Open(Write_Big_Map("q.zol", 40)), 1);
    const QImage before0 = Map(0).picture->Image().copy();
    const QImage before1 = Map(1).picture->Image().copy();
    const PaletteControls& palette = Palette_Controls(*frame);

    // Left press on cell 3 (x 96..127, row 0), release over cell 12 (row 3, column 0).
    winlib::Fire(palette.picture, "LeftButtonDownEvent", 100, 5);
    winlib::Fire(palette.picture, "LeftButtonUpEvent", 10, 100);
    EXPECT_EQ(frame->State().palette.l_cell, 12);
    EXPECT_EQ(palette.status->Text(0), QStringLiteral("Cell( L:12 R:1 )"));
    EXPECT_EQ(frame->State().palette.saved, 0);
    EXPECT_EQ(Doc(0).cell(0, 0), 12);
    EXPECT_EQ(Doc(0).cell(1, 0), 3);
    EXPECT_EQ(Doc(0).cell(0, 1), 128 + 3);
    EXPECT_EQ(Doc(0).saved, 0);
    EXPECT_EQ(Doc(1).saved, 0);
    EXPECT_EQ(Map(0).picture->Image(), before0);
    EXPECT_EQ(Map(1).picture->Image(), before1);

    // Outside the 128 x 512 image nothing happens.
    winlib::Fire(palette.picture, "RightButtonDownEvent", 300, 5);
    winlib::Fire(palette.picture, "RightButtonUpEvent", 5, 600);
    EXPECT_EQ(frame->State().palette.r_cell, 1);

    // A right drag from cell 1 to cell 6 moves the R cell and leaves the L cell alone.
    winlib::Fire(palette.picture, "RightButtonDownEvent", 40, 5);
    winlib::Fire(palette.picture, "RightButtonUpEvent", 70, 40);
    EXPECT_EQ(frame->State().palette.r_cell, 6);
    EXPECT_EQ(frame->State().palette.l_cell, 12);
    EXPECT_EQ(palette.status->Text(0), QStringLiteral("Cell( L:12 R:6 )"));
    EXPECT_EQ(Map(0).picture->Image(), before0);
}

TEST_F(MainFrameTest, TheSameFileByAnyPathIsTheSamePalette)
{
    const QString map = Write_Test_Map("rel.zol", "1 2");
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    frame->Open_Files({"rel.zol"}); // as named on the command line
    QDir::setCurrent(previous);
    ASSERT_TRUE(Doc(0).is_open());
    EXPECT_EQ(Doc(0).file_path, Absolute_Path(map));

    // The same file again from the dialog, by a path with a detour in it: no question.
    EXPECT_EQ(Open(dir.path() + "/./sub/../rel.zol"), 1);
    EXPECT_TRUE(messages.calls().empty()) << messages.captions().join(',').toStdString();
    EXPECT_EQ(Doc(1).file_path, Doc(0).file_path);
}

TEST_F(MainFrameTest, FileDialogsStartWhereTheLastMapWasOpened)
{
    auto open_dialog_start = [this] {
        frame->Run_Command(ID_OPEN_MAP); // cancelled: the script has no answer
        return dialogs.File_Requests().back().directory;
    };
    EXPECT_EQ(open_dialog_start(), QDir::currentPath());
    QDir().mkpath(Path("a"));
    QDir().mkpath(Path("b"));
    QFile::copy(Path("tiles.bmp"), Path("a/tiles.bmp"));
    QFile::copy(Path("tiles.bmp"), Path("b/tiles.bmp"));
    ASSERT_GE(Open(Write_Test_Map("a/one.zol", "1")), 0);
    EXPECT_EQ(open_dialog_start(), Absolute_Path(Path("a")));
    messages.answer(MessageButton::Yes); // the other folder's palette
    frame->Open_Files({Write_Test_Map("b/two.zol", "1")});
    EXPECT_EQ(open_dialog_start(), Absolute_Path(Path("b")));
}

TEST_F(MainFrameTest, CommandLineMapsOpenOnceTheFrameIsShown)
{
    frame = std::make_unique<Zol>();
    frame->quit = [](int) {};
    frame->resize(1200, 900);
    frame->Open_When_Shown({Write_Test_Map("start.zol", "1 2")});
    QApplication::processEvents();
    EXPECT_FALSE(Doc(0).has_grid()) << "nothing opens before the frame is on screen";
    frame->show();
    for (int i = 0; i < 100 && !Doc(0).is_open(); ++i) QApplication::processEvents(QEventLoop::AllEvents, 10);
    ASSERT_TRUE(Doc(0).is_open());
    // The palette window sits at the top right of the frame as shown.
    const QWidget* palette = Palette_Controls(*frame).window;
    EXPECT_EQ(palette->geometry().right() + 1, frame->Client()->width() - 10);
}

TEST_F(MainFrameTest, AnUnsavedPaletteIsAskedAboutAfterTheMaps)
{
    // A blank palette nobody touched is not worth a question.
    frame->Run_Command(ID_NEW_PALETTE);
    frame->Run_Command(ID_EXIT);
    EXPECT_TRUE(messages.calls().empty());
    EXPECT_EQ(quits, std::vector<int>{1});

    // Once a saved map names it, the palette must be saved too.
    frame->Run_Command(ID_NEW_MAP);
    ASSERT_TRUE(Doc(0).is_open());
    dialogs.Answer_File(Path("fresh.zol"));
    frame->Run_Command(ID_SAVE_MAP_AS);
    EXPECT_EQ(frame->State().palette.saved, 0);
    Doc(0).saved = 0;

    // Exit: the map first, then the palette; Cancel at the palette keeps everything.
    messages.answer(MessageButton::No);
    messages.answer(MessageButton::Cancel);
    frame->Run_Command(ID_EXIT);
    EXPECT_EQ(messages.captions(), (QStringList{"確認", "確認"}));
    EXPECT_EQ(messages.calls()[0].text, QStringLiteral("freshを保存しますか？"));
    EXPECT_EQ(messages.calls()[1].text, QStringLiteral("新規セルパレットを保存しますか？"));
    EXPECT_EQ(quits.size(), 1u);
    EXPECT_TRUE(frame->State().palette.exists);

    // Closing the frame asks the same way; Yes saves the palette where the user says.
    EXPECT_FALSE(Doc(0).has_grid()) << "No closed the map";
    frame->Run_Command(ID_NEW_MAP);
    Doc(0).saved = 0;
    messages.clear();
    messages.answer(MessageButton::No);
    messages.answer(MessageButton::Yes);
    dialogs.Answer_File(Path("painted"));
    EXPECT_TRUE(frame->close());
    EXPECT_EQ(messages.captions(), (QStringList{"閉じる前に", "閉じる前に"}));
    EXPECT_EQ(messages.calls()[0].text, QStringLiteral("新規マップデータ(1).zolを保存しますか？"));
    EXPECT_EQ(messages.calls()[1].text, QStringLiteral("新規セルパレット.bmpを保存しますか？"));
    EXPECT_EQ(QImage(Path("painted.bmp")).size(), QSize(128, 512));
}

TEST_F(MainFrameTest, MenuCommandsHaveTheUsualShortcuts)
{
    const struct { int id; QList<QKeySequence> keys; const char* text; } rows[] = {
        {ID_NEW_MAP, {QKeySequence("Ctrl+N")}, "マップデータの新規作成(&N)"},
        {ID_OPEN_MAP, {QKeySequence("Ctrl+O")}, "マップデータを開く(&O)"},
        {ID_SAVE_MAP, {QKeySequence("Ctrl+S")}, "マップデータを上書き保存(&S)"},
        {ID_SAVE_MAP_AS, {QKeySequence("Ctrl+Shift+S")}, "名前を付けてマップデータを保存(&A)"},
        {ID_EXIT, {QKeySequence("Ctrl+Q")}, "終了(&E)"},
        {ID_UNDO, {QKeySequence("Ctrl+Z")}, "元に戻す(&U)"},
        {ID_REDO, {QKeySequence("Ctrl+Y"), QKeySequence("Ctrl+Shift+Z")}, "やり直す(&R)"},
        {ID_CUT, {QKeySequence("Ctrl+X")}, "切り取り(&T)"},
        {ID_COPY, {QKeySequence("Ctrl+C")}, "背景を設定をしない(&N)"},
        {ID_PASTE, {QKeySequence("Ctrl+V")}, "貼り付け(&P)"},
        {ID_COPY_BACKGROUND, {}, "背景を設定する(&B)"},
    };
    for (const auto& row : rows) {
        QAction* item = frame->Menu_Item(row.id);
        EXPECT_EQ(item->shortcuts(), row.keys) << row.id;
        EXPECT_EQ(item->text(), QString::fromUtf8(row.text)) << row.id;
    }
    // Redo comes right after undo in the edit menu.
    QMenu* menu = nullptr;
    for (QObject* holder : frame->Menu_Item(ID_UNDO)->associatedObjects())
        if (auto* m = qobject_cast<QMenu*>(holder)) menu = m;
    ASSERT_TRUE(menu);
    const QList<QAction*> items = menu->actions();
    EXPECT_EQ(items.indexOf(frame->Menu_Item(ID_REDO)), items.indexOf(frame->Menu_Item(ID_UNDO)) + 1);
}

TEST_F(MainFrameTest, StandardDialogTextsFollowTheLanguage)
{
    const auto cancel_text = [] {
        QMessageBox box;
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        return box.button(QMessageBox::Cancel)->text();
    };
    ASSERT_TRUE(winlib::Use_Language(winlib::Language::English));
    EXPECT_EQ(cancel_text(), QStringLiteral("Cancel"));
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Look in:"), QStringLiteral("Look in:"));
    ASSERT_TRUE(winlib::Use_Language(winlib::Language::Japanese));
    EXPECT_EQ(cancel_text(), QStringLiteral("キャンセル"));
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Look in:"), QStringLiteral("アドレス:"));
}

TEST_F(MainFrameTest, ExportAndImportThroughTheFileMenu)
{
    const QString map = Write_Test_Map("a.zol", "1 2 3\n4 5 199");
    const int slot = Open(map);
    dialogs.Answer_File(Path("out")); // no extension: a TMX map
    frame->Run_Command(ID_EXPORT);
    EXPECT_EQ(dialogs.File_Requests().back().title, QStringLiteral("エクスポート"));
    ASSERT_TRUE(QFile::exists(Path("out.tmx")));
    EXPECT_TRUE(messages.calls().empty());

    EXPECT_EQ(frame->Status()->Text(1), QStringLiteral("out.tmxにエクスポートしました"));
    dialogs.Answer_File(Path("out.tmx"));
    dialogs.Answer_File(Path("back.zol"));
    frame->Run_Command(ID_IMPORT);
    const int back = slot + 1;
    ASSERT_TRUE(Window(back));
    EXPECT_EQ(frame->Status()->Text(1), QStringLiteral("back.zolをインポートしました")) << "not the export's text";
    EXPECT_EQ(Read_File(Path("back.zol")), Read_File(map));
    EXPECT_EQ(Map_To_Text(Doc(back)), Map_To_Text(Doc(slot)));

    // A map that cannot be imported is reported and nothing is asked or written.
    Write_File(Path("bad.tmx"), "<map orientation=\"hexagonal\" width=\"1\" height=\"1\" tilewidth=\"32\" tileheight=\"32\"/>");
    const std::size_t asked = dialogs.File_Requests().size();
    dialogs.Answer_File(Path("bad.tmx"));
    frame->Run_Command(ID_IMPORT);
    EXPECT_EQ(dialogs.File_Requests().size(), asked + 1);
    EXPECT_EQ(messages.captions(), QStringList{QStringLiteral("インポート")});
    EXPECT_TRUE(messages.last().text.contains(QStringLiteral("hexagonal")));
}

TEST_F(MainFrameTest, TheStatusLineFollowsTheMapsAndALongNameWidensNothing)
{
    const QString long_name = QString(240, QLatin1Char('n'));
    const int slot = Open(Write_Test_Map((long_name + ".zol").toUtf8().constData(), "1 2"));
    ASSERT_GE(slot, 0);
    const QSize before = frame->size();
    Mouse(slot, "MouseMoveEvent", 1, 0);
    QApplication::processEvents();
    EXPECT_EQ(frame->Status()->Text(1), long_name);
    EXPECT_EQ(frame->size(), before);
    const QRect area = Palette_Window(*frame)->parentWidget()->rect();
    EXPECT_TRUE(area.contains(Palette_Window(*frame)->geometry()));

    // The palette stays in reach when the frame shrinks.
    frame->resize(800, 800);
    QApplication::processEvents();
    EXPECT_TRUE(Palette_Window(*frame)->parentWidget()->rect().contains(Palette_Window(*frame)->geometry()));

    // Save-as renames the pane; closing the map empties the status line.
    dialogs.Answer_File(Path("short.zol"));
    Save_Map_As(*frame, slot);
    EXPECT_EQ(frame->Status()->Text(1), QStringLiteral("short"));
    Close_Map(*frame, slot);
    EXPECT_TRUE(frame->Status()->Text(0).isEmpty());
    EXPECT_TRUE(frame->Status()->Text(1).isEmpty());
}

TEST_F(MainFrameTest, RecentMapsNewestFirstKeptAcrossARestart)
{
    const QString settings = Path("settings/recent.ini");
    Use_Recent_Maps(*frame, settings);
    const QString a = Write_Test_Map("a.zol", "1"), b = Write_Test_Map("b.zol", "1");
    Open(a);
    Open(b);
    EXPECT_EQ(Recent_Maps(*frame), (QStringList{b, a}));
    dialogs.Answer_File(Path("c.zol"));
    Save_Map_As(*frame, 0);
    EXPECT_EQ(Recent_Maps(*frame), (QStringList{Path("c.zol"), b, a})) << "a save heads the list";

    // Another run reads the list; a map whose file has gone is grayed and said to be gone.
    frame.reset();
    QFile::remove(b);
    frame = std::make_unique<Zol>();
    Use_Recent_Maps(*frame, settings);
    EXPECT_EQ(Recent_Maps(*frame), (QStringList{Path("c.zol"), b, a}));
    QMenu* menu = frame->Recent_Menu();
    emit menu->aboutToShow();
    const QList<QAction*> entries = menu->actions();
    ASSERT_EQ(entries.size(), 3);
    EXPECT_TRUE(entries[0]->isEnabled());
    EXPECT_FALSE(entries[1]->isEnabled());
    EXPECT_TRUE(entries[1]->text().startsWith(QStringLiteral("&2 b.zol")));
    Open_Recent_Map(*frame, b);
    EXPECT_EQ(messages.captions(), QStringList{QStringLiteral("最近使ったマップ")});
    entries[2]->trigger();
    EXPECT_EQ(Map_To_Text(Doc(0)), QStringLiteral("1")) << "a.zol opened";
    EXPECT_EQ(Recent_Maps(*frame).first(), a);
}

TEST_F(MainFrameTest, SettingsAreWrittenWhenTheyChange)
{
    frame->Use_Config(Path("Zol.cfg"));
    frame->Run_Command(ID_FILL_RATE_OFF);
    EXPECT_FALSE(Read_Config(Path("Zol.cfg")).fill_rate_on) << "written at once, not only at exit";
    frame->Run_Command(ID_PALETTE_COLOURS);
    frame->State().palette_colours[3] = qRgb(1, 2, 3); // as the dialog's OK leaves them
    emit frame->Hub().coloursChanged();
    EXPECT_EQ(Read_Config(Path("Zol.cfg")).colours[3], qRgb(1, 2, 3));
}

} // namespace
