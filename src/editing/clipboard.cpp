#include "editing/clipboard.h"

#include "documents/allocation.h"
#include "shell/show_message.h"

#include <algorithm>

namespace zol {

namespace {

void Report_No_Memory(const char* caption)
{
    Show_Message(nullptr, QString::fromLatin1(caption), kNoMemoryText, MB_OK, MB_ICON_STOP);
}

bool Clip(const edit_form& doc, const CellRect& rect, CellRect& inside)
{
    inside = {std::max(rect.x1, 0), std::max(rect.y1, 0), std::min(rect.x2, doc.width() - 1),
              std::min(rect.y2, doc.height() - 1)};
    return doc.has_grid() && inside.x1 <= inside.x2 && inside.y1 <= inside.y2;
}

// For each cell of rect (key i * height + j), the index of the first table entry on it, or -1:
// the entry a search of the table by cell would find. One pass over the table.
std::vector<int> First_Entries(const std::vector<uint8_t>& xs, const std::vector<uint8_t>& ys,
                               const CellRect& rect)
{
    const int h = rect.y2 - rect.y1 + 1;
    std::vector<int> first(std::size_t(rect.x2 - rect.x1 + 1) * std::size_t(h), -1);
    for (std::size_t k = 0; k < xs.size(); ++k) {
        const int x = xs[k], y = ys[k];
        if (x < rect.x1 || x > rect.x2 || y < rect.y1 || y > rect.y2) continue;
        int& slot = first[std::size_t(x - rect.x1) * std::size_t(h) + std::size_t(y - rect.y1)];
        if (slot < 0) slot = int(k);
    }
    return first;
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
                         kNoMemoryText, MB_OK, MB_ICON_STOP);
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
    area.clear();
    CellRect r;
    if (!Clip(doc, rect, r)) return false;
    const int w = r.x2 - r.x1 + 1, h = r.y2 - r.y1 + 1;
    ClipArea made;
    made.width = w;
    made.height = h;
    if (!Allocate(made.cells, std::size_t(w) * std::size_t(h))) {
        Report_No_Memory("ERROR:Area.area = ");
        return false;
    }
    for (int i = 0; i < w; ++i) {
        const uint8_t* column = doc.grid.column(r.x1 + i) + r.y1;
        uint16_t* to = made.cells.data() + std::size_t(i) * std::size_t(h);
        for (int j = 0; j < h; ++j) {
            const bool left_out = mode == CopyMode::CopyWithoutBackground && Cell_Number(column[j]) == background;
            to[j] = left_out ? kTransparentCell : column[j];
        }
    }

    // The links and events of the copied cells, in the order of the cells.
    const std::vector<int> link_at = First_Entries(doc.links.x, doc.links.y, r);
    const std::vector<int> event_at = First_Entries(doc.events.x, doc.events.y, r);
    std::vector<int> links, events; // table indexes, in cell order
    for (std::size_t key = 0; key < made.cells.size(); ++key) {
        if (made.cells[key] == kTransparentCell) continue;
        if (link_at[key] >= 0) links.push_back(int(key));
        if (event_at[key] >= 0) events.push_back(int(key));
    }
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
        const int key = links[n];
        const std::size_t k = std::size_t(link_at[std::size_t(key)]);
        made.links[0][n] = uint8_t(key / h);
        made.links[1][n] = uint8_t(key % h);
        made.links[2][n] = doc.links.target_x[k];
        made.links[3][n] = doc.links.target_y[k];
        made.links[4][n] = doc.links.target_map[k];
    }
    for (std::size_t n = 0; n < events.size(); ++n) {
        const int key = events[n];
        const std::size_t k = std::size_t(event_at[std::size_t(key)]);
        made.events[0][n] = uint8_t(key / h);
        made.events[1][n] = uint8_t(key % h);
        made.events[2][n] = doc.events.number[k];
    }

    if (mode == CopyMode::Cut) {
        // Everything is copied before anything is cleared, and the shortened tables are made
        // before either is installed, so a shortage loses nothing.
        std::vector<bool> drop_link(doc.links.x.size()), drop_event(doc.events.x.size());
        for (int k : link_at)
            if (k >= 0) drop_link[std::size_t(k)] = true;
        for (int k : event_at)
            if (k >= 0) drop_event[std::size_t(k)] = true;
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

// A table being pasted into, kept as entries with a chain of the live ones per destination
// cell, so that removing or setting the entry of a cell never searches the table. What it ends
// with is what one Delete and Set call per cell would leave, in the same order.
template <std::size_t N>
class PasteTable {
public:
    // columns: the table's N columns, the cell's x and y last but one and last.
    PasteTable(std::array<std::vector<uint8_t>*, N> columns, const CellRect& dest)
        : columns_(columns), dest_(dest), h_(dest.y2 - dest.y1 + 1)
    {
        const std::size_t count = columns_[0]->size();
        entries_.resize(count);
        live_.assign(count, true);
        for (std::size_t c = 0; c < N; ++c)
            for (std::size_t k = 0; k < count; ++k) entries_[k][c] = (*columns_[c])[k];
        head_.assign(std::size_t(dest.x2 - dest.x1 + 1) * std::size_t(h_), -1);
        next_.assign(count, -1);
        std::vector<int> tail(head_.size(), -1);
        for (std::size_t k = 0; k < count; ++k) {
            const int key = Key(entries_[k][N - 2], entries_[k][N - 1]);
            if (key < 0) continue;
            if (tail[std::size_t(key)] < 0) head_[std::size_t(key)] = int(k);
            else next_[std::size_t(tail[std::size_t(key)])] = int(k);
            tail[std::size_t(key)] = int(k);
        }
        alive_ = int(count);
    }

    // Removes the first live entry on the cell.
    void Remove(int x, int y)
    {
        const int key = Key(x, y);
        const int k = head_[std::size_t(key)];
        if (k < 0) return;
        live_[std::size_t(k)] = false;
        head_[std::size_t(key)] = next_[std::size_t(k)];
        --alive_;
    }

    // Sets the values of the cell's first live entry, or appends one; false when the table is
    // full (255 entries).
    bool Set(int x, int y, const std::array<uint8_t, N - 2>& values)
    {
        const int key = Key(x, y);
        int k = head_[std::size_t(key)];
        if (k < 0) {
            if (alive_ >= 255) return false;
            std::array<uint8_t, N> entry{};
            entry[N - 2] = uint8_t(x);
            entry[N - 1] = uint8_t(y);
            entries_.push_back(entry);
            live_.push_back(true);
            next_.push_back(-1);
            k = int(entries_.size()) - 1;
            head_[std::size_t(key)] = k;
            ++alive_;
        }
        std::copy(values.begin(), values.end(), entries_[std::size_t(k)].begin());
        return true;
    }

    void Install()
    {
        for (auto* column : columns_) column->clear();
        for (std::size_t k = 0; k < entries_.size(); ++k)
            if (live_[k])
                for (std::size_t c = 0; c < N; ++c) columns_[c]->push_back(entries_[k][c]);
    }

private:
    int Key(int x, int y) const
    {
        if (x < dest_.x1 || x > dest_.x2 || y < dest_.y1 || y > dest_.y2) return -1;
        return (x - dest_.x1) * h_ + (y - dest_.y1);
    }

    std::array<std::vector<uint8_t>*, N> columns_;
    CellRect dest_;
    int h_;
    std::vector<std::array<uint8_t, N>> entries_;
    std::vector<bool> live_;
    std::vector<int> head_, next_;
    int alive_ = 0;
};

} // namespace

PasteResult Paste_Area(edit_form& doc, int x, int y, const ClipArea& area)
{
    PasteResult result;
    if (!area.has_area() || !doc.has_grid()) return result;
    CellRect dest;
    if (!Clip(doc, {x, y, x + area.width - 1, y + area.height - 1}, dest)) return result;
    result.written = dest;
    result.written_any = true;

    // The area's link and event for each of its cells (the first, as a search would find).
    std::vector<int> area_link(area.cells.size(), -1), area_event(area.cells.size(), -1);
    for (std::size_t n = area.links[0].size(); n-- > 0;)
        area_link[std::size_t(area.links[0][n]) * std::size_t(area.height) + area.links[1][n]] = int(n);
    for (std::size_t n = area.events[0].size(); n-- > 0;)
        area_event[std::size_t(area.events[0][n]) * std::size_t(area.height) + area.events[1][n]] = int(n);

    // Link columns in the order target map, target x, target y, x, y.
    PasteTable<5> links({&doc.links.target_map, &doc.links.target_x, &doc.links.target_y, &doc.links.x,
                         &doc.links.y},
                        dest);
    PasteTable<3> events({&doc.events.number, &doc.events.x, &doc.events.y}, dest);
    for (int cx = dest.x1; cx <= dest.x2 && result.complete; ++cx) {
        const int i = cx - x;
        uint8_t* column = doc.grid.column(cx);
        for (int cy = dest.y1; cy <= dest.y2; ++cy) {
            const int j = cy - y;
            const std::size_t key = std::size_t(i) * std::size_t(area.height) + std::size_t(j);
            const uint16_t entry = area.cells[key];
            if (entry != kTransparentCell) {
                column[cy] = uint8_t(entry);
                links.Remove(cx, cy);
                events.Remove(cx, cy);
            }
            if (const int n = area_link[key]; n >= 0) {
                const std::size_t k = std::size_t(n);
                if (!links.Set(cx, cy, {area.links[4][k], area.links[2][k], area.links[3][k]})) {
                    Show_Message(nullptr, QStringLiteral("もうかんにんしてぇ"),
                                 QStringLiteral("これ以上リンクの設定ができません。\n設定可能なリンクの数は256までです。"),
                                 MB_OK, MB_ICON_STOP);
                    result.complete = false;
                    break;
                }
            }
            if (const int n = area_event[key]; n >= 0) {
                if (!events.Set(cx, cy, {area.events[2][std::size_t(n)]})) {
                    Show_Message(nullptr, QStringLiteral("やりすぎ！"),
                                 QStringLiteral("これ以上イベントは作られません。\n作成可能なイベントの数は256までです。"),
                                 MB_OK, MB_ICON_STOP);
                    result.complete = false;
                    break;
                }
            }
        }
    }
    links.Install();
    events.Install();
    return result;
}

} // namespace zol
