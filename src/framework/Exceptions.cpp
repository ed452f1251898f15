#include "framework/Exceptions.h"

#include "framework/StrConv.h"

Exception::Exception(std::u16string Msg)
    : FMessage(std::move(Msg)), FWhat(WideToUtf8(FMessage))
{
}

void Exception::SetMessage(std::u16string Msg)
{
    FMessage = std::move(Msg);
    FWhat = WideToUtf8(FMessage);
}

namespace {

std::u16string ReplaceFirst(const std::u16string& Fmt, const std::u16string& Tag, const std::u16string& Arg)
{
    const auto p = Fmt.find(Tag);
    if (p == std::u16string::npos)
        return Fmt;
    std::u16string out = Fmt;
    out.replace(p, Tag.size(), Arg);
    return out;
}

} // namespace

std::u16string FormatMessageS(const std::u16string& Fmt, const std::u16string& Arg)
{
    return ReplaceFirst(Fmt, u"%s", Arg);
}

std::u16string FormatMessageD(const std::u16string& Fmt, int64_t Arg)
{
    const std::string digits = std::to_string(Arg);
    return ReplaceFirst(Fmt, u"%d", std::u16string(digits.begin(), digits.end()));
}

EFOpenError EFOpenError::ForFile(const std::u16string& FileName)
{
    return EFOpenError(FormatMessageS(SFOpenError, FileName));
}

EFCreateError EFCreateError::ForFile(const std::u16string& FileName)
{
    return EFCreateError(FormatMessageS(SFCreateError, FileName));
}

EConvertError EConvertError::InvalidInteger(const std::u16string& Text)
{
    return EConvertError(FormatMessageS(SInvalidInteger, Text));
}
