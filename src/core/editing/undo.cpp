#include "core/editing/undo.h"

#include "core/map/allocation.h"
#include "core/messages/show_message.h"

#include <algorithm>
#include <cstring>

namespace zol {

namespace {

void Report_No_Memory(const char* caption)
{
    Show_Message(nullptr, QString::fromLatin1(caption), kNoMemoryText, MB_OK, MB_ICON_STOP);
}

// Copies the source columns into the destination's, allocating new ones only when the counts
// differ. captions[c] names the failure of column c (allocated in the order given by order).
// Nothing is installed unless every column was made.
template <std::size_t N>
bool Copy_Columns(std::array<std::vector<uint8_t>*, N> to,
                  const std::array<const std::vector<uint8_t>*, N>& from,
                  const std::array<int, N>& order, const std::array<const char*, N>& captions)
{
    const std::size_t count = from[0]->size();
    if (count != 0 && to[0]->size() == count) {
        for (std::size_t c = 0; c < N; ++c) std::copy(from[c]->begin(), from[c]->end(), to[c]->begin());
        return true;
    }
    std::array<std::vector<uint8_t>, N> made;
    for (std::size_t k = 0; k < N; ++k) {
        const std::size_t c = std::size_t(order[k]);
        if (count == 0) break;
        if (!Allocate_Copy(made[c], from[c]->data(), count)) {
            Report_No_Memory(captions[k]);
            return false;
        }
    }
    for (std::size_t c = 0; c < N; ++c) to[c]->swap(made[c]);
    return true;
}

// The link columns are allocated target map, target y, target x, y, x.
constexpr std::array<int, 5> kLinkOrder = {0, 2, 1, 4, 3};
constexpr std::array<int, 3> kEventOrder = {0, 1, 2};

std::array<std::vector<uint8_t>*, 5> Link_Columns(LinkTable& t)
{
    return {&t.target_map, &t.target_x, &t.target_y, &t.x, &t.y};
}
std::array<const std::vector<uint8_t>*, 5> Link_Columns(const LinkTable& t)
{
    return {&t.target_map, &t.target_x, &t.target_y, &t.x, &t.y};
}
std::array<std::vector<uint8_t>*, 3> Event_Columns(EventTable& t) { return {&t.number, &t.x, &t.y}; }
std::array<const std::vector<uint8_t>*, 3> Event_Columns(const EventTable& t)
{
    return {&t.number, &t.x, &t.y};
}

template <std::size_t N>
std::array<std::vector<uint8_t>*, N> Slot_Columns(std::array<std::vector<uint8_t>, N>& columns)
{
    std::array<std::vector<uint8_t>*, N> out;
    for (std::size_t c = 0; c < N; ++c) out[c] = &columns[c];
    return out;
}
template <std::size_t N>
std::array<const std::vector<uint8_t>*, N> Slot_Columns(const std::array<std::vector<uint8_t>, N>& columns)
{
    std::array<const std::vector<uint8_t>*, N> out;
    for (std::size_t c = 0; c < N; ++c) out[c] = &columns[c];
    return out;
}

UndoSlot& Newest(edit_form& doc) { return doc.undo.steps[std::size_t(doc.undo.index)]; }

} // namespace

bool Save(edit_form& doc)
{
    UndoSlot& slot = Newest(doc);
    slot.recorded = false;
    if (slot.grid.width() != doc.grid.width() || slot.grid.height() != doc.grid.height()) {
        slot.grid.clear();
        slot.max_x = slot.max_y = 0;
        Grid grid;
        if (!grid.Allocate_Uninitialized(doc.width(), doc.height())) {
            Report_No_Memory("ERROR:Save(1)");
            return false;
        }
        slot.grid.swap(grid);
        slot.max_x = doc.max_x;
        slot.max_y = doc.max_y;
    }
    std::memcpy(slot.grid.data(), doc.grid.data(), doc.grid.size());
    slot.recorded = true;
    slot.flags.fill(0);
    std::copy_n(doc.flags.begin(), std::min<std::size_t>(doc.flags.size(), 64), slot.flags.begin());
    return true;
}

bool Save_Link(edit_form& doc)
{
    UndoSlot& slot = Newest(doc);
    return Copy_Columns<5>(Slot_Columns(slot.links), Link_Columns(std::as_const(doc.links)), kLinkOrder,
                           {"ERROR:Save_Link(1)", "ERROR:Save_Link(2)", "ERROR:Save_Link(3)",
                            "ERROR:Save_Link(2)", "ERROR:Save_Link(3)"});
}

bool Save_Event(edit_form& doc)
{
    UndoSlot& slot = Newest(doc);
    return Copy_Columns<3>(Slot_Columns(slot.events), Event_Columns(std::as_const(doc.events)),
                           kEventOrder,
                           {"ERROE:Save_Event(1)", "ERROE:Save_Event(2)", "ERROE:Save_Event(3)"});
}

bool Save_Step(edit_form& doc)
{
    if (!doc.has_grid()) return false;
    doc.undo.index = (doc.undo.index + 1) % UndoRing::kSteps;
    const bool grid = Save(doc);
    const bool links = Save_Link(doc);
    const bool events = Save_Event(doc);
    if (grid && links && events) return true;
    // A step missing a part cannot be restored: the undo stops here instead.
    Newest(doc).recorded = false;
    return false;
}

bool Has_Undo_Step(const edit_form& doc)
{
    return doc.undo.steps[std::size_t(doc.undo.index)].recorded;
}

UndoResult Undo_Map(edit_form& doc)
{
    UndoSlot& slot = Newest(doc);
    if (!slot.recorded) return UndoResult::Nothing;

    // Everything that needs memory first, so a failure changes nothing.
    const bool same_size = slot.grid.width() == doc.grid.width() && slot.grid.height() == doc.grid.height();
    Grid grid;
    if (!same_size && !grid.Allocate_Uninitialized(slot.grid.width(), slot.grid.height())) {
        Report_No_Memory("ERROR:Undo(1)");
        return UndoResult::Failed;
    }
    // Tables of the same length are copied over in place below; others are made here.
    const bool links_in_place = !slot.links[0].empty() && slot.links[0].size() == doc.links.x.size();
    const bool events_in_place = !slot.events[0].empty() && slot.events[0].size() == doc.events.y.size();
    LinkTable links;
    EventTable events;
    if ((!links_in_place &&
         !Copy_Columns<5>(Link_Columns(links), Slot_Columns(std::as_const(slot.links)), kLinkOrder,
                          {"ERROR:Undo_Link(1)", "ERROR:Undo_Link(2)", "ERROR:Undo_Link(3)",
                           "ERROR:Undo_Link(4)", "ERROR:Undo_Link(5)"})) ||
        (!events_in_place &&
         !Copy_Columns<3>(Event_Columns(events), Slot_Columns(std::as_const(slot.events)), kEventOrder,
                          {"ERROR:Undo_Event(1)", "ERROR:Undo_Event(2)", "ERROR:Undo_Event(3)"})))
        return UndoResult::Failed;

    std::memcpy((same_size ? doc.grid : grid).data(), slot.grid.data(), slot.grid.size());
    if (!same_size) doc.grid.swap(grid); // the old grid goes with `grid`
    doc.max_x = slot.max_x;
    doc.max_y = slot.max_y;
    if (links_in_place) Copy_Columns<5>(Link_Columns(doc.links), Slot_Columns(std::as_const(slot.links)), kLinkOrder, {});
    else doc.links = std::move(links);
    if (events_in_place) Copy_Columns<3>(Event_Columns(doc.events), Slot_Columns(std::as_const(slot.events)), kEventOrder, {});
    else doc.events = std::move(events);
    if (doc.flags.size() == kCellCount) std::copy(slot.flags.begin(), slot.flags.end(), doc.flags.begin());

    slot.recorded = false;
    doc.undo.index = (doc.undo.index + UndoRing::kSteps - 1) % UndoRing::kSteps;
    return UndoResult::Restored;
}

void Record_Palette_Cell(CellPalette& palette, int n)
{
    PaletteHistory& history = palette.history;
    history.position = (history.position + 1) % PaletteHistory::kSteps;
    history.numbers[std::size_t(history.position)] = uint8_t(n);
    history.cells[std::size_t(history.position)] = palette.cells[std::size_t(n)].copy();
}

bool Undo_Palette_Cell(CellPalette& palette)
{
    PaletteHistory& history = palette.history;
    const std::size_t at = std::size_t(history.position);
    if (history.numbers[at] >= 64) return false;
    palette.cells[history.numbers[at]] = history.cells[at];
    ++palette.version;
    history.cells[at] = QImage();
    history.numbers[at] = 64;
    history.position = (history.position + PaletteHistory::kSteps - 1) % PaletteHistory::kSteps;
    return true;
}

} // namespace zol
