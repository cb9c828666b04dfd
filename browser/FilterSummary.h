// A short text of what a filter lets through, for the status bar: empty while it lets every entry through.
#pragma once

#include "FilterCriteria.h"

#include <string>

// For example "PLAN*, deleted by ALICE*, on or after 12/1/2026"; the day in the user's short date format.
std::wstring FilterSummary(const TFilterCriteria& criteria);
