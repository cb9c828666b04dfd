// File helpers of the simulated network: UTF-8 paths, atomic replacement, the environment and the core's own
// folder.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace nwsim
{

std::filesystem::path PathFromUtf8(const std::string& text);
std::string Utf8FromPath(const std::filesystem::path& path);

// The whole content of a file, or nothing when it cannot be read.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path);

// Replaces the target's content whole or not at all (TAtomicFile). Returns false on failure.
bool WriteFileAtomically(const std::filesystem::path& target, const std::string& content);

// Replaces target by source in one step; false on failure.
bool MoveOverFile(const std::filesystem::path& source, const std::filesystem::path& target);

// Gives a folder the hidden and system attributes, where the file system keeps them (Windows).
void MarkHiddenAndSystem(const std::filesystem::path& folder);

// The value of an environment variable, or nothing when it is unset or empty.
std::optional<std::string> EnvironmentValue(const char* name);

// Tells whoever set the stand-in up why it cannot serve: on standard error, and as a line appended to
// nwsim.log beside the stand-in's libraries (a program started from a desktop has no standard error).
void ReportProblem(const std::string& text);

// The name of that log beside the libraries.
inline constexpr char kProblemLogName[] = "nwsim.log";

// The folder that holds the stand-in's libraries (and its tool).
std::filesystem::path CoreLibraryFolder();

// The world folder used when none is named: NWSIM_WORLD, else nwsim-world beside the stand-in's libraries.
std::filesystem::path DefaultWorldFolder();

} // namespace nwsim
