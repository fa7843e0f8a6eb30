// What of imported code a work can keep: no hotspot beyond the limit of a work,
// no link or tip longer than a project file holds.
#pragma once

#include <string>
#include <vector>

#include "core/map_import.h"

namespace mapimport {

struct LeftOut {
    int longTexts = 0;  // a link or a tip past the text limit
    int overLimit = 0;  // past the hotspots a work may have
};

// Drops from `areas` what a work that already has `existing` hotspots cannot
// keep, in document order from the end; says how many and why.
LeftOut fitToLimits(std::vector<ImportedArea>& areas, int existing);

// The sentence added to the import message; empty when nothing was left out.
std::string leftOutNote(const LeftOut& left);

}  // namespace mapimport
