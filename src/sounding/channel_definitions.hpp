#pragma once
// The channel definition files Channel1.txt ... Channel20.txt: for each channel type the
// units it can be shown in, with their display patterns and factors from the base unit.

#include <string>
#include <string_view>
#include <vector>

#include "sounding/sounding.hpp"

namespace pelorin {

// Reads one definition file's bytes into type `type` of defs. Returns an empty text on
// success; otherwise the line and the problem, and type `type` is left without units.
// What is read but looks wrong (a count that is no number, read as 0; a factor that is not
// positive or lies outside 1e-9 to 1e9) goes to `remarks`, with its line and item.
std::string parseChannelDefinition(std::string_view bytes, int type, ChannelDefinitions& defs,
                                   std::vector<std::string>* remarks = nullptr);

// Where the definition files of an installation lie: beside the program when Channel1.txt
// is there (a build, or a copy of the program with its files), otherwise in the data folder
// of the installation the program belongs to.
std::string definitionsFolder(const std::string& programFolder);

// Reads ChannelExchange.txt's bytes: after an identification line and a line naming the
// columns, the number of rows, then per channel type its type number, GEF quantity, GEF unit,
// GEF name, GEF decimals, AGS heading, AGS unit and AGS decimals as text items. Empty on
// success; otherwise the line and the problem, and `columns` is left as it was.
std::string parseExchangeColumns(std::string_view bytes, std::vector<ExchangeColumn>& columns);

// The GEF quantity the channel exchange file gives a channel type (2 cone resistance, 3 sleeve
// friction, 5 to 7 pore pressures, 21, 22 and 8 inclinations...): what a channel of the type
// measures, for the quality report as for the exports. 0 when it gives none.
int gefQuantityOf(const ChannelDefinitions& defs, int type);

// Loads Channel1.txt ... Channel20.txt from folder, and ChannelExchange.txt when it is there
// (otherwise the shipped mapping stands). A missing file gives its type no units;
// a file that cannot be used is skipped with a warning that names it.
ChannelDefinitions loadChannelDefinitions(const std::string& folder,
                                          std::vector<std::string>& warnings);

}  // namespace pelorin
