#pragma once
// What the sample labels hold and where they go, without a printer: the samples of a borehole (runs
// of units with the same sample number, ignoring case), the grid of 85 x 57 mm label cells on the
// printable area, and the lines of text written in one label. Positions are tenths of a millimetre,
// y growing downwards.
#include <string>
#include <vector>

#include "core/model/Borehole.h"
#include "docview/view/geometry/FittedText.h"

namespace SampleLabels {

// A sample: units first to last (indexes), all with the first unit's sample number ignoring case.
struct Sample {
    int firstUnit = 0;
    int lastUnit = 0;
};

// The samples in unit order. A unit without a sample number belongs to no sample; a run is extended
// only by the units that follow a unit with a number.
std::vector<Sample> CollectSamples(const ORBAX_Logging::Borehole& borehole);

constexpr int CellWidth = 850;  // 85 mm
constexpr int CellHeight = 570; // 57 mm
constexpr int SideMargin = 199; // 19.9 mm at the left and at the right
constexpr int EndMargin = 200;  // 20 mm at the top and at the bottom

// The label grid on paper of `width` x `height` tenths of a millimetre: its top-left corner and the
// whole cells that fit inside the margins, which are measured from the paper's edges. The printer
// prints only inside `printable` (from the paper's top-left corner), where drawing starts: the margins
// reach that far at least, and the corner is given from there. No columns or no rows: the paper is
// too small for a label.
struct Area {
    int left, top, right, bottom;
};
struct Grid {
    int left = SideMargin;
    int top = EndMargin;
    int columns = 0;
    int rows = 0;

    bool Fits() const { return columns > 0 && rows > 0; }
    int PerPage() const { return columns * rows; }
    // The top-left corner of the n-th cell of a page, filled left to right, then top to bottom.
    int CellX(int n) const { return left + CellWidth * (n % columns); }
    int CellY(int n) const { return top + CellHeight * (n / columns); }
};
Grid ComputeGrid(int width, int height, const Area& printable);
// The same on paper the printer prints on whole.
Grid ComputeGrid(int width, int height);

// One text of a label, its top-left corner relative to the cell's; a name may be shortened to fit the
// cell, a number may not. A list of names (the seams, the plies) is shortened name by name; `namedAs`
// is the message that names the texts of a line left out ("seams %1"), 0 for a line that is never.
struct Line {
    int x;
    int y;
    std::wstring text;
    bool mayShorten = true;
    int namedAs = 0;
    std::vector<std::wstring> names = {};
};

// The text of a line fitted into `room` millimetres with the font, and the texts of it left out.
struct FittedLine {
    FittedText text;
    std::vector<std::wstring> leftOut;
};
// A text as its field's texts are fitted (`FitText`); a list of names set smaller the same way, then
// each name shortened in its middle, the longest first, keeping at least its first and last
// `ShortenedNameKeeps` characters; where even that is too wide the last names are left out, an ellipsis
// after the others standing for them.
FittedLine FitLine(const QPaintDevice* device, const QFont& font, const Line& line, double room);

// The captions, from the string table.
struct Captions {
    std::wstring borename, from, to, sampleNo, seam, ply, comment;
    static Captions FromCatalogue();
};

// The label of one sample: the project name; the borehole's name; the top of the first unit and
// the base of the last ("%.3f"); the sample number when the schema has a sample field; the distinct
// seams (ordinal order) when it has a seam field, and plies when it has seams and plies; and the
// comment caption with room to write. Throws the borehole's exception when it has no schema.
std::vector<Line> LabelLines(const ORBAX_Logging::Borehole& borehole, const Sample& sample,
                             const std::wstring& projectName, const Captions& captions);

} // namespace SampleLabels
