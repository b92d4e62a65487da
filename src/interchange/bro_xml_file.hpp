#pragma once
// The CPT documents of the Dutch subsurface registry (BRO): IMBRO and IMBRO/A XML, as its
// downloads and its REST service hand them out (each with namespace prefixes of its own). The
// readings stand in one text, cptcommon:values: 25 columns in a fixed order, each switched on
// by its flag under cptcommon:parameters, "," between values, ";" between readings, -999999
// for a value not measured.

#include <string>
#include <string_view>
#include <vector>

#include "sounding/sounding.hpp"
#include "sounding/sounding_file.hpp"

namespace pelorin {

// The largest file read: a CPT of 10,000 readings takes about 3 MB.
inline constexpr std::size_t kBroXmlMaxBytes = 64u << 20;

// Reads the first CPT of a BRO XML document into `s`, a fresh model, as readGefFile does for
// GEF: the penetration length as depth (the depth column when there is none), every switched-on
// column that the channel exchange file maps to a channel type while there is room, each in its
// type's base unit with an identity calibration (the friction ratio is worked out again). The
// readings are put in order of penetration length. The zero-load readings of cone, sleeve and
// pore pressures become the final-baseline information; position, surface level, cone, area
// ratio, pre-drilled depth, start, BRO ID, the delivering party and the declared standard and
// quality class go to the site information and header texts. Dissipation tests and further
// CPTs are counted in `notes`, not read. The XML parser takes no document type declaration,
// so no entity is ever expanded and nothing is fetched. False with the file, line and problem
// (naming the element) otherwise.
Outcome readBroXmlFile(std::string_view bytes, const std::string& fileName,
                       const ChannelDefinitions& defs, Sounding& s,
                       std::vector<std::string>& notes);

}  // namespace pelorin
