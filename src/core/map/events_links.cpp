#include "core/map/events_links.h"
#include "core/messages/texts.h"

#include "core/map/allocation.h"
#include "core/messages/show_message.h"

#include <array>

namespace zol {

namespace {

void Report_No_Memory(const QString& caption)
{
    Show_Message(nullptr, caption, No_Memory_Text(), MB_OK, MB_ICON_STOP);
}

bool Fits_Byte(int value) { return value >= 0 && value <= 255; }

// Refuses a number the tables cannot keep; `what` names it, as the user gave it.
TableChange Refuse_Outside(const QString& what)
{
    Show_Message(nullptr, Text::tr("はみ出してまっせ"),
                 Text::tr("%1は設定できません。\n座標や番号は0～255の範囲で指定してください。").arg(what), MB_OK,
                 MB_ICON_EXCLAMATION);
    return TableChange::Outside;
}

QString Position_Text(int x, int y) { return QStringLiteral("(%1,%2)").arg(x).arg(y); }

int Find(const std::vector<uint8_t>& xs, const std::vector<uint8_t>& ys, int x, int y)
{
    for (std::size_t i = 0; i < xs.size(); ++i)
        if (xs[i] == x && ys[i] == y) return int(i);
    return -1;
}

// New columns for a table of N parallel columns: each a copy of the old one without entry
// skip (-1: none) and with value appended (when given). Installed only when all were made.
template <std::size_t N>
bool Rebuild_Columns(const std::array<std::vector<uint8_t>*, N>& columns, int skip,
                     const std::array<uint8_t, N>* append, const char* routine,
                     const std::array<int, N>& steps)
{
    const std::size_t old_count = columns[0]->size();
    const std::size_t count = old_count - (skip >= 0 ? 1 : 0) + (append ? 1 : 0);
    std::array<std::vector<uint8_t>, N> made;
    for (std::size_t c = 0; c < N; ++c) {
        if (count == 0) break;
        if (!Allocate(made[c], count)) {
            Report_No_Memory(QStringLiteral("ERROR:%1(%2)").arg(QLatin1String(routine)).arg(steps[c]));
            return false;
        }
        std::size_t k = 0;
        for (std::size_t i = 0; i < old_count; ++i)
            if (int(i) != skip) made[c][k++] = (*columns[c])[i];
        if (append) made[c][k] = (*append)[c];
    }
    for (std::size_t c = 0; c < N; ++c) columns[c]->swap(made[c]);
    return true;
}

} // namespace

int Find_Event(const edit_form& doc, int x, int y) { return Find(doc.events.x, doc.events.y, x, y); }
int Find_Link(const edit_form& doc, int x, int y) { return Find(doc.links.x, doc.links.y, x, y); }

TableChange Set_Event(edit_form& doc, int x, int y, int number)
{
    if (!Fits_Byte(x) || !Fits_Byte(y)) return Refuse_Outside(Text::tr("イベントの位置%1").arg(Position_Text(x, y)));
    if (!Fits_Byte(number)) return Refuse_Outside(Text::tr("イベント番号%1").arg(number));
    const int found = Find_Event(doc, x, y);
    if (found >= 0) {
        doc.events.number[std::size_t(found)] = uint8_t(number);
        return TableChange::Done;
    }
    if (doc.events.count() >= kMaxEvents) {
        Show_Message(nullptr, Text::tr("やりすぎ！"),
                     Text::tr("これ以上イベントは作られません。\n作成可能なイベントの数は256までです。"),
                     MB_OK, MB_ICON_STOP);
        return TableChange::Limit;
    }
    const std::array<uint8_t, 3> entry = {uint8_t(number), uint8_t(x), uint8_t(y)};
    const bool made = Rebuild_Columns<3>({&doc.events.number, &doc.events.x, &doc.events.y}, -1,
                                         &entry, "Set_Event", {1, 2, 3});
    return made ? TableChange::Done : TableChange::NoMemory;
}

TableChange Set_Link(edit_form& doc, int x, int y, int target_x, int target_y, int target_map)
{
    if (!Fits_Byte(x) || !Fits_Byte(y)) return Refuse_Outside(Text::tr("リンクの位置%1").arg(Position_Text(x, y)));
    if (!Fits_Byte(target_x) || !Fits_Byte(target_y))
        return Refuse_Outside(Text::tr("リンク先の座標%1").arg(Position_Text(target_x, target_y)));
    if (!Fits_Byte(target_map)) return Refuse_Outside(Text::tr("リンク先のマップ番号%1").arg(target_map));
    const int found = Find_Link(doc, x, y);
    if (found >= 0) {
        const std::size_t i = std::size_t(found);
        doc.links.target_x[i] = uint8_t(target_x);
        doc.links.target_y[i] = uint8_t(target_y);
        doc.links.target_map[i] = uint8_t(target_map);
        return TableChange::Done;
    }
    if (doc.links.count() >= kMaxLinks) {
        Show_Message(nullptr, Text::tr("もうかんにんしてぇ"),
                     Text::tr("これ以上リンクの設定ができません。\n設定可能なリンクの数は256までです。"),
                     MB_OK, MB_ICON_STOP);
        return TableChange::Limit;
    }
    const std::array<uint8_t, 5> entry = {uint8_t(target_map), uint8_t(target_x), uint8_t(target_y),
                                          uint8_t(x), uint8_t(y)};
    const bool made = Rebuild_Columns<5>({&doc.links.target_map, &doc.links.target_x,
                                          &doc.links.target_y, &doc.links.x, &doc.links.y},
                                         -1, &entry, "Set_Link", {1, 2, 3, 4, 5});
    return made ? TableChange::Done : TableChange::NoMemory;
}

TableChange Delete_Event(edit_form& doc, int x, int y)
{
    const int found = Find_Event(doc, x, y);
    if (found < 0) return TableChange::Done;
    const bool made = Rebuild_Columns<3>({&doc.events.number, &doc.events.x, &doc.events.y}, found,
                                         nullptr, "Delete_Event", {1, 2, 3});
    return made ? TableChange::Done : TableChange::NoMemory;
}

TableChange Delete_Link(edit_form& doc, int x, int y)
{
    const int found = Find_Link(doc, x, y);
    if (found < 0) return TableChange::Done;
    const bool made = Rebuild_Columns<5>({&doc.links.target_map, &doc.links.target_x,
                                          &doc.links.target_y, &doc.links.x, &doc.links.y},
                                         found, nullptr, "Delete_Link", {1, 2, 3, 4, 5});
    return made ? TableChange::Done : TableChange::NoMemory;
}

} // namespace zol
