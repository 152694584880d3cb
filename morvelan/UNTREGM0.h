// The observation file: its record layout, the shared file variable and
// record buffers through which the reading screens read it, and the
// headings of the listing.
#pragma once

#include <cstdint>
#include <string_view>

#include "text.h"

inline constexpr int RECLEN = 101;
inline constexpr std::string_view FILENAAM = "MORVELAN.VSs";

struct RECTYPE {
    char DATA[RECLEN];
};

// The one file variable of the reading screens. Opened read-only; records are
// read through a block buffer, so a pass costs one system call per block.
struct VSBESTAND {
    int fd = -1;
    std::int32_t pos = 0;        // next record to read
    std::int32_t bufFirst = 0;   // first record in buf
    std::int32_t bufCount = 0;   // whole records in buf
    static constexpr int kBlock = 512;
    char buf[kBlock * RECLEN];
};

// The record just read as text: characters 1 to 101 (SREC[p], p from 1).
struct SRECTYPE {
    char s[RECLEN] = {};
    int len = 0;
    char operator[](int p) const { return s[p - 1]; }
    // Characters p .. p+n-1.
    std::string_view DEEL(int p, int n) const { return std::string_view(s, len).substr(p - 1, n); }
    std::string_view sv() const { return {s, static_cast<std::size_t>(len)}; }
};

extern VSBESTAND F;
extern RECTYPE REC;
extern SRECTYPE SREC;
extern std::int32_t RECNR;
extern std::int32_t AANV;

inline constexpr dk::Text SKOP1 = "OBSV jjjjmmdd    Rt14 wWEs Tw14 Rt19 wWEs Tw19 Rt08 wWEs Tw08";
inline constexpr dk::Text SFOR1 = "    .    1    .    2    .    3    .    4    .    5    .    6 ";
inline constexpr dk::Text SKOP2 = "OBSV jjjjmmdd     >>> Rkel  R4t   R4  R4N  R15 R15N R235 R232";
inline constexpr dk::Text SFOR2 = "    .    1    .   >>>   .    7    .    8    .    9    .   10 ";

// Opens FILENAAM in the working directory read-only, closing an earlier
// opening; reading starts at record 0 and SREC gets the length 101. A failure
// is run-time error 2, 3 or 5 with the file name and the system's reason.
void OPENVS();
// Number of whole records in the file.
std::int32_t AANTALVS();
// Positions the file at record n (run-time error 201 when n < 0).
void ZOEKVS(std::int32_t n);
// Reads the next record into REC and SREC (run-time error 100 past the last
// whole record, 103 when the file is not open).
void LEESVS();
// True when the position has reached the number of whole records.
bool EINDEVS();
// Closes the file, if open.
void SLUITVS();
