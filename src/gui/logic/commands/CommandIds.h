// Command identifiers of the desktop program: menu items, toolbar buttons and bar controls carry
// these numbers, so that the menu-state logic, the widgets and the tests agree on them.
#pragma once

namespace plumora::gui {

enum CommandId : int {
  // The framework's standard commands.
  kCmdFileNew = 57600,
  kCmdFileOpen = 57601,
  kCmdFileClose = 57602,
  kCmdFileSave = 57603,
  kCmdFileSaveAs = 57604,
  kCmdFilePrintSetup = 57606,
  kCmdFilePrint = 57607,
  kCmdFilePrintDirect = 57608,
  kCmdFilePrintPreview = 57609,
  kCmdFileMru1 = 57616,  // the recent files follow: 57616 to 57619
  kCmdAppAbout = 57664,
  kCmdAppExit = 57665,
  kCmdWindowCascade = 57650,
  kCmdWindowTile = 57651,
  kCmdEditCopy = 57634,
  kCmdEditSelectAll = 57642,
  kCmdEditUndo = 57643,
  kCmdEditRedo = 57644,
  kCmdViewToolbar = 59392,
  kCmdViewStatusBar = 59393,

  // Document commands.
  kCmdPayloadManager = 32779,
  kCmdParachuteManager = 32780,
  kCmdInitialState = 32781,
  kCmdSolver = 32782,
  kCmdEnvironment = 32783,
  kCmdRun = 32784,
  kCmdImportData = 32830,
  kCmdExportResults = 32840,
  kCmdCheckMission = 32845,
  kCmdDispersions = 32850,    // the mission's dispersion study: set up and fly
  kCmdExportStudy = 32851,    // the flown study's runs CSV and summary JSON
  kCmdExportPicture = 32852,  // the active pane as PNG or SVG
  kCmdGoToTime = 32853,       // the animation to a typed time  // what stands in the way of a run, and what looks unlike its bodies //
                             // the results as CSV, the same as plumora-cli run --csv writes

  // Tools.
  kCmdAtmosphereViewer = 32805,
  kCmdAeroViewer = 32828,

  // Help.
  kCmdHelpManual = 32842,  // the user manual, read inside the program

  // Show menu of a results view.
  kCmdShowTable = 32773,
  kCmdShowChart = 32774,
  kCmdShowOptions = 32775,
  kCmdShow3DPayload = 32808,
  kCmdShow3DParachute = 32809,
  kCmdShow3DSystem = 32810,
  kCmdShow2DTrajectory = 32811,
  kCmdShow3DTrajectory = 32812,
  // The same toggles in the right-button popup menu.
  kCmdPopupTable = 32792,
  kCmdPopupChart = 32793,
  kCmdPopup3DPayload = 32799,
  kCmdPopup3DParachute = 32800,
  kCmdPopup3DSystem = 32802,
  kCmdPopup2DTrajectory = 32803,
  kCmdPopup3DTrajectory = 32804,
  kCmdPopupOptions = 32807,
  kCmdPopupTrackLine = 32841,  // the ground track's line of the flight so far, on or off
  // The study's display modes, in the Show menu and the popup, and the ellipses on the map.
  kCmdShowLandingScatter = 32854,
  kCmdShowStudyHistograms = 32855,
  kCmdPopupLandingScatter = 32856,
  kCmdPopupStudyHistograms = 32857,
  kCmdPopupTrackEllipses = 32858,

  // Frame commands.
  kCmdMainControl = 32794,
  kCmdAnimationControl = 32795,

  // Mission plan bar.
  kCtlPhaseList = 1061,
  kCtlEditMission = 1062,
  kCtlEditPhase = 1063,
  kCtlViewPhase = 1064,
  kCtlMissionName = 1125,

  // Animation control bar.
  kCtlPlay = 1027,
  kCtlPause = 1028,
  kCtlStepForward = 1030,
  kCtlToEnd = 1031,
  kCtlToStart = 1032,
  kCtlZoomToSelection = 1033,
  kCtlZoomReset = 1034,
  kCtlAnimationSlider = 1117,
  kCtlStepBack = 1118,
  kCtlTimeText = 1119,
  kCtlSpeed = 1120,

  // Progress dialog.
  kCtlProgressBar = 1039,
  kCtlStop = 2,
  kCtlTimeElapsed = 1044,
  kCtlTimeLeft = 1045,
  kCtlPhase = 1046,
};

inline constexpr int kRecentFileCount = 4;

}  // namespace plumora::gui
