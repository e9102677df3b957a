#pragma once
// One open map: its grid of cell bytes, links, events and cell-number flag table, plus the
// view state that its window keeps here. All open maps live in the five-slot DocumentTable.

#include "core/map/grid.h"
#include "core/map/undo_ring.h"

#include <QByteArray>
#include <QPointer>
#include <QString>

#include <array>
#include <cstdint>
#include <vector>

namespace zol {

constexpr int kMaxDocuments = 5;
constexpr int kCellCount = 64;
constexpr int kMaxMapSide = 256;
constexpr int kMaxLinks = 255;
constexpr int kMaxEvents = 255;

// Cell byte: bits 0-5 the cell number, bits 6-7 the flag.
constexpr uint8_t Cell_Number(uint8_t cell) { return cell & 0x3f; }
constexpr uint8_t Cell_Flag(uint8_t cell) { return cell >> 6; }
constexpr uint8_t Make_Cell(int number, int flag) { return uint8_t((number & 0x3f) + 64 * flag); }

// Parallel columns, one entry per link; all empty when there are none.
struct LinkTable {
    std::vector<uint8_t> target_map, target_x, target_y, x, y;
    int count() const { return int(x.size()); }
    void clear() { *this = LinkTable{}; }
    bool operator==(const LinkTable&) const = default;
};

struct EventTable {
    std::vector<uint8_t> number, x, y;
    int count() const { return int(y.size()); }
    void clear() { *this = EventTable{}; }
    bool operator==(const EventTable&) const = default;
};


struct edit_form {
    QString file_path;           // full path, or a bare name for a new map
    QPointer<QObject> window;    // the map window showing this slot; null when none
    int last_mouse_x = 0;        // last pointer position over the map picture, in pixels
    int last_mouse_y = 0;

    Grid grid;                   // empty while the slot is free
    uint8_t max_x = 0;
    uint8_t max_y = 0;
    LinkTable links;
    EventTable events;
    QByteArray palette_name;     // raw bytes read from the map file; only while opening
    std::vector<uint8_t> flags;  // cell-number flag table, 64 entries, or empty
    UndoRing undo;               // the newest five states, for undo
    uint8_t saved = 1;           // 1: unchanged since created, opened or saved

    // View state kept by the map window.
    int window_width = 0;        // recorded by the layout, used by the resize steps
    int window_height = 0;
    bool layout_done = false;
    int scroll_x = 0;            // first visible column
    int scroll_y = 0;            // first visible row

    bool has_grid() const { return !grid.empty(); }
    bool is_open() const { return has_grid() && !window.isNull(); }
    int width() const { return max_x + 1; }
    int height() const { return max_y + 1; }
    uint8_t cell(int x, int y) const { return grid(x, y); }
    uint8_t& cell(int x, int y) { return grid(x, y); }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width() && y < height(); }
    // The value the pen and the fills write for cell number n: n plus 64 times its entry in the
    // flag table (an entry a short flag file left at 4 wraps to flag 0).
    uint8_t drawing_value(int n) const
    {
        return flags.size() == kCellCount ? uint8_t(n + 64 * flags[std::size_t(n)]) : uint8_t(n);
    }
};

// The five document maps; every scan runs 0..4 and takes the first match.
struct DocumentTable {
    std::array<edit_form, kMaxDocuments> maps;

    edit_form& operator[](int slot) { return maps[std::size_t(slot)]; }
    const edit_form& operator[](int slot) const { return maps[std::size_t(slot)]; }
    // First slot without a grid, or kMaxDocuments when all are in use.
    int First_Free_Slot() const;
    // First slot without a window, or kMaxDocuments.
    int First_Slot_Without_Window() const;
    // Slot whose window is w, or -1.
    int Slot_Of_Window(const QObject* w) const;
};

// Releases the slot's storage: grid, tables and flag table absent, counts 0, saved flag 1.
// Harmless on a free slot.
void Reset_Map(edit_form& doc);

// The name a new map in slot s gets: "新規マップデータ(s+1).zol".
QString New_Map_Name(int slot);

// The model half of making a new map in slot s: a 201 x 201 grid of byte 0, no links or events,
// the flag table copied from the first slot that has one. Reports a memory shortage with
// "ERROR(10)" (the grid) or "ERROR(11.1)" (the flag table) and then leaves the slot free.
bool Create_New_Map(DocumentTable& table, int slot);

// Exchanges cell numbers a and b in one map (flag bits kept) and their flag table entries.
void Swap_Cell_Numbers(edit_form& doc, int a, int b);

// Swap_Cell_Numbers on every slot that has a window; each changed map is marked modified, since
// its file no longer matches what the renumbered palette shows.
void Swap_Cells_In_Maps(DocumentTable& table, int a, int b);

} // namespace zol
