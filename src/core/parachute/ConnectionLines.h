// The elastic lines between payload and parachute. Every line is one-sided: it pulls with
// stiffness k when longer than its rest length and carries nothing otherwise. Three models:
//  - single strope: one line from the payload's strope link straight to the parachute's link;
//  - bridle legs with a massless confluence point: the riser runs from the parachute's link to a
//    confluence point, N legs from there to the payload; the point sits where they balance;
//  - bridle legs with a mass point at the confluence: the point has its own state, and every
//    line is a spring with a damper.
// All of them write model.lines and read the frames of the current evaluation.
#pragma once

#include "core/parachute/DescentModel.h"

namespace plumora {

// The leg count the line models use: a negative count has no legs, and a count beyond the leg
// slots uses the slots there are.
int UsableLegCount(const CPayload& payload);

// Line loads of state y into model.lines, the frames of both bodies being those of y. The
// payload's "Single Strope" uses SingleStropeForces whatever the mode; bridle legs use
// MassPointConfluenceForces when the confluence point carries mass, SolveMasslessConfluence
// otherwise. False when the massless confluence point could not be placed.
bool ComputeLineLoads(DescentModel& model, const double* y);

// ComputeLineLoads inside a run: nothing once the model has aborted; a massless confluence point
// that cannot be placed clears the line loads and aborts the model, which ends the phase with
// the confluence point's warning.
void ConnectionForces(DescentModel& model, const double* y);

void SingleStropeForces(DescentModel& model, const double* y);
// Places the massless confluence point by relaxation with a secant correction on each axis and,
// where that has not settled within its step limits, by Newton's method on the lines' energy;
// false when neither balances it (model.lines then as before). A payload without legs gets no
// line force, and the parachute none either: nothing holds the riser's end.
bool SolveMasslessConfluence(DescentModel& model, const double* y);
void MassPointConfluenceForces(DescentModel& model, const double* y);

}  // namespace plumora
