#pragma once
// The flag file (.flg) beside a map file: 64 bytes, byte n the flag that drawing gives cell
// number n. When it is missing the table is rebuilt from the map's cells.

#include "core/map/edit_form.h"

#include <QString>

#include <vector>

namespace zol {

// Marks a table entry not yet known while loading; an entry a short file leaves at this value
// draws as flag 0, since only two bits of it reach the cell byte.
constexpr uint8_t kFlagUnknown = 4;

// The map path with its extension replaced by ".flg".
QString Flag_Path(const QString& map_path);

// Reads up to 64 bytes of the flag file for the map at map_path (exact name first, then one
// matching ignoring case) into table, which must hold 64 entries. False when there is no file.
bool Read_Flag_File(const QString& map_path, std::vector<uint8_t>& table);

// Sets every entry still kFlagUnknown from the first cell in column order with that number;
// numbers that occur nowhere become 0.
void Rebuild_Flags(edit_form& doc);

// Loading while opening: allocate the table ("ERROR(11.1)" on failure, returning false), read the
// flag file, or show the rebuild notice and rebuild. Returns true unless memory ran out.
bool Load_Flags(edit_form& doc, bool* rebuilt = nullptr);

// The flag file's 64 bytes (a missing table as zeros).
QByteArray Encode_Flag_File(const std::vector<uint8_t>& table);
// Writes them atomically.
bool Write_Flag_File(const QString& flag_path, const std::vector<uint8_t>& table);

} // namespace zol
