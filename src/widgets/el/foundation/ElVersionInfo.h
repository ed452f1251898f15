// TElVersionInfo: the version resource of a module (by default the program itself): its
// fixed numbers, attribute flags, language and standard string entries.
#pragma once

#include "framework/Components.h"

#include <cstdint>
#include <string>
#include <vector>

enum TVersionAttribute { vaDebug, vaPatched, vaPreRelease, vaPrivateBuild, vaSpecialBuild };
// A set of TVersionAttribute: bit (1 << attribute).
using TVersionAttributes = uint8_t;

class TElVersionInfo : public TComponent {
public:
    explicit TElVersionInfo(TComponent* AOwner);
    const char* ClassName() const override { return "TElVersionInfo"; }

    // Empty means the program itself. Reads the module's resource at once; a module whose
    // resource cannot be read although it reports one raises EOSError.
    const std::u16string& FileName() const { return fileName_; }
    void SetFileName(const std::u16string& Value);

    bool IsVerinfoExists() const { return hasFixedInfo_; }
    uint16_t MajorVersion() const { return static_cast<uint16_t>(fileVersionMS_ >> 16); }
    uint16_t MinorVersion() const { return static_cast<uint16_t>(fileVersionMS_); }
    uint16_t Release() const { return static_cast<uint16_t>(fileVersionLS_ >> 16); }
    uint16_t Build() const { return static_cast<uint16_t>(fileVersionLS_); }
    TVersionAttributes Attributes() const;
    // The system's name of the translation's language.
    std::string Language() const;
    // Language then code page, 8 hexadecimal digits; "040904E4" when the module names none.
    const std::string& Translation() const { return translation_; }

    std::string CompanyName() const { return StringEntry("CompanyName"); }
    std::string FileDescription() const { return StringEntry("FileDescription"); }
    std::string FileVersion() const { return StringEntry("FileVersion"); }
    std::string InternalName() const { return StringEntry("InternalName"); }
    std::string LegalCopyright() const { return StringEntry("LegalCopyright"); }
    std::string LegalTrademarks() const { return StringEntry("LegalTrademarks"); }
    std::string OriginalFilename() const { return StringEntry("OriginalFilename"); }
    std::string ProductName() const { return StringEntry("ProductName"); }
    std::string ProductVersion() const { return StringEntry("ProductVersion"); }
    std::string Comments() const { return StringEntry("Comments"); }

private:
    // The entry of the string table in the current translation; empty when missing.
    std::string StringEntry(const char* Key) const;

    std::u16string fileName_;
    std::vector<uint8_t> block_;
    std::string translation_ = "040904E4";
    bool hasFixedInfo_ = false;
    uint32_t fileVersionMS_ = 0, fileVersionLS_ = 0, fileFlags_ = 0;
};
