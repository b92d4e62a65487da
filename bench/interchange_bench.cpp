// The GEF-CPT and AGS4 files of a full sounding, 10,000 readings and 10 channels, as the
// window and the batch tool make them: written, then read back as the check; and a BRO XML CPT
// of 10,000 readings read.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "bench_support.hpp"
#include "interchange/bro_xml_file.hpp"
#include "interchange/exchange_file.hpp"

namespace {

using namespace pelorin;

void BM_ExchangeFile(benchmark::State& state) {
  const auto format = static_cast<ExchangeFormat>(state.range(0));
  state.SetLabel(format == ExchangeFormat::Gef ? "GEF-CPT" : "AGS4");
  auto s = bench::fullSounding(DepthUnit::Metres);
  std::string bytes;
  std::vector<std::string> notes;
  for (auto _ : state) {
    if (Outcome made = exchangeFileBytes(format, *s, bench::definitions(), headerTexts(*s),
                                         {"Shift Qc by 0.5 MPA"}, bytes, notes);
        !made)
      state.SkipWithError(made.message.c_str());
    benchmark::DoNotOptimize(bytes.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_ExchangeFile)
    ->Arg(static_cast<int>(ExchangeFormat::Gef))
    ->Arg(static_cast<int>(ExchangeFormat::Ags))
    ->Unit(benchmark::kMillisecond);

}  // namespace

namespace {

// A BRO XML CPT of 10,000 readings as the registry delivers one: every reading a block of the 25
// columns, eight of them switched on (lengths, time, qc, the resultant inclination, fs, u2, Rf),
// the others void. The target: at most 30 ms to read.
std::string broXmlDocument() {
  const char* on[] = {"penetrationLength",    "depth",         "elapsedTime",    "coneResistance",
                      "inclinationResultant", "localFriction", "porePressureU2", "frictionRatio"};
  const char* parameters[] = {"penetrationLength",
                              "depth",
                              "elapsedTime",
                              "coneResistance",
                              "correctedConeResistance",
                              "netConeResistance",
                              "magneticFieldStrengthX",
                              "magneticFieldStrengthY",
                              "magneticFieldStrengthZ",
                              "magneticFieldStrengthTotal",
                              "electricalConductivity",
                              "inclinationEW",
                              "inclinationNS",
                              "inclinationX",
                              "inclinationY",
                              "inclinationResultant",
                              "magneticInclination",
                              "magneticDeclination",
                              "localFriction",
                              "poreRatio",
                              "temperature",
                              "porePressureU1",
                              "porePressureU2",
                              "porePressureU3",
                              "frictionRatio"};
  std::string xml =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<dispatchDataResponse "
      "xmlns=\"http://www.broservices.nl/xsd/dscpt/1.1\" "
      "xmlns:cptcommon=\"http://www.broservices.nl/xsd/cptcommon/1.1\" "
      "xmlns:brocom=\"http://www.broservices.nl/xsd/brocommon/3.0\"><dispatchDocument><CPT_O>"
      "<brocom:broId>CPT000000000001</brocom:broId><conePenetrometerSurvey>"
      "<cptcommon:conePenetrationTest><cptcommon:cptResult><cptcommon:values>";
  char block[512];
  for (int n = 0; n < MaxReadings; ++n) {
    const double length = 0.02 * n, qc = 5 + 4 * std::sin(n / 50.0), fs = 0.04 + qc / 200;
    std::snprintf(block, sizeof block,
                  "%.3f,%.3f,%.1f,%.3f,-999999,-999999,-999999,-999999,-999999,-999999,-999999,"
                  "-999999,-999999,-999999,-999999,%d,-999999,-999999,%.3f,-999999,-999999,"
                  "-999999,%.3f,-999999,%.1f;",
                  length, length * 0.999, 10 + n * 1.1, qc, n % 3, fs, 0.01 * (n % 40),
                  fs / qc * 100);
    xml += block;
  }
  xml +=
      "</cptcommon:values></cptcommon:cptResult></cptcommon:conePenetrationTest>"
      "<cptcommon:parameters>";
  for (const char* p : parameters) {
    const bool isOn = std::find_if(std::begin(on), std::end(on), [p](const char* o) {
                        return std::string_view(o) == p;
                      }) != std::end(on);
    xml += std::string("<cptcommon:") + p + ">" + (isOn ? "ja" : "nee") + "</cptcommon:" + p + ">";
  }
  xml +=
      "</cptcommon:parameters></conePenetrometerSurvey></CPT_O></dispatchDocument>"
      "</dispatchDataResponse>\n";
  return xml;
}

void BM_ReadBroXml(benchmark::State& state) {
  const std::string xml = broXmlDocument();
  for (auto _ : state) {
    auto s = std::make_unique<Sounding>();
    std::vector<std::string> notes;
    if (Outcome read = readBroXmlFile(xml, "bench.xml", bench::definitions(), *s, notes);
        !read || s->NumReadings != MaxReadings)
      state.SkipWithError(read ? "not every reading was read" : read.message.c_str());
    benchmark::DoNotOptimize(s->Reading[1][MaxReadings]);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * xml.size()));
}
BENCHMARK(BM_ReadBroXml)->Unit(benchmark::kMillisecond);

}  // namespace
