#include "config/BitmapPattern.h"

#include <cmath>
#include <iomanip>
#include <locale>
#include <system_error>

#include <QBuffer>
#include <QImageReader>

#include "core/catalogue/Messages.h"
#include "core/configfile/ConfigSchemaSection.h"
#include "platform/Paths.h"

using ORBAX_Platform::Graphics;

namespace {

constexpr double defaultDpi = 96.0;

std::vector<std::wstring> SplitRows(const std::wstring& text)
{
    auto isSeparator = [](wchar_t c) { return c == L' ' || c == L'\t' || c == L'\n'; };
    std::vector<std::wstring> rows;
    std::size_t position = 0;
    while (true) {
        std::size_t end = position;
        while (end < text.size() && !isSeparator(text[end]))
            ++end;
        if (end == position)
            break; // the first empty token ends the rows
        rows.push_back(text.substr(position, end - position));
        position = end;
        while (position < text.size() && isSeparator(text[position]))
            ++position;
    }
    return rows;
}

int DigitValue(wchar_t upper, bool hexadecimal)
{
    if (upper >= L'0' && upper <= L'9')
        return upper - L'0';
    if (hexadecimal && upper >= L'A' && upper <= L'F')
        return upper - L'A' + 10;
    return -1;
}

// The largest width or height of a mono pattern, in pixels.
constexpr int maxMonoSize = BitmapPattern::MaxSide;

// Fills row `row` of `pixels` from the token; false when a character is not a digit of its form.
bool ParseRow(const std::wstring& token, int row, int width, std::vector<std::uint32_t>& pixels)
{
    const auto& facet = std::use_facet<std::ctype<wchar_t>>(std::locale());
    const bool hexadecimal = token.size() > 2 && token[0] == L'0' && facet.toupper(token[1]) == L'X';
    const std::size_t first = hexadecimal ? 2 : 0;
    int j = 1;
    for (std::size_t k = token.size(); k > first; --k) {
        const int d = DigitValue(facet.toupper(token[k - 1]), hexadecimal);
        if (d < 0)
            return false;
        if (j > width)
            continue; // digits beyond the row are checked but place nothing (nor move the counter on)
        for (int bit = 0; bit < 4; ++bit, ++j) {
            if (j > width)
                continue;
            pixels[static_cast<std::size_t>(row) * width + (width - j)] =
                (d >> bit) & 1 ? BitmapPattern::White : BitmapPattern::Black;
        }
    }
    return true;
}

double ResolutionOf(int dotsPerMeter) { return dotsPerMeter > 0 ? dotsPerMeter * 0.0254 : defaultDpi; }

} // namespace

BitmapPattern::BitmapPattern(const std::wstring& patternName) : name(patternName) {}

void BitmapPattern::SetPixels(int pixelWidth, int pixelHeight, const std::vector<std::uint32_t>& values)
{
    kind = Mono;
    if (pixelWidth <= 0 || pixelHeight <= 0) {
        image = QImage();
        return;
    }
    QImage created(pixelWidth, pixelHeight, QImage::Format_ARGB32);
    for (int r = 0; r < pixelHeight; ++r) {
        auto* line = reinterpret_cast<QRgb*>(created.scanLine(r));
        for (int c = 0; c < pixelWidth; ++c) {
            const std::size_t index = static_cast<std::size_t>(r) * pixelWidth + c;
            line[c] = index < values.size() ? values[index] : Black;
        }
    }
    image = created;
}

bool BitmapPattern::ParseMonoData(ConfigMessageList& errors, const std::wstring& text, BitmapPattern& pattern, int line)
{
    const std::vector<std::wstring> rows = SplitRows(text);
    const int rowCount = static_cast<int>(rows.size());
    const int rowWidth = pattern.width;
    auto keepImageSize = [&pattern]() {
        pattern.width = pattern.image.isNull() ? 0 : pattern.image.width();
        pattern.height = pattern.image.isNull() ? 0 : pattern.image.height();
    };

    if (rowCount == 0 || rowWidth <= 0) {
        errors.emplace_back(8, 3, ORBAX_Utilities::format_message1(1308, pattern.name));
        keepImageSize();
        return false;
    }
    // A hatch tile is small; a width or row count beyond any tile comes from a damaged file and
    // would only make an enormous image.
    if (rowWidth > maxMonoSize || rowCount > maxMonoSize) {
        errors.emplace_back(
            41, 3,
            ORBAX_Utilities::format_message2(1041, std::to_wstring(rowWidth > maxMonoSize ? rowWidth : rowCount),
                                             std::to_wstring(line)));
        keepImageSize();
        return false;
    }
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(rowWidth) * rowCount, Black);
    for (int r = 0; r < rowCount; ++r) {
        if (!ParseRow(rows[r], r, rowWidth, pixels)) {
            errors.emplace_back(41, 3, ORBAX_Utilities::format_message2(1041, rows[r], std::to_wstring(line)));
            keepImageSize();
            return false;
        }
    }
    pattern.SetPixels(rowWidth, rowCount, pixels);
    pattern.width = rowWidth;
    pattern.height = rowCount;
    pattern.rowsText = text;
    return true;
}

bool BitmapPattern::LoadImageFile(const std::wstring& path, BitmapPattern& pattern, std::wstring& errorText,
                                  const std::filesystem::path& baseFolder)
{
    pattern.fileName = path;
    pattern.kind = ImageFile;
    std::filesystem::path file = ORBAX_Platform::path_from_wide(path);
    if (file.is_relative() && !baseFolder.empty())
        file = baseFolder / file;

    std::string bytes;
    int code = 0;
    switch (ORBAX_Platform::read_regular_file(file, MaxImageFileBytes, bytes, code)) {
    case ORBAX_Platform::FileRead::Read: break;
    case ORBAX_Platform::FileRead::Failed:
        return DropImage(pattern, errorText, ORBAX_Platform::wide_from_utf8(std::generic_category().message(code)));
    case ORBAX_Platform::FileRead::NotRegular:
        return DropImage(pattern, errorText, ORBAX_Utilities::get_message_wide(1098));
    case ORBAX_Platform::FileRead::TooLarge:
        return DropImage(pattern, errorText,
                         ORBAX_Utilities::format_message1(1099, std::to_wstring(MaxImageFileBytes >> 20)));
    }
    // The name's extension tells the reader the format, as it would reading the file by its name.
    const QByteArray suffix = QByteArray::fromStdString(file.extension().string()).mid(1).toLower();
    QByteArray data = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, suffix);
    return TakeImage(reader, pattern, errorText);
}

bool BitmapPattern::LoadImageData(const std::string& bytes, const std::wstring& path, BitmapPattern& pattern,
                                  std::wstring& errorText)
{
    pattern.fileName = path;
    pattern.kind = ImageFile;
    QByteArray data = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    return TakeImage(reader, pattern, errorText);
}

bool BitmapPattern::DropImage(BitmapPattern& pattern, std::wstring& errorText, const std::wstring& reason)
{
    pattern.image = QImage();
    pattern.width = 0;
    pattern.height = 0;
    errorText = reason;
    return false;
}

bool BitmapPattern::TakeImage(QImageReader& reader, BitmapPattern& pattern, std::wstring& errorText)
{
    // An image larger than any pattern is refused before its pixels are decoded.
    auto tooLarge = [&](const QSize& size) {
        if (size.width() <= MaxSide && size.height() <= MaxSide)
            return false;
        DropImage(pattern, errorText,
                  ORBAX_Utilities::format_message(
                      1097, {std::to_wstring(size.width()), std::to_wstring(size.height()), std::to_wstring(MaxSide)}));
        return true;
    };
    const QSize size = reader.size();
    if (size.isValid() && tooLarge(size))
        return false;
    QImage loaded = reader.read();
    if (loaded.isNull() || loaded.width() <= 0 || loaded.height() <= 0)
        return DropImage(pattern, errorText, reader.errorString().toStdWString());
    if (tooLarge(loaded.size()))
        return false;
    pattern.image = loaded.convertToFormat(QImage::Format_ARGB32);
    pattern.width = pattern.image.width();
    pattern.height = pattern.image.height();
    errorText.clear();
    return true;
}

double BitmapPattern::HorizontalResolution() const { return ResolutionOf(image.dotsPerMeterX()); }

double BitmapPattern::VerticalResolution() const { return ResolutionOf(image.dotsPerMeterY()); }

void BitmapPattern::Fill(const BitmapPattern& pattern, Graphics& graphics, const QRectF& rect, bool physical)
{
    if (pattern.width <= 0 || pattern.height <= 0 || pattern.image.isNull()) {
        graphics.fillRect(rect, White);
        return;
    }
    QPainter& painter = graphics.painter();
    const QRectF deviceBounds(0, 0, painter.device()->width(), painter.device()->height());

    if (physical) {
        const double millimetres = static_cast<double>(25.4f);
        const float perMmX = static_cast<float>(pattern.HorizontalResolution() / millimetres);
        const float perMmY = static_cast<float>(pattern.VerticalResolution() / millimetres);
        const double tileWidth = pattern.width / static_cast<double>(perMmX);
        const double tileHeight = pattern.height / static_cast<double>(perMmY);
        if (!(tileWidth > 0) || !(tileHeight > 0))
            return;
        // Tiles wholly outside the device are skipped; the others are drawn as they fall. The first
        // and last visible tiles are found by their index, so that an image whose stated resolution
        // makes its tiles minute costs no walk over the tiles that cannot show.
        QRectF visible = rect;
        bool invertible = false;
        const QTransform toWorld = graphics.worldToDevice().inverted(&invertible);
        if (invertible)
            visible = toWorld.mapRect(deviceBounds);
        auto firstIndex = [](double start, double tile, double visibleStart) {
            return visibleStart > start ? std::max(0.0, std::floor((visibleStart - start) / tile) - 1) : 0.0;
        };
        const double firstColumn = firstIndex(rect.x(), tileWidth, visible.left());
        const double firstRow = firstIndex(rect.y(), tileHeight, visible.top());
        const double columns =
            std::ceil((std::min(rect.x() + rect.width(), visible.right()) - rect.x()) / tileWidth) - firstColumn + 1;
        const double rows =
            std::ceil((std::min(rect.y() + rect.height(), visible.bottom()) - rect.y()) / tileHeight) - firstRow + 1;
        if (columns <= 0 || rows <= 0)
            return;
        // Millions of tiles come only from a resolution no real image has: nothing of it could be seen.
        if (!(columns * rows <= MaxTilesPerFill)) {
            graphics.fillRect(rect, White);
            return;
        }
        for (double i = firstColumn;; ++i) {
            const double x = rect.x() + i * tileWidth;
            if (!(x < rect.x() + rect.width()) || x > visible.right())
                break;
            if (x + tileWidth < visible.left())
                continue;
            for (double j = firstRow;; ++j) {
                const double y = rect.y() + j * tileHeight;
                if (!(y < rect.y() + rect.height()) || y > visible.bottom())
                    break;
                if (y + tileHeight < visible.top())
                    continue;
                graphics.drawImage(pattern.image, QRectF(x, y, tileWidth, tileHeight));
            }
        }
        return;
    }

    ORBAX_Platform::GraphicsState state(graphics);
    const QTransform toDevice = graphics.worldToDevice();
    const QPointF topLeft = toDevice.map(rect.topLeft());
    const QPointF bottomRight = toDevice.map(rect.bottomRight());
    const QRectF deviceRect = toDevice.mapRect(rect);
    graphics.resetWorldTransform();
    graphics.setPageUnit(ORBAX_Platform::PageUnit::Pixel);
    graphics.setSmoothing(false);
    graphics.intersectClip(deviceRect);

    const double left = std::floor(topLeft.x() + 0.5);
    const double top = std::floor(topLeft.y() + 0.5);
    const double right = std::floor(bottomRight.x() + 0.5);
    const double bottom = std::floor(bottomRight.y() + 0.5);
    // Only tiles that can reach the clip are drawn, keeping their alignment to the top-left corner.
    QRectF reach = painter.hasClipping() ? painter.clipBoundingRect() & deviceBounds : deviceBounds;
    double firstX = left;
    double firstY = top;
    if (reach.left() > left)
        firstX = left + std::floor((reach.left() - left) / pattern.width) * pattern.width;
    if (reach.top() > top)
        firstY = top + std::floor((reach.top() - top) / pattern.height) * pattern.height;
    const double lastX = std::min(right, reach.right());
    const double lastY = std::min(bottom, reach.bottom());
    const int type = painter.device() ? painter.device()->devType() : 0;
    if (type == QInternal::Image || type == QInternal::Widget || type == QInternal::Pixmap) {
        // On a screen or an image one fill with the image as its tile gives the same pixels as the
        // tiles drawn one by one, at a fraction of the cost.
        if (lastX > firstX && lastY > firstY) {
            painter.setBrushOrigin(QPointF(left, top));
            painter.fillRect(QRectF(QPointF(firstX, firstY), QPointF(lastX, lastY)), QBrush(pattern.image));
        }
        return;
    }
    for (double x = firstX; x < lastX; x += pattern.width)
        for (double y = firstY; y < lastY; y += pattern.height)
            painter.drawImage(QPointF(x, y), pattern.image);
}

std::string BitmapPattern::MonoRowsText() const
{
    static const char hexDigits[] = "0123456789ABCDEF";
    std::string out;
    if (width <= 0 || height <= 0 || image.isNull())
        return out;
    const int digits = (width + 3) / 4;
    for (int r = 0; r < height; ++r) {
        out += "0x";
        for (int k = digits - 1; k >= 0; --k) {
            int value = 0;
            for (int bit = 0; bit < 4; ++bit) {
                const int column = width - 1 - 4 * k - bit;
                if (column < 0)
                    continue;
                if (column < image.width() && r < image.height() && image.pixel(column, r) == White)
                    value |= 1 << bit;
            }
            out += hexDigits[value];
        }
        out += ' ';
    }
    return out;
}

void BitmapPattern::Write(std::ostream& out) const
{
    const std::ios_base::fmtflags saved = out.flags();
    out << std::left << std::setw(20) << ORBAX_Config::QuoteName(ORBAX_Config::FileText(name)) << std::right;
    if (kind == Mono)
        out << " mono " << std::setw(3) << width << " \"" << MonoRowsText() << "\"";
    else
        out << " rgb      \"" << ORBAX_Config::FileText(fileName) << "\"";
    out.flags(saved);
}
