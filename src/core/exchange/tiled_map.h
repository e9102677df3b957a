#pragma once
// Maps in the TMX format (XML) and its JSON form (.tmj), the formats the tile-map tools and game
// engines of the field read: export of a map with its flags, links and events, and import of
// what export writes and of maps made elsewhere within the editor's limits.

#include "core/map/edit_form.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace zol {

enum class TiledFormat { Tmx, Json };

// The format a file name asks for by its extension (.tmx; .tmj or .json), or nullopt.
std::optional<TiledFormat> Tiled_Format_For(const QString& path);

// Where export writes the flags' tileset image: beside out_path, "<name>.flags.png".
QString Flags_Tileset_Path(const QString& out_path);

// Writes doc (cells, flag table, links and events) as a Tiled map at out_path, its tileset the
// palette bitmap at palette_path (named by a path relative to out_path), and the flags'
// tileset image beside it. palette_name is the name the map file records, as stored. Returns
// an empty string, or one line saying what could not be written.
QString Export_Tiled_Map(const edit_form& doc, const QByteArray& palette_name, const QString& palette_path,
                         const QString& out_path, TiledFormat format);

// A map read from a Tiled file: grid, sizes, flag table, links and events, and the palette name
// as the map file will store it.
struct TiledImport {
    edit_form doc;
    QByteArray palette_name;
};

// What one import read from disk: the map and each distinct tileset file it names.
struct TiledFilesRead {
    int files = 0;
    qint64 bytes = 0;
};

// Reads the Tiled map at path (the format from its extension, else from its first byte), with
// the external tilesets it names, each only from the map's own folder (its real path, links
// followed) and each read once; the map and its tilesets together are at most 64 MiB. On a
// refusal returns one line naming what is wrong, and import is left as it was. read, when
// given, is told what was read, refused or not.
QString Import_Tiled_Map(const QString& path, TiledImport& import, TiledFilesRead* read = nullptr);

// Writes an imported map as the map file at zol_path and its flag file beside it. Returns an
// empty string or one line saying what could not be written.
QString Write_Imported_Map(const TiledImport& import, const QString& zol_path);

} // namespace zol
