#pragma once
// The settings kept between runs in Zol.cfg: the fill-rate switch and the 64 palette colours
// the whole-map view draws cells with. The file is bytes: its two headings are Shift-JIS.

#include "core/render/palette_colours.h"

#include <QByteArray>
#include <QRgb>
#include <QString>

#include <array>

namespace zol {

struct Settings {
    bool fill_rate_on = true;
    PaletteColours colours = Default_Palette_Colours();
};

// The headings as the file holds them: "[塗りつぶし率設定]" and "[パレット色]" in Shift-JIS.
extern const QByteArray kFillRateHeading;
extern const QByteArray kPaletteColourHeading;

// The settings in a file's bytes. The file is read as its scans would read it: the fill-rate
// line, the colour heading, then 64 lines "index. red green blue"; reading stops at the first
// scan that does not match, and whatever was not fully read keeps its default. Each component
// is taken modulo 256; a number beyond 32-bit signed range does not match.
Settings Parse_Config(const QByteArray& bytes);
// The file's bytes for the settings: 66 lines.
QByteArray Encode_Config(const Settings& settings);

// The settings in the file at path: defaults when it is missing or not a regular file; at most
// its first 64 KiB are read.
Settings Read_Config(const QString& path);
// Replaces the file at path (atomically: a failure leaves the old one). False on failure, with
// the reason in why when given.
bool Write_Config(const QString& path, const Settings& settings, QString* why = nullptr);

} // namespace zol
