// The columns of a deleted-file list.
#pragma once

#include "TExtListView.h"

#include <vector>

inline constexpr int kDeletedColumnWidth = 100;

// Name, Size, Deleted, Deleted By, Owner, Accessed, Created, Attributes, Archived, Archived By, Updated,
// Updated By: 100 pixels each.
std::vector<TListColumn> DeletedFileColumns();
