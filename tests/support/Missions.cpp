#include "support/Missions.h"

#include <gtest/gtest.h>

#include <bit>
#include <limits>

#include "core/app/MissionArchive.h"

namespace plumora::test {

void Bytes::Put(std::uint64_t v, int size) {
  for (int i = 0; i < size; ++i) bytes_ += static_cast<char>((v >> (8 * i)) & 0xFF);
}

Bytes& Bytes::I32(std::int32_t v) {
  Put(static_cast<std::uint32_t>(v), 4);
  return *this;
}

Bytes& Bytes::F64(double v) {
  Put(std::bit_cast<std::uint64_t>(v), 8);
  return *this;
}

Bytes& Bytes::Str(std::string_view s) {
  if (s.size() < 0xFF) {
    Put(s.size(), 1);
  } else if (s.size() < 0xFFFE) {
    Put(0xFF, 1);
    Put(s.size(), 2);
  } else {
    Put(0xFF, 1);
    Put(0xFFFF, 2);
    Put(s.size(), 4);
  }
  bytes_ += s;
  return *this;
}

Bytes& Bytes::Raw(std::string_view s) {
  bytes_ += s;
  return *this;
}

std::string NewMissionBytes() {
  Bytes b;
  b.I32(6).I32(0).I32(0).I32(0).I32(0).I32(0);  // version, no records, counters, no phases
  b.I32(0).Str("Default").Str("");
  const double state[23] = {0,     0, 0, 0, 0, 0,     14000.0, -12.14, -12.14, 0, 0, 500.0,
                            500.0, 0, 0, 0, 0, -25.0, 0,       0,      0,      0, 0};
  for (double v : state) b.F64(v);
  b.F64(1e-5).F64(1e-5).F64(100.0).F64(0.1).F64(0.1).I32(0);  // solver
  b.I32(0).I32(0).I32(0);                                     // atmosphere, planet, wind
  return b.str();
}

std::string ArchiveBytes(const Mission& mission) {
  Result<std::string> bytes = WriteMissionArchive(mission);
  EXPECT_TRUE(bytes.ok()) << (bytes ? std::string() : bytes.message());
  return bytes ? std::move(bytes).value() : std::string();
}

Mission EveryFieldFilled() {
  Mission mission;
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  std::string allHighBytes;
  for (int c = 0x80; c <= 0xFF; ++c) allHighBytes += static_cast<char>(c);

  CPayload& strope = mission.CreatePayload();
  strope.comments = "first line\r\nsecond \"quoted\" line\t\x01";
  strope.name = "capsule \x80\x81\x8D\x8F\x90\x9D\xFF";
  strope.typeKeyword = "SKORVAN";
  strope.typeIndex = 4;
  strope.ixx = 1.5, strope.iyy = -0.0, strope.izz = 5e-324;
  strope.ixy = std::numeric_limits<double>::max(), strope.ixz = -inf, strope.iyz = inf;
  strope.referenceArea = nan, strope.referenceLength = -nan, strope.mass = 0.1 + 0.2;
  strope.stropeLink = {-1.25, 2.5e-8, 3e100};
  strope.legCount = 7;  // single strope: stored, but no points
  strope.legLength = 4.5, strope.cogDistance = -2.25, strope.legRadius = 0.75;

  CPayload& bridle = mission.CreatePayload();
  bridle.name = allHighBytes;
  bridle.connectionKind = 2;  // any kind but 0 means bridle legs
  bridle.legCount = 3;
  for (int i = 0; i < 3; ++i)
    bridle.legPoints[i] = {-1.0 - i, 0.1 * i, std::bit_cast<double>(0x7FF0000000000001ULL + i)};
  bridle.typeIndex = 2, bridle.typeKeyword = "OVMKPHASE1";
  bridle.number = 41;

  CParachute& main = mission.CreateParachute();
  main.comments = "main";
  main.name = "ringsail";
  main.type = "ring";
  main.ixx = 11, main.iyy = 12, main.izz = 13, main.ixy = 14, main.ixz = 15, main.iyz = 16;
  main.referenceArea = 17, main.reserved1 = 18, main.mass = 19, main.link = {20, 21, 22};
  main.lineLength = 23, main.stiffness = 24, main.damping = 25;
  main.reserved2to8 = {26, 27, 28, 29, 30, 31, -0.0};
  main.centreOfPressure = 33, main.confluenceMass = 34;
  mission.CreateParachute().name = "drogue";

  CMissionPhase& entry = mission.AddPhase(kPhaseBallisticEntry);
  entry.name = "entry";
  entry.comments = "from orbit";
  *entry.ballistic() = {41, 7, 0, 1234.5, 99.25, 0};
  CMissionPhase& deploy = mission.AddPhase(kPhaseDeployment);
  deploy.name = "deploy";
  deploy.active = 0;
  mission.AddPhase(kPhaseInflation).comments = "inflate";
  CMissionPhase& descent = mission.AddPhase(kPhaseFinalDescent);
  descent.name = "descent";
  descent.active = 2;
  CParachutePhase& module = *descent.parachute();
  module.parachuteNumber = 1, module.payloadNumber = 0, module.reserved = -3;
  module.generalSolver = 0, module.stopHeight = 10.5, module.stopTime = 300.0;
  module.stopKind = 0, module.massPointAtConfluence = 1;

  mission.nextPayloadNumber = 42;
  mission.nextParachuteNumber = -5;
  mission.missionType = 1;
  mission.missionName = "Mission \xE9t\xE9";
  mission.missionComments = std::string("with a NUL \0 inside", 19);
  for (std::size_t i = 0; i < InitialState::kFieldOrder.size(); ++i) {
    mission.initialState.*InitialState::kFieldOrder[i] = 1000.0 * static_cast<double>(i) + 0.125;
  }
  mission.initialState.heading = -0.0;
  mission.solver.absoluteError = 1e-9, mission.solver.relativeError = 2e-7,
  mission.solver.finalTime = 512.0;
  mission.solver.outputTimeStep = 0.05, mission.solver.timeStep = 0.01,
  mission.solver.integrator = 4;
  mission.environment.planet = 2, mission.environment.atmosphere = 3, mission.environment.wind = 1;
  return mission;
}

}  // namespace plumora::test
