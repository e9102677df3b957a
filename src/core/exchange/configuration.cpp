#include "core/exchange/configuration.h"

#include "core/map/file_writer.h"

#include <QFile>
#include <QFileInfo>

#include <limits>
#include <optional>

namespace zol {

const QByteArray kFillRateHeading = QByteArray::fromHex("5b936882e882c282d482b597a690dd92e85d"); // [塗りつぶし率設定]
const QByteArray kPaletteColourHeading = QByteArray::fromHex("5b8370838c8362836790465d"); // [パレット色]

namespace {

// A scanf-like reader over the file's bytes.
class Scanner {
public:
    explicit Scanner(const QByteArray& bytes) : bytes_(bytes) {}

    // White space in a pattern: any run of spaces, tabs, CR, LF, VT and FF, or none.
    void Skip_Space()
    {
        while (pos_ < bytes_.size() && Is_Space(bytes_[pos_])) ++pos_;
    }
    bool Literal(const QByteArray& text)
    {
        if (bytes_.mid(pos_, text.size()) != text) return false;
        pos_ += text.size();
        return true;
    }
    bool Literal(char c)
    {
        if (pos_ >= bytes_.size() || bytes_[pos_] != c) return false;
        ++pos_;
        return true;
    }
    // %c: one byte, white space included.
    std::optional<char> Char()
    {
        if (pos_ >= bytes_.size()) return std::nullopt;
        return bytes_[pos_++];
    }
    // %ld: leading white space, an optional sign, then digits; out of 32-bit range fails.
    std::optional<long> Number()
    {
        Skip_Space();
        qsizetype at = pos_;
        bool negative = false;
        if (at < bytes_.size() && (bytes_[at] == '+' || bytes_[at] == '-')) negative = bytes_[at++] == '-';
        const qsizetype digits = at;
        qint64 value = 0;
        while (at < bytes_.size() && bytes_[at] >= '0' && bytes_[at] <= '9') {
            value = value * 10 + (bytes_[at] - '0');
            if (value > qint64(std::numeric_limits<qint32>::max()) + 1) return std::nullopt;
            ++at;
        }
        if (at == digits) return std::nullopt;
        if (negative) value = -value;
        if (value > std::numeric_limits<qint32>::max() || value < std::numeric_limits<qint32>::min())
            return std::nullopt;
        pos_ = at;
        return long(value);
    }

private:
    static bool Is_Space(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

    const QByteArray& bytes_;
    qsizetype pos_ = 0;
};

} // namespace

Settings Parse_Config(const QByteArray& bytes)
{
    Settings settings;
    Scanner in(bytes);
    // "[塗りつぶし率設定] %c\n"
    if (!in.Literal(kFillRateHeading)) return settings;
    in.Skip_Space();
    const std::optional<char> mark = in.Char();
    if (!mark) return settings;
    settings.fill_rate_on = *mark == 'T';
    in.Skip_Space();
    // "[パレット色]\n"
    if (!in.Literal(kPaletteColourHeading)) return settings;
    in.Skip_Space();
    // 64 times "%ld. %ld %ld %ld\n": the index is read and ignored.
    for (std::size_t k = 0; k < 64; ++k) {
        if (!in.Number() || !in.Literal('.')) return settings;
        long rgb[3];
        for (long& component : rgb) {
            const std::optional<long> value = in.Number();
            if (!value) return settings;
            component = *value;
        }
        in.Skip_Space();
        settings.colours[k] = qRgb(int(rgb[0] & 0xff), int(rgb[1] & 0xff), int(rgb[2] & 0xff));
    }
    return settings;
}

QByteArray Encode_Config(const Settings& settings)
{
    QByteArray out;
    out += kFillRateHeading + ' ' + (settings.fill_rate_on ? 'T' : 'F') + '\n';
    out += kPaletteColourHeading + '\n';
    for (int i = 0; i < 64; ++i) {
        const QRgb c = settings.colours[std::size_t(i)];
        out += QByteArray::number(i) + ". " + QByteArray::number(qRed(c)) + ' ' +
               QByteArray::number(qGreen(c)) + ' ' + QByteArray::number(qBlue(c)) + '\n';
    }
    return out;
}

Settings Read_Config(const QString& path)
{
    constexpr qint64 kMostRead = 64 * 1024;
    if (!QFileInfo(path).isFile()) return Settings{};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return Settings{};
    return Parse_Config(file.read(kMostRead));
}

bool Write_Config(const QString& path, const Settings& settings, QString* why)
{
    return Write_File_Atomically(path, Encode_Config(settings), why);
}

} // namespace zol
