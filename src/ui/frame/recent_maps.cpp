// ファイル > 最近使ったマップ: the last eight maps opened or saved, newest first, kept in the
// editor's settings file between runs.

#include "core/exchange/recent_files.h"
#include "core/messages/texts.h"
#include "core/map/file_path.h"
#include "core/messages/show_message.h"
#include "ui/frame/zol.h"

#include <QFileInfo>
#include <QMenu>
#include <QSettings>

namespace zol {

namespace {

const QString kSettingsKey = QStringLiteral("recent/maps");

struct RecentMaps {
    RecentFiles list;
    QString settings_path; // empty: the list lives only while the editor runs
};

RecentMaps& Recent(Editor& editor) { return editor.State().windows.Get<RecentMaps>(); }

void Keep(Editor& editor)
{
    const RecentMaps& recent = Recent(editor);
    if (recent.settings_path.isEmpty()) return;
    QSettings settings(recent.settings_path, QSettings::IniFormat);
    settings.setValue(kSettingsKey, recent.list.Paths());
}

// A long name with its middle left out, so that the menu keeps a sensible width.
QString Shortened(const QString& text, int most)
{
    if (text.size() <= most) return text;
    return text.left(most / 2 - 1) + QChar(0x2026) + text.right(most / 2 - 1);
}

// "&1 name.zol  (folder)": the file's name first, as it was opened; the whole path is the tip.
QString Entry_Text(int index, const QString& path)
{
    return QStringLiteral("&%1 %2  (%3)")
        .arg(index + 1)
        .arg(Shortened(Path_File_Name(path), 48), Shortened(Path_Directory(path), 40));
}

void Fill_Menu(Zol& frame, QMenu* menu)
{
    menu->clear();
    const QStringList paths = Recent_Maps(frame);
    if (paths.isEmpty()) {
        menu->addAction(Text::tr("（なし）"))->setEnabled(false);
        return;
    }
    for (int i = 0; i < paths.size(); ++i) {
        const QString path = paths[i];
        QAction* entry = menu->addAction(Entry_Text(i, path));
        entry->setToolTip(path);
        entry->setEnabled(QFileInfo(path).isFile()); // a file that has gone is grayed
        QObject::connect(entry, &QAction::triggered, &frame, [&frame, path] { Open_Recent_Map(frame, path); });
    }
}

} // namespace

void Use_Recent_Maps(Editor& editor, const QString& path)
{
    RecentMaps& recent = Recent(editor);
    recent.settings_path = path;
    if (path.isEmpty()) return;
    QSettings settings(path, QSettings::IniFormat);
    recent.list.Set(settings.value(kSettingsKey).toStringList());
}

void Remember_Map(Editor& editor, const QString& path)
{
    if (path.isEmpty()) return;
    Recent(editor).list.Add(Absolute_Path(path));
    Keep(editor);
}

QStringList Recent_Maps(Editor& editor) { return Recent(editor).list.Paths(); }

void Open_Recent_Map(Editor& editor, const QString& path)
{
    if (!QFileInfo(path).isFile()) {
        Show_Message(&editor.Main_Window(), Text::tr("最近使ったマップ"),
                     Text::tr("%1\nは見つかりません。").arg(path), MB_OK, MB_ICON_EXCLAMATION);
        return;
    }
    Tool_Command(editor, kPen);
    const int slot = editor.Documents().First_Free_Slot();
    if (slot >= kMaxDocuments) Too_Many_Windows();
    else Open_Map(editor, slot, path);
    Update_File_Menu(editor);
}

void Follow_Recent_Maps(Zol& frame)
{
    QMenu* menu = frame.Recent_Menu();
    QObject::connect(menu, &QMenu::aboutToShow, &frame, [&frame, menu] { Fill_Menu(frame, menu); });
    Fill_Menu(frame, menu);
    // A saved map heads the list, under the name it was saved as.
    QObject::connect(&frame.Hub(), &Changes::savedChanged, &frame, [&frame](int slot) {
        const edit_form& doc = frame.Documents()[slot];
        if (doc.saved && frame.Map_Window(slot)) Remember_Map(frame, doc.file_path);
    });
}

} // namespace zol
