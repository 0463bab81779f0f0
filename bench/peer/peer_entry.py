#!/usr/bin/env python3
"""The Earth example's ballistic entry written the way a SciPy user would write it.

A point mass at zero angle of attack around the rotating spherical planet, from the example's
initial state down to the entry phase's stop height, over the same atmosphere table (cubic
splines of ln(density) and temperature with zero end slopes, no air above the table) and the
same axial coefficients (the 0 deg column of the aerodynamic file, linear in Mach, the last row
held beyond). Prints one JSON line: the processor time of the integration alone, the end point and the peak
deceleration; with --csv also writes every 0.1 s sample.
"""
import argparse
import json
import math
import sys
import time

import numpy as np
from scipy.integrate import solve_ivp
from scipy.interpolate import CubicSpline


def read_atmosphere(path):
    """Heights, densities and temperatures, and the planet constants of an atmosphere file."""
    with open(path, encoding="latin-1") as f:
        lines = f.read().splitlines()
    count = int(lines[3].split()[1])
    rows = [line.split() for line in lines[9:9 + count]]
    table = np.array([[float(v) for v in row[1:4]] for row in rows])
    constants = {}
    for line in lines[9 + count:]:
        parts = line.split()
        if len(parts) >= 2:
            try:
                constants[parts[0]] = float(parts[1])
            except ValueError:
                pass
    return table, constants


def read_axial_coefficients(path):
    """Mach numbers and Cx at 0 deg angle of attack of an aerodynamic file."""
    with open(path, encoding="latin-1") as f:
        lines = f.read().splitlines()
    machs = int(lines[17].split()[0])
    angles = int(lines[18].split()[0])
    mach, cx = [], []
    row = 22
    for _ in range(machs):
        mach.append(float(lines[row].split()[0]))
        cx.append(float(lines[row + 1].split()[1]))  # the first angle, 0 deg
        row += 1 + angles
    return np.array(mach), np.array(cx)


def heading_matrix(lat, lon, heading):
    """Planet axes to the local frame along the heading (x ahead, z up)."""
    a, b, c = math.pi / 2 - lat, lon, math.pi - heading
    ca, sa = math.cos(a), math.sin(a)
    cb, sb = math.cos(b), math.sin(b)
    cc, sc = math.cos(c), math.sin(c)
    return np.array([[cc * cb * ca - sc * sb, sb * cc * ca + sc * cb, -sa * cc],
                     [-sc * cb * ca - sb * cc, cc * cb - sc * sb * ca, sc * sa],
                     [cb * sa, sb * sa, ca]])


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--data", required=True, help="the data folder (atm/, adf/, examples/)")
    parser.add_argument("--method", default="RK45")
    parser.add_argument("--max-step", type=float, default=math.inf)
    parser.add_argument("--csv")
    args = parser.parse_args()

    with open(f"{args.data}/examples/earth-return.json") as f:
        mission = json.load(f)
    state, solver = mission["initial_state"], mission["solver"]
    payload = mission["payloads"][0]
    stop_height = mission["phases"][0]["ballistic_entry"]["stop_height"]
    table, planet = read_atmosphere(f"{args.data}/atm/earth_us1976.atm")
    mach_table, cx_table = read_axial_coefficients(f"{args.data}/adf/ld600.adf")

    radius, omega = planet["RADIUS"], planet["ROTATION"]
    gm = radius * radius * planet["GRAVITY"]
    gamma_r = planet["GAS_CONSTANT"] * planet["GAMMA"]
    top = table[-1, 0]
    ln_density = CubicSpline(table[:, 0], np.log(table[:, 1]), bc_type=((1, 0.0), (1, 0.0)))
    temperature = CubicSpline(table[:, 0], table[:, 2], bc_type=((1, 0.0), (1, 0.0)))
    area_over_mass = payload["reference_area"] / payload["mass"]

    def derivatives(t, s):
        x, y, z, vx, vy, vz = s
        r = math.sqrt(x * x + y * y + z * z)
        h = r - radius
        g = -gm / (r * r * r)
        # Gravity, centrifugal and Coriolis accelerations in the frame turning with the planet.
        ax = g * x + omega * omega * x + 2 * omega * vy
        ay = g * y + omega * omega * y - 2 * omega * vx
        az = g * z
        if h <= top:
            hh = max(h, table[0, 0])
            rho = math.exp(ln_density(hh))
            speed = math.sqrt(vx * vx + vy * vy + vz * vz)
            mach = speed / math.sqrt(gamma_r * temperature(hh))
            k = 0.5 * rho * speed * np.interp(mach, mach_table, cx_table) * area_over_mass
            ax, ay, az = ax + k * vx, ay + k * vy, az + k * vz  # Cx < 0: against the velocity
        return [vx, vy, vz, ax, ay, az]

    def landed(t, s):
        return math.sqrt(s[0] ** 2 + s[1] ** 2 + s[2] ** 2) - radius - stop_height
    landed.terminal = True
    landed.direction = -1

    lat, lon = math.radians(state["latitude"]), math.radians(state["longitude"])
    gamma = math.radians(state["payload_path_angle"])
    v = state["payload_velocity"]
    r0 = radius + state["height"]
    position = [r0 * math.cos(lat) * math.cos(lon), r0 * math.cos(lat) * math.sin(lon),
                r0 * math.sin(lat)]
    along_path = [v * math.cos(gamma), 0.0, v * math.sin(gamma)]
    velocity = heading_matrix(lat, lon, math.radians(state["heading"])).T @ along_path
    dt = solver["output_time_step"]
    grid = np.arange(0.0, 4000.0, dt)

    start = time.process_time()
    sol = solve_ivp(derivatives, (0.0, grid[-1]), position + list(velocity), method=args.method,
                    t_eval=grid, events=landed, rtol=solver["relative_error"],
                    atol=solver["absolute_error"], max_step=args.max_step)
    integration = time.process_time() - start
    if sol.status != 1:
        sys.exit(f"peer_entry: {sol.message}")

    t_end, s_end = sol.t_events[0][0], sol.y_events[0][0]
    speeds = np.linalg.norm(sol.y[3:], axis=0)
    decelerations = (speeds[:-2] - speeds[2:]) / (2 * dt) / planet["GRAVITY"]
    x, y, z = s_end[:3]
    print(json.dumps({
        "method": args.method, "max_step": None if math.isinf(args.max_step) else args.max_step,
        "integration_s": integration, "evaluations": int(sol.nfev), "flight_s": float(t_end),
        "latitude": math.degrees(math.atan2(z, math.hypot(x, y))),
        "longitude": math.degrees(math.atan2(y, x)),
        "speed": float(np.linalg.norm(s_end[3:])), "peak_deceleration_g": float(decelerations.max()),
    }))
    if args.csv:
        r = np.linalg.norm(sol.y[:3], axis=0)
        columns = np.vstack([sol.t, r - radius, np.degrees(np.arcsin(sol.y[2] / r)),
                             np.degrees(np.arctan2(sol.y[1], sol.y[0])), speeds]).T
        np.savetxt(args.csv, columns, fmt="%.17g", delimiter=",",
                   header="time,height,latitude,longitude,speed", comments="")


if __name__ == "__main__":
    main()
