#include "core/editing/undo.h"

#include "core/map/allocation.h"
#include "core/messages/show_message.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

namespace zol {

namespace {

// A null caption: a quiet attempt, whose failure the caller handles without a word.
void Report_No_Memory(const char* caption)
{
    if (!caption) return;
    Show_Message(nullptr, QString::fromLatin1(caption), No_Memory_Text(), MB_OK, MB_ICON_STOP);
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

// The grid (with the size and flags), the links and the events of a state, copied from the map
// into slot; a slot's storage of the right size is reused. Each false after a failure, reported
// with the caption(s) given.
bool Keep_Grid(UndoSlot& slot, const edit_form& doc, const char* caption)
{
    slot.recorded = false;
    if (slot.grid.width() != doc.grid.width() || slot.grid.height() != doc.grid.height()) {
        slot.grid.clear();
        slot.max_x = slot.max_y = 0;
        Grid grid;
        if (!grid.Allocate_Uninitialized(doc.width(), doc.height())) {
            Report_No_Memory(caption);
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

bool Keep_Links(UndoSlot& slot, const edit_form& doc, const std::array<const char*, 5>& captions)
{
    return Copy_Columns<5>(Slot_Columns(slot.links), Link_Columns(doc.links), kLinkOrder, captions);
}

bool Keep_Events(UndoSlot& slot, const edit_form& doc, const std::array<const char*, 3>& captions)
{
    return Copy_Columns<3>(Slot_Columns(slot.events), Event_Columns(doc.events), kEventOrder, captions);
}

// The whole state, without a word when memory runs short; the slot counts as recorded only
// when all of it was made.
bool Keep_Quietly(UndoSlot& slot, const edit_form& doc)
{
    slot.recorded = Keep_Grid(slot, doc, nullptr) && Keep_Links(slot, doc, {}) && Keep_Events(slot, doc, {});
    return slot.recorded;
}

struct RestoreCaptions {
    const char* grid;
    std::array<const char*, 5> links;
    std::array<const char*, 3> events;
};

const RestoreCaptions kUndoCaptions = {
    "ERROR:Undo(1)",
    {"ERROR:Undo_Link(1)", "ERROR:Undo_Link(2)", "ERROR:Undo_Link(3)", "ERROR:Undo_Link(4)", "ERROR:Undo_Link(5)"},
    {"ERROR:Undo_Event(1)", "ERROR:Undo_Event(2)", "ERROR:Undo_Event(3)"},
};
const RestoreCaptions kRedoCaptions = {
    "ERROR:Redo(1)",
    {"ERROR:Redo_Link(1)", "ERROR:Redo_Link(2)", "ERROR:Redo_Link(3)", "ERROR:Redo_Link(4)", "ERROR:Redo_Link(5)"},
    {"ERROR:Redo_Event(1)", "ERROR:Redo_Event(2)", "ERROR:Redo_Event(3)"},
};

// What a restore needs memory for, made before any of the map changes: a grid when the sizes
// differ, and the tables whose lengths differ (those of the same length are copied in place).
struct Restoration {
    bool same_size = false;
    bool links_in_place = false;
    bool events_in_place = false;
    Grid grid;
    LinkTable links;
    EventTable events;
};

bool Prepare_Restore(const edit_form& doc, const UndoSlot& slot, const RestoreCaptions& captions, Restoration& made)
{
    made.same_size = slot.grid.width() == doc.grid.width() && slot.grid.height() == doc.grid.height();
    if (!made.same_size && !made.grid.Allocate_Uninitialized(slot.grid.width(), slot.grid.height())) {
        Report_No_Memory(captions.grid);
        return false;
    }
    made.links_in_place = !slot.links[0].empty() && slot.links[0].size() == doc.links.x.size();
    made.events_in_place = !slot.events[0].empty() && slot.events[0].size() == doc.events.y.size();
    if (!made.links_in_place &&
        !Copy_Columns<5>(Link_Columns(made.links), Slot_Columns(slot.links), kLinkOrder, captions.links))
        return false;
    if (!made.events_in_place &&
        !Copy_Columns<3>(Event_Columns(made.events), Slot_Columns(slot.events), kEventOrder, captions.events))
        return false;
    return true;
}

// Puts slot's state into the map with what Prepare_Restore made; nothing here can fail.
void Install(edit_form& doc, const UndoSlot& slot, Restoration& made)
{
    std::memcpy((made.same_size ? doc.grid : made.grid).data(), slot.grid.data(), slot.grid.size());
    if (!made.same_size) doc.grid.swap(made.grid); // the old grid goes with `made`
    doc.max_x = slot.max_x;
    doc.max_y = slot.max_y;
    if (made.links_in_place) Copy_Columns<5>(Link_Columns(doc.links), Slot_Columns(slot.links), kLinkOrder, {});
    else doc.links = std::move(made.links);
    if (made.events_in_place) Copy_Columns<3>(Event_Columns(doc.events), Slot_Columns(slot.events), kEventOrder, {});
    else doc.events = std::move(made.events);
    if (doc.flags.size() == kCellCount) std::copy(slot.flags.begin(), slot.flags.end(), doc.flags.begin());
}

int Ring_Next(int index) { return (index + 1) % UndoRing::kSteps; }
int Ring_Previous(int index) { return (index + UndoRing::kSteps - 1) % UndoRing::kSteps; }

} // namespace

bool Save(edit_form& doc) { return Keep_Grid(Newest(doc), doc, "ERROR:Save(1)"); }

bool Save_Link(edit_form& doc)
{
    return Keep_Links(Newest(doc), doc,
                      {"ERROR:Save_Link(1)", "ERROR:Save_Link(2)", "ERROR:Save_Link(3)",
                       "ERROR:Save_Link(2)", "ERROR:Save_Link(3)"});
}

bool Save_Event(edit_form& doc)
{
    return Keep_Events(Newest(doc), doc, {"ERROE:Save_Event(1)", "ERROE:Save_Event(2)", "ERROE:Save_Event(3)"});
}

bool Save_Step(edit_form& doc)
{
    if (!doc.has_grid()) return false;
    doc.undo.redo = 0; // a new step: what was undone cannot come back
    doc.undo.index = Ring_Next(doc.undo.index);
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

bool Has_Redo_Step(const edit_form& doc) { return doc.undo.redo > 0; }

UndoResult Undo_Map(edit_form& doc)
{
    UndoRing& ring = doc.undo;
    UndoSlot& slot = Newest(doc);
    if (!slot.recorded) return UndoResult::Nothing;

    // Everything that needs memory first, so a failure changes nothing.
    Restoration made;
    if (!Prepare_Restore(doc, slot, kUndoCaptions, made)) return UndoResult::Failed;
    // The first undo after a recording keeps the map as it is, for redo. Should memory for that
    // run short, the undo goes ahead all the same, with nothing to redo.
    const bool first = ring.redo == 0;
    const bool kept = first && Keep_Quietly(ring.latest, doc);
    Install(doc, slot, made);

    slot.recorded = false; // its state stays: the map after the step before, for redo
    ring.index = Ring_Previous(ring.index);
    if (!first || kept) ++ring.redo;
    return UndoResult::Restored;
}

UndoResult Redo_Map(edit_form& doc)
{
    UndoRing& ring = doc.undo;
    if (ring.redo <= 0) return UndoResult::Nothing;
    const int next = Ring_Next(ring.index);
    const UndoSlot& from = ring.redo == 1 ? ring.latest : ring.steps[std::size_t(Ring_Next(next))];

    Restoration made;
    if (!Prepare_Restore(doc, from, kRedoCaptions, made)) return UndoResult::Failed;
    Install(doc, from, made);

    ring.index = next;
    ring.steps[std::size_t(next)].recorded = true; // the state before the step, as it was recorded
    --ring.redo;
    return UndoResult::Restored;
}

void Record_Palette_Cell(CellPalette& palette, int n)
{
    PaletteHistory& history = palette.history;
    // A new step: the undone entries are emptied, as an undo used to leave them.
    for (int k = 1; k <= history.redo; ++k) {
        const std::size_t at = std::size_t((history.position + k) % PaletteHistory::kSteps);
        history.cells[at] = QImage();
        history.numbers[at] = 64;
    }
    history.redo = 0;
    history.position = (history.position + 1) % PaletteHistory::kSteps;
    history.numbers[std::size_t(history.position)] = uint8_t(n);
    history.cells[std::size_t(history.position)] = palette.cells[std::size_t(n)].copy();
}

bool Undo_Palette_Cell(CellPalette& palette)
{
    PaletteHistory& history = palette.history;
    if (history.Newest_Empty()) return false;
    const std::size_t at = std::size_t(history.position);
    // The entry takes the picture it replaces, for redo.
    std::swap(palette.cells[history.numbers[at]], history.cells[at]);
    ++palette.version;
    history.position = (history.position + PaletteHistory::kSteps - 1) % PaletteHistory::kSteps;
    ++history.redo;
    return true;
}

bool Redo_Palette_Cell(CellPalette& palette)
{
    PaletteHistory& history = palette.history;
    if (history.redo <= 0) return false;
    history.position = (history.position + 1) % PaletteHistory::kSteps;
    const std::size_t at = std::size_t(history.position);
    std::swap(palette.cells[history.numbers[at]], history.cells[at]);
    ++palette.version;
    --history.redo;
    return true;
}

} // namespace zol
