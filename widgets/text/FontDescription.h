#pragma once
// A font the user chose: face, bold, italic and a size in points. The view keeps three of them in the
// profile section "View", each under a prefix ("TitleFont", "GeneralFont", "TickFont") as the prefix
// with "-FaceName", "-Height" and "-Style". Drawing code turns a description into a font for a
// device (ToLogFont) or into a regular font of the face and size (CreateGdiplusFont).
#include <memory>
#include <string>

class QFont;
class QPaintDevice;
class QWidget;

class FontDescription {
public:
    // "Arial", neither bold nor italic, 3.0 points.
    FontDescription() = default;
    FontDescription(const std::wstring& faceName, bool isBold, bool isItalic, float points)
        : face(faceName), bold(isBold), italic(isItalic), size(points)
    {
    }

    // Reads the three values stored under the prefix in the section "View"; face and size default to
    // the current ones, the style to none. A size that is not a number above 0 keeps the current one.
    bool Load(const std::wstring& prefix);
    // Writes the three values under the prefix: the size with one decimal, the style as "Bold Italic",
    // "Italic", "Bold" or empty.
    bool Save(const std::wstring& prefix) const;

    // The font for a device: the face, a pixel size of the points at the device's vertical resolution
    // (truncated toward zero), weight 700 when bold (else 400) and the italic flag. The face is kept
    // whole however long it is.
    void ToLogFont(QFont& logFont, const QPaintDevice* device) const;
    // The logical height of a font of these points at a vertical resolution: minus the pixel size.
    static int LogicalHeight(float points, double dotsPerInchY);

    // Offers the font dialog (scalable fonts) through the font-prompt service, starting at this font;
    // true when the user chose one, which this description then holds (the size rounded to tenths of
    // a point); false on cancel, changing nothing.
    // (A window's work: defined with the dialog toolkit, widgets/dialogs/FontDescription_Choose.cpp.)
    bool Choose(QWidget* parent);

    // The size with one decimal, the ".0" of a whole size dropped, then "pt " and the face:
    // "10pt Arial", "10.5pt Arial".
    std::wstring ToString() const;

    // A regular font of the face at the size in points (bold and italic are not applied); the generic
    // sans-serif family stands in for a face that is not installed.
    std::shared_ptr<QFont> CreateGdiplusFont() const;

    std::wstring face = L"Arial";
    bool bold = false;
    bool italic = false;
    float size = 3.0f;
};
