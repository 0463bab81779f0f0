// Texts and captions of the messages the engine shows to the user. Each text is defined once
// here and used from here, byte for byte (including the trailing line feeds).
#pragma once

#include <string_view>

namespace plumora {

// Captions.
inline constexpr std::string_view kCaptionError = "error";
inline constexpr std::string_view kCaptionWarning = "warning";

// Atmosphere files.
inline constexpr std::string_view kMsgAtmFolderNotFound =
    "atm folder not found in readatmosphere\n";
inline constexpr std::string_view kMsgAtmFileNotOpenedDuringList =
    "Atmospheric file not opened during readatmosphere\n";
inline constexpr std::string_view kMsgAtmFileNotOpened = "The atmospheric file was not opened\n";
// "There is no " PLANET " atmosphere file in " FOLDER "\n"
inline constexpr std::string_view kMsgNoAtmosphereFileFor = "There is no ";
inline constexpr std::string_view kMsgAtmosphereFileIn = " atmosphere file in ";
// printf format, formatted with the table capacity.
inline constexpr const char* kFmtTooManyAtmPoints = "Too much atmospheric data point (MAX=%d)\n";

// Aerodynamic files. The file name stands between the two parts of the first message (nothing
// for the default file) and after the next two.
inline constexpr std::string_view kMsgAeroFileNotOpenedBefore = "The ";
inline constexpr std::string_view kMsgAeroFileNotOpenedAfter =
    " aerodynamic data file was not opened\n";
inline constexpr std::string_view kMsgTooManyMachPoints = "Too much mach points in ";
inline constexpr std::string_view kMsgTooManyAnglePoints = "Too much angles points in ";
inline constexpr std::string_view kMsgNonAxisymmetric =
    "Sorry, no support for non-axisymmetric bodies yet";

// What is wrong with a refused data file (see DataFileMessage).
inline constexpr std::string_view kMsgFileEndsEarly =
    "ends early or holds something other than a number where a number must stand";

// Mission files. Every message about one reads "The mission file PATH WHAT (DETAIL)\n", put
// together from the pieces below (core/app/MissionFiles.cpp).
inline constexpr std::string_view kMissionFileFilter = "Plumora File (*.psd)";
inline constexpr std::string_view kMsgMissionFile = "The mission file ";
inline constexpr std::string_view kMsgMissionNotOpened = "could not be opened";
inline constexpr std::string_view kMsgMissionNotSaved = "could not be saved";
inline constexpr std::string_view kMsgMissionEndsEarly = "ends early";
inline constexpr std::string_view kMsgMissionNegativeCount = "holds a negative count";
inline constexpr std::string_view kMsgMissionLegCount =
    "holds a payload with bridle legs whose leg count is outside 0 to 50";
inline constexpr std::string_view kMsgMissionStringForm =
    "holds a string length of a form this program does not write";
inline constexpr std::string_view kMsgMissionNotJson = "is not valid JSON";
inline constexpr std::string_view kMsgMissionJsonInvalid = "does not hold a valid mission";
// Why a mission cannot be stored; the payload's number follows.
inline constexpr std::string_view kMsgUnstorableLegCount =
    "bridle leg count outside 0 to 50 in payload number ";
// Phase drivers.
inline constexpr std::string_view kMsgNoPayloadBallistic =
    "No payload selected in ballistic entry module\n";
inline constexpr std::string_view kMsgNoParachuteFinalDescent =
    "No parachute selected in final descent module\n";
inline constexpr std::string_view kMsgNoPayloadFinalDescent =
    "No payload selected in final descent module\n";
inline constexpr std::string_view kMsgParachuteFlip = "Parachute flip. Continue?\n";
inline constexpr std::string_view kMsgConfluenceSteps = "Too many steps in confluence point\n";
inline constexpr std::string_view kMsgTooManySamples = "Number of data points > 32000\n";
inline constexpr std::string_view kMsgMissionChecked =
    "The mission has no errors and no warnings.\n";
inline constexpr std::string_view kCaptionCheckMission = "Check mission";
inline constexpr std::string_view kMsgOverWorkBudgetHint =
    "Check the time step and the tolerances, and the bodies' inertias and the lines' stiffness "
    "and damping.\n";
inline constexpr std::string_view kMsgSolverStuck =
    "The integrator made no progress in five calls in a row; the phase was stopped.\n"
    "Check the solver settings and the mission's data.\n";
inline constexpr std::string_view kMsgStateNotFinite =
    "The state of the flight is no longer a finite number; the phase was stopped.\n"
    "A smaller time step or another integrator may help.\n";
inline constexpr std::string_view kMsgBadTimeStep =
    "The time step and the output time step must be positive numbers.\n";
// A module asked to fly a phase of another type, or a table its run did not load: faults of the
// program that calls the engine, not of the mission.
inline constexpr std::string_view kMsgNotAPhaseOfTheModule =
    "The phase is not one this module flies\n";
inline constexpr std::string_view kMsgAeroTableNotLoaded =
    "The run's environment holds no aerodynamic table of that name\n";

// Bitmaps. Plain message boxes carry the program's name as their caption. The bitmap reader
// speaks Spanish, as it always has; the header check is ours and speaks the same language.
inline constexpr std::string_view kCaptionProgram = "plumora";
inline constexpr std::string_view kMsgDibReadError = "Error al leer el fichero .bmp";
inline constexpr std::string_view kMsgDibNotBm = "Tipo del fichero no valido. Debe ser BM";
inline constexpr std::string_view kMsgDibNoMemory = "Insuficiente memoria para el DIB";
inline constexpr std::string_view kMsgDibNotSerialised = "Fichero DIB no valido";
inline constexpr std::string_view kMsgDibBadHeader =
    "Cabecera del fichero .bmp no valida o datos incompletos";
// The start-up pictures: the file's own name follows.
inline constexpr std::string_view kMsgErrorOpeningFile = "Error opening file ";
inline constexpr std::string_view kMsgErrorReadingFile = "Error reading file ";

// 3D models: "File PATH was not opened\n". A texture the model cannot use shows the texture
// reader's message, then kMsgErrorOpeningFile followed by the texture's name.
inline constexpr std::string_view kMsgModelFile = "File ";
inline constexpr std::string_view kMsgModelNotOpened = " was not opened\n";
inline constexpr std::string_view kMsgTextureNotOpened = "Error opening texture.";
inline constexpr std::string_view kMsgTextureNotBitmap = "Texture file is not a bitmap";
// What is wrong with a refused model file (see DataFileMessage); a negative count in the words
// a mission file's has.
inline constexpr std::string_view kMsgModelNegativeCount = kMsgMissionNegativeCount;
inline constexpr std::string_view kMsgModelCountTooLarge =
    "holds a count larger than the file has numbers for";
inline constexpr std::string_view kMsgModelBadIndex = "holds an index outside its array";
// OpenGL set-up. A 3D view that cannot draw shows kMsgNoOpenGl instead of its scene.
inline constexpr std::string_view kMsgNoOpenGl =
    "3D views are not available: OpenGL could not be started.";
inline constexpr std::string_view kMsgNoCurrentContext = "no OpenGL context is current";
// The 3D parachute view of a sample flown without one (a ballistic entry, an import).
inline constexpr std::string_view kMsgNoParachuteInPhase = "No parachute in this phase";

// Trajectory import.
inline constexpr std::string_view kMsgCouldNotOpenFile = "Could not open file\n";
inline constexpr std::string_view kMsgImportNeedsAColumn =
    "Choose at least one column that the file holds.\n";

// Frame conversions.
inline constexpr std::string_view kCaptionConvertH2I = "Error in ConvertH2I";
inline constexpr std::string_view kMsgSingularMatrix = "SINGULAR MATRIX, INVERSION NOT POSSIBLE\n";
// Follows the text above when the frame failed because the position has broken down.
inline constexpr std::string_view kMsgPositionNotFinite =
    "The payload's position is not a finite number, so the wind could not be turned to planet "
    "axes.\n";

}  // namespace plumora
