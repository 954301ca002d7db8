#pragma once
// Value-stream bytes from a description written by hand, one value a line, so that the readers of
// the documents can be tested against files that their own writers did not make. The encoder
// follows the stream's byte layout on its own and never calls TSpecStream.
//
//   # a comment: a line starting with "#", or the rest of a line after " #"
//   str Окно            string: 32-bit length and the Windows-1251 bytes; "str" alone is empty;
//                       escapes \r \n \t \\ \xHH (a raw byte, e.g. \x23 for "#")
//   int 3               16-byte records: short (2), int (3), single (4), double (5), cur (6),
//   double 1308,5       date (7), bool (11), byte (17), int64 (20), empty (0), null (1);
//   cur 12,5            numbers take "," or "." as the decimal separator, cur is exact
//   date 01.02.2008     days since 30.12.1899, optionally with a time "01.02.2008 12:30"
//   bool 1              0 or 1 (stored as 0000 / FFFF)
//   int*22 0            the same value 22 times
//   repeat 4 ... end    the lines between repeated (nested blocks allowed)
//   include other.txt   the values of another description (relative to this file's folder)
//   raw 03 00 FF        bytes as they are (for damaged files)
#include <cstdint>
#include <filesystem>
#include <span>
#include <string_view>
#include <vector>

namespace kv::test {

// Bytes of the description; Folder resolves includes. Mistakes in the text throw
// std::invalid_argument naming the line.
std::vector<uint8_t> DescribedStream(std::string_view Text, const std::filesystem::path& Folder = {});
std::vector<uint8_t> DescribedStreamFile(const std::filesystem::path& File);

// A description with its first line that contains Marker replaced by Line, for damaged files: the
// bytes and the offset of the replaced line's first value.
struct TChangedStream {
  std::vector<uint8_t> Bytes;
  long Offset = 0;
};
TChangedStream DescribedStreamWithLine(std::string_view Text, std::string_view Marker, std::string_view Line,
                                       const std::filesystem::path& Folder = {});

// The offset of the first byte where the two differ (the shorter one's size when one is a prefix
// of the other), -1 when they are equal.
long FirstDifference(std::span<const uint8_t> A, std::span<const uint8_t> B);

}  // namespace kv::test
