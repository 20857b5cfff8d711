// Paths in the ANSI code page, split, trimmed, joined and compared by
// characters: in a double-byte code page (932, 936, 949, 950) the second byte
// of a character can be 0x5C, the byte of '\' (表 and ソ in 932). Window-free:
// the code page's lead-byte rule is passed in (AnsiLeadByte in text.h is the
// system's).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace platform {

// Whether `byte` starts a two-byte character.
using LeadByteRule = bool (*)(unsigned char byte);

// The rule of single-byte code pages (1252, 1251): no lead bytes.
bool NoLeadBytes(unsigned char byte);

// Where the last '\' or '/' of `path` that is a character of its own stands;
// npos when there is none.
std::size_t LastSeparator(std::string_view path, LeadByteRule leadByte);

// Whether `path` ends in a '\' or '/' of its own.
bool EndsWithSeparator(std::string_view path, LeadByteRule leadByte);

// The folder that holds `path`: "C:\Games" for "C:\Games\hl.exe", "C:\" for
// "C:\hl.exe", "." for a bare name.
std::string FolderOf(std::string_view path, LeadByteRule leadByte);

// `folder` as Windows names it: each '/' becomes '\' and trailing separators
// go, but a drive's root keeps its own ("C:\").
std::string WindowsFolder(std::string_view folder, LeadByteRule leadByte);

// `name` below `folder`, with one separator between them.
std::string PathBelow(std::string_view folder, std::string_view name, LeadByteRule leadByte);

// `folder` taken from `base` when it is relative ("..\Half-Life", "Games"), as
// it is when absolute ("D:\Games", "\\server\share", "\Games", "D:").
std::string ResolvedFrom(std::string_view base, std::string_view folder, LeadByteRule leadByte);

// Whether two folders are the same name, ignoring ASCII letter case (never in a
// second byte), the kind of separator and trailing separators.
bool SameFolder(std::string_view a, std::string_view b, LeadByteRule leadByte);

}  // namespace platform
