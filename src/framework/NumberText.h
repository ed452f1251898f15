// Integer and float <-> text, in the forms the program shows: thousands separators, fixed
// decimals, significant digits, and locale text -> float (raising and non-raising).
#pragma once

#include "framework/FormatSettings.h"

#include <cstdint>
#include <string>

std::u16string IntToStr(int64_t Value);
// Upper-case hexadecimal, at least Digits digits.
std::u16string IntToHex(uint64_t Value, int Digits);

// Decimal, optionally signed; "$" or "0x" introduce hexadecimal. Surrounding blanks are not
// accepted. False (Value untouched) on anything else or on overflow of 32 bits.
bool TryStrToInt(const std::u16string& S, int32_t& Value);
// As TryStrToInt; raises EConvertError with the framework's text SInvalidInteger.
int32_t StrToInt(const std::u16string& S);
int32_t StrToIntDef(const std::u16string& S, int32_t Default);

enum class TFloatFormat {
    ffGeneral,  // shortest of fixed and scientific, trailing zeros dropped
    ffFixed,    // Digits decimals
    ffNumber,   // Digits decimals with thousands separators
};

// Value rounded to Precision significant digits, then shown in Format with Digits decimals.
// ffFixed and ffNumber fall back to ffGeneral when the value has more integer digits than
// Precision. NaN and infinities give "NAN", "INF", "-INF".
std::u16string FloatToStrF(double Value, TFloatFormat Format, int Precision, int Digits,
                           const TFormatSettings& Settings = FormatSettings());
// ffGeneral with 15 significant digits.
std::u16string FloatToStr(double Value, const TFormatSettings& Settings = FormatSettings());
// The program's display form: thousands separators, 8 significant digits, 2 decimals.
std::u16string FormatNumber(double Value, const TFormatSettings& Settings = FormatSettings());

// Locale text -> float: optional blanks around, optional sign, digits with the locale's
// decimal separator, optional exponent. Thousands separators are not accepted.
bool TryStrToFloat(const std::u16string& S, double& Value, const TFormatSettings& Settings = FormatSettings());
// As TryStrToFloat; raises EConvertError with the framework's text SInvalidFloat.
double StrToFloat(const std::u16string& S, const TFormatSettings& Settings = FormatSettings());
