#pragma once
// The map file (.zol): a headerless byte stream of the map size, the cells column by column,
// the link and event records and the name of the cell palette bitmap.

#include "core/map/edit_form.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

namespace zol {

// Read_Map result codes. 0 is success; 1 is not used.
enum ReadMapResult {
    kReadOk = 0,
    kReadCannotOpen = 2,
    kReadTooShort = 3,
    kReadNoMemoryColumns = 4,   // the grid's block
    kReadNoMemoryColumn = 5,    // no longer occurs: the grid is one block
    kReadEndInGrid = 6,
    kReadEndBeforeLinkCount = 7,
    kReadNoMemoryLinkColumn1 = 8, // 8..12, one per link column
    kReadEndInLink = 13,
    kReadEndBeforeEventCount = 14,
    kReadNoMemoryEventColumn1 = 15, // 15..17, one per event column
    kReadEndInEvent = 18,
    kReadNoMemoryPaletteName = 19,
    kReadPaletteNameTooLong = 20,
};

// A palette name longer than this many bytes marks a malformed file.
constexpr int kMaxPaletteNameBytes = 1024;

// Reads the map file at path into doc: grid, sizes, links, events and the raw palette name.
// On failure the slot holds no grid or tables (the sizes keep what was read, for the message).
int Read_Map(const QString& path, edit_form& doc);

// The file's bytes for doc, naming the palette by the given bytes.
QByteArray Encode_Map(const edit_form& doc, const QByteArray& palette_name);

// A palette name as stored: code page 932 when every character has a code there, else UTF-8.
QByteArray Encode_Palette_Name(const QString& name);
// The stored name as text: UTF-8 when valid, else code page 932, cut at its first NUL byte.
QString Decode_Palette_Name(const QByteArray& raw);
// Names a stored palette name may mean, in the order to try: its UTF-8 reading, then its
// code page 932 reading; each reduced to its last path component, never "." or "..".
QStringList Palette_Name_Candidates(const QByteArray& raw);
// The bitmap a map at map_path names: <map's directory>/<name>.bmp, the first candidate name
// that exists exactly or ignoring case; when none does, the path for the first candidate.
QString Resolve_Palette_Path(const QString& map_path, const QByteArray& raw_name);

// The first steps of opening a map: set the path, reset the slot, read the file. On failure
// shows "ファイルを開くのに失敗しました\nERROR No.%d %d %d" and returns false, the slot free.
bool Read_Map_Document(edit_form& doc, const QString& path);

// Opening a map: Read_Map_Document, then the palette the map names (resolved beside it) is
// handed to settle_palette, which makes it current or refuses it (false stops the open), then
// the flag file (Load_Flags). The palette name is released. False when the slot was left free.
bool Open_Map_Document(edit_form& doc, const QString& path,
                       const std::function<bool(const QString& palette_path)>& settle_palette);

// Which file of a map's pair could not be written.
enum class MapFilesWrite { Done, MapFailed, FlagsFailed };

// Replaces the map file at path and its flag file beside it together: both are written, or
// neither file changes. why, when given, receives the reason of a failure.
MapFilesWrite Write_Map_Files(const QString& path, const QByteArray& map_bytes, const std::vector<uint8_t>& flags,
                              QString* why = nullptr);

// Writes the map file at path and its flag file beside it (Write_Map_Files). A failed map file
// shows "ファイルを開くのに失敗しました" with failure_caption ("ERROR(17)" for save, "ERROR(16)"
// for save-as), a failed flag file "フラグデータの保存に失敗しました"; either way neither file
// changes and neither does doc. Only when both were written does doc's file path become path
// and its saved flag get set.
bool Write_Map_To(edit_form& doc, const QString& path, const QString& palette_name,
                  const QString& failure_caption);
// Write_Map_To the map's own file path.
bool Write_Map(edit_form& doc, const QString& palette_name, const QString& failure_caption);

} // namespace zol
