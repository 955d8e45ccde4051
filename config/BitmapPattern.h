#pragma once
// A named image that tiles a rectangle: a mono pattern whose rows of pixels are digits in the
// configuration file, or an image-file pattern read from disk.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include <QImage>
#include <QImageReader>
#include <QRectF>

#include "config/HatchPattern.h"
#include "core/configfile/ConfigMessage.h"
#include "platform/qt/Graphics.h"

class BitmapPattern final : public HatchPattern {
public:
    enum Kind { Mono = 0, ImageFile = 1 };

    static constexpr std::uint32_t White = 0xFFFFFFFFu;
    static constexpr std::uint32_t Black = 0xFF000000u;

    explicit BitmapPattern(const std::wstring& patternName = std::wstring());

    const std::wstring& GetName() const override { return name; }

    // Replaces the image by a width x height ARGB image whose row r takes values
    // r*width .. r*width+width-1, and makes the pattern mono. Width and height are left to the caller.
    void SetPixels(int pixelWidth, int pixelHeight, const std::vector<std::uint32_t>& values);

    // Parses mono rows into the pattern, whose width the caller has set. Problems are appended to
    // `errors` with `line` as the line number. On failure the image and rows text stay as they were,
    // and width and height go back to the image's own size, so that they always describe it.
    static bool ParseMonoData(ConfigMessageList& errors, const std::wstring& text, BitmapPattern& pattern, int line);

    // The most pixels a pattern has on a side, mono or image file, and the largest image file read
    // (an image of that size, uncompressed, with room for its header).
    static constexpr int MaxSide = 4096;
    static constexpr std::size_t MaxImageFileBytes = std::size_t(65) << 20;

    // Makes the pattern an image-file pattern read from `path` (stored as given; a relative name is
    // looked up under `baseFolder` when one is given). Only a regular file within the limits above is
    // read: a pipe or device named in the configuration must not make the program wait. On failure
    // `errorText` says why, and the pattern has no image and draws white.
    static bool LoadImageFile(const std::wstring& path, BitmapPattern& pattern, std::wstring& errorText,
                              const std::filesystem::path& baseFolder = {});
    // The same over the image file's bytes held in memory; `path` is stored as the pattern's file.
    static bool LoadImageData(const std::string& bytes, const std::wstring& path, BitmapPattern& pattern,
                              std::wstring& errorText);

    // The most tiles one physical-size fill draws; beyond it the rectangle is filled white.
    static constexpr double MaxTilesPerFill = 1e6;

    // Tiles the image over the rectangle (world units): one image pixel per device pixel, or the
    // image at its physical size from its resolution when `physical` is true.
    static void Fill(const BitmapPattern& pattern, ORBAX_Platform::Graphics& graphics, const QRectF& rect,
                     bool physical);

    // One record of the "Bitmaps" section, without its line end. A name or image file name the file
    // cannot hold throws ORBAX_Config::UnholdableText.
    void Write(std::ostream& out) const;
    // The mono rows as written: "0x" and upper-case hexadecimal digits per row, each followed by a
    // blank; empty when there is no usable image.
    std::string MonoRowsText() const;

    // The image's resolution in dots per inch (96 when the image does not say).
    double HorizontalResolution() const;
    double VerticalResolution() const;

    int kind = ImageFile;
    std::wstring name;
    QImage image;
    std::wstring rowsText;
    int width = 0;
    int height = 0;
    std::wstring fileName;

private:
    // Reads the reader's image into the pattern; on failure the pattern has no image.
    static bool TakeImage(QImageReader& reader, BitmapPattern& pattern, std::wstring& errorText);
    // Leaves the pattern without an image, `reason` in `errorText`; false.
    static bool DropImage(BitmapPattern& pattern, std::wstring& errorText, const std::wstring& reason);
};
