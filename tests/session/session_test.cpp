// The clean-up session on random runs of steps: Undo gives the state of a run without the
// undone steps, and the copied command gives the same file. What each step says it did is
// a line of tests/cases.txt.

#include "session/session.hpp"

#include <gtest/gtest.h>

#include <random>
#include <set>

#include "cli/run_cli.hpp"
#include "session/operation_words.hpp"
#include "session/step_kinds.hpp"
#include "sounding/open_sounding.hpp"

namespace pelorin::test {
namespace {

std::unique_ptr<Sounding> opened(const std::string& path) {
  auto [s, error, errorNotes] = openSoundingFile(path, projectDefinitions());
  EXPECT_TRUE(s) << error.message;
  return std::move(s);
}

Step combine(const std::string& name, const std::string& from, bool normalize) {
  return Combine{fixturePath(name), readFixture(name), from, normalize};
}

// A random step on the sounding as it stands; some are refused and so are no step.
Step randomStep(std::mt19937& random, const Sounding& s) {
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
  auto number = [&] { return std::to_string(pick(-500, 2000) / 100.0); };
  const int c = pick(1, std::max<int>(1, s.NumChannels));
  const ChannelDefinitions& defs = projectDefinitions();
  switch (pick(0, 12)) {
    case 0:
      return DeleteReading{pick(1, s.NumReadings + 1)};
    case 1:
      return InsertReading{pick(1, s.NumReadings + 1)};
    case 2:
      return SetValue{c, pick(1, s.NumReadings), static_cast<float>(pick(-100, 1000)) / 8};
    case 3:
      return SetHeader{pick(0, 11), "text " + std::to_string(pick(0, 9))};
    case 4:
      return ChangeDepthUnit{pick(0, 1) ? DepthUnit::Feet : DepthUnit::Metres};
    case 5: {
      const int type = s.ChannelType[c];
      return ChangeChannelUnit{
          c, defs.UnitName[type][pick(1, std::max<int>(1, defs.UnitCount[type]))]};
    }
    case 6:
      return StartDepth{number()};
    case 7:
      return DepthIncrementPresses{{pick(-3, 3), pick(-3, 3)}};
    case 8: {
      ShiftReadings shift;
      shift.boxes.fill("0");
      shift.boxes[static_cast<std::size_t>(c)] = number();
      return shift;
    }
    case 9:
      return RemoveNegatives{};
    case 10:
      return AutoClean{};
    case 11:
      return ExportUnits{static_cast<ExportSystem>(pick(0, 4))};
    default: {
      const char* seconds[] = {"combine_second_9_50_to_15_30.cpt", "combine_second_qc_fs.cpt",
                               "combine_cone_lower_case.cpt", "lags_2_and_3_speeds_apart.cpt"};
      return combine(seconds[pick(0, 3)], number(), pick(0, 1));
    }
  }
}

std::string saved(const Session& session) {
  std::string bytes;
  if (Outcome written =
          writeSoundingFile(session.sounding(), session.definitions(), session.header(), bytes);
      !written)
    return written.message;
  return bytes;
}

TEST(SessionProperty, UndoReplaysAndTheCopiedCommandMakesTheSameFile) {
  const std::string files[] = {dataPath("sample_no_pore.cpt"),
                               fixturePath("combine_first_qc_fs_u2.cpt"),
                               fixturePath("lags_2_and_3_speeds_apart.cpt"),
                               fixturePath("autoclean_off_grid_depths_and_gaps.cpt"),
                               fixturePath("negatives_on_five_channel_types.cpt")};
  std::mt19937 random(20261207);
  const std::string out = temporaryFolder() + "/out.cpt";
  // Undo keeps the user's place (the current reading and row); all else is replayed.
  const auto sameApartFromPlace = [](const Sounding& a, const Sounding& b) {
    auto placed = std::make_unique<Sounding>(b);
    placed->DataIndex = a.DataIndex, placed->CurrentRow = a.CurrentRow;
    return a == *placed;
  };
  int combined = 0, cleaned = 0;
  for (int run = 0; run < 300; ++run) {
    const std::string& file = files[run % 5];
    SCOPED_TRACE("run " + std::to_string(run) + " on " + file);
    auto first = opened(file);
    Session session(projectDefinitions());
    session.open(std::make_unique<Sounding>(*first), file);
    const int wanted = std::uniform_int_distribution<int>(1, 40)(random);
    for (int k = 0; k < wanted; ++k)  // some are refused, and so are no step
      (void)session.apply(randomStep(random, session.sounding()));
    const std::size_t n = session.position();
    for (const HistoryEntry& entry : session.history()) {
      combined += std::holds_alternative<Combine>(entry.step);
      cleaned += std::holds_alternative<AutoClean>(entry.step);
    }

    // (c) The copied command makes the same file from the opened one.
    std::vector<std::string> args = {"clean", file, "-o", out};
    for (std::string& word : commandWords(session)) args.push_back(word);
    CliRun cli = runCli(args);
    ASSERT_EQ(cli.status, 0) << cli.err;
    ASSERT_EQ(fileBytes(out), saved(session));

    // (b) Undo of k steps is a fresh run of the first n - k.
    const std::size_t k = std::uniform_int_distribution<std::size_t>(0, n)(random);
    session.goTo(n - k);
    Session fresh(projectDefinitions());
    fresh.open(std::make_unique<Sounding>(*first), file);
    for (std::size_t i = 0; i < n - k; ++i)
      ASSERT_TRUE(fresh.apply(session.history()[i].step).applied());
    ASSERT_TRUE(sameApartFromPlace(session.sounding(), fresh.sounding()));
    ASSERT_EQ(session.header(), fresh.header());
    ASSERT_EQ(saved(session), saved(fresh));

    // (a) Undo of everything is the file as opened; Redo of everything the whole run.
    session.goTo(0);
    ASSERT_TRUE(sameApartFromPlace(session.sounding(), *first));
    session.goTo(n);
    ASSERT_EQ(session.position(), n);
  }
  EXPECT_GT(combined, 20);
  EXPECT_GT(cleaned, 20);
}

// What each call says it did and changed, one after another on the clay sample.
TEST(SessionChange, EachCallSaysWhatItChanged) {
  using K = SessionChange::Kind;
  using W = SessionChange::What;
  Session session(projectDefinitions());
  EXPECT_EQ(session.open(opened(dataPath("sample_clay_002.cpt")), "clay.cpt").what,
            unsigned{W::Everything});
  const struct {
    Step step;
    K kind;
    unsigned what;
  } steps[] = {
      {SetValue{1, 20, 5}, K::Added, W::Readings},
      {SetValue{1, 20, 6}, K::Merged, W::Readings},  // typing on in the same cell
      {ChangeDepthUnit{DepthUnit::Metres}, K::Nothing, W::GridText},
      {ChangeDepthUnit{DepthUnit::Feet}, K::Added, W::Units | W::Readings | W::GridText},
      {SetHeader{2, "CPT-7"}, K::Added, W::Header},
      {DeleteReading{40}, K::Added, W::Readings | W::CurrentReading | W::GridText},
      {DeleteReading{9999}, K::Refused, 0},
      {AutoClean{}, K::Nothing, W::GridText},  // the sample is clean already
      {ExportUnits{ExportSystem::English}, K::Added,
       W::Units | W::Readings | W::ExportChoice | W::GridText},
      {combine("combine_second_9_50_to_15_30.cpt", "99", true), K::Refused, 0},
  };
  for (const auto& [step, kind, what] : steps) {
    SCOPED_TRACE(step.index());
    const SessionChange change = session.apply(step).change;
    EXPECT_EQ(change.kind, kind);
    EXPECT_EQ(change.what, what);
  }
  EXPECT_EQ(session.undo().kind, K::Moved);
  EXPECT_EQ(session.redo().kind, K::Moved);
  EXPECT_EQ(session.redo().kind, K::Nothing);  // nothing left to redo
}

// With 10,000 readings Delete and Insert have no room to move the readings below; the
// refusal names the key that needs it.
TEST(SessionFull, DeleteAndInsertSayWhyTheyNeedRoom) {
  auto full = opened(dataPath("sample_clay_002.cpt"));
  for (int n = full->NumReadings + 1; n <= MaxReadings; ++n) {
    full->Depth[n] = full->Depth[n - 1] + full->DepthIncrement;
    full->Reading[0][n] = full->Depth[n];
    for (int c = 1; c <= full->NumChannels; ++c) full->Reading[c][n] = full->Reading[c][n - 1];
  }
  full->NumReadings = MaxReadings;
  Session session(projectDefinitions());
  session.open(std::move(full), "full.cpt");
  for (const auto& [step, key] :
       {std::pair<Step, std::string>{DeleteReading{20}, "Delete"}, {InsertReading{20}, "Insert"}}) {
    const StepResult result = session.apply(step);
    EXPECT_FALSE(result.applied());
    EXPECT_EQ(result.outcome.message,
              key +
                  " needs the room of one more reading while it moves the readings below, and "
                  "the sounding already has 10,000 readings");
    EXPECT_EQ(session.sounding().NumReadings, MaxReadings);
  }
}

// Every kind of step written as the batch tool's words reads back as the same step.
TEST(StepWords, EveryKindReadsBackAsTheSameStep) {
  const auto s = opened(dataPath("sample_clay_002.cpt"));
  const ChannelDefinitions& defs = projectDefinitions();
  ShiftReadings shift;
  shift.boxes.fill("0");
  shift.boxes[1] = "0.5", shift.boxes[3] = "-2";
  const Step samples[] = {DeleteReading{30},
                          InsertReading{31},
                          SetValue{2, 40, 12.375f},
                          SetHeader{3, "Dyke km 3"},
                          ChangeDepthUnit{DepthUnit::Feet},
                          ChangeChannelUnit{1, "KPA"},
                          StartDepth{"1.5"},
                          DepthIncrementPresses{{3}},
                          DepthIncrementPresses{{3, -1, 2}},
                          shift,
                          RemoveNegatives{},
                          combine("combine_second_9_50_to_15_30.cpt", "9.6", false),
                          AutoClean{},
                          FillGaps{},
                          ExportUnits{ExportSystem::English},
                          InterpretationInput{InterpretationInput::Field::AreaRatio, "0.7"},
                          InterpretationInput{InterpretationInput::Field::WaterDepth, ""},
                          InterpretationInput{InterpretationInput::Field::UnitWeight, "18"},
                          InterpretationInput{InterpretationInput::Field::CnCap, ""}};
  std::set<std::size_t> kinds;
  for (const Step& step : samples) {
    SCOPED_TRACE(step.index());
    kinds.insert(step.index());
    const std::vector<std::string> words = wordsFor(step, *s, defs);
    std::vector<Operation> operations;
    for (std::size_t i = 0; i < words.size();) ASSERT_TRUE(parseOperation(words, i, operations));
    std::vector<Step> read(operations.size());
    for (std::size_t k = 0; k < operations.size(); ++k) {
      ASSERT_TRUE(stepFor(operations[k], *s, read[k]));
      if (auto* c = std::get_if<Combine>(&read[k])) c->path = std::get<Combine>(step).path;
    }
    ASSERT_EQ(read.size(), 1u);
    EXPECT_TRUE(read[0] == step);
  }
  EXPECT_EQ(kinds.size(), std::variant_size_v<Step>) << "a kind of step without a sample";
}

}  // namespace
}  // namespace pelorin::test
