#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// A batch may list another batch, or itself: every run tells what it starts which batches led
// to it, so that a loop is caught instead of starting runs without end.
inline constexpr char BatchChainVariable[] = "RUNVOY_BATCH_CHAIN";

// How many batches may start one another in a row.
inline constexpr std::size_t MaxBatchChain = 8;

// The chain as the variable holds it: the batches' absolute paths, outermost first, one a line.
std::string chainText(const std::vector<std::filesystem::path> &chain);
std::vector<std::filesystem::path> chainFromText(std::string_view text);

// Whether path names one of the chain's batches, through whatever links.
bool isInChain(const std::filesystem::path &path, const std::vector<std::filesystem::path> &chain);
