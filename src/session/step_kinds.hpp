#pragma once
// Each kind of step is described once, in step_kinds.cpp: the batch tool's operation for it
// (flag, value and help), how that operation is read and how the step is written back as
// one, how the step is applied and told in the history, and whether the grid is filled anew
// after it. A kind of step of the Step variant that lacks any of these does not compile.
// This header is the session's own; the batch tool reaches the same through
// operation_words.hpp.

#include <optional>
#include <string>
#include <vector>

#include "session/session.hpp"

namespace pelorin {

// What applying a step may change: the session's state.
struct StepContext {
  Sounding& s;
  const ChannelDefinitions& defs;
  HeaderTexts& header;
  DepthUnit& depthUnit;
  std::optional<ExportSystem>& exportSystem;
  InputChoices& interpretation;
};

// Applies the step and says it in the history's words.
StepResult runStep(StepContext& context, const Step& step, std::string& description);

// Whether the grid's texts are written anew after the step, refused or not.
bool rewritesGrid(const Step& step, bool applied);

// The batch tool's words for a step on the sounding as it stands before it.
std::vector<std::string> wordsFor(const Step& step, const Sounding& s,
                                  const ChannelDefinitions& defs);

}  // namespace pelorin
