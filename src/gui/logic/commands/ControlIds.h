// Control ids of the dialogs' and viewers' controls. A control carries its id as its object name
// ("ctl_<id>"), so that the dialogs, the headless pictures and the tests find it by the same
// number. Ids are unique within one dialog only: the same number stands for different controls
// in different dialogs. The bars' controls are in CommandIds.h.
#pragma once

#include <array>

namespace plumora::gui {

// --- Every dialog --------------------------------------------------------------------------
inline constexpr int kCtlOk = 1;
inline constexpr int kCtlCancel = 2;

// --- "Payload Data" and "Parachute data" ---------------------------------------------------
inline constexpr int kCtlIxx = 1007;
inline constexpr int kCtlIyy = 1008;
inline constexpr int kCtlIzz = 1009;
inline constexpr int kCtlIxy = 1010;
inline constexpr int kCtlIxz = 1011;
inline constexpr int kCtlIyz = 1012;
inline constexpr int kCtlReferenceArea = 1016;
inline constexpr int kCtlMass = 1017;
inline constexpr int kCtlCentreOfPressure = 1041;
inline constexpr int kCtlLinkX = 1031;  // the strope's or the parachute's link point
inline constexpr int kCtlLinkY = 1032;
inline constexpr int kCtlLinkZ = 1033;
inline constexpr int kCtlSingleStrope = 1009;  // on the page "Connection Lines Data"
inline constexpr int kCtlBridleLegs = 1010;
inline constexpr int kCtlLegCount = 1142;
inline constexpr int kCtlCogDistance = 1143;
inline constexpr int kCtlLegRadius = 1144;
inline constexpr int kCtlLegLength = 1145;
inline constexpr int kCtlPayloadType = 1166;
inline constexpr int kCtlTypeDefaults = 1167;  // "Default" on either page
inline constexpr int kCtlStiffness = 1034;
inline constexpr int kCtlLineLength = 1140;
inline constexpr int kCtlDamping = 1157;
inline constexpr int kCtlConfluenceMass = 1155;
// The 3D preview beside the fields of a data or initial state dialog.
inline constexpr int kCtlPreview = 77;

// --- "System Initial State" and "Parachute Initial State" ----------------------------------
inline constexpr int kCtlVelocity = 1082;
inline constexpr int kCtlHeight = 1083;
inline constexpr int kCtlPathAngle = 1084;
inline constexpr int kCtlLatitude = 1129;
inline constexpr int kCtlLongitude = 1130;
inline constexpr int kCtlHeading = 1131;
inline constexpr int kCtlRoll = 1085;
inline constexpr int kCtlPitch = 1086;
inline constexpr int kCtlYaw = 1087;
inline constexpr int kCtlRateX = 1088;
inline constexpr int kCtlRateY = 1089;
inline constexpr int kCtlRateZ = 1090;
inline constexpr int kCtlParachuteSettings = 1006;  // "Parachute..."
inline constexpr int kCtlOffsetX = 1136;
inline constexpr int kCtlOffsetY = 1137;
inline constexpr int kCtlOffsetZ = 1138;
inline constexpr int kCtlParachuteRoll = 1018;
inline constexpr int kCtlParachutePitch = 1019;
inline constexpr int kCtlParachuteYaw = 1020;
inline constexpr int kCtlParachuteRateX = 1139;
inline constexpr int kCtlParachuteRateY = 1140;
inline constexpr int kCtlParachuteRateZ = 1141;

// --- "Integrator data" ---------------------------------------------------------------------
inline constexpr int kCtlTimeStep = 1004;
inline constexpr int kCtlOutputTimeStep = 1005;
inline constexpr int kCtlAbsoluteError = 1007;
inline constexpr int kCtlRelativeError = 1008;
inline constexpr int kCtlRungeKuttaFehlberg = 1009;
inline constexpr int kCtlAdamsBashforthMoulton = 1010;
inline constexpr int kCtlHighStiffness = 1011;
inline constexpr int kCtlEuler = 1012;
inline constexpr int kCtlEulerTrapezoidal = 1017;

// --- "Environment data" --------------------------------------------------------------------
inline constexpr int kCtlPlanet = 1042;
inline constexpr int kCtlAtmosphereDescription = 1164;
inline constexpr int kCtlWind = 1095;

// --- "Import data..." ----------------------------------------------------------------------
inline constexpr int kCtlImportTime = 1030;
inline constexpr int kCtlImportLatitude = 1129;
inline constexpr int kCtlImportLongitude = 1130;
inline constexpr int kCtlImportHeading = 1131;
inline constexpr int kCtlImportAltitude = 1034;
inline constexpr int kCtlImportPathAngle = 1002;
inline constexpr int kCtlImportSpeed = 1036;

// --- The phases' settings and their stop conditions ----------------------------------------
inline constexpr int kCtlStopOnTime = 1009;
inline constexpr int kCtlStopOnHeight = 1010;
inline constexpr int kCtlStopTime = 1030;
inline constexpr int kCtlStopHeight = 1001;
inline constexpr int kCtlParachuteChoice = 1070;
inline constexpr int kCtlPayloadChoice = 1071;
inline constexpr int kCtlOpenPayloadManager = 1072;
inline constexpr int kCtlOpenParachuteManager = 1073;
inline constexpr int kCtlBallisticStopCondition = 1094;
inline constexpr int kCtlDescentStopConditions = 1092;
inline constexpr int kCtlMassPointAtConfluence = 1156;
inline constexpr int kCtlGeneralSolver = 1075;
inline constexpr int kCtlNewSolver = 1076;

// --- "Mission Editor" and the payload and parachute managers -------------------------------
inline constexpr int kCtlMissionNameField = 1125;
inline constexpr int kCtlMissionType = 1122;
inline constexpr int kCtlMissionComments = 1068;
inline constexpr int kCtlRecordList = 1061;  // the phase list, or a manager's record list
inline constexpr int kCtlToggleActive = 1077;
inline constexpr int kCtlAdd = 1076;
inline constexpr int kCtlInsert = 1075;
inline constexpr int kCtlDelete = 1078;
inline constexpr int kCtlReplace = 1069;
inline constexpr int kCtlEdit = 1079;
inline constexpr int kCtlPhaseName = 1066;
inline constexpr int kCtlPhaseType = 1067;
inline constexpr int kCtlComments = 1065;  // a phase's or a record's comments
inline constexpr int kCtlPayloadName = 1080;
inline constexpr int kCtlParachuteName = 1081;
inline constexpr int kCtlManagerClose = 1097;

// --- Options of a results pane -------------------------------------------------------------
inline constexpr int kCtlChartX = 1124;
inline constexpr int kCtlChartY = 1123;
inline constexpr int kCtlBodyPayload = 1009;
inline constexpr int kCtlBodyParachute = 1010;
// The chart's switches: round tick values, Y fitted to the zoom, grid lines.
inline constexpr int kCtlChartRoundTicks = 1190;
inline constexpr int kCtlChartFitY = 1191;
inline constexpr int kCtlChartGrid = 1192;
inline constexpr int kCtlHistogramOutput = 1193;  // the output "Study histograms" shows
inline constexpr std::array<int, 3> kCtlLight = {1165, 1166, 1167};  // x, y, z
// The chart's logarithmic Y axis and its list of further curves.
inline constexpr int kCtlChartLogY = 1310;
inline constexpr int kCtlChartMoreCurves = 1311;
// "Table Options": the derived quantities' columns, in their order.
inline constexpr std::array<int, 5> kCtlShowDerived = {1312, 1313, 1314, 1315, 1316};
// "Export picture": the picture's size.
inline constexpr int kCtlPictureWidth = 1317;
inline constexpr int kCtlPictureHeight = 1318;
// "Table Options", in the dialog's order.
inline constexpr int kCtlShowTime = 1145;
inline constexpr int kCtlShowLatitude = 1146;
inline constexpr int kCtlShowLongitude = 1147;
inline constexpr int kCtlShowHeading = 1153;
inline constexpr int kCtlShowPayloadHeight = 1148;
inline constexpr int kCtlShowPayloadSpeed = 1154;
inline constexpr int kCtlShowPayloadPathAngle = 1149;
inline constexpr int kCtlShowPayloadRoll = 1150;
inline constexpr int kCtlShowPayloadPitch = 1151;
inline constexpr int kCtlShowPayloadYaw = 1152;
inline constexpr int kCtlShowParachuteHeight = 1155;
inline constexpr int kCtlShowParachuteSpeed = 1160;
inline constexpr int kCtlShowParachutePathAngle = 1156;
inline constexpr int kCtlShowParachuteRoll = 1157;
inline constexpr int kCtlShowParachutePitch = 1158;
inline constexpr int kCtlShowParachuteYaw = 1159;
inline constexpr int kCtlShowConnectionForce = 1162;

// --- Atmospheric viewer --------------------------------------------------------------------
inline constexpr int kCtlViewerPlanet = 1131;
inline constexpr int kCtlViewerDataset = 1132;
inline constexpr int kCtlViewerQuantity = 1133;
inline constexpr int kCtlViewerHeight = 1001;
inline constexpr int kCtlViewerValue = 1002;

// --- Aerodynamic viewer --------------------------------------------------------------------
inline constexpr int kCtlAeroFile = 1177;
inline constexpr int kCtlAeroComment = 1178;
inline constexpr int kCtlAeroSplines = 1182;
inline constexpr int kCtlAeroFirstCoefficient = 1169;  // Cx; the others follow in order
inline constexpr int kCtlAeroAngleOnX = 1009;
inline constexpr int kCtlAeroMachOnX = 1010;
inline constexpr int kCtlAeroMach = 1175;
inline constexpr int kCtlAeroAlpha = 1176;
inline constexpr int kCtlAeroPlotFrame = 1181;
inline constexpr int kCtlAeroApply = 1179;

// --- Dispersions ---------------------------------------------------------------------------
inline constexpr int kCtlStudyScatters = 1460;
inline constexpr int kCtlStudyField = 1461;
inline constexpr int kCtlStudyAdd = 1462;
inline constexpr int kCtlStudyRemove = 1463;
inline constexpr int kCtlStudyDistribution = 1464;
inline constexpr int kCtlStudyFirst = 1465;
inline constexpr int kCtlStudySecond = 1466;
inline constexpr int kCtlStudyRuns = 1467;
inline constexpr int kCtlStudySeed = 1468;
inline constexpr int kCtlStudyThreads = 1469;
inline constexpr int kCtlStudyRun = 1470;
inline constexpr int kCtlStudyDone = 1471;
inline constexpr int kCtlStudyFailed = 1472;
inline constexpr int kCtlStudyLeft = 1473;
inline constexpr int kCtlStudyStop = 1474;

}  // namespace plumora::gui
