#include "framework/Exceptions.h"

#include "framework/FileHandle.h"
#include "framework/StrConv.h"

Exception::Exception(std::u16string Msg)
    : message_(std::move(Msg)), what_(WideToUtf8(message_))
{
}

void Exception::SetMessage(std::u16string Msg)
{
    message_ = std::move(Msg);
    what_ = WideToUtf8(message_);
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

EFOpenError EFOpenError::ForFile(const std::u16string& FileName, uint32_t OsError)
{
    std::u16string text = FormatMessageS(SFOpenError, FileName);
    const std::u16string reason = OsError != 0 ? OsErrorMessage(OsError) : std::u16string();
    if (!reason.empty())
        text += u". " + reason;
    EFOpenError e(text);
    e.ErrorCode = OsError;
    return e;
}

bool EFOpenError::FileNotFound() const
{
    return ErrorCode != 0 && OsErrorIsNotFound(ErrorCode);
}

EFCreateError EFCreateError::ForFile(const std::u16string& FileName)
{
    return EFCreateError(FormatMessageS(SFCreateError, FileName));
}

EConvertError EConvertError::InvalidInteger(const std::u16string& Text)
{
    return EConvertError(FormatMessageS(SInvalidInteger, Text));
}
