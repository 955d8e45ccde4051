#pragma once
// The base of the bitmap, vector and inbuilt patterns: a table record with a name.
#include <string>

#include "config/DBaseList.h"

class HatchPattern : public ORBAX_Utilities::DBaseListMember {
public:
    virtual const std::wstring& GetName() const = 0;

protected:
    HatchPattern() = default;
    HatchPattern(const HatchPattern&) = default;
    HatchPattern& operator=(const HatchPattern&) = default;
    // Patterns are held by value in their tables and never deleted through this base.
    ~HatchPattern() = default;
};
