#include "interchange/bro_xml_file.hpp"

#include <expat.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <numeric>
#include <optional>

#include "interchange/exchange_text.hpp"
#include "text/number_text.hpp"
#include "text/text_file.hpp"

namespace pelorin {

namespace {

constexpr double kVoid = -999999;
constexpr std::size_t kMaxNesting = 64;

// The columns of a CPT result in the registry's order: the flag that switches each on, the
// unit its values are in and the GEF-CPT quantity it is (the channel exchange file maps those
// to channel types). The friction ratio is worked out again, as for GEF.
struct BroColumn {
  const char* parameter;
  const char* unit;
  int gefQuantity;
};
constexpr std::size_t kPenetrationLength = 0, kDepth = 1, kFrictionRatio = 24;
constexpr std::array<BroColumn, 25> kColumns = {{
    {"penetrationLength", "m", 1},
    {"depth", "m", 11},
    {"elapsedTime", "s", 12},
    {"coneResistance", "MPa", 2},
    {"correctedConeResistance", "MPa", 13},
    {"netConeResistance", "MPa", 14},
    {"magneticFieldStrengthX", "nT", 31},
    {"magneticFieldStrengthY", "nT", 32},
    {"magneticFieldStrengthZ", "nT", 33},
    {"magneticFieldStrengthTotal", "nT", 34},
    {"electricalConductivity", "S/m", 23},
    {"inclinationEW", "deg", 10},
    {"inclinationNS", "deg", 9},
    {"inclinationX", "deg", 21},
    {"inclinationY", "deg", 22},
    {"inclinationResultant", "deg", 8},
    {"magneticInclination", "deg", 35},
    {"magneticDeclination", "deg", 36},
    {"localFriction", "MPa", 3},
    {"poreRatio", "-", 15},
    {"temperature", "C", 39},
    {"porePressureU1", "MPa", 5},
    {"porePressureU2", "MPa", 6},
    {"porePressureU3", "MPa", 7},
    {"frictionRatio", "%", 4},
}};

// The zero-load readings that fit the model: before and after the test, by GEF quantity.
constexpr std::pair<const char*, int> kZeroLoads[] = {{"coneResistance", 2},
                                                      {"localFriction", 3},
                                                      {"porePressureU1", 5},
                                                      {"porePressureU2", 6},
                                                      {"porePressureU3", 7}};

std::string_view localName(std::string_view name) {
  return name.substr(std::min(name.rfind(':') + 1, name.size()));
}

// "<name>", as a message names an element.
std::string tag(std::string_view local) {
  std::string text = "<";
  text += local;
  text += '>';
  return text;
}

std::string_view trimmedView(std::string_view text) {
  const std::size_t from = text.find_first_not_of(" \t\r\n");
  if (from == std::string_view::npos) return {};
  return text.substr(from, text.find_last_not_of(" \t\r\n") - from + 1);
}

// What the first CPT of the document tells, as its elements end.
struct Document {
  XML_Parser parser = nullptr;
  std::vector<std::string> path;  // local names from the root to the element open now
  std::string text;               // the text of the element open now
  std::string srsName;            // of the location element open now
  std::string uom;                // of the element open now
  std::string problem;            // why the parser was stopped
  int problemLine = 0;
  std::string root;
  int cpts = 0;
  std::size_t cptLevel = 0;  // the first CPT's place in `path`, 0 before it

  std::string broId, party, standard, qualityClass, coneType, start;
  std::string x, y, system, latitude, longitude, level, datum;
  std::string predrill, coneArea, areaRatio;
  std::vector<ZeroReading> zeros;
  std::array<std::optional<bool>, kColumns.size()> switchedOn;
  std::vector<std::string> dissipationTests;  // each by its penetration length, m
  std::string values;
  int valuesLine = 0;
  char tokenSeparator = ',', blockSeparator = ';';
  bool decimalPoint = true;

  bool in(std::string_view name, std::size_t up = 1) const {
    return path.size() > up && path[path.size() - 1 - up] == name;
  }
  bool inFirstCpt() const { return cptLevel > 0 && path.size() > cptLevel; }
  int line() const { return static_cast<int>(XML_GetCurrentLineNumber(parser)); }
  void stop(std::string why) {
    if (problem.empty()) problem = std::move(why), problemLine = line();
    XML_StopParser(parser, XML_FALSE);
  }
};

const char* attribute(const XML_Char** atts, std::string_view name) {
  for (; atts[0]; atts += 2)
    if (localName(atts[0]) == name) return atts[1];
  return nullptr;
}

void XMLCALL startElement(void* data, const XML_Char* name, const XML_Char** atts) {
  auto& d = *static_cast<Document*>(data);
  const std::string_view local = localName(name);
  if (d.path.size() >= kMaxNesting)
    return d.stop("elements are nested more than " + std::to_string(kMaxNesting) + " deep");
  if (d.path.empty()) d.root = local;
  d.path.emplace_back(local);
  d.text.clear();
  const char* uom = attribute(atts, "uom");
  d.uom = uom ? uom : "";
  if (local == "CPT_O" || local == "CPT") {
    if (++d.cpts == 1) d.cptLevel = d.path.size();
    return;
  }
  if (!d.inFirstCpt()) return;
  if (local == "location") {
    const char* srs = attribute(atts, "srsName");
    d.srsName = srs ? srs : "";
  } else if (local == "TextEncoding" && d.in("encoding") && d.in("cptResult", 2)) {
    auto separator = [&](const char* which, char& into) {
      const char* given = attribute(atts, which);
      if (given && std::string_view(given).size() == 1) into = given[0];
      return given == nullptr || std::string_view(given).size() == 1;
    };
    const char* point = attribute(atts, "decimalSeparator");
    d.decimalPoint = !point || std::string_view(point) == ".";
    if (!separator("tokenSeparator", d.tokenSeparator) ||
        !separator("blockSeparator", d.blockSeparator) || !d.decimalPoint)
      d.stop("<TextEncoding> asks for separators other than single characters and \".\"");
  } else if (local == "values" && d.in("cptResult")) {
    d.valuesLine = d.line();
  } else if (local == "dissipationTest") {
    d.dissipationTests.emplace_back();
  }
}

void XMLCALL characters(void* data, const XML_Char* text, int length) {
  auto& d = *static_cast<Document*>(data);
  if (d.inFirstCpt()) d.text.append(text, static_cast<std::size_t>(length));
}

// A number as the file wrote it, or the element named with what is wrong.
void numberInto(Document& d, std::string_view local, std::string& into) {
  const std::string_view value = trimmedView(d.text);
  if (!strictNumber(value))
    return d.stop(tag(local) + " holds " + quotedText(value) + ", no number");
  into = value;
}

void XMLCALL endElement(void* data, const XML_Char* name) {
  auto& d = *static_cast<Document*>(data);
  const std::string_view local = localName(name);
  if (d.inFirstCpt()) {
    const std::string_view value = trimmedView(d.text);
    if (d.in("parameters") && d.in("conePenetrometerSurvey", 2)) {
      auto column = std::find_if(kColumns.begin(), kColumns.end(),
                                 [&](const BroColumn& c) { return local == c.parameter; });
      if (column != kColumns.end()) {
        if (value != "ja" && value != "nee")
          return d.stop(tag(local) + " says " + quotedText(value) +
                        ": a parameter is switched on by \"ja\" or off by \"nee\"");
        d.switchedOn[static_cast<std::size_t>(column - kColumns.begin())] = value == "ja";
      }
    } else if (d.in("zeroLoadMeasurement")) {
      for (auto [quantity, gef] : kZeroLoads)
        for (bool before : {true, false})
          if (local == std::string(quantity) + (before ? "Before" : "After")) {
            std::optional<double> number = strictNumber(value);
            if (!number) return d.stop(tag(local) + " holds " + quotedText(value) + ", no number");
            auto zero =
                std::find_if(d.zeros.begin(), d.zeros.end(),
                             [q = gef](const ZeroReading& z) { return z.gefQuantity == q; });
            if (zero == d.zeros.end())
              zero = d.zeros.insert(d.zeros.end(), ZeroReading{gef, 0, 0, d.uom});
            (before ? zero->before : zero->after) = *number;
          }
    } else if (local == "values" && d.in("cptResult")) {
      d.values = std::move(d.text);
    } else if (local == "penetrationLength" && d.in("dissipationTest")) {
      d.dissipationTests.back() = value;
    } else if (local == "broId" && d.path.size() == d.cptLevel + 1) {
      d.broId = value;
    } else if (local == "deliveryAccountableParty") {
      d.party = value;
    } else if (local == "cptStandard") {
      d.standard = value;
    } else if (local == "qualityClass") {
      d.qualityClass = value;
    } else if (local == "conePenetrometerType") {
      d.coneType = value;
    } else if (local == "timePosition" && d.in("phenomenonTime", 2) &&
               d.in("conePenetrationTest", 3)) {
      d.start = value;
    } else if (local == "pos" && d.in("location") &&
               (d.in("deliveredLocation", 2) || d.in("standardizedLocation", 2))) {
      // "x y" in the system srsName names: RD (EPSG 28992) as easting and northing, ETRS89
      // (EPSG 4258) as latitude and longitude.
      const std::size_t blank = value.find_first_of(" \t\r\n");
      const std::string_view first = value.substr(0, blank);
      const std::string_view second =
          blank == std::string_view::npos ? std::string_view() : trimmedView(value.substr(blank));
      if (!strictNumber(first) || !strictNumber(second))
        return d.stop("<pos> holds " + quotedText(value) + ", not two numbers");
      const std::string code =
          d.srsName.substr(std::min(d.srsName.rfind(':') + 1, d.srsName.size()));
      if (code == "4258")
        d.latitude = first, d.longitude = second;
      else if (d.in("deliveredLocation", 2))
        d.system = code, d.x = first, d.y = second;
    } else if (local == "offset" && d.in("deliveredVerticalPosition")) {
      numberInto(d, local, d.level);
    } else if (local == "verticalDatum") {
      d.datum = value == "NAP" ? "31000" : std::string(value);  // GEF's code for NAP
    } else if (local == "predrilledDepth") {
      numberInto(d, local, d.predrill);
    } else if (local == "coneSurfaceQuotient") {
      numberInto(d, local, d.areaRatio);
    } else if (local == "coneSurfaceArea") {
      numberInto(d, local, d.coneArea);
      const std::optional<double> toMm2 = unitFactor(d.uom, "mm2");
      if (toMm2 && *toMm2 != 1) d.coneArea = generalNumber(numericPrefix(d.coneArea) * *toMm2);
    }
  }
  if (local == "values" || local == "cptResult") d.text.clear();
  if (d.path.size() == d.cptLevel) d.cptLevel = 0;
  d.path.pop_back();
}

// The document type declaration is where entities are declared: a BRO document has none, so
// none is taken, and no entity can be expanded.
void XMLCALL doctype(void* data, const XML_Char*, const XML_Char*, const XML_Char*, int) {
  static_cast<Document*>(data)->stop(
      "the document has a document type declaration (<!DOCTYPE>), which a BRO document never "
      "has");
}

void XMLCALL entity(void* data, const XML_Char*, int, const XML_Char*, int, const XML_Char*,
                    const XML_Char*, const XML_Char*, const XML_Char*) {
  static_cast<Document*>(data)->stop("the document declares an entity");
}

// One column that becomes a channel: where its values are and how they become base units.
struct ChannelColumn {
  std::size_t column;
  int channel;
  double toBase;
};

}  // namespace

Outcome readBroXmlFile(std::string_view bytes, const std::string& fileName,
                       const ChannelDefinitions& defs, Sounding& s,
                       std::vector<std::string>& notes) {
  if (bytes.size() > kBroXmlMaxBytes)
    return refusedOnLine(fileName, 1,
                         "the file is larger than " + std::to_string(kBroXmlMaxBytes >> 20) +
                             " MB, more than a CPT of 10,000 readings takes");
  Document d;
  std::unique_ptr<std::remove_pointer_t<XML_Parser>, void (*)(XML_Parser)> parser(
      XML_ParserCreate(nullptr), XML_ParserFree);
  if (!parser) return Outcome::refused("there is no memory to read " + quotedText(fileName));
  d.parser = parser.get();
  XML_SetUserData(d.parser, &d);
  XML_SetElementHandler(d.parser, startElement, endElement);
  XML_SetCharacterDataHandler(d.parser, characters);
  XML_SetStartDoctypeDeclHandler(d.parser, doctype);
  XML_SetEntityDeclHandler(d.parser, entity);
  XML_SetParamEntityParsing(d.parser, XML_PARAM_ENTITY_PARSING_NEVER);
  if (XML_Parse(d.parser, bytes.data(), static_cast<int>(bytes.size()), XML_TRUE) ==
      XML_STATUS_ERROR) {
    if (d.problem.empty()) {
      d.problemLine = static_cast<int>(XML_GetCurrentLineNumber(d.parser));
      d.problem =
          std::string("the XML is not well-formed: ") + XML_ErrorString(XML_GetErrorCode(d.parser));
      if (!d.path.empty()) d.problem += ", within <" + d.path.back() + ">";
    }
    return refusedOnLine(fileName, d.problemLine, d.problem);
  }
  if (d.cpts == 0)
    return refusedOnLine(fileName, 1,
                         "no CPT: the root element <" + d.root +
                             "> holds no <CPT_O>, so this is no BRO CPT document");
  const int end = static_cast<int>(XML_GetCurrentLineNumber(d.parser));
  if (d.valuesLine == 0)
    return refusedOnLine(fileName, end, "the CPT has no readings (<cptResult> with <values>)");

  // The columns switched on; without <parameters>, every column the file fills.
  const bool flagged = std::any_of(d.switchedOn.begin(), d.switchedOn.end(),
                                   [](const std::optional<bool>& on) { return on.has_value(); });
  auto on = [&](std::size_t k) { return !flagged || d.switchedOn[k].value_or(false); };
  const std::size_t depthColumn = on(kPenetrationLength) ? kPenetrationLength
                                  : on(kDepth)           ? kDepth
                                                         : kColumns.size();
  if (depthColumn == kColumns.size())
    return refusedOnLine(fileName, end,
                         "<parameters> switches on neither <penetrationLength> nor <depth>");
  std::vector<ExchangeRank> ranks;
  for (std::size_t k = 0; k < kColumns.size(); ++k) {
    if (!on(k) || k == depthColumn || k == kFrictionRatio) continue;
    ExchangeRank rank = exchangeRank(
        defs, [&](const ExchangeColumn& q) { return q.gefQuantity == kColumns[k].gefQuantity; });
    rank.column = k;
    rank.what = "column " + std::to_string(k + 1) + " (" + kColumns[k].parameter + ")";
    ranks.push_back(rank);
  }
  std::vector<ChannelColumn> channels;
  for (const ExchangeRank& rank : channelsInOrder(ranks, notes)) {
    const BroColumn& column = kColumns[rank.column];
    channels.push_back({rank.column, addBaseUnitChannel(s, defs, rank.type, column.parameter),
                        unitFactor(column.unit, defs.UnitName[rank.type][1]).value_or(1.0)});
  }

  // The readings: each a block of 25 values; the line of a block counted from <values>.
  std::string_view text = d.values;
  int line = d.valuesLine;
  std::array<std::string_view, kColumns.size()> value;
  int blocks = 0;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t stop = std::min(text.find(d.blockSeparator, at), text.size());
    const std::string_view block = text.substr(at, stop - at);
    const std::size_t lead = std::min(block.find_first_not_of(" \t\r\n"), block.size());
    const int blockLine =
        line + static_cast<int>(std::count(
                   block.begin(), block.begin() + static_cast<std::ptrdiff_t>(lead), '\n'));
    line += static_cast<int>(std::count(block.begin(), block.end(), '\n'));
    at = stop + 1;
    const std::string_view record = trimmedView(block);
    if (record.empty()) continue;
    const std::string reading = "reading " + std::to_string(++blocks);
    std::size_t count = 0;
    for (std::size_t from = 0; from <= record.size() && count <= kColumns.size();) {
      const std::size_t to = std::min(record.find(d.tokenSeparator, from), record.size());
      if (count < kColumns.size()) value[count] = trimmedView(record.substr(from, to - from));
      ++count, from = to + 1;
    }
    if (count != kColumns.size())
      return refusedOnLine(
          fileName, blockLine,
          "<values>, " + reading + ": " +
              (count > kColumns.size() ? "more than" : std::to_string(count) + " values for") +
              " the 25 columns of a CPT result");
    auto number = [&](std::size_t k) -> std::optional<double> {
      std::optional<double> v = strictNumber(value[k]);
      if (v && !std::isfinite(toSingle(*v))) v.reset();
      return v;
    };
    const std::optional<double> depth = number(depthColumn);
    if (!depth)
      return refusedOnLine(fileName, blockLine,
                           "<values>, " + reading + ": its " + kColumns[depthColumn].parameter +
                               " " + quotedText(value[depthColumn]) + " is no number");
    if (*depth == kVoid) {
      notes.push_back("line " + std::to_string(blockLine) + ": a reading is left out: its " +
                      kColumns[depthColumn].parameter + " is void");
      continue;
    }
    std::array<float, MaxChannels + 1> base{};
    bool measured = false;
    for (const ChannelColumn& column : channels) {
      const std::optional<double> v = number(column.column);
      if (!v)
        return refusedOnLine(fileName, blockLine,
                             "<values>, " + reading + ", column " +
                                 std::to_string(column.column + 1) + " (" +
                                 kColumns[column.column].parameter + ") holds " +
                                 quotedText(value[column.column]) + ", no number");
      base[static_cast<std::size_t>(column.channel)] =
          *v == kVoid ? NoValue : toSingle(*v * column.toBase);
      measured = measured || (*v != kVoid && column.column != kDepth);
    }
    // Lengths without a single value measured at them are no reading.
    if (!measured) {
      notes.push_back("line " + std::to_string(blockLine) + ": " + reading +
                      " of <values> is left out: it holds no measured value");
      continue;
    }
    if (s.NumReadings >= MaxReadings)
      return refusedOnLine(fileName, blockLine, "more than 10,000 readings");
    const int n = ++s.NumReadings;
    s.Depth[n] = s.Reading[0][n] = toSingle(*depth);
    s.Speed[n] = 0;  // the registry keeps no penetration rate
    for (int c = 1; c <= s.NumChannels; ++c) {
      const float v = base[static_cast<std::size_t>(c)];
      s.RawReading[c][n] = v;
      s.Reading[c][n] =
          v == NoValue ? NoValue : toSingle(v * static_cast<double>(s.ChannelFactor[c]));
    }
  }
  if (s.NumReadings == 0)
    return refusedOnLine(fileName, d.valuesLine, "<values> holds no readings");

  // The registry keeps the readings as a set: they are put in order of penetration length,
  // each whole, as the registry's GEF of the same test has them.
  if (!std::is_sorted(&s.Depth[1], &s.Depth[1] + s.NumReadings)) {
    std::vector<int> order(static_cast<std::size_t>(s.NumReadings));
    std::iota(order.begin(), order.end(), 1);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return s.Depth[a] < s.Depth[b]; });
    auto reorder = [&](ReadingColumn& column) {
      std::vector<float> was(&column[1], &column[1] + s.NumReadings);
      for (std::size_t k = 0; k < order.size(); ++k)
        column[k + 1] = was[static_cast<std::size_t>(order[k] - 1)];
    };
    reorder(s.Depth), reorder(s.Reading[0]);
    for (int c = 1; c <= s.NumChannels; ++c) reorder(s.RawReading[c]), reorder(s.Reading[c]);
    notes.push_back(
        "the readings are put in order of penetration length, as the file lists them otherwise");
  }

  // The header texts, each as Windows-1252.
  auto single = [](const std::string& utf8) { return utf8ToWindows1252(utf8); };
  s.HoleNumber = single(d.broId);
  if (!d.party.empty()) s.CompanyName = "KvK " + single(d.party);
  s.ConeNumber = single(d.coneType);
  if (!d.standard.empty() || !d.qualityClass.empty())
    s.HeaderText = "declared: standard " + single(d.standard.empty() ? "-" : d.standard) +
                   ", quality class " + single(d.qualityClass.empty() ? "-" : d.qualityClass);
  // "2019-04-15T10:55:42+02:00": the local time of the test.
  if (d.start.size() >= 10) {
    SoundingDate when{};
    const std::string_view day = std::string_view(d.start).substr(0, 10);
    if (auto date = soundingDate(day)) when = *date;
    if (d.start.size() >= 16 && d.start[10] == 'T') {
      when.hour = static_cast<int>(numericPrefix(d.start.substr(11, 2)));
      when.minute = static_cast<int>(numericPrefix(d.start.substr(14, 2)));
    }
    if (when.year > 0 && isCalendarDay(when)) s.DateAndTime = yearFirstText(when);
  }
  SiteInfo& site = s.Site;
  site.CoordinateSystem = single(d.system), site.X = d.x, site.Y = d.y;
  site.Latitude = d.latitude, site.Longitude = d.longitude;
  if (!d.level.empty()) site.LevelDatum = single(d.datum), site.GroundLevel = d.level;
  site.ConeArea = d.coneArea, site.AreaRatio = d.areaRatio, site.PredrillDepth = d.predrill;

  if (!d.dissipationTests.empty()) {
    std::string where;
    for (const std::string& length : d.dissipationTests)
      where += (where.empty() ? "" : ", ") + (length.empty() ? "?" : length) + " m";
    notes.push_back("the file holds " + std::to_string(d.dissipationTests.size()) +
                    (d.dissipationTests.size() == 1 ? " dissipation test" : " dissipation tests") +
                    " (at " + where + "): not read");
  }
  if (d.cpts > 1)
    notes.push_back("the file holds " + std::to_string(d.cpts) + " CPTs: the first, " +
                    (d.broId.empty() ? std::string("without a BRO ID") : d.broId) +
                    ", is opened; the others are not read");
  s.Source = SoundingSource::BroXml;
  settleReadChannels(s, notes);
  keepZeroReadings(s, defs, d.zeros);
  return {};
}

}  // namespace pelorin
