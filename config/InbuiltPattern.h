#pragma once
// The patterns built into the program: five plain colours and "NoRecord", the mark for an interval
// without a record. Their table is built once and never cleared, so their ids stay 1 to 6.
#include <string>

#include <QRectF>

#include "config/DBaseList.h"
#include "config/HatchPattern.h"
#include "platform/qt/Graphics.h"

// Draws into the rectangle; the reference rectangle and the flag are those the hatch drawing passes.
using InbuiltDrawFunction = void (*)(ORBAX_Platform::Graphics& graphics, const QRectF& rect, const QRectF& reference,
                                     bool flag);

class InbuiltPattern final : public HatchPattern {
public:
    // The name is widened through the global locale.
    InbuiltPattern(const char* narrowName, InbuiltDrawFunction function);
    explicit InbuiltPattern(const std::wstring& patternName = std::wstring(), InbuiltDrawFunction function = nullptr);

    const std::wstring& GetName() const override { return name; }
    // Calls the draw function; a pattern without one draws nothing.
    void Draw(ORBAX_Platform::Graphics& graphics, const QRectF& rect, const QRectF& reference, bool flag) const;

    std::wstring name;
    InbuiltDrawFunction draw = nullptr;
};

class InbuiltPatternList : public ORBAX_Utilities::DBaseList<InbuiltPattern> {
public:
    // "Black", "Red", "Blue", "Green", "White", "NoRecord", ids 1 to 6.
    InbuiltPatternList();
};

// White with both diagonals in red; also drawn directly for a unit whose rock type has no entry.
void DrawNoRecordPattern(ORBAX_Platform::Graphics& graphics, const QRectF& rect, const QRectF& reference, bool flag);
