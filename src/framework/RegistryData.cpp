#include "framework/RegistryData.h"

#include <algorithm>

void AppendRegWide(std::vector<uint8_t>& Data, const std::u16string& S)
{
    for (char16_t c : S) {
        Data.push_back(static_cast<uint8_t>(c));
        Data.push_back(static_cast<uint8_t>(c >> 8));
    }
    Data.push_back(0);
    Data.push_back(0);
}

std::vector<uint8_t> RegMultiStringData(const std::vector<std::u16string>& List)
{
    std::vector<uint8_t> data;
    for (const std::u16string& s : List)
        AppendRegWide(data, s);
    data.push_back(0);
    data.push_back(0);
    return data;
}

std::u16string RegWideUnits(const std::vector<uint8_t>& Data)
{
    std::u16string s;
    s.reserve(Data.size() / 2);
    for (size_t i = 0; i + 1 < Data.size(); i += 2)
        s += static_cast<char16_t>(Data[i] | (Data[i + 1] << 8));
    return s;
}

std::u16string RegString(const std::vector<uint8_t>& Data)
{
    std::u16string s = RegWideUnits(Data);
    s.resize(std::min(s.size(), s.find(u'\0')));
    return s;
}

std::vector<std::u16string> RegMultiStrings(const std::u16string& Units, size_t& Next)
{
    std::vector<std::u16string> list;
    Next = 0;
    while (Next < Units.size()) {
        size_t end = Units.find(u'\0', Next);
        if (end == std::u16string::npos)
            end = Units.size();
        if (end == Next)
            break;
        list.push_back(Units.substr(Next, end - Next));
        Next = end + 1;
    }
    return list;
}
