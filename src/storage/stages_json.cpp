#include "storage/stages_json.h"

#include <cstdint>
#include <nlohmann/json.hpp>

#include "model/error.h"
#include "model/stages.h"

namespace drav {

namespace {

using nlohmann::json;

const json& Field(const json& object, const char* name, const std::string& where) {
  if (!object.is_object() || !object.contains(name))
    throw DravError(where + " has no \"" + name + "\"");
  return object.at(name);
}

std::string Text(const json& value, const std::string& what) {
  if (!value.is_string()) throw DravError(what + " must be a text");
  std::string text = value.get<std::string>();
  // The file keeps each name on one line.
  if (text.find_first_of("\r\n\x1a") != std::string::npos)
    throw DravError(what + " cannot hold a line break");
  if (text.find('\0') != std::string::npos) throw DravError(what + " cannot hold a NUL byte");
  return text;
}

int Round(const json& value, const std::string& what) {
  if (!value.is_number_integer()) throw DravError(what + " must be a whole number");
  if (value.is_number_unsigned() && value.get<unsigned long long>() > INT32_MAX)
    throw DravError(what + " is out of range");
  const auto n = value.get<long long>();
  if (n < INT32_MIN || n > INT32_MAX) throw DravError(what + " is out of range");
  return static_cast<int>(n);
}

int TeamNamed(const Tournament& t, const std::string& name) {
  int found = -1;
  for (int i = 0; i < t.TeamCount(); ++i) {
    if (t.TeamName(i) != name) continue;
    if (found >= 0) throw DravError("More than one team is named " + name);
    found = i;
  }
  if (found < 0) throw DravError("Unknown team " + name);
  return found;
}

std::vector<Stage> StagesFrom(const json& doc, const Tournament& t) {
  if (!doc.is_array()) throw DravError("The stages must be a JSON list");
  std::vector<Stage> stages;
  for (std::size_t i = 0; i < doc.size(); ++i) {
    const json& js = doc[i];
    const std::string where = "Stage " + std::to_string(i + 1);
    Stage s;
    s.Name = Text(Field(js, "name", where), where + ": \"name\"");
    s.FirstRound = Round(Field(js, "first_round", where), where + ": \"first_round\"");
    s.LastRound = Round(Field(js, "last_round", where), where + ": \"last_round\"");
    if (js.contains("carry_over")) {
      if (!js["carry_over"].is_boolean())
        throw DravError(where + ": \"carry_over\" must be true or false");
      s.CarryOver = js["carry_over"].get<bool>();
    }
    if (js.contains("kind") &&
        (!js["kind"].is_string() || !ParseStageKind(js["kind"].get<std::string>(), s.Kind)))
      throw DravError(where + ": \"kind\" must be \"pools\" or \"elimination\"");
    if (js.contains("brackets")) {
      const json& brackets = js["brackets"];
      if (!brackets.is_array()) throw DravError(where + ": \"brackets\" must be a list");
      for (const json& jb : brackets) {
        Bracket b;
        b.Name = Text(Field(jb, "name", where + ", a bracket"), where + ", a bracket's \"name\"");
        const json& teams = Field(jb, "teams", where + ", bracket " + b.Name);
        if (!teams.is_array())
          throw DravError(where + ", bracket " + b.Name + ": \"teams\" must be a list");
        for (const json& team : teams) b.Teams.push_back(TeamNamed(t, Text(team, "A team")));
        s.Brackets.push_back(std::move(b));
      }
    }
    stages.push_back(std::move(s));
  }
  CheckStages(stages, t.TeamCount());
  return stages;
}

std::vector<FinalPlace> PlacesFrom(const json& doc, const Tournament& t) {
  if (!doc.is_array()) throw DravError("\"final_places\" must be a list");
  std::vector<FinalPlace> places;
  for (std::size_t i = 0; i < doc.size(); ++i) {
    const std::string where = "Final place " + std::to_string(i + 1);
    FinalPlace p;
    p.Team = TeamNamed(t, Text(Field(doc[i], "team", where), where + ": \"team\""));
    const int place = Round(Field(doc[i], "place", where), where + ": \"place\"");
    if (place < 1 || place > t.TeamCount())
      throw DravError(where + ": \"place\" must be from 1 to the number of teams");
    p.Place = place;
    places.push_back(p);
  }
  try {
    CheckFinalPlaces(places, t.TeamCount());
  } catch (const DravError&) {
    throw DravError("A team has two final places");  // the only fault left once names resolve
  }
  return places;
}

json ParseJson(std::string_view text) {
  json doc = json::parse(text.begin(), text.end(), nullptr, false);
  if (doc.is_discarded()) throw DravError("The stages are not valid JSON");
  return doc;
}

}  // namespace

std::vector<Stage> ParseStagesJson(std::string_view text, const Tournament& t) {
  return StagesFrom(ParseJson(text), t);
}

StageSettings ParseStageSettingsJson(std::string_view text, const Tournament& t) {
  const json doc = ParseJson(text);
  StageSettings settings;
  if (!doc.is_object()) {
    settings.Stages = StagesFrom(doc, t);
    settings.HasStages = true;
    return settings;
  }
  for (const auto& [key, value] : doc.items())
    if (key != "stages" && key != "final_places" && key != "finished")
      throw DravError("Unknown member \"" + key + "\"");
  if (doc.contains("stages")) {
    settings.Stages = StagesFrom(doc["stages"], t);
    settings.HasStages = true;
  }
  if (doc.contains("final_places")) {
    settings.Places = PlacesFrom(doc["final_places"], t);
    settings.HasPlaces = true;
  }
  if (doc.contains("finished")) {
    if (!doc["finished"].is_boolean()) throw DravError("\"finished\" must be true or false");
    settings.Finished = doc["finished"].get<bool>();
    settings.HasFinished = true;
  }
  return settings;
}

void ApplyStageSettings(const StageSettings& settings, Tournament& t) {
  if (settings.HasStages) t.Extras.Stages = settings.Stages;
  if (settings.HasPlaces) t.Extras.FinalPlaces = settings.Places;
  if (settings.HasFinished) t.Extras.Finished = settings.Finished;
}

std::vector<std::string> StageListLines(const Tournament& t) {
  std::vector<std::string> lines;
  for (const Stage& s : t.Extras.Stages) {
    std::string line =
        s.Name + ": rounds " + std::to_string(s.FirstRound) + "-" + std::to_string(s.LastRound);
    for (const Bracket& b : s.Brackets)
      line += "; " + b.Name + " (" + std::to_string(b.Teams.size()) + ")";
    if (s.CarryOver) line += "; carry-over";
    if (s.Kind == StageKind::Elimination) line += "; elimination";
    lines.push_back(std::move(line));
  }
  for (const FinalPlace& p : t.Extras.FinalPlaces)
    lines.push_back("Final place " + std::to_string(p.Place) + ": " + t.TeamName(p.Team));
  if (t.Extras.Finished) lines.push_back("Finished");
  return lines;
}

}  // namespace drav
