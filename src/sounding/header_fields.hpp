#pragma once
// The twelve header texts of a sounding, lines 2 to 13 of its file, in one table: the
// model's field, the name the batch tool and its JSON give it, and the label and box the
// window shows it with. Everything that walks the header walks this table.

#include <array>
#include <cstddef>
#include <string>

#include "sounding/sounding.hpp"

namespace pelorin {

enum class HeaderField : std::size_t {
  CompanyName,
  OperatorName,
  ConeNumber,
  LocationText,
  JobNumber,
  HoleNumber,
  DateAndTime,
  HeaderText,
  Footnote1,
  Footnote2,
  GPSData,
  WaterTableDepth,
};

struct HeaderFieldInfo {
  std::string Sounding::*text;  // the model's field
  const char* name;             // --header NAME=..., info's JSON
  const char* label;            // the window's label and the history's words
  const char* box;              // the window's text box
};

inline constexpr std::array<HeaderFieldInfo, 12> kHeaderFields = {{
    {&Sounding::CompanyName, "CompanyName", "Company Name", "txtCompanyName"},
    {&Sounding::OperatorName, "OperatorName", "Operator", "txtOperator"},
    {&Sounding::ConeNumber, "ConeNumber", "Cone Number", "txtConeNumber"},
    {&Sounding::LocationText, "LocationText", "Location", "txtLocation"},
    {&Sounding::JobNumber, "JobNumber", "Job Number", "txtJobNumber"},
    {&Sounding::HoleNumber, "HoleNumber", "Hole Number", "txtHoleNumber"},
    {&Sounding::DateAndTime, "DateAndTime", "Date and Time", "txtDateandTime"},
    {&Sounding::HeaderText, "HeaderText", "Header", "txtHeader"},
    {&Sounding::Footnote1, "Footnote1", "Footnote 1", "txtFootnote1"},
    {&Sounding::Footnote2, "Footnote2", "Footnote 2", "txtFootnote2"},
    {&Sounding::GPSData, "GPSData", "GPS Data", "txtGPSData"},
    {&Sounding::WaterTableDepth, "WaterTableDepth", "Water Table Depth", "txtWaterTableDepth"},
}};

// The header texts in file order, as the window's boxes hold them.
using HeaderTexts = std::array<std::string, kHeaderFields.size()>;

inline const std::string& text(const HeaderTexts& texts, HeaderField field) {
  return texts[static_cast<std::size_t>(field)];
}

}  // namespace pelorin
