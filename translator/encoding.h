// SPDX-License-Identifier: GPL-3.0-or-later
// Conversions at the edges of the translator.
//
// The translator sees one byte per character: Windows-1252, the code page in
// which character codes reach the chip (ASC(), DATA and WRITE strings). Source
// files arrive as UTF-8 when they are valid UTF-8 and as Windows-1252
// otherwise; text handed back to the user is UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace velmora::encoding {

// Stands, inside the translator, for a character that has no Windows-1252
// code (0x81 is one of the five bytes the code page leaves undefined). Passes
// that turn characters into codes report it instead of sending it to the chip.
inline constexpr char kNoCode = '\x81';

bool IsValidUtf8(std::string_view bytes);

// UTF-8 to Windows-1252; characters without a code become kNoCode.
std::string Utf8ToCp1252(std::string_view utf8);

// Windows-1252 to UTF-8; undefined bytes (kNoCode among them) become U+FFFD.
std::string Cp1252ToUtf8(std::string_view cp1252);

// A source file's bytes as the translator reads them: decoded as UTF-8 when
// valid (a leading byte-order mark dropped), otherwise taken as Windows-1252.
std::string SourceBytesToCp1252(std::string_view bytes);
// The same bytes as UTF-8 text for the editor, decided the same way: valid
// UTF-8 is kept (byte-order mark dropped), anything else is read as Windows-1252.
std::string SourceBytesToUtf8(std::string_view bytes);

// Line ends: CR LF, lone LF and lone CR all become CR LF.
std::string ToCrLf(std::string_view text);

}  // namespace velmora::encoding
