#include "support/FlightFixture.h"

#include "core/app/RunMission.h"
#include "core/ballistic/BallisticEntry.h"
#include "core/parachute/FinalDescent.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/common/Constants.h"

namespace plumora::test {

namespace {

using Module = int (*)(FlightContext&, const CMissionPhase&, CHandOverState&);

int FlyPhase(CPlumoraDoc& doc, const CMissionPhase& phase, CHandOverState& r, Module module) {
  Result<Environment> environment = LoadRunEnvironment(doc.baseFolder, doc.mission);
  if (!environment) {
    ShowError(doc.prompter(), environment.error());
    return 0;
  }
  doc.SetEnvironment(std::move(environment).value());
  const auto& phases = doc.mission.phases;
  const auto k = static_cast<std::size_t>(
      std::find_if(phases.begin(), phases.end(), [&](const auto& p) { return p.get() == &phase; }) -
      phases.begin());
  RunState state(doc.mission, doc.results);
  state.SetPrompter(&doc.prompter());
  state.SetProgressSink(&doc.progress());
  FlightContext flight = FlightContextFor(doc.mission, doc.environment(), {}, state, k);
  const int result = module(flight, phase, r);
  if (CParachutePhase* descent = doc.mission.phases[k]->parachute()) descent->flip = state.flips[k];
  return result;
}

}  // namespace

int FlyBallisticPhase(CPlumoraDoc& doc, const CMissionPhase& phase, CHandOverState& r) {
  return FlyPhase(doc, phase, r, RunBallisticEntry);
}

int FlyDescentPhase(CPlumoraDoc& doc, const CMissionPhase& phase, CHandOverState& r) {
  return FlyPhase(doc, phase, r, RunParachutePhase);
}

std::string SphereAdfText(double dragCoefficient) {
  AdfText adf;
  adf.mach = {0.5, 20.0};
  for (int degrees = 0; degrees <= 90; degrees += 5) adf.angles.push_back(degrees);
  for (std::size_t i = 0; i < adf.mach.size(); ++i) {
    std::vector<AdfCoefficients> row;
    for (double angle : adf.angles) {
      const double rad = angle * kDegToRad;
      row.push_back({-dragCoefficient * std::cos(rad), -dragCoefficient * std::sin(rad), 0.0});
    }
    adf.rows.push_back(row);
  }
  return adf.Text();
}

AtmText ExponentialAtmosphere() {
  AtmText atm;
  for (int i = 0; i < 600; ++i) {
    const double h = 250.0 * i;
    atm.rows.push_back({h, 1.225 * std::exp(-h / 7000.0), 288.0 - 0.0005 * h, 0.0, 0.0});
  }
  return atm;
}

FlightFixture::FlightFixture() {
  WriteFile(base / "atm" / "earth.atm", ExponentialAtmosphere().Text());
  WriteFile(base / "adf" / "ld600.adf", SphereAdfText(kFixtureDragCoefficient));
  doc.baseFolder = base.path();
  doc.SetPrompter(&prompter);
  doc.mission.CreatePayload();
  doc.mission.CreateParachute();
}

CBallisticEntryPhase& FlightFixture::AddBallisticPhase() {
  CBallisticEntryPhase& phase = *doc.mission.AddPhase(kPhaseBallisticEntry).ballistic();
  phase.payloadNumber = payload().number;
  return phase;
}

CParachutePhase& FlightFixture::AddFinalDescentPhase() {
  CParachutePhase& phase = *doc.mission.AddPhase(kPhaseFinalDescent).parachute();
  phase.payloadNumber = payload().number;
  phase.parachuteNumber = parachute().number;
  return phase;
}

void FlightFixture::UseLightDescent(double height, double speed) {
  payload().mass = 100.0;
  payload().referenceArea = 1.0;
  parachute().referenceArea = 50.0;
  InitialState& s = doc.mission.initialState;
  s.height = height;
  s.payloadVelocity = s.parachuteVelocity = speed;
  s.payloadPathAngle = s.parachutePathAngle = -80.0;
  s.payloadPitch = 80.0;
  s.parachuteOffsetX = -25.0;
}

}  // namespace plumora::test
