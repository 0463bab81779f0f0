// Mission file names on the command line: the extension says the form, so only ".psd" and
// ".json" are taken.
#pragma once

#include <CLI/CLI.hpp>

namespace plumora::cli {

// Refuses names that end neither in ".psd" nor in ".json" (any case).
CLI::Validator MissionFileName();

}  // namespace plumora::cli
