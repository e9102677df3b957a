#include "core/map/text_codec.h"

#include <QStringDecoder>

#include <iconv.h>

#include <cerrno>
#include <vector>

namespace zol {

namespace {
std::optional<QByteArray> Convert(const char* to, const char* from, const QByteArray& input)
{
    iconv_t cd = iconv_open(to, from);
    if (cd == iconv_t(-1)) return std::nullopt;
    std::vector<char> out(std::size_t(input.size()) * 4 + 16);
    char* in_ptr = const_cast<char*>(input.constData());
    std::size_t in_left = std::size_t(input.size());
    char* out_ptr = out.data();
    std::size_t out_left = out.size();
    std::size_t rc = iconv(cd, &in_ptr, &in_left, &out_ptr, &out_left);
    bool ok = rc != std::size_t(-1) && in_left == 0;
    // Flush any shift state.
    if (ok) ok = iconv(cd, nullptr, nullptr, &out_ptr, &out_left) != std::size_t(-1);
    iconv_close(cd);
    // iconv counts characters it replaced as irreversible; treat those as failure too.
    if (!ok || rc > 0) return std::nullopt;
    return QByteArray(out.data(), qsizetype(out.size() - out_left));
}
} // namespace

std::optional<QString> Decode_Shift_JIS(const QByteArray& bytes)
{
    auto utf8 = Convert("UTF-8", "CP932", bytes);
    if (!utf8) return std::nullopt;
    return QString::fromUtf8(*utf8);
}

std::optional<QByteArray> Encode_Shift_JIS(const QString& text)
{
    return Convert("CP932", "UTF-8", text.toUtf8());
}

std::optional<QString> Decode_UTF8(const QByteArray& bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError()) return std::nullopt;
    return text;
}

} // namespace zol
