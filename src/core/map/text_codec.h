#pragma once
// Shift-JIS (code page 932) conversion for palette names in map files made on the original
// platform. Uses the C library's iconv.

#include <QByteArray>
#include <QString>

#include <optional>

namespace zol {

// The bytes decoded as code page 932; nullopt when they are not valid there.
std::optional<QString> Decode_Shift_JIS(const QByteArray& bytes);
// The text encoded as code page 932; nullopt when a character has no code there.
std::optional<QByteArray> Encode_Shift_JIS(const QString& text);
// The bytes decoded as UTF-8; nullopt when they are not valid UTF-8.
std::optional<QString> Decode_UTF8(const QByteArray& bytes);

} // namespace zol
