#pragma once
// The sounding model: one opened sounding with its header, channel set-up and readings.
// Field names are the domain's own; arrays are indexed from 1 (index 0 unused) except
// Reading[0][n], which holds the depth of reading n in the displayed depth unit.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace pelorin {

constexpr int MaxChannels = 10;
constexpr int MaxReadings = 10000;
constexpr int MaxChannelTypes = 20;
constexpr int MaxUnitOptions = 10;
constexpr int GridRows = 24;

// A channel value of -32768 means the channel has no value at that reading. Compared
// exactly; no conversion or correction ever touches it.
constexpr float NoValue = -32768.0f;

// What a channel type is in the exchange files: its GEF-CPT quantity and its AGS4 SCPT
// heading, each with the unit and decimals the values are written in. From ChannelExchange.txt.
struct ExchangeColumn {
  int type = 0;
  int gefQuantity = 0;  // 0: none
  std::string gefUnit, gefName;
  int gefDecimals = 3;
  std::string agsHeading, agsUnit;  // empty heading: none
  int agsDecimals = 2;
};

// The shipped ChannelExchange.txt, for an installation without one.
std::vector<ExchangeColumn> defaultExchangeColumns();

// The units each channel type can be shown in, from Channel1.txt ... Channel20.txt.
struct ChannelDefinitions {
  std::array<std::int16_t, MaxChannelTypes + 1> UnitCount{};
  // The short name a channel of the type goes by ("Qc"), from the file's "Symbol" line.
  std::array<std::string, MaxChannelTypes + 1> Symbol;
  // [type][option]; option 1 is the type's base unit.
  std::array<std::array<std::string, MaxUnitOptions + 1>, MaxChannelTypes + 1> UnitName;
  std::array<std::array<std::string, MaxUnitOptions + 1>, MaxChannelTypes + 1> UnitFormat;
  // Factor that turns a value in the base unit into the option's unit.
  std::array<std::array<float, MaxUnitOptions + 1>, MaxChannelTypes + 1> UnitFactor{};
  // The exchange files' names for the channel types, in the order of the GEF columns.
  std::vector<ExchangeColumn> Exchange = defaultExchangeColumns();
};

// What a file told of the test beyond its readings, kept while the sounding is open so that
// the exports pass it on: texts as the file wrote them (numbers checked on reading), empty
// when not known.
struct SiteInfo {
  std::string CoordinateSystem;     // GEF #XYID code ("31000": RD) or AGS LOCA_GREF
  std::string X, Y;                 // easting and northing in that system
  std::string Latitude, Longitude;  // decimal degrees, WGS 84
  std::string LevelDatum;           // GEF #ZID code ("31000": NAP) or AGS LOCA_DATM
  std::string GroundLevel;          // m, in that datum
  std::string ConeArea;             // cone base area, mm2
  std::string AreaRatio;            // net area ratio a of the cone
  std::string PredrillDepth;        // pre-excavated depth, m
  std::string WaterLevel;           // groundwater level, m, as GEF's #MEASUREMENTVAR 14 has it
  std::string WaterDepth;           // groundwater below the surface, m (AGS SCPG_WAT)

  bool operator==(const SiteInfo&) const = default;
};

// The kind of file a sounding was read from. A sounding file can tell a missing channel value
// only as lag; GEF-CPT, AGS4 and BRO XML files hold a void wherever one is missing.
enum class SoundingSource : std::uint8_t { SoundingFile, Gef, Ags, BroXml };

template <typename T>
using PerChannel = std::array<T, MaxChannels + 1>;
using ReadingColumn = std::array<float, MaxReadings + 1>;

struct Sounding {
  // Header texts, each one line of the file, kept as the file's bytes (Windows-1252).
  std::string CompanyName, OperatorName, ConeNumber, LocationText, JobNumber, HoleNumber,
      DateAndTime, HeaderText, Footnote1, Footnote2, GPSData, WaterTableDepth;

  // Channel set-up, channel c = 1 .. NumChannels.
  std::int16_t NumChannels = 0;
  PerChannel<std::int16_t> ChannelType{};
  PerChannel<std::string> ChannelName;
  PerChannel<float> FullScaleOutput{};  // raw instrument output at full scale
  PerChannel<float> FullScaleValue{};   // engineering value at full scale, base unit
  // [c][1]: raw zero reading before the sounding; [c][2]: after it (final-baseline line).
  PerChannel<std::array<float, 3>> Baseline{};
  PerChannel<std::int16_t> ChannelUnit{};  // selected unit option, 1-based
  PerChannel<float> ChannelFactor{};       // base unit -> selected unit
  PerChannel<float> BaselineDrift{};       // zero drift over the sounding, selected unit
  // Channel c's value for reading n stands at Reading[c][n - ChannelLag[c]]; its last
  // ChannelLag[c] positions hold NoValue.
  PerChannel<std::int16_t> ChannelLag{};
  std::int16_t MaxLag = 0;
  bool NoPoreChannel = false;
  bool HasFinalBaseline = false;
  std::string FinalBaselineLine;

  // Readings n = 1 .. NumReadings.
  std::int32_t NumReadings = 0;
  ReadingColumn Depth{};                   // metres
  ReadingColumn Speed{};                   // cm/s
  PerChannel<ReadingColumn> RawReading{};  // as stored in the file, or NoValue
  // [0][n]: display depth; [c][n]: engineering value in the channel's unit, or NoValue.
  PerChannel<ReadingColumn> Reading{};
  float DepthIncrement = 0;  // metres

  SoundingSource Source = SoundingSource::SoundingFile;
  SiteInfo Site;

  // Navigation: grid row r shows reading DataIndex - CurrentRow + r.
  std::int32_t DataIndex = 0;
  std::int16_t CurrentRow = 0;
  std::string SoundingFilePath;

  bool operator==(const Sounding&) const = default;
};

}  // namespace pelorin
