#pragma once

#include <cstddef>
#include <string>

#include "apps/lintra/SiteSurvey.h"

namespace lintra {

// The most pages the report lists as reaching one file; the count says how many there are.
inline constexpr size_t ReportedPagesPerFile = 25;

// The JSON that the report's script draws trees and file views from, safe inside a script
// element (see AppendJsonString). Files are known by their position in "files", their readable
// paths, and pages by theirs in "pages", which holds [file, expanded size, depth] for each page;
// "trees" holds each page's tree as flat [file, flags, subtree size] triples in pre-order (flags
// as SurveyFlag). For each file, "includedBy" holds its directives as [including file's path,
// line], "reachedBy" the count of pages that reach it and the first of them, "includes" the
// [file, flags] it includes.
std::string ReportData(const SiteSurvey& survey);

}  // namespace lintra
