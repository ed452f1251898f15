// The scan-file format, read side. All numbers little-endian.
//
//   @0    11   magic: ASCII text and NUL ("DMO.L3D.01", "DMO.TNW.01", "L3D.L3D.01",
//              "TNW.TNW.01", "TNW 0.1")
//   @11   160  file header, kept but not interpreted
//   @171  16   scan block: byte 3 scan mode; bytes 4-7 i32 lines per block; bytes 8-11 i32
//              count (must be > 0); byte 12 reverse flag
//   @187  192  four view states of 48 bytes (main, Top, Front, Perspective); each
//              Translation, Rotation, Scale as X, Y, Z, W Singles. "TNW 0.1" has no such
//              block: its remarks follow the scan block.
//   then       remarks: f64 Date, WStr Project, WStr Notes, f32 FieldLength, f32 FieldWidth,
//              i32 SoilType
//   then       point area to the end of the file:
//     L3D kinds: 36-byte point records back to back
//     TNW kinds: 6 bytes (bytes 2-3: u16 divisor of the samples), then per point a 16-byte
//                header (f32 value @0, u16 sample count n @8) and n f32 samples
//
// Reading is parse first, commit later: ParseScanFile checks the whole file and fills a
// TScanFileContent, touching nothing else, so a file that fails changes nothing of the
// program's state. ReadScanPoints then delivers the points that the parse counted, from the
// same stream (the file stays open and closed to writers in between), so that a large scan
// is never held twice in memory.
#pragma once

#include "framework/ByteReader.h"
#include "framework/Streams.h"
#include "scan/model/DataTypes.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

constexpr int32_t ScanFileMagicSize = 11;
constexpr int32_t ScanFileHeaderSize = 160;
constexpr int32_t ScanBlockSize = 16;
constexpr int32_t ViewStateSize = 48;
constexpr int32_t ViewStateCount = 4;
constexpr int32_t ViewStateBlockSize = ViewStateSize * ViewStateCount;
constexpr int32_t TNWAreaLeadSize = 6;
constexpr int32_t TNWPointHeaderSize = 16;
constexpr int32_t TNWSampleSize = 4;

inline constexpr char MagicL3DDemo[] = "DMO.L3D.01";
inline constexpr char MagicTNWDemo[] = "DMO.TNW.01";
inline constexpr char MagicL3D[] = "L3D.L3D.01";
inline constexpr char MagicTNW[] = "TNW.TNW.01";
inline constexpr char MagicTNW01[] = "TNW 0.1";

// The main window's four camera views, in file order: main, Top, Front, Perspective.
using TViewStates = std::array<TViewState, ViewStateCount>;

enum class TScanFileKind { None, L3DDemo, TNWDemo, L3D, TNW, TNW01 };

bool IsTNWKind(TScanFileKind Kind);
bool HasViewStateBlock(TScanFileKind Kind);

// The loader for a magic and a file-name extension (lower case, with its dot). The two
// sample kinds ("DMO.") load only from ".dmo" files; the others from any name.
TScanFileKind ScanFileKindOf(const std::string& Magic, const std::string& LowerExtension);

// The magic from the stream's position: the text up to the first NUL within 11 bytes (all
// 11 when there is none; fewer when the stream ends first).
std::string ReadScanFileMagic(TStream& Stream);

// The scan block as stored, with the fields the loaders use.
struct TScanBlock {
    std::array<uint8_t, ScanBlockSize> Bytes{};

    uint8_t ScanMode() const { return Bytes[3]; }
    int32_t LinesPerBlock() const;
    int32_t Count() const;
    uint8_t ReverseFlag() const { return Bytes[12]; }
};

// The remarks record at the stream's position. False when it is cut short or a string's
// length is impossible; Remarks is then unchanged.
bool ReadRemarksRecord(TStream& Stream, TRemarksRec_L3D_3& Remarks);
bool WriteRemarksRecord(TStream& Stream, const TRemarksRec_L3D_3& Remarks);

// The view-state block at the reader's position; false (Views unchanged) when it is cut short.
bool DecodeViewStates(ByteReader& Reader, TViewStates& Views);
void EncodeViewStates(const TViewStates& Views, uint8_t* Bytes);

struct TScanFileContent {
    TScanFileKind Kind = TScanFileKind::None;
    std::array<uint8_t, ScanFileHeaderSize> Header{};
    TScanBlock ScanBlock;
    bool HasViewStates = false;
    TViewStates ViewStates{};
    TRemarksRec_L3D_3 Remarks;
    uint32_t TNWStart = 0;  // TNW kinds: file offset of the point area
    int64_t PointAreaStart = 0;
    uint64_t PointCount = 0;  // whole points in the area; a last point cut short is not counted
};

enum class TScanParseResult {
    Ok,
    CutShort,        // the fixed blocks or the remarks end early, or a string is damaged
    UnusableBlock,   // lines per block or count not positive, or padding beyond the points
    TooManyPoints,   // the point area holds more points than the caller can take
};

// Parses a whole file of Kind from the start of Stream. A last point cut short is dropped.
// Every length is checked against the bytes left before anything is allocated. The points are
// counted up to MaxPoints + 1 only: a point area that holds more is not walked to its end.
TScanParseResult ParseScanFile(TStream& Stream, TScanFileKind Kind, TScanFileContent& Content,
                               uint64_t MaxPoints = UINT64_MAX);

// Delivers the PointCount records of a parsed file, in file order, to Sink; for the TNW kinds
// each carries the file offset of its first sample as a Double in its first carried bytes.
// Returns the number delivered (fewer only when the stream changed since the parse).
using TScanPointSink = std::function<void(const TScanRecord& Record)>;
uint64_t ReadScanPoints(TStream& Stream, const TScanFileContent& Content, const TScanPointSink& Sink);

// The padding of the last column when Points points fill columns of LinesPerBlock: true
// when it would add more points than the file holds (the grid would be mostly invented).
bool PaddingExceedsPoints(uint64_t Points, uint64_t LinesPerBlock);
