#pragma once
// The words of the questions before printing that name the texts a print would go without.
#include <string>
#include <vector>

// The items as a list for a message: "a, b and c".
std::wstring ListText(const std::vector<std::wstring>& items);

// Texts left out as message `id` names them ("sample numbers %1", "seams %1"): the first few, then how
// many others.
std::wstring NamesLeftOut(int id, const std::vector<std::wstring>& texts);
