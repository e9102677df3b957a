// Recovery copies: written while maps are modified, removed when saved or given up, offered at
// the next start after the editor died (killed with SIGKILL in one case), and restored as
// modified maps that leave their files alone.

#include "frame_fixture.h"

#include <QDir>
#include <QDirIterator>
#include <QProcess>
#include <QThread>

#include <csignal>

using namespace zol;
using namespace zol::test;

namespace {

class RecoveryTest : public FrameTest {
protected:
    QString Root() const { return Path("recovery"); }
    RecoveryState& Recovery() { return frame->State().recovery; }
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
    // Leaves the copies of a map edited in another editor that died, as its folder would be.
    void Leave_Orphan(const QString& map_path, const char* edited_rows, const char* folder = "dead")
    {
        RecoveryStore other;
        ASSERT_TRUE(other.Start(Path("elsewhere")));
        RecoveryCopy copy;
        copy.key = QStringLiteral("map0");
        copy.map_path = map_path;
        copy.palette_path = Path("tiles.bmp");
        copy.map_bytes = Encode_Map(Map_From_Text(edited_rows), "tiles");
        copy.flags.assign(kCellCount, 0);
        ASSERT_TRUE(other.Write(copy));
        const QString dead = Root() + QLatin1Char('/') + QLatin1String(folder);
        QDir().mkpath(dead);
        for (const QString& file : QDir(other.Folder()).entryList({QStringLiteral("map0.*")}, QDir::Files))
            ASSERT_TRUE(QFile::copy(QDir(other.Folder()).filePath(file), dead + QLatin1Char('/') + file));
        other.Finish();
    }
};

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

TEST_F(RecoveryTest, AFailedCopyIsSilentAndTheOriginalUntouched)
{
    Write_File(Root(), "a file where the folder would go");
    Start_Recovery(*frame, Root());
    EXPECT_FALSE(Recovery().store.Started());
    const QString map = Write_Test_Map("a.zol", "1 2");
    const QByteArray before = Read_File(map);
    const int slot = Open(map);
    Mouse(slot, "LeftButtonDownEvent", 0, 0, {.left = true});
    Mouse(slot, "LeftButtonUpEvent", 0, 0);
    Tick(0);
    Tick(5000);
    EXPECT_TRUE(messages.calls().empty());
    EXPECT_EQ(Read_File(map), before);
}

TEST_F(RecoveryTest, OfferedAtStartRestoredDiscardedOrLeft)
{
    const QString map = Write_Test_Map("a.zol", "1 2\n3 4");
    const QByteArray original = Read_File(map);
    Leave_Orphan(map, "9 9\n9 9");
    Start_Recovery(*frame, Root());

    messages.answer(MessageButton::Cancel); // later: the copy stays
    Offer_Recovery(*frame);
    EXPECT_EQ(messages.captions(), QStringList{QStringLiteral("復元")});
    EXPECT_TRUE(messages.last().text.contains(QStringLiteral("a.zol")));
    EXPECT_EQ(Copies(), QStringList{"map0.json"});
    EXPECT_EQ(Open_Windows(), 0);

    messages.answer(MessageButton::Yes);
    Offer_Recovery(*frame);
    ASSERT_TRUE(Window(0));
    EXPECT_EQ(Map_To_Text(Doc(0)), QStringLiteral("9 9\n9 9"));
    EXPECT_EQ(Doc(0).file_path, map);
    EXPECT_EQ(Doc(0).saved, 0);
    EXPECT_EQ(Read_File(map), original) << "the file waits for the user's save";
    EXPECT_TRUE(Copies().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(Root() + "/dead"));

    // Discarded: gone without a window.
    Leave_Orphan(map, "5 5\n5 5");
    messages.answer(MessageButton::No);
    Offer_Recovery(*frame);
    EXPECT_EQ(Open_Windows(), 1);
    EXPECT_FALSE(QFileInfo::exists(Root() + "/dead"));

    // A damaged copy is reported and skipped.
    QDir().mkpath(Root() + "/broken");
    Write_File(Root() + "/broken/map0.json", "{ not json");
    messages.clear();
    Offer_Recovery(*frame);
    EXPECT_EQ(messages.captions(), QStringList{QStringLiteral("復元")});
    EXPECT_TRUE(messages.last().text.contains(QStringLiteral("damaged")));
}

TEST_F(RecoveryTest, ARunningEditorsCopiesAreNotOffered)
{
    // Another editor, alive, with a copy of its own.
    RecoveryStore other;
    ASSERT_TRUE(other.Start(Root()));
    RecoveryCopy copy;
    copy.key = QStringLiteral("map0");
    copy.map_path = Path("x.zol");
    copy.map_bytes = Encode_Map(Map_From_Text("1"), "tiles");
    copy.flags.assign(kCellCount, 0);
    ASSERT_TRUE(other.Write(copy));
    Start_Recovery(*frame, Root());
    Offer_Recovery(*frame);
    EXPECT_TRUE(messages.calls().empty());
    EXPECT_EQ(Copies(), QStringList{"map0.json"});
    other.Finish();
}

TEST_F(RecoveryTest, MoreCopiesThanFreeSlotsStayForNextTime)
{
    Start_Recovery(*frame, Root());
    for (const char* name : {"a.zol", "b.zol", "c.zol", "d.zol"}) Open(Write_Test_Map(name, "1"));
    Leave_Orphan(Write_Test_Map("e.zol", "1"), "7", "dead1");
    Leave_Orphan(Write_Test_Map("f.zol", "1"), "8", "dead2");
    messages.answer(MessageButton::Yes);
    Offer_Recovery(*frame);
    EXPECT_EQ(Open_Windows(), 5);
    EXPECT_EQ(Copies(), QStringList{"map0.json"}) << "one restored, one left";
}

// Run only as the child of KilledEditorsWorkComesBack: edits a map, waits for its copy, then
// waits to be killed.
TEST_F(RecoveryTest, ChildEditsAndWaitsToBeKilled)
{
    const QByteArray root = qgetenv("ZOL_RECOVERY_CHILD");
    if (root.isEmpty()) GTEST_SKIP() << "run by KilledEditorsWorkComesBack";
    Start_Recovery(*frame, QString::fromUtf8(root) + "/recovery");
    dialogs.Answer_File(QString::fromUtf8(root) + "/m.zol");
    frame->Run_Command(ID_OPEN_MAP);
    Mouse(0, "LeftButtonDownEvent", 1, 0, {.left = true});
    Mouse(0, "LeftButtonUpEvent", 1, 0);
    winlib::Override_Buttons(winlib::ButtonSnapshot{});
    // The real timer writes the copy a few seconds after the edit.
    for (int i = 0; i < 100 && Copies().isEmpty(); ++i) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 100);
        QThread::msleep(100);
        QDirIterator it(QString::fromUtf8(root) + "/recovery", {QStringLiteral("*.json")}, QDir::Files, QDirIterator::Subdirectories);
        if (it.hasNext()) break;
    }
    Write_File(QString::fromUtf8(root) + "/ready", "");
    QThread::sleep(60);
}

TEST_F(RecoveryTest, KilledEditorsWorkComesBack)
{
    const QByteArray original = Read_File(Write_Test_Map("m.zol", "1 2 3"));
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("ZOL_RECOVERY_CHILD"), dir.path());
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=RecoveryTest.ChildEditsAndWaitsToBeKilled")});
    ASSERT_TRUE(child.waitForStarted());
    for (int i = 0; i < 300 && !QFileInfo::exists(Path("ready")); ++i) QThread::msleep(100);
    ASSERT_TRUE(QFileInfo::exists(Path("ready")));
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
