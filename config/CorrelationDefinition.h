#pragma once
// Correlation sites: named lists of seams, each with its ordered ply names.
#include <string>
#include <utility>
#include <vector>

#include "config/DBaseList.h"

struct CorrelationSeam {
    CorrelationSeam() = default;
    explicit CorrelationSeam(std::wstring seamName) : name(std::move(seamName)) {}

    std::wstring name;
    std::vector<std::wstring> plies;
};

class CorrelationDefinition : public ORBAX_Utilities::DBaseListMember {
public:
    explicit CorrelationDefinition(const std::wstring& siteName = std::wstring()) : name(siteName) {}

    const std::wstring& GetName() const { return name; }

    std::vector<CorrelationSeam> seams;
    std::wstring name;
};

using CorrelationTable = ORBAX_Utilities::DBaseList<CorrelationDefinition>;
