#pragma once

#include "platform/Text.h"

namespace lintra {

class File;

// The reports on one analysed page, each as the control makes it for the page it shows, with
// errors reported as the control's procedure of the same name.

// The critical errors and warnings of `page`, as GetWarnings makes them; empty when abandoned.
Text PageWarnings(File& page);

// `page` with every include expanded in place, as GetCompleteFile makes it; empty when abandoned.
Text CompleteFile(File& page);

// The drawing of `page` as TextTree draws it, but whole however many includes one file has and
// however deep the tree (see AppendWholeTextTree); empty when abandoned.
Text PageTextTree(File& page);

}  // namespace lintra
