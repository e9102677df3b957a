// Recovery copies: written while maps are modified, removed when saved or given up, offered at
// the next start after the editor died (killed with SIGKILL in one case), and restored as
// modified maps that leave their files alone.

#include "frame_fixture.h"

#include "core/map/file_writer.h"

#include <QDir>
#include <QDirIterator>
#include <QProcess>
#include <QRegularExpression>
#include <QUuid>

#include <atomic>
#include <csignal>
#include <thread>

#include <unistd.h>

using namespace zol;
using namespace zol::test;

namespace {

class RecoveryTest : public FrameTest {
protected:
    QString Root() const { return Path("recovery"); }
    RecoveryState& Recovery() { return Recovery_State(*frame); }
    // The copies in every folder under the root, by file name.
    QStringList Copies() const
    {
        QStringList found;
        QDirIterator it(Root(), {QStringLiteral("*.json")}, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) found << QFileInfo(it.next()).fileName();
        found.sort();
        return found;
    }
    void Tick(qint64 now)
    {
        winlib::Override_Buttons(winlib::ButtonSnapshot{});
        Recovery_Tick(*frame, now);
        Flush_Recovery(*frame);
    }
    static RecoveryCopy Map_Copy(const QString& map_path, const char* rows, const char* key = "map0")
    {
        RecoveryCopy copy;
        copy.key = QString::fromLatin1(key);
        copy.map_path = map_path;
        copy.palette_path = QFileInfo(map_path).dir().filePath("tiles.bmp");
        copy.map_bytes = Encode_Map(Map_From_Text(rows), "tiles");
        copy.flags.assign(kCellCount, 0);
        return copy;
    }
    // Leaves the copy of a map edited in an editor that died: its folder, written and never
    // finished, with its lock let go. Returns the folder.
    QString Leave_Orphan(const QString& map_path, const char* edited_rows)
    {
        RecoveryStore dead;
        EXPECT_TRUE(dead.Start(Root()));
        EXPECT_TRUE(dead.Write(Map_Copy(map_path, edited_rows)));
        return dead.Folder();
    }
    QString Status() const { return frame->Status()->Text(1); }
};

const QString kUnprotected = QStringLiteral("復元用のコピーを書き込めないため、保存していない作業は保護されていません");

// What a second editor printed (see recovery_child), and how it ended.
struct ChildRun {
    QStringList lines;
    int status = -1;
};

ChildRun Run_Child(const QStringList& args, bool as_nobody = false)
{
    QProcess child;
    QString program = QStringLiteral(ZOL_RECOVERY_CHILD_PATH);
    QStringList arguments = args;
    if (as_nobody && ::geteuid() == 0) {
        // The superuser writes anywhere; another user meets the folder's permissions.
        arguments = QStringList{"--reuid=65534", "--regid=65534", "--clear-groups", program} + args;
        program = QStringLiteral("setpriv");
    }
    child.start(program, arguments);
    child.waitForFinished(60000);
    return {QString::fromUtf8(child.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts), child.exitCode()};
}

TEST_F(RecoveryTest, CopiesFollowChangesSavesAndCloses)
{
    Start_Recovery(*frame, Root());
    ASSERT_TRUE(Recovery().store.Started());
    const int slot = Open(Write_Test_Map("a.zol", "1 2\n3 4"));
    Tick(0);
    EXPECT_TRUE(Copies().isEmpty()) << "an unmodified map has no copy";

    Mouse(slot, "LeftButtonDownEvent", 0, 0, {.left = true});
    Tick(1000);
    EXPECT_TRUE(Copies().isEmpty()) << "not while a button is held";
    Mouse(slot, "LeftButtonUpEvent", 0, 0);
    Tick(2000);
    EXPECT_TRUE(Copies().isEmpty()) << "a few seconds after the last change";
    Tick(5000);
    ASSERT_EQ(Copies(), QStringList{"map0.json"});
    RecoveryCopy copy;
    QString why;
    ASSERT_TRUE(Read_Recovery_Copy(Recovery().store.Folder() + "/map0.json", copy, why)) << why.toStdString();
    EXPECT_EQ(copy.map_path, Doc(slot).file_path);
    EXPECT_EQ(copy.map_bytes, Encode_Map(Doc(slot), "tiles"));

    // A change soon after a copy waits for ten seconds to pass since it.
    Mouse(slot, "LeftButtonDownEvent", 1, 1, {.right = true});
    Mouse(slot, "LeftButtonUpEvent", 1, 1);
    Tick(9000);
    Tick(12000);
    ASSERT_TRUE(Read_Recovery_Copy(Recovery().store.Folder() + "/map0.json", copy, why));
    EXPECT_NE(copy.map_bytes, Encode_Map(Doc(slot), "tiles"));
    Tick(15000);
    ASSERT_TRUE(Read_Recovery_Copy(Recovery().store.Folder() + "/map0.json", copy, why));
    EXPECT_EQ(copy.map_bytes, Encode_Map(Doc(slot), "tiles"));

    // Saving removes it; so does closing after the answer No.
    frame->Client()->setActiveSubWindow(Window(slot));
    frame->Run_Command(ID_SAVE_MAP);
    Flush_Recovery(*frame);
    EXPECT_TRUE(Copies().isEmpty());
    Mouse(slot, "LeftButtonDownEvent", 0, 1, {.left = true});
    Mouse(slot, "LeftButtonUpEvent", 0, 1);
    Tick(30000);
    Tick(34000);
    EXPECT_EQ(Copies(), QStringList{"map0.json"});
    messages.answer(MessageButton::No);
    Window(slot)->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    Flush_Recovery(*frame);
    EXPECT_TRUE(Copies().isEmpty());

    // A normal end leaves nothing, not even the folder.
    const QString folder = Recovery().store.Folder();
    frame.reset();
    EXPECT_FALSE(QFileInfo::exists(folder));
}

TEST_F(RecoveryTest, WithoutAFolderNothingIsTouchedAndTheStatusLineSaysSoOnce)
{
    // Folders beside the program, as the working folder of an editor started from home.
    QDir().mkpath(Path("precious/deeper"));
    Write_File(Path("precious/notes.txt"), "notes");
    Write_File(Path("precious/deeper/thesis.txt"), "thesis");
    Write_File(Root(), "a file where the folder would go");
    const QString working = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    Start_Recovery(*frame, Root());
    EXPECT_FALSE(Recovery().store.Started());
    EXPECT_EQ(Status(), kUnprotected);
    const QString map = Write_Test_Map("a.zol", "1 2");
    const QByteArray before = Read_File(map);
    const int slot = Open(map);
    Mouse(slot, "LeftButtonDownEvent", 0, 0, {.left = true});
    Mouse(slot, "LeftButtonUpEvent", 0, 0);
    Tick(0);
    Tick(5000);
    Offer_Recovery(*frame);
    frame.reset();
    QDir::setCurrent(working);
    EXPECT_TRUE(messages.calls().empty()) << "nothing modal";
    EXPECT_EQ(Read_File(map), before);
    EXPECT_EQ(Read_File(Path("precious/notes.txt")), "notes");
    EXPECT_EQ(Read_File(Path("precious/deeper/thesis.txt")), "thesis");
    EXPECT_FALSE(QFileInfo::exists(Path("precious/lock")));
}

TEST_F(RecoveryTest, ACopyThatCannotBeWrittenIsToldOnce)
{
    Start_Recovery(*frame, Root());
    ASSERT_TRUE(Recovery().store.Started());
    const int slot = Open(Write_Test_Map("a.zol", "1 2"));
    Mouse(slot, "LeftButtonDownEvent", 0, 0, {.left = true});
    Mouse(slot, "LeftButtonUpEvent", 0, 0);
    WriteFaults full;
    full.fail_at_byte = 0;
    Plant_Write_Faults(full);
    Tick(0);
    Tick(5000);
    Tick(6000);
    Clear_Write_Faults();
    EXPECT_EQ(Status(), kUnprotected);
    frame->Status()->Set_Text(1, QString());
    Tick(20000);
    EXPECT_TRUE(Status().isEmpty()) << "said once";
    EXPECT_TRUE(messages.calls().empty());
}

// The editor itself, started where a data folder cannot be made, in a folder holding others.
TEST_F(RecoveryTest, TheEditorStartedWithoutADataFolderDeletesNothing)
{
    QDir().mkpath(Path("work/precious/deeper"));
    Write_File(Path("work/precious/notes.txt"), "notes");
    Write_File(Path("work/precious/deeper/thesis.txt"), "thesis");
    Write_File(Path("not-a-folder"), "");
    QProcess editor;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_DATA_HOME", Path("not-a-folder/data"));
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("ZOL_EXIT_AFTER_FIRST_PAINT", "1");
    editor.setProcessEnvironment(environment);
    editor.setWorkingDirectory(Path("work"));
    editor.start(QStringLiteral(ZOL_EDITOR_PATH), {QStringLiteral(ZOL_EXAMPLES_DIR "/sample.zol")});
    ASSERT_TRUE(editor.waitForFinished(60000));
    EXPECT_EQ(editor.exitCode(), 0) << editor.readAllStandardError().toStdString();
    EXPECT_EQ(Read_File(Path("work/precious/notes.txt")), "notes");
    EXPECT_EQ(Read_File(Path("work/precious/deeper/thesis.txt")), "thesis");
    EXPECT_EQ(QDir(Path("work/precious")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              (QStringList{"deeper", "notes.txt"}));
}

TEST_F(RecoveryTest, OfferedAtStartRestoredDiscardedOrLeft)
{
    const QString map = Write_Test_Map("a.zol", "1 2\n3 4");
    const QByteArray original = Read_File(map);
    const QString dead = Leave_Orphan(map, "9 9\n9 9");
    Start_Recovery(*frame, Root());

    messages.answer(MessageButton::Cancel); // later: the copy stays
    Offer_Recovery(*frame);
    EXPECT_EQ(messages.captions(), QStringList{QStringLiteral("復元")});
    EXPECT_TRUE(messages.last().text.contains(QStringLiteral("a.zol")));
    EXPECT_EQ(Copies(), QStringList{"map0.json"});
    EXPECT_EQ(Open_Windows(), 0);

    // Restored: at once this editor has its own copy, and only then the old one goes.
    messages.answer(MessageButton::Yes);
    Offer_Recovery(*frame);
    ASSERT_TRUE(Window(0));
    EXPECT_EQ(Map_To_Text(Doc(0)), QStringLiteral("9 9\n9 9"));
    EXPECT_EQ(Doc(0).file_path, map);
    EXPECT_EQ(Doc(0).saved, 0);
    EXPECT_EQ(Read_File(map), original) << "the file waits for the user's save";
    Flush_Recovery(*frame);
    EXPECT_FALSE(QFileInfo::exists(dead));
    RecoveryCopy own;
    QString why;
    ASSERT_TRUE(Read_Recovery_Copy(Recovery().store.Folder() + "/map0.json", own, why)) << why.toStdString();
    EXPECT_EQ(own.map_bytes, Encode_Map(Map_From_Text("9 9\n9 9"), "tiles"));

    // Discarded: gone without a window.
    const QString declined = Leave_Orphan(map, "5 5\n5 5");
    messages.answer(MessageButton::No);
    Offer_Recovery(*frame);
    EXPECT_EQ(Open_Windows(), 1);
    EXPECT_FALSE(QFileInfo::exists(declined));
}

TEST_F(RecoveryTest, ARestoredCopyStaysUntilThisEditorsCopyIsWritten)
{
    const QString map = Write_Test_Map("a.zol", "1 2");
    const QString dead = Leave_Orphan(map, "7 7");
    Start_Recovery(*frame, Root());
    WriteFaults full;
    full.fail_at_byte = 0;
    Plant_Write_Faults(full);
    messages.answer(MessageButton::Yes);
    Offer_Recovery(*frame);
    Flush_Recovery(*frame);
    Clear_Write_Faults();
    ASSERT_TRUE(Window(0));
    EXPECT_EQ(Map_To_Text(Doc(0)), QStringLiteral("7 7"));
    RecoveryCopy kept;
    QString why;
    EXPECT_TRUE(Read_Recovery_Copy(dead + "/map0.json", kept, why)) << "the only copy on disk stays";
}

TEST_F(RecoveryTest, DamagedCopiesAreMovedAsideNamedAndNeverDeleted)
{
    const QString map = Write_Test_Map("a.zol", "1 2");
    const QString dead = Leave_Orphan(map, "4 4");
    const QString name = QFileInfo(dead).fileName();
    Write_File(dead + "/map1.json", "{ not json");
    Write_File(dead + "/map1.zol", "work of map 1");
    Write_File(dead + "/map2.zol", "a copy whose description never came");
    Start_Recovery(*frame, Root());
    messages.answer(MessageButton::Ok);
    messages.answer(MessageButton::Yes);
    Offer_Recovery(*frame);
    ASSERT_EQ(messages.calls().size(), 2u);
    const QString told = messages.calls()[0].text;
    const QString aside = Root() + "/damaged/" + name;
    for (const char* file : {"map1.json", "map1.zol", "map2.zol"}) EXPECT_TRUE(told.contains(aside + "/" + file)) << told.toStdString();
    // Apart from the paths, Japanese throughout.
    QString words = told;
    words.remove(aside + "/");
    for (const char* file : {"map1.json", "map1.zol", "map2.zol"}) words.remove(QString::fromLatin1(file));
    EXPECT_FALSE(words.contains(QRegularExpression("[A-Za-z]"))) << words.toStdString();
    EXPECT_EQ(Read_File(aside + "/map1.json"), "{ not json");
    EXPECT_EQ(Read_File(aside + "/map1.zol"), "work of map 1");
    EXPECT_EQ(Read_File(aside + "/map2.zol"), "a copy whose description never came");
    EXPECT_EQ(Map_To_Text(Doc(0)), QStringLiteral("4 4")) << "the readable copy is restored";
    Flush_Recovery(*frame);
    EXPECT_FALSE(QFileInfo::exists(dead));

    // Never offered again, never removed.
    messages.clear();
    Offer_Recovery(*frame);
    EXPECT_TRUE(messages.calls().empty());
    EXPECT_TRUE(QFileInfo::exists(aside + "/map1.json"));
}

TEST_F(RecoveryTest, OnlyItsOwnFoldersAreLookedInto)
{
    // Another editor, alive, with a copy of its own.
    RecoveryStore other;
    ASSERT_TRUE(other.Start(Root()));
    ASSERT_TRUE(other.Write(Map_Copy(Path("x.zol"), "1")));
    // Folders the program did not make, or has not finished making, under its root.
    const QString unmarked = Root() + "/" + QUuid::createUuid().toString(QUuid::WithoutBraces);
    QDir().mkpath(unmarked);
    QDir().mkpath(Root() + "/photos");
    Write_File(Root() + "/photos/holiday.jpg", "jpeg");
    Write_File(unmarked + "/map0.zol", "someone's");
    Start_Recovery(*frame, Root());
    Offer_Recovery(*frame);
    EXPECT_TRUE(messages.calls().empty());
    EXPECT_EQ(Copies(), QStringList{"map0.json"});
    frame.reset();
    EXPECT_EQ(Read_File(Root() + "/photos/holiday.jpg"), "jpeg");
    EXPECT_EQ(Read_File(unmarked + "/map0.zol"), "someone's");
    EXPECT_TRUE(QFileInfo::exists(other.Folder() + "/map0.json"));
    other.Finish();
}

TEST_F(RecoveryTest, TwoEditorsStartingTogetherNeverTakeEachOthersFolder)
{
    // At every step of one editor's start, another one looks for orphans and lets them go.
    bool seeking = false;
    int looks = 0;
    RecoveryStore::Set_Start_Step_Hook([&] {
        if (seeking) return; // the seeker's own start
        seeking = true;
        RecoveryStore seeker;
        EXPECT_TRUE(seeker.Start(Root()));
        RecoveryOrphans orphans = seeker.Find_Orphans();
        EXPECT_TRUE(orphans.folders.isEmpty());
        RecoveryStore::Release(orphans);
        seeker.Finish();
        ++looks;
        seeking = false;
    });
    RecoveryStore first;
    const bool started = first.Start(Root());
    RecoveryStore::Set_Start_Step_Hook({});
    EXPECT_EQ(looks, 3);
    ASSERT_TRUE(started);
    EXPECT_TRUE(first.Write(Map_Copy(Path("x.zol"), "1")));
    first.Finish();
}

TEST_F(RecoveryTest, AReadOnlyFolderIsOfferedAndKept)
{
    const QString map = Write_Test_Map("a.zol", "1 2");
    const QString dead = Leave_Orphan(map, "6 6");
    for (const QString& folder : {dir.path(), Root(), dead})
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup |
                                          QFile::ReadOther | QFile::ExeOther);
    const ChildRun run = Run_Child({"offer", Root()}, true);
    QFile::setPermissions(Root(), QFile::permissions(dir.path()) | QFile::WriteOwner);
    QFile::setPermissions(dead, QFile::permissions(dir.path()) | QFile::WriteOwner);
    EXPECT_EQ(run.status, 0);
    ASSERT_EQ(run.lines.size(), 3) << run.lines.join('\n').toStdString();
    EXPECT_TRUE(run.lines[0].startsWith("message: 復元: 前回、") && run.lines[0].contains("a.zol"));
    EXPECT_EQ(run.lines[1], "status: " + kUnprotected);
    EXPECT_EQ(run.lines[2], "map0: " + map + " 6 6");
    EXPECT_TRUE(QFileInfo::exists(dead + "/map0.json")) << "kept until it can be removed";
}

TEST_F(RecoveryTest, MoreCopiesThanFreeSlotsStayForNextTime)
{
    Start_Recovery(*frame, Root());
    for (const char* name : {"a.zol", "b.zol", "c.zol", "d.zol"}) Open(Write_Test_Map(name, "1"));
    Leave_Orphan(Write_Test_Map("e.zol", "1"), "7");
    Leave_Orphan(Write_Test_Map("f.zol", "1"), "8");
    messages.answer(MessageButton::Yes);
    Offer_Recovery(*frame);
    Flush_Recovery(*frame);
    EXPECT_EQ(Open_Windows(), 5);
    EXPECT_EQ(Copies(), (QStringList{"map0.json", "map4.json"})) << "one restored and copied again, one left";
}

TEST_F(RecoveryTest, KilledEditorsWorkComesBack)
{
    const QByteArray original = Read_File(Write_Test_Map("m.zol", "1 2 3"));
    QProcess child;
    child.start(QStringLiteral(ZOL_RECOVERY_CHILD_PATH), {"edit", Root(), Path("m.zol")});
    ASSERT_TRUE(child.waitForStarted());
    while (!child.canReadLine() && child.waitForReadyRead(30000)) {
    }
    ASSERT_EQ(child.readLine().trimmed(), "ready");
    ::kill(pid_t(child.processId()), SIGKILL);
    ASSERT_TRUE(child.waitForFinished());
    EXPECT_EQ(child.exitStatus(), QProcess::CrashExit);

    Start_Recovery(*frame, Root());
    messages.answer(MessageButton::Yes);
    Offer_Recovery(*frame);
    ASSERT_TRUE(Window(0));
    EXPECT_EQ(Doc(0).file_path, Path("m.zol"));
    EXPECT_EQ(Map_To_Text(Doc(0)), QStringLiteral("1 0 3")) << "the pen's cell came back";
    EXPECT_EQ(Doc(0).saved, 0);
    EXPECT_EQ(Read_File(Path("m.zol")), original);
}

} // namespace
