// The framework's exception classes. Messages are wide text: they may carry file names
// that the system code page cannot represent.
#pragma once

#include "framework/FrameworkTexts.h"

#include <cstdint>
#include <exception>
#include <string>

class Exception : public std::exception {
public:
    explicit Exception(std::u16string Msg);

    const std::u16string& Message() const { return message_; }
    void SetMessage(std::u16string Msg);

    // The message as UTF-8, for logs and for handlers that know only std::exception.
    const char* what() const noexcept override { return what_.c_str(); }

private:
    std::u16string message_;
    std::string what_;
};

// Replaces the first "%s" of Fmt by Arg, literally (Arg is never read as a format).
std::u16string FormatMessageS(const std::u16string& Fmt, const std::u16string& Arg);
// Replaces the first "%d" of Fmt by the decimal text of Arg.
std::u16string FormatMessageD(const std::u16string& Fmt, int64_t Arg);

class EListError : public Exception {
public:
    using Exception::Exception;
};

class EStringListError : public EListError {
public:
    using EListError::EListError;
};

class EStreamError : public Exception {
public:
    using Exception::Exception;
};

class EReadError : public EStreamError {
public:
    using EStreamError::EStreamError;
};

class EWriteError : public EStreamError {
public:
    using EStreamError::EStreamError;
};

class EFOpenError : public EStreamError {
public:
    using EStreamError::EStreamError;
    // SFOpenError with the file name
    static EFOpenError ForFile(const std::u16string& FileName);
    // The same, followed by the system's reason for OsError (a code of OsLastError), which
    // the exception keeps.
    static EFOpenError ForFile(const std::u16string& FileName, uint32_t OsError);

    // The system's code, 0 when none was given.
    uint32_t ErrorCode = 0;
    // True when the file (or a folder of its path) does not exist, as opposed to a file that
    // exists but cannot be opened (locked, no permission).
    bool FileNotFound() const;
};

class EFCreateError : public EStreamError {
public:
    using EStreamError::EStreamError;
    // SFCreateError with the file name
    static EFCreateError ForFile(const std::u16string& FileName);
};

class EOutOfResources : public Exception {
public:
    using Exception::Exception;
};

// A request that the object's state does not allow (a window class asked for twice with
// different meanings, a control without the window it needs).
class EInvalidOperation : public Exception {
public:
    using Exception::Exception;
};

class EConvertError : public Exception {
public:
    using Exception::Exception;
    // SInvalidInteger with the text
    static EConvertError InvalidInteger(const std::u16string& Text);
};

class EOSError : public Exception {
public:
    EOSError(std::u16string Msg, uint32_t Code) : Exception(std::move(Msg)), ErrorCode(Code) {}
    uint32_t ErrorCode;
};

// The framework's message texts; the program's language may replace them (FrameworkTexts.h).
inline constexpr TFrameworkText SFOpenError{TFrameworkTextId::FOpenError, u"Datei %s kann nicht geöffnet werden"};
inline constexpr TFrameworkText SFCreateError{TFrameworkTextId::FCreateError, u"Datei %s kann nicht erstellt werden"};
inline constexpr TFrameworkText SInvalidInteger{TFrameworkTextId::InvalidInteger, u"'%s' ist kein gültiger Integerwert"};
inline constexpr TFrameworkText SInvalidFloat{TFrameworkTextId::InvalidFloat, u"'%s' ist kein gültiger Gleitkommawert"};
inline constexpr TFrameworkText SReadError{TFrameworkTextId::ReadError, u"Stream read error"};
inline constexpr TFrameworkText SListIndexError{TFrameworkTextId::ListIndexError, u"Listenindex überschreitet das Maximum (%d)"};
inline constexpr TFrameworkText SSortedListError{TFrameworkTextId::SortedListError, u"Operation für sortierte Listen nicht zulässig"};
inline constexpr TFrameworkText SDuplicateString{TFrameworkTextId::DuplicateString, u"In der Stringliste sind Duplikate nicht erlaubt"};
inline constexpr TFrameworkText SWriteError{TFrameworkTextId::WriteError, u"Stream write error"};
inline constexpr TFrameworkText SInsertLineError{TFrameworkTextId::InsertLineError, u"Zeile kann nicht eingefügt werden"};
