#include "core/map/edit_form.h"
#include "core/messages/texts.h"

#include "core/map/allocation.h"
#include "core/messages/show_message.h"

namespace zol {

int DocumentTable::First_Free_Slot() const
{
    for (int s = 0; s < kMaxDocuments; ++s)
        if (!maps[std::size_t(s)].has_grid()) return s;
    return kMaxDocuments;
}

int DocumentTable::First_Slot_Without_Window() const
{
    for (int s = 0; s < kMaxDocuments; ++s)
        if (maps[std::size_t(s)].window.isNull()) return s;
    return kMaxDocuments;
}

int DocumentTable::Slot_Of_Window(const QObject* w) const
{
    if (!w) return -1;
    for (int s = 0; s < kMaxDocuments; ++s)
        if (maps[std::size_t(s)].window.data() == w) return s;
    return -1;
}

void Reset_Map(edit_form& doc)
{
    doc.undo.clear();
    doc.grid.clear();
    doc.links.clear();
    doc.events.clear();
    std::vector<uint8_t>().swap(doc.flags);
    doc.palette_name.clear();
    doc.saved = 1;
}

QString New_Map_Name(int slot)
{
    return QStringLiteral("新規マップデータ(%1).zol").arg(slot + 1);
}

namespace {
void Report_No_Memory(const char* tag)
{
    Show_Message(nullptr, QString::fromLatin1(tag), No_Memory_Text(), MB_OK, MB_ICON_STOP);
}
} // namespace

bool Create_New_Map(DocumentTable& table, int slot)
{
    edit_form& doc = table[slot];
    doc.file_path = New_Map_Name(slot);
    doc.max_x = 200;
    doc.max_y = 200;
    doc.links.clear();
    doc.events.clear();

    Grid grid;
    if (!grid.Allocate(doc.width(), doc.height(), 0)) {
        Report_No_Memory("ERROR(10)");
        return false;
    }
    std::vector<uint8_t> flags;
    if (!Allocate(flags, kCellCount, uint8_t(0))) {
        Report_No_Memory("ERROR(11.1)");
        return false;
    }
    // The first slot with a flag table lends its flags; below this slot every slot is in use,
    // so that is slot 0's table whenever there is one.
    for (int s = 0; s < kMaxDocuments; ++s) {
        if (s != slot && table[s].flags.size() == kCellCount) {
            if (s < slot) flags = table[s].flags;
            break;
        }
    }
    doc.grid = std::move(grid);
    doc.flags = std::move(flags);
    doc.saved = 1;
    return true;
}

void Swap_Cell_Numbers(edit_form& doc, int a, int b)
{
    if (a == b || !doc.has_grid()) return;
    if (doc.flags.size() == kCellCount) std::swap(doc.flags[std::size_t(a)], doc.flags[std::size_t(b)]);
    uint8_t* cells = doc.grid.data();
    for (std::size_t i = 0; i < doc.grid.size(); ++i) {
        uint8_t& cell = cells[i];
        const int n = Cell_Number(cell);
        if (n == b) cell = uint8_t((cell & 0xc0) | a);
        else if (n == a) cell = uint8_t((cell & 0xc0) | b);
    }
}

void Swap_Cells_In_Maps(DocumentTable& table, int a, int b)
{
    if (a == b) return;
    for (edit_form& doc : table.maps) {
        if (!doc.is_open()) continue;
        Swap_Cell_Numbers(doc, a, b);
        doc.saved = 0;
    }
}

} // namespace zol
