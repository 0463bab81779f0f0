"""The desktop program used as a person uses it: started on a real X server with a window manager,
driven by mouse and keyboard events, and judged by what its windows show.

    real_input_test.py PROGRAM DATA_FOLDER GRAPHICS_FOLDER [unittest arguments]
"""

import os
import pathlib
import subprocess
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from desktop import Desktop, Program, wait_for  # noqa: E402

PROGRAM = DATA = GRAPHICS = None
MISSION = os.path.join("examples", "earth-return.psd")
WHITE = (255, 255, 255)

# Where the four panes of a new mission window are, as fractions of the main window: a point well
# inside each of them, whatever the fonts make of the bars around them.
PANE_POINTS = [(0.41, 0.27), (0.80, 0.27), (0.41, 0.69), (0.80, 0.69)]

# The popup's items that can be chosen, in order: on a new window, and once there are results.
POPUP_FRESH = ["Table", "Chart", "2D Trajectory", "3D Trajectory", "Options"]
POPUP_RESULTS = ["Table", "Chart", "3D payload", "3D parachute", "3D System", "2D Trajectory",
                 "3D Trajectory", "Options"]


class Session(unittest.TestCase):
    """One desktop per test class; one program per test, on a fresh copy of the data."""

    @classmethod
    def setUpClass(cls):
        cls.desktop = Desktop()

    @classmethod
    def tearDownClass(cls):
        cls.desktop.close()

    def setUp(self):
        self.program = None

    def tearDown(self):
        if self.program:
            failed = not getattr(self._outcome, "success", True)
            self.program.stop()
            if failed:
                print(f"\n--- program output ---\n{self.program.output()}", file=sys.stderr)
            self.program.remove()

    def start(self, *arguments):
        self.program = Program(self.desktop, PROGRAM, DATA, GRAPHICS, arguments)
        self.main = self.program.wait_main_window()
        return self.program

    # --- Looking -------------------------------------------------------------------------------
    def window_point(self, fraction):
        x, y, w, h = self.desktop.geometry(self.main)
        return int(w * fraction[0]), int(h * fraction[1])

    def screen_point(self, fraction):
        x, y, _, _ = self.desktop.geometry(self.main)
        px, py = self.window_point(fraction)
        return x + px, y + py

    def blank_rectangle(self, image, point):
        """The white area around a point: the inside of a pane that shows nothing yet."""
        x, y = point
        self.assertEqual(image.rgb(x, y), WHITE, "the pane is not blank")
        left, right, top, bottom = x, x, y, y
        while left > 0 and image.rgb(left - 1, y) == WHITE:
            left -= 1
        while right < image.width - 1 and image.rgb(right + 1, y) == WHITE:
            right += 1
        while top > 0 and image.rgb(x, top - 1) == WHITE:
            top -= 1
        while bottom < image.height - 1 and image.rgb(x, bottom + 1) == WHITE:
            bottom += 1
        return left, top, right + 1, bottom + 1

    def pane_picture(self, rectangle):
        return self.desktop.capture(self.main).region(*rectangle)

    # --- Doing ---------------------------------------------------------------------------------
    def open_popup(self, pane, menu_key=False):
        if menu_key:  # the pane takes the focus from a click; the keyboard's menu key does the rest
            self.desktop.click(*self.screen_point(PANE_POINTS[pane]))
            self.program.idle()
            self.desktop.key("Menu")
        else:
            self.desktop.click(*self.screen_point(PANE_POINTS[pane]), button=3)
        popup = wait_for(self.program.other_windows, 10, "the pane's popup")
        self.assertEqual(len(popup), 1)
        return popup[0]

    def highlighted_row(self, popup):
        """The middle of the popup's highlighted item, in the popup's pixels, once it is drawn."""
        self.program.idle()  # every key handled

        def drawn():
            row = self.highlight_in(popup)
            self.program.idle()
            return row if row is not None and row == self.highlight_in(popup) else None
        return wait_for(drawn, 10, "an item of the popup to light up")

    def highlight_in(self, popup):
        image = self.desktop.capture(popup)
        x = image.width - 8
        background = image.rgb(x, image.height - 3)
        marked = [sum(abs(a - b) for a, b in zip(image.rgb(x, y), background)) > 60
                  for y in range(image.height)]
        # The longest run of marked rows is the highlight; the frame's lines are one row each.
        best, start = (0, 0), None
        for y, on in enumerate(marked + [False]):
            if on and start is None:
                start = y
            elif not on and start is not None:
                best = max(best, (y - start, start))
                start = None
        return best[1] + best[0] // 2 if best[0] > 5 else None

    def choose(self, pane, item, items, by_mouse, menu_key=False):
        """Chooses an item of a pane's popup: the keyboard walks to it; the mouse clicks it."""
        popup = self.open_popup(pane, menu_key)
        self.desktop.key(*["Down"] * (items.index(item) + 1))
        if by_mouse:
            # The keys only find the row; the click is the choice.
            row = self.highlighted_row(popup)
            left, top, width, _ = self.desktop.geometry(popup)
            self.desktop.click(left + width // 2, top + row)
        else:
            self.desktop.key("Return")
        self.program.wait_closed(popup)
        self.program.idle()
        # The window is ready for OpenGL from the start: its first 3D pane does not replace it.
        self.assertIn(self.main, self.desktop.windows(self.program.pid),
                      "the main window was replaced")

    def choose_and_check(self, pane, item, items, by_mouse, menu_key=False):
        """Chooses a mode for a blank pane and sees the pane show something; returns where."""
        image = self.desktop.capture(self.main)
        rectangle = self.blank_rectangle(image, self.window_point(PANE_POINTS[pane]))
        self.choose_and_see_change(rectangle, pane, item, items, by_mouse, menu_key)
        return rectangle

    def choose_and_see_change(self, rectangle, pane, item, items, by_mouse, menu_key=False):
        before = self.pane_picture(rectangle)
        self.choose(pane, item, items, by_mouse, menu_key)
        wait_for(lambda: self.pane_picture(rectangle) != before, 10,
                 f"the pane to show {item}")

    def retype(self, text, *then):
        """Replaces the text of the field that has the focus, then presses the keys given."""
        self.desktop.key("ctrl+a")
        self.desktop.type_text(text)
        self.desktop.key(*then)

    def menu_item(self, mnemonic, letter, what):
        """Opens a menu of the menu bar with Alt and its letter and takes an item by its own."""
        self.desktop.key(f"alt+{mnemonic}")
        wait_for(self.program.other_windows, 10, what)
        self.desktop.key(letter)

    def menu(self, mnemonic, downs=0):
        """Opens a menu of the menu bar with Alt and its letter and takes its item number downs."""
        self.desktop.key(f"alt+{mnemonic}")
        wait_for(self.program.other_windows, 10, f"the menu of Alt+{mnemonic}")
        self.desktop.key(*["Down"] * downs, "Return")

    def run_mission(self, by_f5=False):
        if by_f5:
            self.desktop.key("F5")
        else:
            self.menu("i", 6)  # Simulation > Run
        progress = wait_for(lambda: [w for w in self.program.other_windows()
                                     if self.desktop.name(w) == "Processing..."], 30,
                            "the run to start")
        self.program.wait_closed(progress[0], timeout=600)
        self.program.idle()


class PanePopupTest(Session):
    """Every display mode from a pane's popup on a new window, the 3D ones first: the first OpenGL
    view of a window must not take the window down with it."""

    def fresh_modes(self, by_mouse):
        self.start(MISSION)
        scene = self.choose_and_check(0, "3D Trajectory", POPUP_FRESH, by_mouse)
        for pane, item in enumerate(["Table", "Chart", "2D Trajectory"], start=1):
            self.choose_and_check(pane, item, POPUP_FRESH, by_mouse)
        # The 3D pane's own popup, back to a 2D mode.
        self.choose_and_see_change(scene, 0, "Chart", POPUP_FRESH, by_mouse)

    def test_modes_of_a_new_window_by_mouse(self):
        self.fresh_modes(by_mouse=True)

    def test_modes_of_a_new_window_by_keyboard(self):
        self.fresh_modes(by_mouse=False)

    def test_3d_payload_after_a_run_by_mouse(self):
        self.start(MISSION)
        self.run_mission()
        self.choose_and_check(0, "3D payload", POPUP_RESULTS, by_mouse=True)
        self.choose_and_check(1, "3D parachute", POPUP_RESULTS, by_mouse=True)

    def test_3d_system_after_a_run_by_f5_and_the_menu_key(self):
        self.start(MISSION)
        self.run_mission(by_f5=True)
        self.choose_and_check(2, "3D System", POPUP_RESULTS, by_mouse=False, menu_key=True)
        self.choose_and_check(3, "Table", POPUP_RESULTS, by_mouse=False, menu_key=True)


    # The mission plan's "Edit mission" button, as fractions of the main window.
    EDIT_MISSION = (0.106, 0.173)

    def test_an_edit_survives_the_first_3d_pane_and_is_saved(self):
        program = self.start(MISSION)
        self.desktop.click(*self.screen_point(self.EDIT_MISSION))
        editor = program.wait_dialog()
        left, top, width, height = self.desktop.geometry(editor)
        self.desktop.click(left + width // 2, top + 56)  # the name, right of its label
        self.desktop.key("ctrl+a")
        self.desktop.type_text("Kept through 3D")
        self.desktop.click(left + width - 52, top + height - 23)  # Close
        program.wait_closed(editor)
        program.idle()
        self.choose_and_check(0, "3D Trajectory", POPUP_FRESH, by_mouse=True)
        saved = os.path.join(program.data, MISSION)
        before = os.path.getmtime(saved)
        self.desktop.key("ctrl+s")
        wait_for(lambda: os.path.getmtime(saved) != before, 20, "the mission to be saved")
        program.idle()
        with open(saved, "rb") as f:
            self.assertIn(b"Kept through 3D", f.read())

    def test_export_picture_of_a_chart_by_keyboard(self):
        """File > Export picture: the file dialog, the size asked, and the pane as a PNG."""
        program = self.start(MISSION)
        self.choose_and_check(0, "Chart", POPUP_FRESH, by_mouse=False)
        self.menu_item("f", "i", "the File menu")  # Export p&icture...
        files = program.wait_dialog()
        target = os.path.join(program.data, "chart.png")
        self.retype(target, "Return")
        program.wait_closed(files)
        size = program.wait_dialog()
        self.retype("320", "Tab")  # the width, then the height
        self.retype("200", "Return")
        program.wait_closed(size)
        png = pathlib.Path(target)
        wait_for(lambda: png.exists() and png.stat().st_size > 24, 20, "the picture to be written")
        header = png.read_bytes()[:24]
        self.assertEqual(header[:8], b"\x89PNG\r\n\x1a\n")
        self.assertEqual((int.from_bytes(header[16:20], "big"), int.from_bytes(header[20:24], "big")),
                         (320, 200))


class PasteTest(Session):
    """Ctrl+V where there is nothing to paste (nothing has been copied on this display yet)."""

    def test_pasting_nothing_into_the_mission_comments(self):
        program = self.start(MISSION)
        self.desktop.click(*self.screen_point(PanePopupTest.EDIT_MISSION))
        editor = program.wait_dialog()
        left, top, width, height = self.desktop.geometry(editor)
        comments = (left + width // 2, top + 180)  # the comments box, under the name and type
        self.desktop.click(*comments)
        self.desktop.key("ctrl+End", "ctrl+v")
        program.idle()
        # Still the editor, still taking text, and closing it keeps what was typed.
        self.desktop.type_text(" Pasted nothing.")
        self.desktop.click(left + width - 52, top + height - 23)  # Close
        program.wait_closed(editor)
        self.desktop.key("ctrl+s")
        saved = pathlib.Path(program.data, MISSION)
        wait_for(lambda: b"Pasted nothing." in saved.read_bytes(), 20,
                 "the comments to be saved")


class DialogKeyboardTest(Session):
    """Each dialog of the menus opened with the keyboard and closed with Esc."""

    # (what, keys that open it): Alt and a menu's letter, then Down to the item, or a shortcut.
    DIALOGS = [
        ("Open", ["ctrl+o"]),
        ("Save As", ["alt+f", "Down", "Down", "Down", "Down", "Return"]),
        ("Print", ["ctrl+p"]),
        ("Print Preview", ["alt+f", *["Down"] * 5, "Return"]),
        ("Print Setup", ["alt+f", *["Down"] * 6, "Return"]),
        ("Payload manager", ["alt+i", "Return"]),
        ("Parachute manager", ["alt+i", "Down", "Return"]),
        ("Initial state", ["alt+i", "Down", "Down", "Return"]),
        ("Solver", ["alt+i", *["Down"] * 3, "Return"]),
        ("Environment", ["alt+i", *["Down"] * 4, "Return"]),
        ("Import data", ["alt+i", *["Down"] * 7, "Return"]),
        # A pane's options are those of its mode: the chart first, then Options, the last item.
        ("Options", ["alt+o", "Down", "Return", "alt+o", "Up", "Return"]),
        ("Atmospheric data viewer", ["alt+t", "Return"]),
        ("Aerodynamic data viewer", ["alt+t", "Down", "Return"]),
        ("About", ["alt+h", "Down", "Return"]),
    ]

    def test_each_dialog_opens_and_closes_by_keyboard(self):
        program = self.start(MISSION)
        for what, keys in self.DIALOGS:
            with self.subTest(dialog=what):
                for k in keys:
                    self.desktop.key(k)
                    program.idle()
                dialog = program.wait_dialog()
                self.assertNotIn(dialog, (0, self.main))
                self.desktop.key("Escape")
                program.wait_closed(dialog)
                wait_for(lambda: self.desktop.active_window() == self.main, 10,
                         "the main window to take the focus back")
                self.assertEqual(program.other_windows(), [], f"{what} left a window open")


class ActivationTest(Session):
    """Another program takes the focus and gives it back: the mission window stays as it was, a
    maximised pane maximised, the same pane active, the paused animation at its sample."""

    # The animation bar's "Step forward" button, as fractions of the main window.
    STEP_FORWARD = (0.872, 0.952)

    def test_focus_elsewhere_and_back_changes_nothing(self):
        program = self.start(MISSION)
        self.run_mission()
        self.choose_and_check(1, "Chart", POPUP_RESULTS, by_mouse=False)
        # The paused animation a few samples along the flight.
        for _ in range(3):
            self.desktop.click(*self.screen_point(self.STEP_FORWARD))
            program.idle()
        self.desktop.click(*self.screen_point(PANE_POINTS[1]), repeat=2)  # maximise the chart
        program.idle()
        before = self.desktop.capture(self.main)
        other = subprocess.Popen(["xlogo"], env=self.desktop.env)
        try:
            logo = int(wait_for(lambda: self.desktop.run(
                ["xdotool", "search", "--onlyvisible", "--class", "xlogo"], check=False).split(),
                10, "another program's window")[0])
            self.desktop.xdotool("windowactivate", logo)
            wait_for(lambda: self.desktop.active_window() == logo, 10, "the other window's focus")
            program.idle()
            self.desktop.xdotool("windowactivate", self.main)
            wait_for(lambda: self.desktop.active_window() == self.main, 10, "the focus back")
            program.idle()
            after = self.desktop.capture(self.main)
        finally:
            other.terminate()
            other.wait()
        if before.pixels != after.pixels:
            before.save_png("plumora-before-activation.png")
            after.save_png("plumora-after-activation.png")
        self.assertTrue(before.pixels == after.pixels,
                        "the mission window changed when the focus went away and came back")


class UndoTest(Session):
    """An edit made through a dialog, taken back with Ctrl+Z and made again with Ctrl+Shift+Z."""

    JSON_MISSION = os.path.join("examples", "earth-return.json")

    def saved_after(self, keys, marked):
        """Presses the keys, waits for the title's mark to come (or go), saves, and gives back
        the saved mission's text."""
        self.desktop.key(*keys)
        self.program.idle()
        wait_for(lambda: ("*" in self.desktop.name(self.main)) == marked, 10,
                 f"the title's mark to be {'shown' if marked else 'gone'} after {keys}")
        saved = pathlib.Path(self.program.data, self.JSON_MISSION)
        before = saved.stat().st_mtime_ns
        self.desktop.key("ctrl+s")
        wait_for(lambda: saved.stat().st_mtime_ns != before, 20, "the mission to be saved")
        self.program.idle()
        self.assertNotIn("*", self.desktop.name(self.main))
        return saved.read_text()

    def test_undo_and_redo_of_the_solver_dialog(self):
        program = self.start(self.JSON_MISSION)
        self.assertNotIn("*", self.desktop.name(self.main))
        self.menu("i", 3)  # Simulation > Solver: the time step has the focus
        dialog = program.wait_dialog()
        self.retype("0.05", "Return")
        program.wait_closed(dialog)
        program.idle()
        self.assertIn("*", self.desktop.name(self.main))
        # Back to the opened mission: the mark goes, and the file gets the old step.
        self.assertIn('"time_step": 0.1,', self.saved_after(["ctrl+z"], False))
        # Made again: the mark comes back, and so does the new step.
        self.assertIn('"time_step": 0.05,', self.saved_after(["ctrl+shift+z"], True))


class DeskHabitsTest(Session):
    """What the desktop keeps of a mission's panes, and the table's and the animation's habits."""

    ROW = 20           # pixels of a table row
    HEADER_ROWS = 3    # the two heading lines and a blank one
    MARKED = (196, 196, 196)
    TABLE_GREY = (140, 140, 140)

    def clipboard(self):
        return self.desktop.run(["xclip", "-o", "-selection", "clipboard"], check=False)

    def canvas_origin(self, pane):
        """The top-left pixel of a pane that shows nothing yet, in the main window."""
        image = self.desktop.capture(self.main)
        left, top, _, _ = self.blank_rectangle(image, self.window_point(PANE_POINTS[pane]))
        return left - 1, top - 1  # inside the active pane's one-pixel frame

    def click_row(self, origin, y, shift=False):
        x, top, _, _ = self.desktop.geometry(self.main)
        if shift:
            self.desktop.xdotool("keydown", "shift")
        self.desktop.click(x + origin[0] + 50, top + y)
        if shift:
            self.desktop.xdotool("keyup", "shift")
        self.program.idle()

    def go_to_time(self, typed):
        self.desktop.key("ctrl+g")
        asked = self.program.wait_dialog()
        self.retype(typed, "Return")
        self.program.wait_closed(asked)

    def row_y(self, origin, row):
        return origin[1] + (self.HEADER_ROWS + row) * self.ROW + self.ROW // 2

    def test_a_reopened_mission_shows_the_modes_its_panes_had(self):
        program = self.start(MISSION)
        self.choose(0, "3D Trajectory", POPUP_FRESH, by_mouse=False)
        self.choose(1, "Chart", POPUP_FRESH, by_mouse=False)
        self.choose(2, "Table", POPUP_FRESH, by_mouse=False)
        self.menu("f", 2)  # File > Close
        wait_for(lambda: self.desktop.name(self.main) == "plumora", 10, "the window to close")
        program.idle()
        self.menu_item("f", "1", "the File menu")  # the most recent mission
        wait_for(lambda: self.desktop.name(self.main).startswith("plumora - "), 20,
                 "the mission to open again")
        program.idle()
        # With results the modes tell themselves apart: the table's grey, the chart's curve.
        self.run_mission(by_f5=True)
        image = self.desktop.capture(self.main)
        self.assertEqual(self.colours_around(image, PANE_POINTS[3]), {WHITE},
                         "the pane that showed nothing shows something")
        self.assertTrue(self.colours_around(image, PANE_POINTS[0]) - {WHITE},
                        "the 3D view did not come back")
        table, chart = (self.colours_around(image, PANE_POINTS[k]) for k in (2, 1))
        self.assertIn(self.TABLE_GREY, table, "the table did not come back")
        self.assertNotIn(self.TABLE_GREY, chart)
        self.assertTrue(chart - {WHITE}, "the chart did not come back")

    def colours_around(self, image, point):
        x0, y0 = self.window_point(point)
        return {image.rgb(x, y) for x in range(x0 - 150, x0 + 150, 3)
                for y in range(y0 - 150, y0 + 150, 3)}

    def test_ctrl_c_copies_the_selected_rows_of_the_table(self):
        program = self.start(MISSION)
        self.run_mission()
        origin = self.canvas_origin(0)
        self.choose(0, "Table", POPUP_RESULTS, by_mouse=False)
        self.click_row(origin, self.row_y(origin, 1))
        self.click_row(origin, self.row_y(origin, 3), shift=True)
        self.desktop.key("ctrl+c")
        program.idle()
        lines = wait_for(self.clipboard, 10, "the rows on the clipboard").splitlines()
        self.assertEqual(len(lines), 4, lines)
        self.assertTrue(lines[0].startswith("Time (s)\tLatitude (deg)\t"), lines[0])
        times = [float(line.split("\t")[0]) for line in lines[1:]]
        self.assertEqual(times, sorted(times))
        self.assertTrue(all(len(line.split("\t")) == len(lines[0].split("\t")) for line in lines))
        # Ctrl+A takes every row of the flight, from its start to its landing.
        self.desktop.key("ctrl+a", "ctrl+c")
        program.idle()
        lines = wait_for(lambda: len(self.clipboard().splitlines()) > 4 and self.clipboard(), 10,
                         "every row on the clipboard").splitlines()
        self.assertEqual(float(lines[1].split("\t")[0]), 0.0)
        self.assertGreater(len(lines), 10000)

    def test_go_to_time_moves_the_animation_or_says_why_not(self):
        program = self.start(MISSION)
        self.run_mission()
        origin = self.canvas_origin(0)
        self.choose(0, "Table", POPUP_RESULTS, by_mouse=False)
        self.go_to_time("1e9")
        refusal = program.wait_dialog()  # the time is outside the flight
        self.desktop.key("Return")
        program.wait_closed(refusal)
        self.go_to_time("100")
        program.idle()
        # The table follows the animation and marks the row of its sample: copy that row.
        image = self.desktop.capture(self.main)
        column = origin[0] + 5
        marked = [y for y in range(origin[1], image.height) if image.rgb(column, y) == self.MARKED]
        self.assertTrue(marked, "no row of the table is marked")
        self.click_row(origin, marked[len(marked) // 2])
        self.desktop.key("ctrl+c")
        program.idle()
        row = wait_for(self.clipboard, 10, "the row on the clipboard").splitlines()[1]
        self.assertTrue(90.0 < float(row.split("\t")[0]) <= 100.0, row)

    def test_the_wheel_zooms_a_3d_pane_and_its_popup_still_opens(self):
        program = self.start(MISSION)
        self.run_mission()
        # The globe, which has no streaks to move at a repaint: only the zoom changes it.
        scene = self.choose_and_check(0, "3D Trajectory", POPUP_RESULTS, by_mouse=False)
        inside = (scene[0] + 3, scene[1] + 3, scene[2] - 3, scene[3] - 3)
        before = self.pane_picture(inside)
        for _ in range(3):
            self.desktop.click(*self.screen_point(PANE_POINTS[0]), button=4)  # away from you
        program.idle()
        wait_for(lambda: self.pane_picture(inside) != before, 10, "the view to zoom")
        self.choose_and_see_change(scene, 0, "Chart", POPUP_RESULTS, by_mouse=True)


class StudyInputTest(Session):
    """A dispersion study set up, flown and exported with the keyboard alone; the files are those
    the command line writes for the study file the dialog left beside the mission."""

    def test_a_short_study_flown_and_exported_as_the_command_line_writes_it(self):
        program = self.start(os.path.join("examples", "mars-entry.psd"))
        self.menu_item("i", "d", "the Simulation menu")  # Dispersions...
        dialog = program.wait_dialog()
        self.assertEqual(self.desktop.name(dialog), "Dispersions")
        self.desktop.key("alt+u", "ctrl+a")  # Runs
        self.desktop.type_text("20")
        self.desktop.key("alt+r")  # Run
        program.wait_closed(dialog)
        study = pathlib.Path(program.data, "examples", "mars-entry.dispersions.json")
        wait_for(lambda: '"runs": 20,' in study.read_text(), 20, "the setup to be kept")
        # The progress dialog comes as the setup dialog goes, and goes by itself once the runs
        # are flown: no other window for two seconds in a row, whichever of them was seen.
        quiet_since = [None]

        def flown():
            if program.other_windows():
                quiet_since[0] = None
            elif quiet_since[0] is None:
                quiet_since[0] = time.monotonic()
            return quiet_since[0] is not None and time.monotonic() - quiet_since[0] >= 2.0

        wait_for(flown, 180, "the study to be flown")
        program.idle()

        csv = pathlib.Path(program.folder, "mars-study.csv")
        summary = pathlib.Path(program.folder, "mars-study.summary.json")
        self.menu_item("f", "t", "the File menu")  # Export study...
        files = program.wait_dialog()
        self.assertEqual(self.desktop.name(files), "Export study")
        self.retype(str(csv), "Return")
        wait_for(lambda: csv.exists() and summary.exists(), 20, "the study to be exported")
        program.wait_closed(files)

        cli = pathlib.Path(PROGRAM).resolve().parents[1] / "cli" / "plumora-cli"
        if not cli.exists():
            self.skipTest(f"no command line program at {cli}")
        subprocess.run([str(cli), "dispersions", "--quiet", "--study", str(study),
                        "--csv", str(pathlib.Path(program.folder, "cli.csv")),
                        "--summary", str(pathlib.Path(program.folder, "cli.json")),
                        os.path.join("examples", "mars-entry.psd")],
                       cwd=program.data, check=True)
        self.assertEqual(csv.read_bytes(), pathlib.Path(program.folder, "cli.csv").read_bytes())
        self.assertEqual(summary.read_bytes(),
                         pathlib.Path(program.folder, "cli.json").read_bytes())


def main():
    global PROGRAM, DATA, GRAPHICS
    if len(sys.argv) < 4:
        print(__doc__, file=sys.stderr)
        return 2
    PROGRAM, DATA, GRAPHICS = sys.argv[1:4]
    argv = [sys.argv[0], *sys.argv[4:]]
    result = unittest.main(argv=argv, exit=False, verbosity=2).result
    return 0 if result.wasSuccessful() else 1


if __name__ == "__main__":
    sys.exit(main())
