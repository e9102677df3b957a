#include "core/editing/clipboard.h"
#include "core/messages/texts.h"

#include "core/map/allocation.h"
#include "core/messages/show_message.h"

#include <algorithm>
#include <limits>

namespace zol {

namespace {

void Report_No_Memory(const char* caption)
{
    Show_Message(nullptr, QString::fromLatin1(caption), No_Memory_Text(), MB_OK, MB_ICON_STOP);
}

bool Clip(const edit_form& doc, const CellRect& rect, CellRect& inside)
{
    inside = {std::max(rect.x1, 0), std::max(rect.y1, 0), std::min(rect.x2, doc.width() - 1),
              std::min(rect.y2, doc.height() - 1)};
    return doc.has_grid() && inside.x1 <= inside.x2 && inside.y1 <= inside.y2;
}

// The table entries on cells of rect, as (key, index) with key i * height + j of the cell in
// rect, ordered by key and, on one cell, by table order: the first of a key is the entry a
// search of the table by cell would find. Tables hold at most 255 entries, so this stays small.
std::vector<std::pair<int, int>> Entries_In(const std::vector<uint8_t>& xs, const std::vector<uint8_t>& ys,
                                            const CellRect& rect)
{
    const int h = rect.y2 - rect.y1 + 1;
    std::vector<std::pair<int, int>> found;
    for (std::size_t k = 0; k < xs.size(); ++k) {
        const int x = xs[k], y = ys[k];
        if (x < rect.x1 || x > rect.x2 || y < rect.y1 || y > rect.y2) continue;
        found.emplace_back((x - rect.x1) * h + (y - rect.y1), int(k));
    }
    std::sort(found.begin(), found.end());
    return found;
}

// Only the first entry of each key.
std::vector<std::pair<int, int>> First_Per_Key(std::vector<std::pair<int, int>> entries)
{
    entries.erase(std::unique(entries.begin(), entries.end(),
                              [](const auto& a, const auto& b) { return a.first == b.first; }),
                  entries.end());
    return entries;
}

// The columns of a table with the marked entries left out; false when memory ran out (the
// message names the routine whose step failed).
template <std::size_t N>
bool Without(const std::array<const std::vector<uint8_t>*, N>& from, const std::vector<bool>& drop,
             std::array<std::vector<uint8_t>, N>& to, const char* routine)
{
    const std::size_t kept = std::size_t(std::count(drop.begin(), drop.end(), false));
    for (std::size_t c = 0; c < N; ++c) {
        if (kept == 0) break;
        if (!Allocate(to[c], kept)) {
            Show_Message(nullptr, QStringLiteral("ERROR:%1(%2)").arg(QLatin1String(routine)).arg(c + 1),
                         No_Memory_Text(), MB_OK, MB_ICON_STOP);
            return false;
        }
        std::size_t n = 0;
        for (std::size_t k = 0; k < drop.size(); ++k)
            if (!drop[k]) to[c][n++] = (*from[c])[k];
    }
    return true;
}

} // namespace

bool Copy_Area(edit_form& doc, const CellRect& rect, CopyMode mode, int background, ClipArea& area,
               CellRect* copied)
{
    ClipArea made;
    made.cells.swap(area.cells); // its memory serves the new area
    area.clear();
    CellRect r;
    if (!Clip(doc, rect, r)) return false;
    const int w = r.x2 - r.x1 + 1, h = r.y2 - r.y1 + 1;
    made.width = w;
    made.height = h;
    if (!Allocate(made.cells, std::size_t(w) * std::size_t(h))) {
        Report_No_Memory("ERROR:Area.area = ");
        return false;
    }
    // With no background every number is kept: no cell can equal 64.
    const int left_out = mode == CopyMode::CopyWithoutBackground ? background : 64;
    for (int i = 0; i < w; ++i) {
        const uint8_t* column = doc.grid.column(r.x1 + i) + r.y1;
        uint16_t* to = made.cells.data() + std::size_t(i) * std::size_t(h);
        for (int j = 0; j < h; ++j)
            to[j] = Cell_Number(column[j]) == left_out ? kTransparentCell : uint16_t(column[j]);
    }

    // The links and events of the copied cells, in the order of the cells; a cell left out
    // keeps its own.
    const auto link_at = First_Per_Key(Entries_In(doc.links.x, doc.links.y, r));
    const auto event_at = First_Per_Key(Entries_In(doc.events.x, doc.events.y, r));
    std::vector<std::pair<int, int>> links, events;
    for (const auto& entry : link_at)
        if (made.cells[std::size_t(entry.first)] != kTransparentCell) links.push_back(entry);
    for (const auto& entry : event_at)
        if (made.cells[std::size_t(entry.first)] != kTransparentCell) events.push_back(entry);
    for (auto& column : made.links) {
        if (!Allocate(column, links.size())) {
            Report_No_Memory("ERROR:_link->next = ");
            return false;
        }
    }
    for (auto& column : made.events) {
        if (!Allocate(column, events.size())) {
            Report_No_Memory("ERROR:_event->next = ");
            return false;
        }
    }
    for (std::size_t n = 0; n < links.size(); ++n) {
        const int key = links[n].first;
        const std::size_t k = std::size_t(links[n].second);
        made.links[0][n] = uint8_t(key / h);
        made.links[1][n] = uint8_t(key % h);
        made.links[2][n] = doc.links.target_x[k];
        made.links[3][n] = doc.links.target_y[k];
        made.links[4][n] = doc.links.target_map[k];
    }
    for (std::size_t n = 0; n < events.size(); ++n) {
        const int key = events[n].first;
        const std::size_t k = std::size_t(events[n].second);
        made.events[0][n] = uint8_t(key / h);
        made.events[1][n] = uint8_t(key % h);
        made.events[2][n] = doc.events.number[k];
    }

    if (mode == CopyMode::Cut) {
        // Everything is copied before anything is cleared, and the shortened tables are made
        // before either is installed, so a shortage loses nothing.
        std::vector<bool> drop_link(doc.links.x.size()), drop_event(doc.events.x.size());
        for (const auto& entry : link_at) drop_link[std::size_t(entry.second)] = true;
        for (const auto& entry : event_at) drop_event[std::size_t(entry.second)] = true;
        std::array<std::vector<uint8_t>, 5> new_links;
        std::array<std::vector<uint8_t>, 3> new_events;
        const std::array<const std::vector<uint8_t>*, 5> link_columns = {
            &doc.links.target_map, &doc.links.target_x, &doc.links.target_y, &doc.links.x, &doc.links.y};
        const std::array<const std::vector<uint8_t>*, 3> event_columns = {&doc.events.number, &doc.events.x,
                                                                           &doc.events.y};
        if (!Without<5>(link_columns, drop_link, new_links, "Delete_Link") ||
            !Without<3>(event_columns, drop_event, new_events, "Delete_Event"))
            return false;
        for (int i = 0; i < w; ++i) std::fill_n(doc.grid.column(r.x1 + i) + r.y1, h, uint8_t(0));
        doc.links.target_map.swap(new_links[0]);
        doc.links.target_x.swap(new_links[1]);
        doc.links.target_y.swap(new_links[2]);
        doc.links.x.swap(new_links[3]);
        doc.links.y.swap(new_links[4]);
        doc.events.number.swap(new_events[0]);
        doc.events.x.swap(new_events[1]);
        doc.events.y.swap(new_events[2]);
    }
    area = std::move(made);
    if (copied) *copied = r;
    return true;
}

namespace {

// A table being pasted into. The paste visits the destination's cells in key order, so the
// entries on its cells are kept sorted by key and met with a cursor, never searched for. What
// it ends with is what one Delete and Set call per cell would leave, in the same order.
template <std::size_t N>
class PasteTable {
public:
    // columns: the table's N columns, the cell's x and y last but one and last.
    PasteTable(std::array<std::vector<uint8_t>*, N> columns, const CellRect& dest)
        : columns_(columns), on_cells_(Entries_In(*columns[N - 2], *columns[N - 1], dest))
    {
        const std::size_t count = columns_[0]->size();
        entries_.resize(count);
        for (std::size_t c = 0; c < N; ++c)
            for (std::size_t k = 0; k < count; ++k) entries_[k][c] = (*columns_[c])[k];
        live_.assign(count, true);
        alive_ = int(count);
    }

    // The key of the next cell at or after key that holds entries, or INT_MAX.
    int Next_Key(int key)
    {
        while (cursor_ < on_cells_.size() && on_cells_[cursor_].first < key) ++cursor_;
        return cursor_ < on_cells_.size() ? on_cells_[cursor_].first : std::numeric_limits<int>::max();
    }

    // Moves to the cell with key (keys only grow); its entries are then the run at the cursor.
    void Visit(int key)
    {
        while (cursor_ < on_cells_.size() && on_cells_[cursor_].first < key) ++cursor_;
        key_ = key;
        added_ = -1;
    }

    // Removes the cell's first live entry.
    void Remove()
    {
        if (const int k = First_Live(); k >= 0) {
            live_[std::size_t(k)] = false;
            --alive_;
        }
    }

    // Sets the values of the cell's first live entry, or appends one at (x, y); false when the
    // table is full (255 entries).
    bool Set(int x, int y, const std::array<uint8_t, N - 2>& values)
    {
        int k = First_Live();
        if (k < 0) {
            if (alive_ >= 255) return false;
            std::array<uint8_t, N> entry{};
            entry[N - 2] = uint8_t(x);
            entry[N - 1] = uint8_t(y);
            entries_.push_back(entry);
            live_.push_back(true);
            k = added_ = int(entries_.size()) - 1;
            ++alive_;
        }
        std::copy(values.begin(), values.end(), entries_[std::size_t(k)].begin());
        return true;
    }

    void Install()
    {
        for (std::size_t c = 0; c < N; ++c) {
            std::vector<uint8_t>& column = *columns_[c];
            column.clear();
            for (std::size_t k = 0; k < entries_.size(); ++k)
                if (live_[k]) column.push_back(entries_[k][c]);
        }
    }

private:
    int First_Live() const
    {
        for (std::size_t i = cursor_; i < on_cells_.size() && on_cells_[i].first == key_; ++i)
            if (live_[std::size_t(on_cells_[i].second)]) return on_cells_[i].second;
        return added_ >= 0 && live_[std::size_t(added_)] ? added_ : -1;
    }

    std::array<std::vector<uint8_t>*, N> columns_;
    std::vector<std::pair<int, int>> on_cells_;
    std::vector<std::array<uint8_t, N>> entries_;
    std::vector<bool> live_;
    std::size_t cursor_ = 0;
    int key_ = -1;
    int added_ = -1; // an entry appended on the current cell
    int alive_ = 0;
};

// The first position from `from` whose key is at least key.
std::size_t Advance(const std::vector<std::pair<int, int>>& keyed, std::size_t from, int key)
{
    while (from < keyed.size() && keyed[from].first < key) ++from;
    return from;
}

} // namespace

PasteResult Paste_Area(edit_form& doc, int x, int y, const ClipArea& area)
{
    PasteResult result;
    if (!area.has_area() || !doc.has_grid()) return result;
    CellRect dest;
    if (!Clip(doc, {x, y, x + area.width - 1, y + area.height - 1}, dest)) return result;
    result.written = dest;
    result.written_any = true;

    // The area's links and events, first per cell, in key order, met with cursors.
    auto by_key = [&area](const std::vector<uint8_t>& dx, const std::vector<uint8_t>& dy) {
        std::vector<std::pair<int, int>> keyed;
        for (std::size_t n = 0; n < dx.size(); ++n)
            keyed.emplace_back(dx[n] * area.height + dy[n], int(n));
        std::sort(keyed.begin(), keyed.end());
        return First_Per_Key(std::move(keyed));
    };
    const auto area_links = by_key(area.links[0], area.links[1]);
    const auto area_events = by_key(area.events[0], area.events[1]);
    std::size_t next_link = 0, next_event = 0;

    // Link columns in the order target map, target x, target y, x, y.
    PasteTable<5> links({&doc.links.target_map, &doc.links.target_x, &doc.links.target_y, &doc.links.x,
                         &doc.links.y},
                        dest);
    PasteTable<3> events({&doc.events.number, &doc.events.x, &doc.events.y}, dest);
    const int dest_h = dest.y2 - dest.y1 + 1;
    // The row in column i (of the area) of the keyed entry at or after row j, or a row past all.
    auto next_row = [](int key, int height, int column, int offset) {
        return key / height == column ? key % height + offset : std::numeric_limits<int>::max();
    };
    for (int cx = dest.x1; cx <= dest.x2 && result.complete; ++cx) {
        const int i = cx - x;
        const int dest_column = cx - dest.x1;
        uint8_t* column = doc.grid.column(cx);
        const uint16_t* entries = area.cells.data() + std::size_t(i) * std::size_t(area.height);
        int cy = dest.y1;
        while (cy <= dest.y2) {
            // Up to the next cell that has a link or an event on either side, only bytes move.
            const int key = i * area.height + (cy - y);
            const int dest_key = dest_column * dest_h + (cy - dest.y1);
            next_link = Advance(area_links, next_link, key);
            next_event = Advance(area_events, next_event, key);
            int stop = dest.y2 + 1;
            if (next_link < area_links.size()) stop = std::min(stop, next_row(area_links[next_link].first, area.height, i, y));
            if (next_event < area_events.size()) stop = std::min(stop, next_row(area_events[next_event].first, area.height, i, y));
            for (const int next_key : {links.Next_Key(dest_key), events.Next_Key(dest_key)})
                if (next_key != std::numeric_limits<int>::max())
                    stop = std::min(stop, next_row(next_key, dest_h, dest_column, dest.y1));
            for (; cy < stop; ++cy)
                if (entries[cy - y] != kTransparentCell) column[cy] = uint8_t(entries[cy - y]);
            if (cy > dest.y2) break;

            const int j = cy - y;
            const int here = i * area.height + j;
            const uint16_t entry = entries[j];
            const bool has_link = next_link < area_links.size() && area_links[next_link].first == here;
            const bool has_event = next_event < area_events.size() && area_events[next_event].first == here;
            const int dest_here = dest_column * dest_h + (cy - dest.y1);
            links.Visit(dest_here);
            events.Visit(dest_here);
            if (entry != kTransparentCell) {
                column[cy] = uint8_t(entry);
                links.Remove();
                events.Remove();
            }
            if (has_link) {
                const std::size_t k = std::size_t(area_links[next_link].second);
                if (!links.Set(cx, cy, {area.links[4][k], area.links[2][k], area.links[3][k]})) {
                    Show_Message(nullptr, Text::tr("もうかんにんしてぇ"),
                                 Text::tr("これ以上リンクの設定ができません。\n設定可能なリンクの数は256までです。"),
                                 MB_OK, MB_ICON_STOP);
                    result.complete = false;
                    break;
                }
            }
            if (has_event) {
                if (!events.Set(cx, cy, {area.events[2][std::size_t(area_events[next_event].second)]})) {
                    Show_Message(nullptr, Text::tr("やりすぎ！"),
                                 Text::tr("これ以上イベントは作られません。\n作成可能なイベントの数は256までです。"),
                                 MB_OK, MB_ICON_STOP);
                    result.complete = false;
                    break;
                }
            }
            ++cy;
        }
    }
    links.Install();
    events.Install();
    return result;
}

} // namespace zol
